#ifndef FAKEPLATFORM_H
#define FAKEPLATFORM_H

#include "platform/platform.h"

#include <QMutex>
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
    void runCommandFile(const QString &path) override;
    // Lets the command files that wait return, and counts the call.
    void endCommandFiles() override;
    // No program of the watched name ever runs.
    bool isProcessRunning(const QString &imageName) override;

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

private:
    mutable QMutex mutex;
    QWaitCondition released;
    int powerOffs = 0;
    int refusals = 0;
    bool shuttingDown = false;
    int endings = 0;
    QList<Window> windows;
    QStringList files;
    bool hold = false, closing = false;
};

#endif // FAKEPLATFORM_H
