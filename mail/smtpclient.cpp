#include "smtpclient.h"

#include <QSslSocket>
#include <QTimer>

#include "smtpclientprivate.h"

SmtpClient::SmtpClient(QObject *parent)
    : QObject(parent)
    , d(new SmtpClientPrivate(this))
{
    // The socket and the reply timer belong to the private object, which
    // outlives the client when a listener deletes it from within a signal.
    d->socket = new QSslSocket(d);
    d->replyTimer = new QTimer(d);
    d->replyTimer->setSingleShot(true);
    d->replyTimer->setInterval(SmtpClientPrivate::kReplyTimeout);
    connect(d->socket, &QSslSocket::encrypted, this, &SmtpClient::encrypted);
    connect(d->socket, &QAbstractSocket::connected, this, &SmtpClient::connected);
    connect(d->socket, &QAbstractSocket::disconnected, d, &SmtpClientPrivate::socketDisconnected);
    connect(d->socket, &QAbstractSocket::errorOccurred, d, &SmtpClientPrivate::socketError);
    connect(this, &SmtpClient::authenticated, d, &SmtpClientPrivate::sendNext);
    connect(d->socket, &QIODevice::readyRead, d, &SmtpClientPrivate::socketRead);
    connect(d->replyTimer, &QTimer::timeout, d, &SmtpClientPrivate::replyTimeout);
}

SmtpClient::~SmtpClient()
{
    // A listener may delete the client from within one of its signals, while
    // the socket or the private object is still at work further up the
    // stack: they go once control is back in the event loop, and nothing
    // they do until then reaches this client.
    d->q = nullptr;
    d->replyTimer->stop();
    d->socket->disconnect(this);
    d->socket->disconnect(d);
    d->deleteLater();
}

void SmtpClient::connectToHost(const QString &host, quint16 port)
{
    d->state = StartState;
    d->replyTimer->start();
    d->socket->connectToHost(host, port, QIODevice::ReadWrite, QAbstractSocket::AnyIPProtocol);
}

void SmtpClient::connectToSecureHost(const QString &host, quint16 port)
{
    d->state = StartState;
    d->replyTimer->start();
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
