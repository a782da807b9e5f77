#ifndef SERVICESHUTDOWN_H
#define SERVICESHUTDOWN_H

#include <QObject>
#include <QString>

class ServiceShutdownPrivate;

// Protects the computer while the UPS runs on battery: a mains failure or a
// low battery starts a countdown in whole seconds; on the way the UPS may be
// told to switch its output off, at zero the user's command file may run, and
// then the open windows are logged and the operating system is shut down.
// With a command file, the UPS is told to switch off once the file's wait
// has ended, right before the shutdown. A mains return cancels a countdown
// that the UPS state started; such a countdown tells the UPS to switch off
// and asks for the shutdown only on a reading of the UPS at most about three
// seconds old, and waits for one (up to 15 seconds). A refused shutdown is
// asked for again every ten seconds.
class ServiceShutdown : public QObject
{
    Q_OBJECT
#ifndef AMBREL_SERVICE
    Q_PROPERTY(bool ambrelOffEnable READ ambrelOffEnable WRITE setAmbrelOffEnable)
    Q_PROPERTY(int mainFaultOffTime READ mainFaultOffTime WRITE setMainFaultOffTime)
    Q_PROPERTY(int battLowOffTime READ battLowOffTime WRITE setBattLowOffTime)
    Q_PROPERTY(int mainFaultOffCap READ mainFaultOffCap WRITE setMainFaultOffCap)
    Q_PROPERTY(int shutdownMode READ shutdownMode WRITE setShutdownMode)
    Q_PROPERTY(bool autoSaveEnable READ autoSaveEnable WRITE setAutoSaveEnable)
    Q_PROPERTY(bool upsOffEnable READ upsOffEnable WRITE setUpsOffEnable)
    Q_PROPERTY(int upsOffTime READ upsOffTime WRITE setUpsOffTime)
    Q_PROPERTY(int execEnable READ execEnable WRITE setExecEnable)
    Q_PROPERTY(int execTime READ execTime WRITE setExecTime)
    Q_PROPERTY(QString execFile READ execFile WRITE setExecFile)
    Q_PROPERTY(bool osOffEnable READ osOffEnable WRITE setOsOffEnable)
#endif

public:
    ~ServiceShutdown() override;

    static ServiceShutdown *instance();

    // Starts the one-second tick. Whenever the link comes up, a UPS-off
    // that may be pending and is not this run's is cancelled (PendingUpsOff).
    void start();

    // The program ends (also on its event loop's end): the tick stops, a
    // command file still running is ended with the processes it started,
    // and a UPS told to switch off, or a countdown under way, is told at
    // once to cancel, unless the operating system is going down (at this
    // program's request or otherwise). Call before the UPS link is closed.
    void stop();

    // Starts a countdown of the given minutes (10 seconds for 0) unless one
    // runs already, or the command file at its end. Such a countdown is not
    // cancelled by a mains return.
    void startCountdown(int minutes);

    // Records the visible windows in "<data directory>/data/shutdown.log".
    void writeShutdownLog();

#ifdef AMBREL_SERVICE
    // The shutdown itself is under way: the command file runs, the UPS has
    // been told to switch its output off (and not since to cancel), or the
    // operating system's shutdown has been asked for.
    bool isShuttingDown() const;
    // A countdown that the UPS state started has come to a step that needs
    // a fresh reading of the UPS, and waits for one.
    bool wantsReading() const;
    // Another program watches the UPS now: a countdown that the UPS state
    // started ends (true when one ran), and that state is forgotten, so
    // that the state found when the link comes back counts afresh. The
    // countdown of a scheduled power-off goes on. The desktop program keeps
    // its data in dataHome (empty when unknown) as the given user.
    bool linkHandedOver(const QString &dataHome = QString(), const QString &user = QString());
#endif

#ifndef AMBREL_SERVICE
    bool ambrelOffEnable() const;
    void setAmbrelOffEnable(bool enable);
    int mainFaultOffTime() const;
    void setMainFaultOffTime(int minutes);
    int battLowOffTime() const;
    void setBattLowOffTime(int minutes);
    int mainFaultOffCap() const;
    void setMainFaultOffCap(int percent);
    int shutdownMode() const;
    void setShutdownMode(int mode);
    bool autoSaveEnable() const;
    void setAutoSaveEnable(bool enable);
    bool upsOffEnable() const;
    void setUpsOffEnable(bool enable);
    int upsOffTime() const;
    void setUpsOffTime(int minutes);
    int execEnable() const;
    void setExecEnable(int enable);
    int execTime() const;
    void setExecTime(int minutes);
    QString execFile() const;
    void setExecFile(const QString &file);
    bool osOffEnable() const;
    void setOsOffEnable(bool enable);
#endif

signals:
    // Seconds left, after each second of a countdown (0 at its end).
    void shutdownTimeChanged(int sec);
    // The length of a countdown that starts; 0 when one is cancelled.
    void shutdownStarted(int sec);

public slots:
    void onSettingsChanged();
    void onDevDataChanged();
    void onTimerTimeout();

private:
    ServiceShutdown();
    friend class ServiceShutdownPrivate;

    ServiceShutdownPrivate *d;
};

#endif // SERVICESHUTDOWN_H
