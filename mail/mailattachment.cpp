#include "mailattachment.h"

#include <QBuffer>
#include <QMap>
#include <QPointer>
#include <QtDebug>

#include "mailencoding.h"

class MailAttachmentPrivate : public QSharedData
{
public:
    MailAttachmentPrivate() = default;
    MailAttachmentPrivate(const MailAttachmentPrivate &other);
    ~MailAttachmentPrivate();

    QMap<QString, QString> extraHeaders;
    QString contentType = QStringLiteral("text/plain");
    // Replaced by an in-memory buffer on the first read, for every copy
    // sharing this data.
    mutable QPointer<QIODevice> content;
    mutable bool deleteContent = false;
};

MailAttachmentPrivate::MailAttachmentPrivate(const MailAttachmentPrivate &other)
    : QSharedData(other)
    , extraHeaders(other.extraHeaders)
    , contentType(other.contentType)
{
    // A device the attachment owns is always an in-memory buffer; the copy
    // gets a buffer of its own so that each owner deletes only its own.
    auto *buffer = qobject_cast<QBuffer *>(other.content.data());
    if (other.deleteContent && buffer) {
        auto *copy = new QBuffer;
        copy->setData(buffer->data());
        content = copy;
        deleteContent = true;
    } else {
        content = other.content;
    }
}

MailAttachmentPrivate::~MailAttachmentPrivate()
{
    if (deleteContent && content)
        content->deleteLater();
}

MailAttachment::MailAttachment()
    : d(new MailAttachmentPrivate)
{
}

MailAttachment::MailAttachment(const QByteArray &content, const QString &contentType)
    : d(new MailAttachmentPrivate)
{
    auto *buffer = new QBuffer;
    buffer->setData(content);
    d->content = buffer;
    d->deleteContent = true;
    d->contentType = contentType;
}

MailAttachment::MailAttachment(const MailAttachment &other) = default;
MailAttachment &MailAttachment::operator=(const MailAttachment &other) = default;
MailAttachment::~MailAttachment() = default;

void MailAttachment::setContent(QIODevice *device)
{
    if (d->deleteContent && d->content)
        d->content->deleteLater();
    d->content = device;
    d->deleteContent = false;
}

void MailAttachment::setExtraHeader(const QString &name, const QString &value)
{
    if (!MailEncoding::isHeaderName(name)) {
        qWarning() << "MailAttachment::setExtraHeader: not a header name:" << name;
        return;
    }
    d->extraHeaders.insert(name.toLower(), value);
}

const QByteArray &MailAttachment::rawData() const
{
    static const QByteArray empty;
    const MailAttachmentPrivate *p = d.constData();

    if (!p->content) {
        qWarning("MailAttachment::rawData(): Content not set!");
        return empty;
    }
    if (auto *buffer = qobject_cast<QBuffer *>(p->content.data()))
        return buffer->data();
    QIODevice *device = p->content.data();
    if (!device->isOpen() && !device->open(QIODevice::ReadOnly)) {
        qWarning("MailAttachment::rawData(): Cannot open content for reading");
        return empty;
    }

    auto *buffer = new QBuffer;
    buffer->open(QIODevice::WriteOnly);
    while (!device->atEnd()) {
        const QByteArray chunk = device->read(1024);
        // A failed read ends the copy instead of spinning on the device.
        if (chunk.isEmpty())
            break;
        buffer->write(chunk);
    }
    buffer->close();
    if (p->deleteContent)
        device->deleteLater();
    p->content = buffer;
    p->deleteContent = true;
    return buffer->data();
}

QByteArray MailAttachment::mimeData() const
{
    QByteArray out = MailEncoding::foldMimeHeader(QStringLiteral("Content-Type"), d->contentType,
                                                  MailEncoding::latin1Codec());
    out += "Content-Transfer-Encoding: base64\r\n";
    for (auto it = d->extraHeaders.cbegin(); it != d->extraHeaders.cend(); ++it)
        out += MailEncoding::foldMimeHeader(it.key(), it.value(), MailEncoding::latin1Codec());
    out += "\r\n";
    const QByteArray &raw = rawData();
    for (int i = 0; i < raw.size(); i += 57) {
        out += raw.mid(i, 57).toBase64();
        out += "\r\n";
    }
    return out;
}
