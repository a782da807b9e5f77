#ifndef SCRIPTEDSMTPSERVER_H
#define SCRIPTEDSMTPSERVER_H

#include <QByteArrayList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

// A small SMTP server that answers line by line from a script, for the
// dialogue turns a real server will not produce on demand (a refused
// greeting, RSET or recipient, ...). It listens on 127.0.0.1 and a free port
// and serves one connection at a time.
//
// Every command gets a default positive reply unless addExchange(prefix,
// replies) matches: the next command whose lower-cased text begins with
// prefix gets the first reply, and the lines that follow it, whatever they
// are, get the others (an AUTH exchange). The end of the message data counts
// as the command ".". A reply may hold several lines separated by CR LF.
class ScriptedSmtpServer : public QObject
{
public:
    // Returns the port, 0 when listening failed.
    quint16 listen();

    void setGreeting(const QByteArray &reply) { m_greeting = reply; }
    void setEhloReply(const QByteArray &reply) { m_ehloReply = reply; }
    void addExchange(const QByteArray &commandPrefix, const QByteArrayList &replies);
    // When set, the replies to a "mail from" and the lines that follow it are
    // held back until that many lines have arrived: a client that waits for
    // each reply instead of pipelining then never gets one.
    void setBurstSize(int lines) { m_burstSize = lines; }

    // Lines received outside message data, in order, without CR LF.
    QByteArrayList commands() const { return m_commands; }
    // The message data of each DATA, without the final "." line, as sent.
    QByteArrayList messages() const { return m_messages; }
    // True once the client has closed its side of the connection.
    bool clientDisconnected() const { return m_disconnected; }
    // Bounded wait for the count-th command line.
    bool waitForCommands(int count, int timeoutMs = 5000);

private:
    void onNewConnection();
    void onReadyRead();
    void handleLine(const QByteArray &line);
    QByteArray replyFor(const QByteArray &line);

    QTcpServer m_server;
    QPointer<QTcpSocket> m_socket;
    QByteArray m_buffer;
    QByteArray m_greeting = "220 localhost ready";
    QByteArray m_ehloReply = "250-localhost\r\n250 HELP";
    QList<QPair<QByteArray, QByteArrayList>> m_overrides;
    QByteArrayList m_followUps;
    int m_burstSize = 0;
    int m_burstReceived = 0;
    QByteArray m_heldReplies;
    bool m_inData = false;
    QByteArray m_data;
    QByteArrayList m_commands;
    QByteArrayList m_messages;
    bool m_disconnected = false;
};

#endif // SCRIPTEDSMTPSERVER_H
