#ifndef MESSAGELINES_H
#define MESSAGELINES_H

#include <QByteArray>
#include <QList>

// The lines of a mail text without their CR LF (and without the empty rest
// after the final one).
inline QList<QByteArray> messageLines(const QByteArray &text)
{
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

#endif // MESSAGELINES_H
