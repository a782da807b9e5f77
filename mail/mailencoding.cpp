#include "mailencoding.h"

#include <QTextCodec>
#include <QRegularExpression>
#include <QUrl>

#include <algorithm>

namespace MailEncoding {

namespace {

bool needsQuoting(char c)
{
    const signed char s = static_cast<signed char>(c);
    return s < 32 || s > 126 || c == '=' || c == '?';
}

bool needsQuoting(QChar c)
{
    const ushort u = c.unicode();
    return u < 32 || u > 126 || u == '=' || u == '?';
}

void appendHexEscape(QByteArray &out, char c)
{
    static const char digits[] = "0123456789ABCDEF";
    const uchar u = static_cast<uchar>(c);
    out += '=';
    out += digits[u >> 4];
    out += digits[u & 0x0f];
}

bool isAscii(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0x7f)
            return false;
    }
    return true;
}

// A header value goes out unencoded only when it is printable ASCII (a CR or
// LF written raw would end the header line and let the value add lines of its
// own) and each of its words fits one line after a lead of leadSize octets.
bool isPlainHeaderValue(const QString &value, int leadSize)
{
    int word = 0;
    for (const QChar c : value) {
        const ushort u = c.unicode();
        if (u < 0x20 || u > 0x7e)
            return false;
        word = u == ' ' ? 0 : word + 1;
        if (qMax(leadSize, 79) + 1 + word > kMaxLineLength)
            return false;
    }
    return true;
}

// Printable ASCII with tabs and line breaks: a body that may go out as it is.
bool isPlainBody(const QString &body)
{
    for (const QChar c : body) {
        const ushort u = c.unicode();
        if ((u < 0x20 && u != '\t' && u != '\r' && u != '\n') || u > 0x7e)
            return false;
    }
    return true;
}

// A quoted-printable line may not end in a space: it is written "=20" there.
QByteArray withEncodedEnd(QByteArray line)
{
    if (line.endsWith(' ')) {
        line.chop(1);
        line += "=20";
    }
    return line;
}

// A display name with characters that mean something in an address goes in quotes.
QString quotedDisplayName(const QString &name)
{
    static const QString specials = QStringLiteral("()<>[]:;@\\,.\"");
    const bool quoted = name.size() >= 2 && name.startsWith(QLatin1Char('"')) && name.endsWith(QLatin1Char('"'));
    if (quoted || !isAscii(name) || std::none_of(name.begin(), name.end(), [](QChar c) { return specials.contains(c); }))
        return name;
    QString escaped = name;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

// The address part in ASCII: control characters dropped, a domain of other
// characters in its ASCII form, what still is not ASCII written as '?'.
QByteArray asciiAddress(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("[\\x00-\\x1f\\x7f]")));
    const int at = text.lastIndexOf(QLatin1Char('@'));
    if (at >= 0 && !isAscii(text.mid(at))) {
        const int close = text.indexOf(QLatin1Char('>'), at);
        const int length = (close < 0 ? text.size() : close) - at - 1;
        const QByteArray ace = QUrl::toAce(text.mid(at + 1, length));
        if (!ace.isEmpty())
            text.replace(at + 1, length, QString::fromLatin1(ace));
    }
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : qAsConst(text))
        out += c.unicode() < 0x80 ? char(c.unicode()) : '?';
    return out;
}

// A body line, dot-stuffed, with its CR LF.
void writeLine(QByteArray &out, const QByteArray &line)
{
    if (line.startsWith('.'))
        out += '.';
    out += line;
    out += "\r\n";
}

} // namespace

QTextCodec *latin1Codec()
{
    return QTextCodec::codecForName("latin1");
}

QByteArray foldMimeHeader(const QString &name, const QString &value, QTextCodec *codec,
                          const QByteArray &prefix)
{
    QByteArray line;
    if (!name.isEmpty())
        line = name.toLatin1() + ": ";
    line += prefix;
    QByteArray result;

    if (!value.contains(QLatin1String("=?")) && isPlainHeaderValue(value, line.size())) {
        const QList<QByteArray> words = codec->fromUnicode(value).split(' ');
        for (int i = 0; i < words.size(); ++i) {
            if (line.size() > 78) {
                result += line + "\r\n";
                line.clear();
            }
            if (i > 0)
                line += ' ';
            line += words.at(i);
        }
    } else {
        const QByteArray bytes = value.toUtf8();
        const int probe = qMin(100, bytes.size());
        int quoted = 0;
        for (int i = 0; i < probe; ++i) {
            if (needsQuoting(bytes.at(i)))
                ++quoted;
        }
        if (quoted > 20) {
            const QByteArray base64 = bytes.toBase64();
            line += "=?utf-8?b?";
            for (int i = 0; i < base64.size(); i += 4) {
                if (line.size() > 72) {
                    result += line + "?=\r\n";
                    line = " =?utf-8?b?";
                }
                line += base64.mid(i, 4);
            }
        } else {
            line += "=?utf-8?q?";
            for (const char c : bytes) {
                if (line.size() > 73) {
                    result += line + "?=\r\n";
                    line = " =?utf-8?q?";
                }
                if (needsQuoting(c) || c == ' ' || c == '_')
                    appendHexEscape(line, c);
                else
                    line += c;
            }
        }
        line += "?=";
    }
    return result + line + "\r\n";
}

QByteArray foldAddressHeader(const QString &name, const QStringList &addresses)
{
    // The words, each of which stays on one line.
    QByteArrayList words;
    for (int i = 0; i < addresses.size(); ++i) {
        const QString &entry = addresses.at(i);
        const int open = entry.indexOf(QLatin1Char('<'));
        const QString display = open < 0 ? QString() : entry.left(open).trimmed();
        if (!display.isEmpty()) {
            const QByteArray folded = foldMimeHeader(QString(), quotedDisplayName(display), latin1Codec());
            for (QByteArray line : folded.split('\n')) {
                line = line.trimmed();
                if (!line.isEmpty())
                    words.append(line);
            }
        }
        for (const QByteArray &word : asciiAddress(open < 0 ? entry : entry.mid(open)).split(' ')) {
            // Only a malformed address has a word this long: it is cut to fit.
            for (int at = 0; at < word.size(); at += kMaxLineLength / 2)
                words.append(word.mid(at, kMaxLineLength / 2));
        }
        if (i + 1 < addresses.size() && !words.isEmpty())
            words.last() += ',';
    }

    QByteArray result;
    QByteArray line = name.toLatin1() + ':';
    bool lineHasWord = false;
    for (const QByteArray &word : qAsConst(words)) {
        if (lineHasWord && line.size() + 1 + word.size() > 78) {
            result += line + "\r\n";
            line.clear();
        }
        line += ' ' + word;
        lineHasWord = true;
    }
    return result + line + "\r\n";
}

bool isHeaderName(const QString &name)
{
    if (name.isEmpty() || name.size() > 76)
        return false;
    for (const QChar c : name) {
        const ushort u = c.unicode();
        if (!((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '-'))
            return false;
    }
    return true;
}

QByteArray withoutControlCharacters(QByteArray bytes)
{
    const auto end = std::remove_if(bytes.begin(), bytes.end(),
                                    [](char c) { return static_cast<uchar>(c) < 0x20 || c == 0x7f; });
    bytes.truncate(int(end - bytes.begin()));
    return bytes;
}

BodyEncoding chooseBodyEncoding(const QString &body, const QString &contentTransferEncoding)
{
    const QString forced = contentTransferEncoding.toLower();
    if (forced == QLatin1String("quoted-printable"))
        return QuotedPrintable;
    if (forced == QLatin1String("base64"))
        return Base64;
    if (isPlainBody(body))
        return Plain;
    const int probe = qMin(100, body.size());
    int quoted = 0;
    for (int i = 0; i < probe; ++i) {
        if (needsQuoting(body.at(i)))
            ++quoted;
    }
    return quoted <= 20 ? QuotedPrintable : Base64;
}

void appendPlainBody(QByteArray &out, const QString &body, int wrapLimit, bool keepStartSpaces)
{
    const QByteArray bytes = latin1Codec()->fromUnicode(body);
    const int n = bytes.size();
    QByteArray line;
    QByteArray word;
    QByteArray spaces;
    QByteArray startSpaces;

    for (int i = 0; i <= n; ++i) {
        const bool atEnd = i == n;
        const char c = atEnd ? '\0' : bytes.at(i);
        if (!atEnd && c != '\r' && c != '\n' && c != ' ') {
            if (word.isEmpty() && line.isEmpty())
                startSpaces = spaces;
            word += c;
            continue;
        }
        if (!word.isEmpty()) {
            if (line.size() + spaces.size() + word.size() > wrapLimit) {
                writeLine(out, line);
                line = keepStartSpaces ? startSpaces + word : word;
            } else {
                line += spaces;
                line += word;
            }
            word.clear();
            spaces.clear();
        }
        if (!atEnd && c == ' ') {
            spaces += c;
            continue;
        }
        writeLine(out, line);
        line.clear();
        startSpaces.clear();
        spaces.clear();
        if (!atEnd && i + 1 < n) {
            const char next = bytes.at(i + 1);
            if ((c == '\r' && next == '\n') || (c == '\n' && next == '\r'))
                ++i;
        }
    }
}

void appendQuotedPrintableBody(QByteArray &out, const QString &body)
{
    const QByteArray bytes = body.toUtf8();
    const int n = bytes.size();
    QByteArray line;
    for (int i = 0; i < n; ++i) {
        const char c = bytes.at(i);
        if (c == '\r' || c == '\n') {
            writeLine(out, withEncodedEnd(line));
            line.clear();
            if (i + 1 < n && bytes.at(i + 1) == (c == '\r' ? '\n' : '\r'))
                ++i;
            continue;
        }
        if (line.size() > 74) {
            writeLine(out, line + '=');
            line.clear();
        }
        if (needsQuoting(c))
            appendHexEscape(line, c);
        else
            line += c;
    }
    if (!line.isEmpty())
        writeLine(out, withEncodedEnd(line));
}

void appendBase64Body(QByteArray &out, const QString &body)
{
    const QByteArray base64 = body.toUtf8().toBase64();
    for (int i = 0; i < base64.size(); i += 78) {
        out += base64.mid(i, 78);
        out += "\r\n";
    }
}

} // namespace MailEncoding
