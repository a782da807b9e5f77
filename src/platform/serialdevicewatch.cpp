#include "serialdevicewatch.h"

SerialDeviceWatch::SerialDeviceWatch(QObject *parent)
    : QObject(parent)
{
}

SerialDeviceWatch::~SerialDeviceWatch() = default;

bool SerialDeviceWatch::isWatching() const
{
    return true;
}
