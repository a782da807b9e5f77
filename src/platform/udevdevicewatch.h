#ifndef UDEVDEVICEWATCH_H
#define UDEVDEVICEWATCH_H

#include "serialdevicewatch.h"

class QSocketNotifier;
struct udev;
struct udev_monitor;

// The serial devices as the udev daemon announces them: a monitor of the
// "tty" subsystem, which reports a device once the daemon has set it up (or
// taken it down).
class UdevDeviceWatch : public SerialDeviceWatch
{
    Q_OBJECT

public:
    explicit UdevDeviceWatch(QObject *parent = nullptr);
    ~UdevDeviceWatch() override;

    // Whether a udev daemon runs, without which no announcement comes.
    static bool daemonRuns();

    bool isWatching() const override;

private:
    void onMonitorReadable();

    udev *context = nullptr;
    udev_monitor *monitor = nullptr;
    QSocketNotifier *notifier = nullptr;
};

#endif // UDEVDEVICEWATCH_H
