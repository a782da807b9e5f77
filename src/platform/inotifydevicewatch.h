#ifndef INOTIFYDEVICEWATCH_H
#define INOTIFYDEVICEWATCH_H

#include "serialdevicewatch.h"

#include <QString>

class QSocketNotifier;
class QTimer;

// The device nodes of a folder, watched through inotify: on a /dev that the
// kernel keeps itself (devtmpfs) a node comes and goes with its device, with
// or without a udev daemon. Every node that is made, removed or renamed counts.
class InotifyDeviceWatch : public SerialDeviceWatch
{
    Q_OBJECT

public:
    // How long a change waits to be reported: the kernel removes a node a
    // moment before it drops the device from the lists that name the ports,
    // and a burst of changes is reported once.
    static constexpr int kSettleMs = 50;

    explicit InotifyDeviceWatch(const QString &folder = QStringLiteral("/dev"), QObject *parent = nullptr);
    ~InotifyDeviceWatch() override;

    // Whether /dev is the kernel's own device folder, whose nodes follow the devices.
    static bool kernelKeepsDev();

    // False once the folder is gone or unmounted, or the watch could not be set.
    bool isWatching() const override;

private:
    void onReadable();

    int fd = -1;
    bool watching = false;
    QSocketNotifier *notifier = nullptr;
    QTimer *settle = nullptr;
};

#endif // INOTIFYDEVICEWATCH_H
