#include "smtpclient.h"

#include <QSslSocket>

#include "smtpclientprivate.h"

SmtpClient::SmtpClient(QObject *parent)
    : QObject(parent)
    , d(new SmtpClientPrivate(this))
{
    d->socket = new QSslSocket(this);
    connect(d->socket, &QSslSocket::encrypted, this, &SmtpClient::encrypted);
    connect(d->socket, &QAbstractSocket::connected, this, &SmtpClient::connected);
    connect(d->socket, &QAbstractSocket::disconnected, this, &SmtpClient::disconnected);
    connect(d->socket, &QAbstractSocket::errorOccurred, d, &SmtpClientPrivate::socketError);
    connect(this, &SmtpClient::authenticated, d, &SmtpClientPrivate::sendNext);
    connect(d->socket, &QIODevice::readyRead, d, &SmtpClientPrivate::socketRead);
}

SmtpClient::~SmtpClient()
{
    // The socket goes with the children; nothing it does on its way out
    // reaches the listeners of this client.
    disconnect(d->socket, nullptr, this, nullptr);
    delete d;
}

void SmtpClient::connectToHost(const QString &host, quint16 port)
{
    d->state = StartState;
    d->socket->connectToHost(host, port, QIODevice::ReadWrite, QAbstractSocket::AnyIPProtocol);
}

void SmtpClient::connectToSecureHost(const QString &host, quint16 port)
{
    d->state = StartState;
    d->socket->connectToHostEncrypted(host, port, QIODevice::ReadWrite, QAbstractSocket::AnyIPProtocol);
}

void SmtpClient::setUsername(const QByteArray &userName)
{
    d->userName = userName;
}

void SmtpClient::setPassword(const QByteArray &password)
{
    d->password = password;
}

void SmtpClient::setStartTlsDisabled(bool disabled)
{
    d->startTlsDisabled = disabled;
}

int SmtpClient::send(const MailMessage &message)
{
    const int id = ++d->lastMailId;
    d->queue.append(qMakePair(id, message));
    if (d->state == Waiting)
        d->sendNext();
    return id;
}
