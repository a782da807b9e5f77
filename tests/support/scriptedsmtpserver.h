#ifndef SCRIPTEDSMTPSERVER_H
#define SCRIPTEDSMTPSERVER_H

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>

class QTcpServer;
class QTcpSocket;

// A small SMTP server that answers line by line from a script, for the
// dialogue turns a real server will not produce on demand (a refused
// greeting, RSET or recipient, ...). It listens on 127.0.0.1 and a free port
// and serves one connection at a time.
//
// Every command gets a default positive reply unless an override matches:
// addReply(prefix, reply) answers the next command whose lower-cased text
// begins with prefix once. addExchange(prefix, replies) answers such a
// command with the first reply and the lines that follow it, whatever they
// are, with the others (an AUTH exchange). The end of the message data counts
// as the command ".". A reply may hold several lines separated by CR LF;
// CR LF is added at the end.
class ScriptedSmtpServer : public QObject
{
    Q_OBJECT

public:
    explicit ScriptedSmtpServer(QObject *parent = nullptr);
    ~ScriptedSmtpServer() override;

    // Returns the port, 0 when listening failed.
    quint16 listen();
    quint16 port() const;

    void setGreeting(const QByteArray &reply);          // default "220 localhost ready"
    void setEhloReply(const QByteArray &reply);         // default "250-localhost\r\n250 HELP"
    void addReply(const QByteArray &commandPrefix, const QByteArray &reply);
    void addExchange(const QByteArray &commandPrefix, const QList<QByteArray> &replies);

    // When set, the replies to a "mail from" and the lines that follow it
    // are held back until lines lines in all have arrived: a client that
    // waits for each reply instead of pipelining then never gets one.
    void setBurstSize(int lines);

    // Lines received outside message data, in order, without CR LF.
    QList<QByteArray> commands() const;
    // The message data of each DATA, without the final "." line, as sent.
    QList<QByteArray> messages() const;
    // True once the client has closed its side of the connection.
    bool clientDisconnected() const;

    // Bounded waits for the n-th command line / for the client to go away.
    bool waitForCommands(int count, int timeoutMs = 5000);
    bool waitForDisconnect(int timeoutMs = 5000);

signals:
    void commandReceived(const QByteArray &line);
    void connectionClosed();

private slots:
    void onServerNewConnection();
    void onSocketReadyRead();
    void onSocketDisconnected();

private:
    void handleLine(const QByteArray &line);
    QByteArray replyFor(const QByteArray &line);
    void sendReply(const QByteArray &reply);

    QTcpServer *m_server;
    QPointer<QTcpSocket> m_socket;
    QByteArray m_buffer;
    QByteArray m_greeting = "220 localhost ready";
    QByteArray m_ehloReply = "250-localhost\r\n250 HELP";
    QList<QPair<QByteArray, QList<QByteArray>>> m_overrides;
    QList<QByteArray> m_followUps;
    int m_burstSize = 0;
    int m_burstReceived = 0;
    QByteArray m_heldReplies;
    bool m_inData = false;
    QByteArray m_data;
    QList<QByteArray> m_commands;
    QList<QByteArray> m_messages;
    bool m_disconnected = false;
};

#endif // SCRIPTEDSMTPSERVER_H
