#ifndef MEGATEC_H
#define MEGATEC_H

#include "upsdata.h"

#include <QByteArray>
#include <QObject>
#include <QVariantMap>

class MegatecPrivate;

// Driver of the ASCII query protocol that the UPS speaks on its serial line,
// and keeper of the live UPS record for both transports. It does no input or
// output itself: the link asks it for the next command and hands it every
// chunk of bytes received.
class Megatec : public QObject
{
    Q_OBJECT

public:
    enum MegatecCommand {
        CmdError = -1,
        CmdQueryBase = 0,
        CmdSCCancel = 1,
        CmdSC10S = 2,
        CmdSCEOD = 3,
        CmdSCCustom = 4,
        CmdBuzzer = 5,
        CmdCloseOutput = 6,
        CmdQueryDevInfo = 7,
        CmdQueryRatingInfo = 8,
        CmdOrvikBT = 100,
        CmdOrvikBP = 101,
        CmdOrvikA1 = 102,
        CmdOrvikNqu = 103
    };
    Q_ENUM(MegatecCommand)

    explicit Megatec(QObject *parent = nullptr);
    ~Megatec() override;

    // Serial protocol: the next command's bytes (CR included), and the bytes received.
    QByteArray nextCommand();
    // The status query, to be written at once out of turn: the next reply
    // is taken as its answer. The queue stays as it is.
    QByteArray statusQuery();
    bool parseData(const QByteArray &data);

    // User commands, queued at the front.
#ifndef AMBREL_SERVICE
    void setBuzzer();
#endif
    void setShutdown(bool shutdown, int time);
    void setSelfTest(int type, int time);
    // Takes switch-offs of the output that still wait off the queue.
    void dropShutdown();

    bool isOnline() const;
    void setOnline(bool online);
    void reset();

    UPSData *upsData();
#ifndef AMBREL_SERVICE
    QVariantMap devData() const;
    void updateData();
    void updateRating();
    void updateInfo();
#endif
    void updateStatus(quint8 status);
    void updateAlarm(int unit, const quint16 *words);

signals:
    void dataChanged();

private:
    friend class MegatecPrivate;
    MegatecPrivate *d;
};

#endif // MEGATEC_H
