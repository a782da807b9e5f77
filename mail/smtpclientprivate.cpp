#include "smtpclientprivate.h"

#include <QSslSocket>
#include <QTimer>

#include "hmac.h"
#include "mailencoding.h"

namespace {

// The name the client gives itself in EHLO and HELO.
const QByteArray kClientName = "localhost";

} // namespace

SmtpClientPrivate::SmtpClientPrivate(SmtpClient *q)
    : q(q)
{
}

// The address goes into a command line of its own, so control characters
// (a line break in a configured address) are dropped from it.
QByteArray SmtpClientPrivate::extractAddress(const QString &text)
{
    bool quoted = false;
    int depth = 0;
    int start = -1;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (start >= 0) {
            if (c == QLatin1Char('>'))
                return MailEncoding::withoutControlCharacters(text.mid(start, i - start).toLatin1());
            continue;
        }
        if (quoted) {
            if (c == QLatin1Char('"'))
                quoted = false;
            continue;
        }
        if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')')) {
            if (depth > 0)
                --depth;
        } else if (depth == 0) {
            if (c == QLatin1Char('"'))
                quoted = true;
            else if (c == QLatin1Char('<'))
                start = i + 1;
        }
    }
    return MailEncoding::withoutControlCharacters(text.toLatin1());
}

void SmtpClientPrivate::writeCommand(const QByteArray &command)
{
    socket->write(command + "\r\n");
    replyTimer->start();
}

bool SmtpClientPrivate::reportPair(void (SmtpClient::*bare)(), void (SmtpClient::*withMessage)(const QString &),
                                   const QString &msg)
{
    if (q)
        emit (q->*bare)();
    if (q)
        emit (q->*withMessage)(msg);
    return q != nullptr;
}

void SmtpClientPrivate::fail(void (SmtpClient::*bare)(), void (SmtpClient::*withMessage)(const QString &),
                             const QString &msg, bool politely)
{
    state = SmtpClient::Disconnected;
    replyTimer->stop();
    if (!reportPair(bare, withMessage, msg))
        return;
    if (politely)
        socket->disconnectFromHost();
    else
        socket->abort();
}

bool SmtpClientPrivate::idle() const
{
    return state == SmtpClient::Disconnected || (state == SmtpClient::Waiting && queue.isEmpty());
}

void SmtpClientPrivate::connectionLost(const QString &msg)
{
    if (idle()) {
        state = SmtpClient::Disconnected;
        replyTimer->stop();
        return;
    }
    // Ended before the server took every mail: the mail is lost.
    fail(&SmtpClient::connectionFailed, &SmtpClient::connectionFailed, msg);
}

void SmtpClientPrivate::setReplyTimeout(int ms)
{
    replyTimer->setInterval(ms);
}

void SmtpClientPrivate::socketError(QAbstractSocket::SocketError err)
{
    const QString msg = socket->errorString();
    if (err == QAbstractSocket::SslHandshakeFailedError) {
        if (state != SmtpClient::Disconnected)
            fail(&SmtpClient::encryptionFailed, &SmtpClient::encryptionFailed, msg);
    } else {
        connectionLost(msg);
    }
}

void SmtpClientPrivate::socketDisconnected()
{
    connectionLost(QStringLiteral("the server closed the connection"));
    if (q)
        emit q->disconnected();
}

void SmtpClientPrivate::replyTimeout()
{
    if (!idle())
        fail(&SmtpClient::connectionFailed, &SmtpClient::connectionFailed,
             QStringLiteral("no reply from the server within %1 s").arg(replyTimer->interval() / 1000.0));
}

void SmtpClientPrivate::socketRead()
{
    receive(socket->readAll());
}

void SmtpClientPrivate::receive(const QByteArray &bytes)
{
    readBuffer += bytes;
    int start = 0;
    int end;
    while ((end = readBuffer.indexOf("\r\n", start)) >= 0) {
        const QByteArray line = readBuffer.mid(start, end - start);
        start = end + 2;
        const bool continued = line.size() < 4 || line.at(3) == '-';
        replyLines = continued ? replyLines + 1 : 0;
        if (line.size() > kMaxLineLength || replyLines > kMaxReplyLines) {
            readBuffer.clear();
            fail(&SmtpClient::connectionFailed, &SmtpClient::connectionFailed,
                 QStringLiteral("reply from the server too long"));
            return;
        }
        replyTimer->start();
        handleLine(line);
        if (!q || state == SmtpClient::Disconnected) {
            readBuffer.clear();
            return;
        }
        if (dropBuffered) {
            dropBuffered = false;
            readBuffer.clear();
            return;
        }
    }
    readBuffer.remove(0, start);
    if (readBuffer.size() > kMaxLineLength) {
        readBuffer.clear();
        fail(&SmtpClient::connectionFailed, &SmtpClient::connectionFailed,
             QStringLiteral("reply from the server too long"));
    }
}

void SmtpClientPrivate::handleLine(const QByteArray &line)
{
    const QByteArray code = line.left(3);
    const bool positive = line.startsWith('2');

    // A reply may span several lines ("550-..." up to "550 ..." or a bare
    // "550"). Outside the EHLO exchange, which reads every line, a reply is
    // acted on once, at its last line, so the dialogue never runs ahead of
    // the server.
    const bool continued = line.size() >= 4 && line.at(3) == '-';
    const bool ehloExchange = state == SmtpClient::EhloSent || state == SmtpClient::EhloGreetReceived
        || state == SmtpClient::HeloSent;
    if (!ehloExchange && continued)
        return;

    switch (state) {
    case SmtpClient::Disconnected:
    case SmtpClient::EhloExtensionsReceived:
    case SmtpClient::EhloDone:
    case SmtpClient::Authenticated:
    case SmtpClient::Waiting:
        break;

    case SmtpClient::StartState:
        if (!positive)
            fail(&SmtpClient::connectionFailed, &SmtpClient::connectionFailed, QString::fromUtf8(line), true);
        else
            ehlo();
        break;

    case SmtpClient::EhloSent:
    case SmtpClient::EhloGreetReceived:
    case SmtpClient::HeloSent:
        handleEhloReply(code, continued, QString::fromLatin1(line.mid(4)));
        break;

    case SmtpClient::StartTLSSent:
        if (code == "220") {
            // Whatever came in unencrypted behind the 220 is not the answer
            // to the EHLO that follows over the encrypted channel.
            dropBuffered = true;
            socket->startClientEncryption();
            ehlo();
        } else {
            // Going on unencrypted would send the password in clear.
            fail(&SmtpClient::encryptionFailed, &SmtpClient::encryptionFailed, QString::fromUtf8(line));
        }
        break;

    case SmtpClient::AuthRequestSent:
    case SmtpClient::AuthUsernameSent:
        authStep(line);
        break;

    case SmtpClient::AuthSent:
        if (positive)
            setAuthenticated();
        else
            fail(&SmtpClient::authenticationFailed, &SmtpClient::authenticationFailed, QString::fromUtf8(line), true);
        break;

    case SmtpClient::MailToSent:
    case SmtpClient::RcptAckPending:
        recipientReply(line);
        break;

    case SmtpClient::SendingBody:
        if (line.startsWith('3')) {
            socket->write(queue.first().second.rawMessageData());
            writeCommand(".");
            state = SmtpClient::BodySent;
        } else {
            failCurrentMail(line);
        }
        break;

    case SmtpClient::BodySent:
        if (queue.isEmpty()) {
            sendNext();
        } else if (positive) {
            const int id = queue.takeFirst().first;
            emit q->mailSent(id);
            if (q)
                sendNext();
        } else {
            failCurrentMail(line);
        }
        break;

    case SmtpClient::Resetting:
        if (positive) {
            state = SmtpClient::Waiting;
            sendNext();
        } else {
            // Nothing more is sent on this connection.
            fail(&SmtpClient::connectionFailed, &SmtpClient::connectionFailed, QString::fromUtf8(line), true);
        }
        break;
    }
}

void SmtpClientPrivate::ehlo()
{
    writeCommand("ehlo " + kClientName);
    extensions.clear();
    state = SmtpClient::EhloSent;
}

void SmtpClientPrivate::handleEhloReply(const QByteArray &code, bool continued, const QString &text)
{
    if (code != "250") {
        if (continued)
            return;
        if (state == SmtpClient::HeloSent) {
            socket->write("QUIT\r\n");
            fail(&SmtpClient::connectionFailed, &SmtpClient::connectionFailed,
                 QString::fromLatin1(code) + QLatin1Char(' ') + text, true);
        } else {
            writeCommand("helo " + kClientName);
            state = SmtpClient::HeloSent;
        }
        return;
    }

    if (state == SmtpClient::EhloGreetReceived) {
        const int blank = text.indexOf(QLatin1Char(' '));
        const QString keyword = (blank < 0 ? text : text.left(blank)).toUpper();
        extensions.insert(keyword, blank < 0 ? QString() : text.mid(blank + 1));
        if (!continued)
            state = SmtpClient::EhloDone;
    } else {
        state = continued ? SmtpClient::EhloGreetReceived : SmtpClient::EhloDone;
    }

    if (state == SmtpClient::EhloDone) {
        if (startTlsDisabled || socket->isEncrypted()) {
            chooseAuthentication();
        } else if (extensions.contains(QStringLiteral("STARTTLS"))) {
            writeCommand("starttls");
            state = SmtpClient::StartTLSSent;
        } else {
            // STARTTLS was asked for: without it the password would go in clear.
            fail(&SmtpClient::encryptionFailed, &SmtpClient::encryptionFailed,
                 QStringLiteral("the server does not offer STARTTLS"));
        }
    }
}

void SmtpClientPrivate::setAuthenticated()
{
    state = SmtpClient::Authenticated;
    emit q->authenticated();
}

void SmtpClientPrivate::chooseAuthentication()
{
    const auto auth = extensions.constFind(QStringLiteral("AUTH"));
    if (auth == extensions.cend() || userName.isEmpty() || password.isEmpty()) {
        setAuthenticated();
        return;
    }
    const QStringList methods = auth.value().toUpper().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (methods.contains(QLatin1String("CRAM-MD5")) && (allowedAuthMethods & SmtpClient::AuthCramMD5)) {
        writeCommand("auth cram-md5");
        authMethod = SmtpClient::AuthCramMD5;
        state = SmtpClient::AuthRequestSent;
    } else if (methods.contains(QLatin1String("LOGIN")) && (allowedAuthMethods & SmtpClient::AuthLogin)) {
        writeCommand("auth login");
        authMethod = SmtpClient::AuthLogin;
        state = SmtpClient::AuthRequestSent;
    } else {
        // PLAIN is never used, even when it is all the server offers.
        setAuthenticated();
    }
}

void SmtpClientPrivate::authStep(const QByteArray &line)
{
    if (authMethod == SmtpClient::AuthCramMD5) {
        const QByteArray challenge = QByteArray::fromBase64(line.mid(4));
        Hmac hmac(QCryptographicHash::Md5);
        hmac.setKey(password);
        hmac.addData(challenge);
        writeCommand((userName + ' ' + hmac.result().toHex()).toBase64());
        state = SmtpClient::AuthSent;
    } else if (state == SmtpClient::AuthRequestSent) {
        writeCommand(userName.toBase64());
        state = SmtpClient::AuthUsernameSent;
    } else {
        writeCommand(password.toBase64());
        state = SmtpClient::AuthSent;
    }
}

void SmtpClientPrivate::recipientReply(const QByteArray &line)
{
    const bool positive = line.startsWith('2');
    if (state == SmtpClient::MailToSent) {
        if (positive)
            recipientStep();
        else
            failCurrentMail(line);
        return;
    }

    // Pipelined: every line of the burst gets its reply before the mail is
    // given up and the RSET goes out, so that the next reply read belongs to
    // the RSET.
    --burstRepliesDue;
    if (!positive && burstRefusal.isEmpty())
        burstRefusal = line;
    if (burstRefusal.isEmpty()) {
        recipientStep();
    } else if (burstRepliesDue <= 0) {
        const QByteArray refusal = burstRefusal;
        burstRefusal.clear();
        failCurrentMail(refusal);
    }
}

void SmtpClientPrivate::recipientStep()
{
    if (!mailFromAccepted)
        mailFromAccepted = true;
    else
        ++rcptAccepted;

    if (rcptSent == currentRecipients.size()) {
        writeCommand("data");
        state = SmtpClient::SendingBody;
    } else if (state == SmtpClient::RcptAckPending) {
        ++rcptSent;
    } else {
        writeCommand("rcpt to:<" + extractAddress(currentRecipients.at(rcptSent)) + ">");
        ++rcptSent;
    }
}

void SmtpClientPrivate::failCurrentMail(const QByteArray &line)
{
    const int id = queue.takeFirst().first;
    emit q->mailFailed(id, line.left(3).toInt());
    if (q)
        emit q->mailFailed(id, line.left(3).toInt(), QString::fromUtf8(line));
    if (q)
        sendNext();
}

void SmtpClientPrivate::sendNext()
{
    while (q) {
        if (state == SmtpClient::Disconnected)
            return;
        if (queue.isEmpty()) {
            state = SmtpClient::Waiting;
            replyTimer->stop();
            emit q->finished();
            return;
        }
        if (state != SmtpClient::Waiting) {
            writeCommand("rset");
            state = SmtpClient::Resetting;
            return;
        }

        mailFromAccepted = false;
        rcptAccepted = 0;
        rcptSent = 0;
        burstRepliesDue = 0;
        burstRefusal.clear();
        const MailMessage &message = queue.first().second;
        currentRecipients = message.recipients(MailMessage::To) + message.recipients(MailMessage::Cc)
            + message.recipients(MailMessage::Bcc);
        if (currentRecipients.isEmpty()) {
            const int id = queue.takeFirst().first;
            emit q->mailFailed(id, SmtpClient::NoRecipients);
            if (q)
                emit q->mailFailed(id, SmtpClient::NoRecipients, QStringLiteral("e-mail has no recipients"));
            continue;
        }

        writeCommand("mail from:<" + extractAddress(message.sender()) + ">");
        if (extensions.contains(QStringLiteral("PIPELINING"))) {
            for (const QString &recipient : qAsConst(currentRecipients))
                writeCommand("rcpt to:<" + extractAddress(recipient) + ">");
            burstRepliesDue = 1 + currentRecipients.size();
            state = SmtpClient::RcptAckPending;
        } else {
            state = SmtpClient::MailToSent;
        }
        return;
    }
}
