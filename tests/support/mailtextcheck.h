#ifndef MAILTEXTCHECK_H
#define MAILTEXTCHECK_H

// Header only: the rules every mail text must keep, for the tests and the
// fuzz targets.

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

namespace MailTextCheck {

// What is wrong with the text of a mail, or an empty text: every byte a
// printable ASCII character, a tab or part of a CR LF; every line at most 998
// octets; every line of the top-level header a "Name: value" line or a
// continuation that begins with a blank. headerNames receives the names.
inline QString fault(const QByteArray &text, QByteArrayList *headerNames = nullptr)
{
    for (int i = 0; i < text.size(); ++i) {
        const uchar c = uchar(text.at(i));
        if (c == '\r' && (i + 1 == text.size() || text.at(i + 1) != '\n'))
            return QStringLiteral("bare CR at %1").arg(i);
        if (c == '\n' && (i == 0 || text.at(i - 1) != '\r'))
            return QStringLiteral("bare LF at %1").arg(i);
        if (c != '\r' && c != '\n' && c != '\t' && (c < 0x20 || c > 0x7e))
            return QStringLiteral("byte %1 at %2").arg(c).arg(i);
    }
    if (!text.isEmpty() && !text.endsWith("\r\n"))
        return QStringLiteral("no final CR LF");
    QByteArrayList names;
    bool inHeader = true;
    int from = 0;
    int end;
    while ((end = text.indexOf("\r\n", from)) >= 0) {
        const QByteArray line = text.mid(from, end - from);
        from = end + 2;
        if (line.size() > 998)
            return QStringLiteral("line of %1 octets").arg(line.size());
        if (!inHeader)
            continue;
        if (line.isEmpty()) {
            inHeader = false;
        } else if (line.startsWith(' ') || line.startsWith('\t')) {
            if (names.isEmpty())
                return QStringLiteral("continuation without a header line");
        } else {
            const int colon = line.indexOf(':');
            if (colon <= 0)
                return QStringLiteral("header line without a name: ") + QString::fromLatin1(line.left(40));
            for (const char c : line.left(colon)) {
                if (c <= ' ' || c > '~')
                    return QStringLiteral("bad header name: ") + QString::fromLatin1(line.left(40));
            }
            names.append(line.left(colon));
        }
    }
    if (headerNames)
        *headerNames = names;
    return QString();
}

} // namespace MailTextCheck

#endif // MAILTEXTCHECK_H
