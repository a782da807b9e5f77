#include "mailmessage.h"

#include <QDir>
#include <QMap>
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
    const BodyEncoding encoding =
        chooseBodyEncoding(p->body, p->extraHeaders.value(QStringLiteral("content-transfer-encoding")));
    const bool multipart = !p->attachments.isEmpty();
    if (multipart && p->boundary.isEmpty())
        p->boundary = QUuid::createUuid().toByteArray(QUuid::WithoutBraces);

    QByteArray out;
    if (!p->sender.isEmpty() && !hasExtraHeader(QStringLiteral("From"))) {
        const int pos = p->sender.indexOf(QLatin1Char('<'));
        if (pos < 0) {
            out += foldMimeHeader(QStringLiteral("From"), p->sender, codec);
        } else {
            QByteArray name = foldMimeHeader(QStringLiteral("From"), p->sender.left(pos), codec);
            name.chop(2);
            out += name + ' ' + withoutControlCharacters(p->sender.mid(pos).toUtf8()) + "\r\n";
        }
    }
    if (!p->to.isEmpty())
        out += foldMimeHeader(QStringLiteral("To"), p->to.join(QLatin1String(", ")), codec);
    if (!p->cc.isEmpty())
        out += foldMimeHeader(QStringLiteral("Cc"), p->cc.join(QLatin1String(", ")), codec);
    if (!p->subject.isEmpty())
        out += foldMimeHeader(QStringLiteral("Subject"), p->subject, codec);

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

    QByteArray body;
    switch (encoding) {
    case Plain:
        appendPlainBody(body, p->body, p->wrapLimit, p->keepStartSpaces);
        break;
    case QuotedPrintable:
        appendQuotedPrintableBody(body, p->body);
        break;
    case Base64:
        appendBase64Body(body, p->body);
        break;
    }
    if (!multipart)
        return out + body;

    const QByteArray delimiter = "--" + p->boundary;
    out += "This is a message with multiple parts in MIME format.\r\n";
    out += delimiter + "\r\n";
    out += "Content-Type: ";
    out += ownContentType ? p->extraHeaders.value(QStringLiteral("content-type")).toLatin1()
                          : QByteArray("text/plain; charset=UTF-8");
    out += "\r\n";
    if (ownTransferEncoding) {
        out += "Content-Transfer-Encoding: "
            + p->extraHeaders.value(QStringLiteral("content-transfer-encoding")).toLatin1() + "\r\n";
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
