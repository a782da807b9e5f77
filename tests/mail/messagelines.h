#ifndef MESSAGELINES_H
#define MESSAGELINES_H

#include <QByteArrayList>

// The lines of a mail text without their CR LF.
inline QByteArrayList messageLines(QByteArray text)
{
    text.replace("\r\n", "\n");
    if (text.endsWith('\n'))
        text.chop(1);
    return text.split('\n');
}

// The mail text without the "Date" and "Message-ID" lines, which differ
// from one rendering to the next.
inline QByteArray withoutStamps(const QByteArray &text)
{
    QByteArray out;
    for (const QByteArray &line : messageLines(text)) {
        if (!line.startsWith("Date: ") && !line.startsWith("Message-ID: "))
            out += line + "\r\n";
    }
    return out;
}

#endif // MESSAGELINES_H
