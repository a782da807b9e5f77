#ifndef MAILATTACHMENT_H
#define MAILATTACHMENT_H

#include <QByteArray>
#include <QSharedDataPointer>
#include <QString>

class QIODevice;
class MailAttachmentPrivate;

// One attachment of a mail: its content, its MIME content type and its extra
// header lines. Copies share their data (implicit sharing); the content is
// read once and then kept in memory for every copy.
class MailAttachment
{
public:
    MailAttachment();
    // Content held in memory; the attachment owns its buffer.
    MailAttachment(const QByteArray &content, const QString &contentType);
    MailAttachment(const MailAttachment &other);
    MailAttachment &operator=(const MailAttachment &other);
    ~MailAttachment();

    // Content read from a device that the caller owns and keeps alive until
    // the first rawData() or mimeData() call.
    void setContent(QIODevice *device);
    // An extra header line of the MIME part; the name is kept in lower case
    // (refused with a warning unless it is 1 to 76 letters, digits and '-').
    void setExtraHeader(const QString &name, const QString &value);

    // The content bytes; empty (with a warning) when there is no readable content.
    const QByteArray &rawData() const;
    // The MIME part after its "Content-Disposition" line: the part's header
    // lines, an empty line and the content in Base64 lines of 76 characters.
    QByteArray mimeData() const;

private:
    QSharedDataPointer<MailAttachmentPrivate> d;
};

#endif // MAILATTACHMENT_H
