#include "singleapplication.h"

#include "platform/userchannel.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QTimer>
#include <QtEndian>

namespace {
// The running instance answers a complete message with this byte.
const char kAck = '\x06';
// A connect to a listening server is answered at once by the system; this
// only bounds a server that is going away.
const int kProbeTimeout = 1000;
// What a later start may take to send its message, and its longest message.
const int kReadTimeout = 2000;
const int kMaxMessage = 4096;
// A message is its length (big-endian, all ones for none) and its UTF-8 text.
const int kLengthSize = 4;
const quint32 kNoText = 0xffffffffu;
} // namespace

class SingleApplicationPrivate
{
public:
    explicit SingleApplicationPrivate(SingleApplication *owner) : q(owner) {}

    void listen();
    void onServerNewConnection();
    void onSocketReadyRead(QLocalSocket *socket);
    void reportLater(const QString &problem);

    SingleApplication *q;
    QString path;
    QLocalServer *server = nullptr;
    bool running = false;
    bool receiving = false;
};

SingleApplication::SingleApplication(int &argc, char **argv)
    : QApplication(argc, argv), d(new SingleApplicationPrivate(this))
{
    QString error;
    const QString folder = UserChannel::folder(applicationName(), &error);
    if (folder.isEmpty()) {
        d->reportLater(QStringLiteral("No private folder for the single-instance socket: %1").arg(error));
        return;
    }
    d->path = folder + QStringLiteral("/instance");

    // Two starts at the same moment must not both decide to be the first.
    QLockFile lock(d->path + QStringLiteral(".lock"));
    lock.tryLock(5000);

    QLocalSocket probe;
    probe.connectToServer(d->path);
    d->running = probe.waitForConnected(kProbeTimeout);
    if (!d->running)
        d->listen();
}

SingleApplication::~SingleApplication()
{
    delete d;
}

bool SingleApplication::isRunning() const
{
    return d->running;
}

bool SingleApplication::sendMessage(const QString &message, int timeout)
{
    if (d->path.isEmpty())
        return false;
    QDeadlineTimer deadline(timeout);
    QLocalSocket socket;
    socket.connectToServer(d->path);
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return false;

    const QByteArray text = message.toUtf8();
    QByteArray frame(kLengthSize, '\0');
    qToBigEndian<quint32>(text.isEmpty() ? kNoText : quint32(text.size()), frame.data());
    socket.write(frame + text);
    if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
        return false;
    while (!socket.bytesAvailable()) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(deadline.remainingTime())))
            return false;
    }
    return socket.read(1) == QByteArray(1, kAck);
}

void SingleApplication::receiveMessages()
{
    d->receiving = true;
    if (d->server)
        QTimer::singleShot(0, this, [this] { d->onServerNewConnection(); });
}

QString SingleApplication::serverName() const
{
    return d->path;
}

void SingleApplicationPrivate::listen()
{
    server = new QLocalServer(q);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(path)) {
        // Nobody answered on it: the socket of an instance that crashed.
        QLocalServer::removeServer(path);
        if (!server->listen(path)) {
            reportLater(QStringLiteral("Cannot listen on %1: %2; a later start will run beside this one")
                            .arg(path, server->errorString()));
        }
    }
    QObject::connect(server, &QLocalServer::newConnection, q, [this] { onServerNewConnection(); });
}

// The log is not set up yet while the application object is made.
void SingleApplicationPrivate::reportLater(const QString &problem)
{
    QTimer::singleShot(0, q, [problem] { qWarning("%s", qPrintable(problem)); });
}

void SingleApplicationPrivate::onServerNewConnection()
{
    if (!receiving)
        return; // they wait in the server's queue
    while (QLocalSocket *socket = server->nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!UserChannel::isPeerOfThisUser(socket->socketDescriptor())) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        socket->setReadBufferSize(kLengthSize + kMaxMessage);
        QTimer::singleShot(kReadTimeout, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        QObject::connect(socket, &QLocalSocket::readyRead, q, [this, socket] { onSocketReadyRead(socket); });
        if (socket->bytesAvailable())
            onSocketReadyRead(socket);
    }
}

void SingleApplicationPrivate::onSocketReadyRead(QLocalSocket *socket)
{
    if (socket->bytesAvailable() < kLengthSize)
        return; // wait for the rest
    const QByteArray head = socket->peek(kLengthSize);
    const quint32 length = qFromBigEndian<quint32>(head.constData());
    const qint64 size = length == kNoText ? 0 : qint64(length);
    if (size > kMaxMessage) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    if (socket->bytesAvailable() < kLengthSize + size)
        return;
    QObject::disconnect(socket, &QLocalSocket::readyRead, q, nullptr);
    socket->read(kLengthSize);
    const QString message = QString::fromUtf8(socket->read(size));
    socket->write(&kAck, 1);
    socket->disconnectFromServer();
    emit q->messageReceived(message);
}
