#include "scriptedsmtpserver.h"

#include <QDeadlineTimer>
#include <QHostAddress>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>

ScriptedSmtpServer::ScriptedSmtpServer(QObject *parent)
    : QObject(parent)
    , m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &ScriptedSmtpServer::onServerNewConnection);
}

ScriptedSmtpServer::~ScriptedSmtpServer() = default;

quint16 ScriptedSmtpServer::listen()
{
    if (!m_server->isListening() && !m_server->listen(QHostAddress::LocalHost, 0))
        return 0;
    return m_server->serverPort();
}

quint16 ScriptedSmtpServer::port() const
{
    return m_server->serverPort();
}

void ScriptedSmtpServer::setGreeting(const QByteArray &reply)
{
    m_greeting = reply;
}

void ScriptedSmtpServer::setEhloReply(const QByteArray &reply)
{
    m_ehloReply = reply;
}

void ScriptedSmtpServer::addReply(const QByteArray &commandPrefix, const QByteArray &reply)
{
    addExchange(commandPrefix, {reply});
}

void ScriptedSmtpServer::addExchange(const QByteArray &commandPrefix, const QList<QByteArray> &replies)
{
    if (!replies.isEmpty())
        m_overrides.append(qMakePair(commandPrefix.toLower(), replies));
}

void ScriptedSmtpServer::setBurstSize(int lines)
{
    m_burstSize = lines;
}

QList<QByteArray> ScriptedSmtpServer::commands() const
{
    return m_commands;
}

QList<QByteArray> ScriptedSmtpServer::messages() const
{
    return m_messages;
}

bool ScriptedSmtpServer::clientDisconnected() const
{
    return m_disconnected;
}

bool ScriptedSmtpServer::waitForCommands(int count, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QSignalSpy spy(this, &ScriptedSmtpServer::commandReceived);
    while (m_commands.size() < count && !deadline.hasExpired())
        spy.wait(int(qMax<qint64>(1, deadline.remainingTime())));
    return m_commands.size() >= count;
}

bool ScriptedSmtpServer::waitForDisconnect(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QSignalSpy spy(this, &ScriptedSmtpServer::connectionClosed);
    while (!m_disconnected && !deadline.hasExpired())
        spy.wait(int(qMax<qint64>(1, deadline.remainingTime())));
    return m_disconnected;
}

void ScriptedSmtpServer::onServerNewConnection()
{
    QTcpSocket *socket = m_server->nextPendingConnection();
    if (!socket)
        return;
    if (m_socket)
        m_socket->deleteLater();
    m_socket = socket;
    m_disconnected = false;
    m_buffer.clear();
    m_inData = false;
    connect(socket, &QTcpSocket::readyRead, this, &ScriptedSmtpServer::onSocketReadyRead);
    connect(socket, &QTcpSocket::disconnected, this, &ScriptedSmtpServer::onSocketDisconnected);
    sendReply(m_greeting);
}

void ScriptedSmtpServer::onSocketReadyRead()
{
    auto *socket = qobject_cast<QTcpSocket *>(sender());
    if (!socket || socket != m_socket)
        return;
    m_buffer += socket->readAll();
    int end;
    while ((end = m_buffer.indexOf("\r\n")) >= 0) {
        const QByteArray line = m_buffer.left(end);
        m_buffer.remove(0, end + 2);
        handleLine(line);
    }
}

void ScriptedSmtpServer::onSocketDisconnected()
{
    if (sender() != m_socket)
        return;
    m_disconnected = true;
    emit connectionClosed();
}

void ScriptedSmtpServer::handleLine(const QByteArray &line)
{
    if (m_inData) {
        if (line != ".") {
            m_data += line + "\r\n";
            return;
        }
        m_inData = false;
        m_messages.append(m_data);
        m_data.clear();
        sendReply(replyFor(line));
        return;
    }

    m_commands.append(line);
    emit commandReceived(line);
    const QByteArray reply = replyFor(line);
    if (reply.startsWith("354"))
        m_inData = true;

    if (m_burstSize > 0 && (m_burstReceived > 0 || line.toLower().startsWith("mail from"))) {
        m_heldReplies += reply + "\r\n";
        if (++m_burstReceived == m_burstSize) {
            m_socket->write(m_heldReplies);
            m_heldReplies.clear();
            m_burstReceived = 0;
        }
        return;
    }
    sendReply(reply);
    if (line.toLower().startsWith("quit") && m_socket)
        m_socket->disconnectFromHost();
}

QByteArray ScriptedSmtpServer::replyFor(const QByteArray &line)
{
    if (!m_followUps.isEmpty())
        return m_followUps.takeFirst();
    const QByteArray command = line.toLower();
    for (int i = 0; i < m_overrides.size(); ++i) {
        if (command.startsWith(m_overrides.at(i).first)) {
            m_followUps = m_overrides.takeAt(i).second;
            return m_followUps.takeFirst();
        }
    }
    if (command == ".")
        return "250 queued";
    if (command.startsWith("ehlo"))
        return m_ehloReply;
    if (command.startsWith("helo"))
        return "250 localhost";
    if (command.startsWith("mail from:") || command.startsWith("rcpt to:") || command.startsWith("rset"))
        return "250 OK";
    if (command.startsWith("data"))
        return "354 go ahead";
    if (command.startsWith("quit"))
        return "221 bye";
    return "500 unknown command";
}

void ScriptedSmtpServer::sendReply(const QByteArray &reply)
{
    if (m_socket)
        m_socket->write(reply + "\r\n");
}
