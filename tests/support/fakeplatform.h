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

    void powerOff() override;
    QList<Window> visibleWindows() override;
    void runCommandFile(const QString &path) override;
    // Only the program file given to setRunning runs (none at first).
    bool isProcessRunning(const QString &executable) override;
    void setRunning(const QString &executable);

    int powerOffCount() const;
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
    QList<Window> windows;
    QStringList files;
    QString running;
    bool hold = false, closing = false;
};

#endif // FAKEPLATFORM_H
