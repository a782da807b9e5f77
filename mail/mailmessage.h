#ifndef MAILMESSAGE_H
#define MAILMESSAGE_H

#include <QByteArray>
#include <QSharedDataPointer>
#include <QString>
#include <QStringList>

#include "mailattachment.h"

class MailMessagePrivate;

// One e-mail to be sent: sender, recipients, subject, plain-text body, extra
// header lines and attachments. Copies share their data until one of them is
// changed (copy on write). rawMessageData() renders the text written after
// the SMTP DATA command.
class MailMessage
{
public:
    // Any int is a valid value (others act as To).
    enum RecipientType : int { To = 0, Cc = 1, Bcc = 2 };

    MailMessage();
    MailMessage(const MailMessage &other);
    MailMessage &operator=(const MailMessage &other);
    ~MailMessage();

    // A display name followed directly by "<address>", or a bare address.
    void setSender(const QString &sender);
    QString sender() const;

    void setSubject(const QString &subject);
    void setBody(const QString &body);

    // Any type other than Cc and Bcc counts as To.
    void addRecipient(const QString &address, RecipientType type = To);
    QStringList recipients(RecipientType type = To) const;

    // Stores the attachment under the file name (which may hold a path); a
    // name in use is replaced by "<name>.1", "<name>.2", ... after a warning.
    void addAttachment(const QString &fileName, const MailAttachment &attachment);

    // Extra header lines; names are kept in lower case. A name other than
    // 1 to 76 letters, digits and '-' is refused with a warning. "Date" and
    // "Message-ID" replace the ones the message makes itself.
    void setExtraHeader(const QString &name, const QString &value);
    bool hasExtraHeader(const QString &name) const;

    // Line-length limit of the plain-text body (default 78) and whether its
    // wrapped continuation lines keep the indentation of their source line.
    void setWrapLimit(int limit);
    void setKeepStartSpaces(bool keep);

    // The whole message text, every line ending in CR LF, dot-stuffed.
    QByteArray rawMessageData() const;

private:
    QSharedDataPointer<MailMessagePrivate> d;
};

#endif // MAILMESSAGE_H
