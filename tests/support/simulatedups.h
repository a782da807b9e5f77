#ifndef SIMULATEDUPS_H
#define SIMULATEDUPS_H

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>

class QSocketNotifier;

// A UPS that speaks the serial query protocol on a pseudo-terminal pair: the
// link under test opens portPath() (the slave side) as a serial port and the
// simulator answers on the master side from the state a test sets. Runs in a
// test's event loop or, through tests/support/upssim, as a process of its own.
class SimulatedUps : public QObject
{
    Q_OBJECT

public:
    struct State
    {
        // Q1
        double inputVol = 230.0, inputFaultVol = 230.0, outputVol = 229.5;
        int load = 23;
        double inputFreq = 50.0, battVol = 27.2, temperature = 31.5;
        QByteArray status = "00001000";
        // BT, BP (tenths of a percent), A1
        int remainTime = 45;
        double btSecond = 12.5;
        int battPercent10 = 875;
        int alarmUnit = 1;
        quint16 alarmWords[13] = {};
        // I (15, 10 and 10 columns), NQU (21, 20 and 10 columns)
        QByteArray company = "ACME POWER", model = "LINE-1K", version = "VER 1.2";
        QByteArray serial = "SN0123456789", nquModel = "ACME LINE 1000", nquCompany = "ACME";
        // F
        double ratingVol = 220.0;
        int ratingCurrent = 5;
        double ratingBattVol = 24.0, ratingFreq = 50.0;
    };

    explicit SimulatedUps(QObject *parent = nullptr);
    ~SimulatedUps() override;

    bool isOpen() const;
    QString portPath() const; // e.g. /dev/pts/7

    State &state();

    void setSilent(bool silent); // answers nothing while set
    // Goes silent from the next receipt of this command on (that one
    // included); silentFrom() is then its index in received(), else -1.
    void setSilentFrom(const QByteArray &command);
    int silentFrom() const;
    void setDelay(int ms);       // answers this much later
    void setChunkSize(int bytes); // writes replies in pieces, 10 ms apart (0: whole)
    void setUnanswered(const QByteArray &command, bool unanswered = true);
    // Replies to a command with these exact bytes (no CR added).
    void setReply(const QByteArray &command, const QByteArray &reply);
    void clearReplies();

    // The reply built from the state, CR included; empty for commands without one.
    QByteArray replyFor(const QByteArray &command) const;
    void writeRaw(const QByteArray &bytes);

    // Every command received, without its CR, in order.
    QList<QByteArray> received() const;
    void clearReceived();

signals:
    void commandReceived(const QByteArray &command);

private:
    void onMasterReadable();
    void handleCommand(const QByteArray &command);
    void writeChunks(const QByteArray &reply);

    int m_master = -1;
    int m_slave = -1;
    QString m_path;
    QSocketNotifier *m_notifier = nullptr;
    QByteArray m_input;
    State m_state;
    // An output switch-off command came, and no cancel since ("shutdown
    // active", the seventh status bit of Q1).
    bool m_outputOffPending = false;
    bool m_silent = false;
    QByteArray m_silentCommand;
    int m_silentFrom = -1;
    int m_delay = 0;
    int m_chunk = 0;
    QSet<QByteArray> m_unanswered;
    QMap<QByteArray, QByteArray> m_replies;
    QList<QByteArray> m_received;
};

#endif // SIMULATEDUPS_H
