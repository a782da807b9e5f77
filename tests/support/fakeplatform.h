#ifndef FAKEPLATFORM_H
#define FAKEPLATFORM_H

#include "platform/platform.h"
#include "platform/serialdevicewatch.h"

#include <QMutex>
#include <QPointer>
#include <QStringList>
#include <QWaitCondition>

// A platform that records what is asked of it and never touches the machine.
// Installs itself while it exists.
class FakePlatform : public Platform
{
public:
    FakePlatform();
    ~FakePlatform() override;

    // Counts the request and answers it at once: accepted, unless refusals
    // are still due (refusePowerOffs).
    void powerOff(const std::function<void(bool accepted)> &answered) override;
    bool isShuttingDown() override;
    QList<Window> visibleWindows() override;
    void runCommandFile(const QString &path, bool trustedOnly) override;
    // Lets the command files that wait return, and counts the call.
    void endCommandFiles() override;
    // Only the program file given to setRunning runs (none at first), as
    // one process (id 1) that holds every file (its descriptor 0).
    void setRunning(const QString &executable);
    QList<ProcessTable::Process> processesRunning(const QString &executable) override;
    ProcessTable::Holder findHolder(const QList<ProcessTable::Process> &processes, const QString &path,
                                    const ProcessTable::Holder &last) override;
    // No device events unless setDeviceEvents(true): the list is then taken
    // periodically, as where the system gives none.
    SerialDeviceWatch *watchSerialDevices(QObject *parent) override;

    int powerOffCount() const;
    void refusePowerOffs(int count);
    void setShuttingDown(bool shuttingDown);
    int endCommandFilesCount() const;
    void setWindows(const QList<Window> &windows);
    // Command files asked for, in order (the call is recorded on entry).
    QStringList commandFiles() const;
    // While held, runCommandFile waits until release() (or the end of the fake).
    void holdCommandFiles(bool hold);
    void release();
    // With events on, watchSerialDevices() hands out a plain watch, whose
    // devicesChanged() a test emits for a device that comes or goes.
    void setDeviceEvents(bool on);
    SerialDeviceWatch *deviceWatch() const;

private:
    mutable QMutex mutex;
    QWaitCondition released;
    int powerOffs = 0;
    int refusals = 0;
    bool shuttingDown = false;
    int endings = 0;
    QList<Window> windows;
    QStringList files;
    QString running;
    bool hold = false, closing = false;
    bool deviceEvents = false;
    QPointer<SerialDeviceWatch> watch;
};

#endif // FAKEPLATFORM_H
