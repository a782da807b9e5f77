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

#endif // MESSAGELINES_H
