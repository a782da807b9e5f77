#include "scriptedsmtpserver.h"

#include <QTest>

quint16 ScriptedSmtpServer::listen()
{
    if (!m_server.isListening()) {
        connect(&m_server, &QTcpServer::newConnection, this, &ScriptedSmtpServer::onNewConnection);
        if (!m_server.listen(QHostAddress::LocalHost, 0))
            return 0;
    }
    return m_server.serverPort();
}

void ScriptedSmtpServer::addReply(const QByteArray &commandPrefix, const QByteArray &reply)
{
    m_overrides.append(qMakePair(commandPrefix.toLower(), reply));
}

bool ScriptedSmtpServer::waitForCommands(int count, int timeoutMs)
{
    return QTest::qWaitFor([&] { return commands.size() >= count; }, timeoutMs);
}

void ScriptedSmtpServer::onNewConnection()
{
    QTcpSocket *socket = m_server.nextPendingConnection();
    if (!socket)
        return;
    if (m_socket)
        m_socket->deleteLater();
    m_socket = socket;
    // Compared as a plain QObject: the socket may be on its way out when it
    // signals, and a QPointer would cast it to a type it no longer has.
    m_current = socket;
    clientDisconnected = false;
    m_buffer.clear();
    m_inData = false;
    const QObject *key = socket;
    connect(socket, &QTcpSocket::readyRead, this, [this, key] {
        if (key == m_current)
            onReadyRead();
    });
    connect(socket, &QTcpSocket::disconnected, this, [this, key] {
        if (key == m_current)
            clientDisconnected = true;
    });
    if (!greeting.isEmpty())
        socket->write(greeting + "\r\n");
}

void ScriptedSmtpServer::answer(const QByteArray &reply)
{
    if (reply == "<close>")
        m_socket->disconnectFromHost();
    else if (reply != "<silent>")
        m_socket->write(reply + "\r\n");
}

void ScriptedSmtpServer::onReadyRead()
{
    m_buffer += m_socket->readAll();
    int end;
    while ((end = m_buffer.indexOf("\r\n")) >= 0) {
        const QByteArray line = m_buffer.left(end);
        m_buffer.remove(0, end + 2);
        handleLine(line);
    }
}

void ScriptedSmtpServer::handleLine(const QByteArray &line)
{
    if (m_inData && line != ".") {
        m_data += line + "\r\n";
        return;
    }
    if (m_inData) {
        m_inData = false;
        messages.append(m_data);
        m_data.clear();
        answer(replyFor(line));
        return;
    }

    commands.append(line);
    const QByteArray reply = replyFor(line);
    m_inData = reply.startsWith("354");
    if (burstSize > 0 && (m_burstReceived > 0 || line.toLower().startsWith("mail from"))) {
        m_heldReplies += reply + "\r\n";
        if (++m_burstReceived == burstSize) {
            m_socket->write(m_heldReplies);
            m_heldReplies.clear();
            m_burstReceived = 0;
        }
        return;
    }
    answer(reply);
    if (line.toLower().startsWith("quit"))
        m_socket->disconnectFromHost();
}

QByteArray ScriptedSmtpServer::replyFor(const QByteArray &line)
{
    const QByteArray command = line.toLower();
    for (int i = 0; i < m_overrides.size(); ++i) {
        if (command.startsWith(m_overrides.at(i).first))
            return m_overrides.takeAt(i).second;
    }
    if (command == ".")
        return "250 queued";
    if (command.startsWith("ehlo"))
        return ehloReply;
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
