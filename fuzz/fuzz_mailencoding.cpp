// The mail header and body encoders, through the message that uses them all:
// whatever the sender, recipients, subject, body, extra header and attachment
// hold, every line of the mail is ASCII, at most 998 octets and ends in CR LF.
// The input is split at "\n--\n" into those fields, after a first byte of
// flags (bit 0: fields read as Latin-1, not UTF-8; bits 1-2: the body's
// transfer encoding forced; bit 3: wrap limit 2000, bit 4: indentation kept).
#include "fuzzenvironment.h"
#include "mailattachment.h"
#include "mailmessage.h"
#include "mailtextcheck.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t flags = data[0];
    QStringList fields;
    for (const QByteArray &field : FuzzEnvironment::split(data + 1, size - 1, "\n--\n"))
        fields << ((flags & 1) ? QString::fromLatin1(field) : QString::fromUtf8(field));
    while (fields.size() < 9)
        fields << QString();

    MailMessage message;
    message.setSender(fields.at(0));
    for (const QString &address : fields.at(1).split(QLatin1Char('|')))
        message.addRecipient(address, MailMessage::RecipientType(address.size() % 3));
    message.setSubject(fields.at(2));
    message.setBody(fields.at(3));
    message.setExtraHeader(fields.at(4), fields.at(5));
    if (flags & 6)
        message.setExtraHeader(QStringLiteral("Content-Transfer-Encoding"),
                               (flags & 2) ? QStringLiteral("quoted-printable") : QStringLiteral("base64"));
    if (flags & 8)
        message.setWrapLimit(2000);
    message.setKeepStartSpaces(flags & 16);
    if (!fields.at(6).isEmpty())
        message.addAttachment(fields.at(6), MailAttachment(fields.at(8).toUtf8(), fields.at(7)));

    const QByteArray raw = message.rawMessageData();
    const QString fault = MailTextCheck::fault(raw);
    if (!fault.isEmpty()) {
        std::fprintf(stderr, "unsound mail text: %s\n%s\n", qPrintable(fault), raw.left(4000).constData());
        std::abort();
    }
    FuzzEnvironment::tidy();
    return 0;
}
