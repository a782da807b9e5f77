#include "mailmessage.h"

#include <QDateTime>
#include <QDir>
#include <QLocale>
#include <QMap>
#include <QSysInfo>
#include <QUuid>
#include <QtDebug>

#include "mailencoding.h"

class MailMessagePrivate : public QSharedData
{
public:
    MailMessagePrivate() = default;
    // Every field but the boundary: a changed copy is a different message.
    MailMessagePrivate(const MailMessagePrivate &other)
        : QSharedData(other)
        , to(other.to)
        , cc(other.cc)
        , bcc(other.bcc)
        , subject(other.subject)
        , body(other.body)
        , sender(other.sender)
        , extraHeaders(other.extraHeaders)
        , attachments(other.attachments)
        , wrapLimit(other.wrapLimit)
        , keepStartSpaces(other.keepStartSpaces)
    {
    }

    QStringList to;
    QStringList cc;
    QStringList bcc;
    QString subject;
    QString body;
    QString sender;
    QMap<QString, QString> extraHeaders;
    QMap<QString, MailAttachment> attachments;
    // Made on the first rendering and kept with this data.
    mutable QByteArray boundary;
    int wrapLimit = 78;
    bool keepStartSpaces = false;
};

namespace {

int longestLine(const QByteArray &text)
{
    int longest = 0;
    int from = 0;
    int end;
    while ((end = text.indexOf("\r\n", from)) >= 0) {
        longest = qMax(longest, end - from);
        from = end + 2;
    }
    return qMax(longest, text.size() - from);
}

// The date as a mail header writes it: "Wed, 09 Dec 2026 07:16:46 +0100",
// in English whatever the locale.
QByteArray dateText(const QDateTime &time)
{
    // Kept as a named string: Qt's in-place conversion of a temporary can
    // write into the day name's static text.
    const QString text = QLocale::c().toString(time, QStringLiteral("ddd, ")) + time.toString(Qt::RFC2822Date);
    return text.toLatin1();
}

// This machine's name as the right-hand part of a message identifier.
QByteArray hostName()
{
    QByteArray name;
    for (const QChar c : QSysInfo::machineHostName()) {
        const ushort u = c.unicode();
        if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '-' || u == '.')
            name += char(u);
    }
    return name.isEmpty() ? QByteArray("localhost") : name.left(200);
}

} // namespace

MailMessage::MailMessage()
    : d(new MailMessagePrivate)
{
}

MailMessage::MailMessage(const MailMessage &other) = default;
MailMessage &MailMessage::operator=(const MailMessage &other) = default;
MailMessage::~MailMessage() = default;

void MailMessage::setSender(const QString &sender)
{
    d->sender = sender;
}

QString MailMessage::sender() const
{
    return d->sender;
}

void MailMessage::setSubject(const QString &subject)
{
    d->subject = subject;
}

void MailMessage::setBody(const QString &body)
{
    d->body = body;
}

void MailMessage::addRecipient(const QString &address, RecipientType type)
{
    switch (type) {
    case Bcc:
        d->bcc.append(address);
        break;
    case Cc:
        d->cc.append(address);
        break;
    default:
        d->to.append(address);
        break;
    }
}

QStringList MailMessage::recipients(RecipientType type) const
{
    switch (type) {
    case Bcc:
        return d->bcc;
    case Cc:
        return d->cc;
    default:
        return d->to;
    }
}

void MailMessage::addAttachment(const QString &fileName, const MailAttachment &attachment)
{
    if (!d->attachments.contains(fileName)) {
        d->attachments.insert(fileName, attachment);
        return;
    }
    qWarning() << "MailMessage::addAttachment: " << fileName << " already in use";
    for (int n = 1;; ++n) {
        const QString name = fileName + QLatin1Char('.') + QString::number(n);
        if (!d->attachments.contains(name)) {
            d->attachments.insert(name, attachment);
            return;
        }
    }
}

void MailMessage::setExtraHeader(const QString &name, const QString &value)
{
    if (!MailEncoding::isHeaderName(name)) {
        qWarning() << "MailMessage::setExtraHeader: not a header name:" << name;
        return;
    }
    d->extraHeaders.insert(name.toLower(), value);
}

bool MailMessage::hasExtraHeader(const QString &name) const
{
    return d->extraHeaders.contains(name.toLower());
}

void MailMessage::setWrapLimit(int limit)
{
    d->wrapLimit = limit;
}

void MailMessage::setKeepStartSpaces(bool keep)
{
    d->keepStartSpaces = keep;
}

QByteArray MailMessage::rawMessageData() const
{
    using namespace MailEncoding;
    const MailMessagePrivate *p = d.constData();
    QTextCodec *codec = latin1Codec();
    BodyEncoding encoding =
        chooseBodyEncoding(p->body, p->extraHeaders.value(QStringLiteral("content-transfer-encoding")));
    const bool multipart = !p->attachments.isEmpty();
    if (multipart && p->boundary.isEmpty())
        p->boundary = QUuid::createUuid().toByteArray(QUuid::WithoutBraces);

    // The body first: a plain body with a line too long for a mail goes out
    // quoted-printable instead.
    QByteArray body;
    if (encoding == Plain) {
        appendPlainBody(body, p->body, p->wrapLimit, p->keepStartSpaces);
        if (longestLine(body) > kMaxLineLength) {
            encoding = QuotedPrintable;
            body.clear();
        }
    }
    if (encoding == QuotedPrintable)
        appendQuotedPrintableBody(body, p->body);
    else if (encoding == Base64)
        appendBase64Body(body, p->body);

    QByteArray out;
    if (!p->sender.isEmpty() && !hasExtraHeader(QStringLiteral("From")))
        out += foldAddressHeader(QStringLiteral("From"), {p->sender});
    if (!p->to.isEmpty())
        out += foldAddressHeader(QStringLiteral("To"), p->to);
    if (!p->cc.isEmpty())
        out += foldAddressHeader(QStringLiteral("Cc"), p->cc);
    if (!p->subject.isEmpty())
        out += foldMimeHeader(QStringLiteral("Subject"), p->subject, codec);
    if (!hasExtraHeader(QStringLiteral("Date")))
        out += "Date: " + dateText(QDateTime::currentDateTime()) + "\r\n";
    if (!hasExtraHeader(QStringLiteral("Message-ID")))
        out += "Message-ID: <" + QUuid::createUuid().toByteArray(QUuid::WithoutBraces) + '@' + hostName() + ">\r\n";

    const bool ownMimeVersion = hasExtraHeader(QStringLiteral("MIME-Version"));
    const bool ownContentType = hasExtraHeader(QStringLiteral("Content-Type"));
    const bool ownTransferEncoding = hasExtraHeader(QStringLiteral("Content-Transfer-Encoding"));
    if (multipart) {
        if (!ownMimeVersion)
            out += "MIME-Version: 1.0\r\n";
        if (!ownContentType)
            out += "Content-Type: multipart/mixed; boundary=" + p->boundary + "\r\n";
    } else if (encoding != Plain) {
        if (!ownMimeVersion)
            out += "MIME-Version: 1.0\r\n";
        if (!ownTransferEncoding) {
            out += "Content-Type: text/plain; charset=UTF-8\r\n";
            out += encoding == QuotedPrintable ? "Content-Transfer-Encoding: quoted-printable\r\n"
                                               : "Content-Transfer-Encoding: base64\r\n";
        }
    }

    for (auto it = p->extraHeaders.cbegin(); it != p->extraHeaders.cend(); ++it) {
        if (multipart
            && (it.key() == QLatin1String("content-type")
                || it.key() == QLatin1String("content-transfer-encoding")))
            continue;
        out += foldMimeHeader(it.key(), it.value(), codec);
    }
    out += "\r\n";

    if (!multipart)
        return out + body;

    const QByteArray delimiter = "--" + p->boundary;
    out += "This is a message with multiple parts in MIME format.\r\n";
    out += delimiter + "\r\n";
    out += foldMimeHeader(QStringLiteral("Content-Type"),
                          ownContentType ? p->extraHeaders.value(QStringLiteral("content-type"))
                                         : QStringLiteral("text/plain; charset=UTF-8"),
                          codec);
    if (ownTransferEncoding) {
        out += foldMimeHeader(QStringLiteral("Content-Transfer-Encoding"),
                              p->extraHeaders.value(QStringLiteral("content-transfer-encoding")), codec);
    } else if (encoding == QuotedPrintable) {
        out += "Content-Transfer-Encoding: quoted-printable\r\n";
    } else if (encoding == Base64) {
        out += "Content-Transfer-Encoding: base64\r\n";
    }
    out += "\r\n";
    out += body;

    for (auto it = p->attachments.cbegin(); it != p->attachments.cend(); ++it) {
        out += delimiter + "\r\n";
        out += foldMimeHeader(QStringLiteral("Content-Disposition"), QDir(it.key()).dirName(), codec,
                              "attachment; filename=");
        out += it.value().mimeData();
    }
    out += delimiter + "--\r\n";
    return out;
}
