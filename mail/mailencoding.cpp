#include "mailencoding.h"

#include <QTextCodec>

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

// A header value goes out unencoded only when it is ASCII and holds no line
// break: a CR or LF written raw would end the header line and let the value
// add header lines of its own.
bool isPlainHeaderValue(const QString &value)
{
    return isAscii(value) && !value.contains(QLatin1Char('\r')) && !value.contains(QLatin1Char('\n'));
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

    if (!value.contains(QLatin1String("=?")) && codec->canEncode(value) && isPlainHeaderValue(value)) {
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
    if (isAscii(body))
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
            writeLine(out, line);
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
        writeLine(out, line);
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
