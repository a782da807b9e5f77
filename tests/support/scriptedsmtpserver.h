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
// Every command gets a default positive reply unless addReply(prefix, reply)
// matches: the next command whose lower-cased text begins with prefix gets
// that reply, once. The end of the message data counts as the command ".".
// A reply may hold several lines separated by CR LF; the reply "<silent>"
// sends nothing, "<close>" closes the connection instead. An empty greeting
// is never sent.
class ScriptedSmtpServer : public QObject
{
public:
    // Returns the port, 0 when listening failed.
    quint16 listen();
    void addReply(const QByteArray &commandPrefix, const QByteArray &reply);
    // Bounded wait for the count-th command line.
    bool waitForCommands(int count, int timeoutMs = 5000);

    QByteArray greeting = "220 localhost ready";
    QByteArray ehloReply = "250-localhost\r\n250 HELP";
    // When set, the replies to a "mail from" and the lines that follow it are
    // held back until that many lines have arrived: a client that waits for
    // each reply instead of pipelining then never gets one.
    int burstSize = 0;

    // Lines received outside message data, in order, without CR LF.
    QByteArrayList commands;
    // The message data of each DATA, without the final "." line, as sent.
    QByteArrayList messages;
    // True once the client has closed its side of the connection.
    bool clientDisconnected = false;

private:
    void onNewConnection();
    void onReadyRead();
    void handleLine(const QByteArray &line);
    void answer(const QByteArray &reply);
    QByteArray replyFor(const QByteArray &line);

    QTcpServer m_server;
    QPointer<QTcpSocket> m_socket;
    const QObject *m_current = nullptr;
    QByteArray m_buffer;
    QList<QPair<QByteArray, QByteArray>> m_overrides;
    int m_burstReceived = 0;
    QByteArray m_heldReplies;
    bool m_inData = false;
    QByteArray m_data;
};

#endif // SCRIPTEDSMTPSERVER_H
