#ifndef MAILTEXTCHECK_H
#define MAILTEXTCHECK_H

// Header only: the rules every mail text keeps, for the tests and the fuzz targets.

#include <QByteArray>
#include <QString>

namespace MailTextCheck {

// What is wrong with the text of a mail, or an empty text: every byte is a
// printable ASCII character, a tab or part of a CR LF, every line ends in
// CR LF and holds at most 998 octets.
inline QString fault(const QByteArray &text)
{
    int lineStart = 0;
    for (int i = 0; i < text.size(); ++i) {
        const uchar c = uchar(text.at(i));
        if (c == '\r' && (i + 1 == text.size() || text.at(i + 1) != '\n'))
            return QStringLiteral("bare CR at %1").arg(i);
        if (c == '\n' && (i == 0 || text.at(i - 1) != '\r'))
            return QStringLiteral("bare LF at %1").arg(i);
        if (c != '\r' && c != '\n' && c != '\t' && (c < 0x20 || c > 0x7e))
            return QStringLiteral("byte %1 at %2").arg(c).arg(i);
        if (c == '\n')
            lineStart = i + 1;
        else if (i - lineStart >= 998 + (c == '\r' ? 1 : 0))
            return QStringLiteral("line over 998 octets at %1").arg(lineStart);
    }
    return text.isEmpty() || text.endsWith("\r\n") ? QString() : QStringLiteral("no final CR LF");
}

} // namespace MailTextCheck

#endif // MAILTEXTCHECK_H
