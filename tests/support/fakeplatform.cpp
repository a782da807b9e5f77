#include "fakeplatform.h"

FakePlatform::FakePlatform() { Platform::setInstance(this); }

FakePlatform::~FakePlatform()
{
    Platform::setInstance(nullptr);
    QMutexLocker lock(&mutex);
    closing = true;
    released.wakeAll();
}

int FakePlatform::powerOffCount() const { QMutexLocker lock(&mutex); return powerOffs; }
void FakePlatform::refusePowerOffs(int count) { QMutexLocker lock(&mutex); refusals = count; }
void FakePlatform::setShuttingDown(bool on) { QMutexLocker lock(&mutex); shuttingDown = on; }
bool FakePlatform::isShuttingDown() { QMutexLocker lock(&mutex); return shuttingDown; }
int FakePlatform::endCommandFilesCount() const { QMutexLocker lock(&mutex); return endings; }

void FakePlatform::powerOff(const std::function<void(bool)> &answered)
{
    QMutexLocker lock(&mutex);
    ++powerOffs;
    const bool accepted = refusals-- <= 0;
    lock.unlock();
    answered(accepted);
}

void FakePlatform::endCommandFiles()
{
    QMutexLocker lock(&mutex);
    ++endings;
    released.wakeAll();
}
QList<Platform::Window> FakePlatform::visibleWindows() { QMutexLocker lock(&mutex); return windows; }
void FakePlatform::setWindows(const QList<Window> &list) { QMutexLocker lock(&mutex); windows = list; }
QStringList FakePlatform::commandFiles() const { QMutexLocker lock(&mutex); return files; }
void FakePlatform::release() { holdCommandFiles(false); }

void FakePlatform::runCommandFile(const QString &path, bool)
{
    QMutexLocker lock(&mutex);
    files.append(path);
    const int ended = endings;
    while (hold && !closing && endings == ended)
        released.wait(&mutex);
}

void FakePlatform::holdCommandFiles(bool on)
{
    QMutexLocker lock(&mutex);
    hold = on;
    if (!hold)
        released.wakeAll();
}

void FakePlatform::setRunning(const QString &executable) { QMutexLocker lock(&mutex); running = executable; }

QList<ProcessTable::Process> FakePlatform::processesRunning(const QString &executable)
{
    QMutexLocker lock(&mutex);
    if (executable.isEmpty() || executable != running)
        return {};
    return {{1, 0}};
}

ProcessTable::Holder FakePlatform::findHolder(const QList<ProcessTable::Process> &processes, const QString &,
                                              const ProcessTable::Holder &)
{
    if (processes.isEmpty())
        return {};
    return {ProcessTable::Holding::Yes, processes.first(), 0, false};
}

SerialDeviceWatch *FakePlatform::watchSerialDevices(QObject *parent)
{
    if (!deviceEvents)
        return nullptr;
    watch = new SerialDeviceWatch(parent);
    return watch;
}

void FakePlatform::setDeviceEvents(bool on) { deviceEvents = on; }
SerialDeviceWatch *FakePlatform::deviceWatch() const { return watch; }
