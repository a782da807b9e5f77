#include "udevdevicewatch.h"

#include <QSocketNotifier>

#include <libudev.h>

UdevDeviceWatch::UdevDeviceWatch(QObject *parent)
    : SerialDeviceWatch(parent)
    , context(udev_new())
{
    if (context)
        monitor = udev_monitor_new_from_netlink(context, "udev");
    if (!monitor || udev_monitor_filter_add_match_subsystem_devtype(monitor, "tty", nullptr) < 0
        || udev_monitor_enable_receiving(monitor) < 0)
        return;
    // The monitor's socket does not block: a read gives what has come.
    notifier = new QSocketNotifier(udev_monitor_get_fd(monitor), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &UdevDeviceWatch::onMonitorReadable);
}

UdevDeviceWatch::~UdevDeviceWatch()
{
    delete notifier;
    if (monitor)
        udev_monitor_unref(monitor);
    if (context)
        udev_unref(context);
}

bool UdevDeviceWatch::daemonRuns()
{
    udev *probe = udev_new();
    if (!probe)
        return false;
    udev_queue *queue = udev_queue_new(probe);
    const bool runs = queue && udev_queue_get_udev_is_active(queue) > 0;
    if (queue)
        udev_queue_unref(queue);
    udev_unref(probe);
    return runs;
}

bool UdevDeviceWatch::isWatching() const
{
    return notifier != nullptr;
}

// Whatever came is one change; a message lost to a full socket buffer is one
// too, since the list is taken afresh either way.
void UdevDeviceWatch::onMonitorReadable()
{
    while (udev_device *device = udev_monitor_receive_device(monitor))
        udev_device_unref(device);
    emit devicesChanged();
}
