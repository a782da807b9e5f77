#ifndef SERIALDEVICEWATCH_H
#define SERIALDEVICEWATCH_H

#include <QObject>

// Tells when a serial device comes or goes, so that the list of serial ports
// need be taken again only then. The system's implementations come from
// Platform::watchSerialDevices(); this plain one never reports anything by
// itself (a test emits devicesChanged() for it).
class SerialDeviceWatch : public QObject
{
    Q_OBJECT

public:
    explicit SerialDeviceWatch(QObject *parent = nullptr);
    ~SerialDeviceWatch() override;

    // Whether changes are still reported; a watch whose source has broken
    // is not, and the list must be taken periodically again.
    virtual bool isWatching() const;

signals:
    // A serial device came, went or changed: the list of ports may differ.
    void devicesChanged();
};

#endif // SERIALDEVICEWATCH_H
