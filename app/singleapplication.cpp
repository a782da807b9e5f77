#include "singleapplication.h"

#include "platform/processinfo.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>

namespace {
// The running instance answers a complete message with this byte.
const char kAck = '\x06';
// A connect to a listening server is answered at once by the system; this
// only bounds a server that is going away.
const int kProbeTimeout = 1000;
} // namespace

class SingleApplicationPrivate
{
public:
    explicit SingleApplicationPrivate(SingleApplication *owner) : q(owner) {}

    void listen();
    void onNewConnection();
    void onReadyRead(QLocalSocket *socket);

    SingleApplication *q;
    QLocalServer *server = nullptr;
    bool running = false;
};

SingleApplication::SingleApplication(int &argc, char **argv)
    : QApplication(argc, argv), d(new SingleApplicationPrivate(this))
{
    // Two starts at the same moment must not both decide to be the first.
    QLockFile lock(QDir::temp().filePath(serverName() + QStringLiteral(".lock")));
    lock.tryLock(5000);

    QLocalSocket probe;
    probe.connectToServer(serverName());
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
    QDeadlineTimer deadline(timeout);
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return false;

    QByteArray frame;
    QDataStream out(&frame, QIODevice::WriteOnly);
    out << message.toUtf8();
    socket.write(frame);
    if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
        return false;
    while (!socket.bytesAvailable()) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(deadline.remainingTime())))
            return false;
    }
    return socket.read(1) == QByteArray(1, kAck);
}

QString SingleApplication::serverName()
{
    return QCoreApplication::applicationName() + QLatin1Char('-') + ProcessInfo::userId();
}

void SingleApplicationPrivate::listen()
{
    server = new QLocalServer(q);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(SingleApplication::serverName())) {
        // Nobody answered on it: the socket of an instance that crashed.
        QLocalServer::removeServer(SingleApplication::serverName());
        server->listen(SingleApplication::serverName());
    }
    QObject::connect(server, &QLocalServer::newConnection, q, [this] { onNewConnection(); });
}

void SingleApplicationPrivate::onNewConnection()
{
    while (QLocalSocket *socket = server->nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::readyRead, q, [this, socket] { onReadyRead(socket); });
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (socket->bytesAvailable())
            onReadyRead(socket);
    }
}

void SingleApplicationPrivate::onReadyRead(QLocalSocket *socket)
{
    QDataStream in(socket);
    in.startTransaction();
    QByteArray message;
    in >> message;
    if (!in.commitTransaction())
        return; // wait for the rest
    socket->write(&kAck, 1);
    socket->flush();
    emit q->messageReceived(QString::fromUtf8(message));
}
