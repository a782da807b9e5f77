#ifndef DEVCOMM_H
#define DEVCOMM_H

#include "upsdata.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

class DevCommPrivate;

// The program's one connection to the UPS, over USB HID or a serial port:
// polls it, decides when the link is up or lost, saves readings to
// "device_data" while the UPS answers, watches the serial ports and passes
// commands on to the selected transport. The program uses instance(); the
// public constructor lets tests build links of their own.
class DevComm : public QObject
{
    Q_OBJECT
#ifndef AMBREL_SERVICE
    Q_PROPERTY(uint saveCycle READ saveCycle WRITE setSaveCycle)
    Q_PROPERTY(int baud READ baud WRITE setBaud)
    Q_PROPERTY(int commType READ commType)
    Q_PROPERTY(QVariantMap devData READ devData NOTIFY devDataChanged)
    Q_PROPERTY(QStringList comPort READ comPort NOTIFY comPortChanged)
    Q_PROPERTY(QString usbVersion READ usbVersion NOTIFY usbVersionChanged)
#endif

public:
    enum CommunicationType { USB = 0, COM = 1 };
    Q_ENUM(CommunicationType)

    explicit DevComm(QObject *parent = nullptr);
    ~DevComm() override;

    static DevComm *instance();

    // Opens the configured link and polls it.
    void start();
    // Releases the port (and with it its lock file) and the USB device and
    // forgets the UPS.
    void stop();
#ifdef AMBREL_SERVICE
    // Reads the serial settings again and configures the port with them.
    void loadSerialSettings();
    // The device file of the link: the serial port's, or that of the USB
    // UPS opened last (empty when unknown).
    QString devicePath() const;
    // Switch-offs of the UPS's output that wait for the serial link are
    // not sent.
    void dropQueuedShutdown();
    // Between start() and stop(): the link is the service's.
    bool isStarted() const;
#endif

    // The live record (status bits, battery capacity, ...).
    UPSData *upsData();
    // Whether the UPS answers; while it does not, upsData() holds no state.
    bool isOnline() const;

    // Tells the UPS at once, ahead of the polls, to cancel a switch-off of
    // its output, and waits until the command has left the serial port (at
    // most a second) or the USB report has been sent; then asks the UPS for
    // its status and waits (at most a second) for the answer. NotSent when
    // no link is open or the command could not be sent, Sent when the UPS
    // did not answer after it.
    enum class Cancel { NotSent, Sent, Answered };
    Cancel cancelShutdownNow();

#ifndef AMBREL_SERVICE
    uint saveCycle() const;
    void setSaveCycle(uint seconds);
    int baud() const;
    int commType() const;
    QVariantMap devData() const;
    QStringList comPort() const;
    QString usbVersion() const;

    Q_INVOKABLE bool openDevice(int type, QString devName = QString());
    Q_INVOKABLE void setShutdown(bool shutdown, int time);
    Q_INVOKABLE void setSelfTest(int type, int time);
    Q_INVOKABLE void setBuzzer();
    Q_INVOKABLE void setBaud(int baud);
#else
    void setShutdown(bool shutdown, int time);
    void setSelfTest(int type, int time);
#endif

signals:
    void devDataChanged();
#ifndef AMBREL_SERVICE
    void comPortChanged();
    void usbVersionChanged();
#else
    void onlineChanged(bool isOnline);
#endif

private slots:
    void onTimerPollingTimeout();
    void onTimerSaveTimeout();
#ifndef AMBREL_SERVICE
    void onTimerCOMTimeout();
#endif
    void onCOMReadyRead();

private:
    friend class DevCommPrivate;
    DevCommPrivate *d;
};

#endif // DEVCOMM_H
