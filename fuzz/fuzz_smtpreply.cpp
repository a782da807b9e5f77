// The SMTP client's reply handling fed the server's bytes without a socket.
// The first byte chooses the set-up (bit 0: STARTTLS required, bit 1:
// credentials, bit 2: a second mail); the rest is split at "\n--\n" into the
// chunks as they arrive.
#include "fuzzenvironment.h"
#include "mailmessage.h"
#include "smtpclient.h"
#include "smtpclientprivate.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t setup = data[0];
    {
        SmtpClient client;
        client.setStartTlsDisabled(!(setup & 1));
        if (setup & 2) {
            client.setUsername("ups");
            client.setPassword("secret");
        }
        MailMessage message;
        message.setSender(QStringLiteral("Ambrel UPS<ups@example.com>"));
        message.addRecipient(QStringLiteral("a@example.com"));
        message.addRecipient(QStringLiteral("b@example.com"), MailMessage::Cc);
        message.setSubject(QStringLiteral("UPS Alarm"));
        message.setBody(QStringLiteral("Mains failure.\r\n.\r\n\t\t\t\tFrom Ambrel"));
        client.send(message);
        if (setup & 4)
            client.send(MailMessage());

        SmtpClientPrivate *d = SmtpClientPrivate::get(&client);
        d->state = SmtpClient::StartState;
        for (const QByteArray &chunk : FuzzEnvironment::split(data + 1, size - 1, "\n--\n"))
            d->receive(chunk);
    }
    FuzzEnvironment::tidy();
    return 0;
}
