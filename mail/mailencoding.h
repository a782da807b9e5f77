#ifndef MAILENCODING_H
#define MAILENCODING_H

#include <QByteArray>
#include <QString>
#include <QStringList>

class QTextCodec;

// The routines that turn text into the bytes of a mail: header folding and
// the three body encoders. They keep no state. Every line they write ends in
// CR LF; body lines that begin with "." are dot-stuffed.
//
// Only 7-bit ASCII text is written as it is ("plain"); any other text goes
// out as UTF-8 (encoded words in headers, quoted-printable or Base64 bodies),
// so that every receiver shows it with the right character set.
namespace MailEncoding {

enum BodyEncoding { Plain, QuotedPrintable, Base64 };

// The longest line a message may hold, in octets without its CR LF.
constexpr int kMaxLineLength = 998;

// The platform's Latin-1 codec, the codec of every routine here.
QTextCodec *latin1Codec();

// One header line, with continuation lines where needed, ending in CR LF.
// An empty name gives no "Name: " lead; the prefix is written unencoded
// after it. A value that is not printable ASCII, or holds a word too long for
// one line, goes out as encoded words; so every line is ASCII and at most
// kMaxLineLength octets.
QByteArray foldMimeHeader(const QString &name, const QString &value, QTextCodec *codec,
                          const QByteArray &prefix = QByteArray());

// A header of addresses, each a bare address or a display name followed by
// "<address>": the display names encoded where needed, the addresses in
// ASCII (a domain in its ASCII form), folded between words.
QByteArray foldAddressHeader(const QString &name, const QStringList &addresses);

// Whether the text can name a header line: 1 to 76 ASCII letters, digits and '-'.
bool isHeaderName(const QString &name);

// The bytes without control characters (below 0x20 and 0x7F): an address
// written into a command or header line of its own cannot end that line and
// start another.
QByteArray withoutControlCharacters(QByteArray bytes);

// How the body is written. contentTransferEncoding is the value of the
// message's extra header "content-transfer-encoding" (empty when none).
BodyEncoding chooseBodyEncoding(const QString &body, const QString &contentTransferEncoding);

// The body as word-wrapped lines of at most wrapLimit bytes (a longer word
// stands alone). Meant for printable 7-bit ASCII bodies.
void appendPlainBody(QByteArray &out, const QString &body, int wrapLimit, bool keepStartSpaces);
void appendQuotedPrintableBody(QByteArray &out, const QString &body);
void appendBase64Body(QByteArray &out, const QString &body);

} // namespace MailEncoding

#endif // MAILENCODING_H
