// The USB HID side of DevComm: device list, string descriptors, feature
// reports in and out.
#include "devcomm.h"

#include "alarm/alarm.h"
#include "devcomm_p.h"
#include "megatec.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

#include <cstring>
#include <hidapi.h>

namespace {

constexpr int kReportSize = 256;
constexpr int kStringChars = 128;

const char kUsbOpenLine[] = "A USB UPS of the device list is open.";

quint16 word(const unsigned char *report, int at)
{
    return quint16(report[at] | (report[at + 1] << 8));
}

float scaled(const unsigned char *report, int at, float factor)
{
    return float(word(report, at)) * factor;
}

} // namespace

void DevCommPrivate::loadUsbConfig()
{
    QFile file(usbConfigPath());
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll());
    usbIds = doc.object().value(QStringLiteral("usb")).toArray();
}

void DevCommPrivate::openUsb()
{
    for (const QJsonValue &entry : qAsConst(usbIds)) {
        if (!entry.isArray() || entry.toArray().size() != 2)
            continue;
        const QJsonArray pair = entry.toArray();
        const quint16 vendor = quint16(pair.at(0).toInt());
        const quint16 product = quint16(pair.at(1).toInt());
        hid_device *dev = hid_open(vendor, product, nullptr);
        if (dev) {
            hidDevice = dev;
            const hid_device_info *info = hid_get_device_info(dev);
            usbPath = info && info->path ? QString::fromLocal8Bit(info->path) : QString();
            vid = vendor;
            pid = product;
            versionReportSeen = false;
            rereadUsbRecord();
            return;
        }
    }
}

bool DevCommPrivate::sendReport(const QByteArray &report)
{
    return hidDevice
           && hid_send_feature_report(hidDevice, reinterpret_cast<const unsigned char *>(report.constData()),
                                      size_t(report.size()))
                  >= 0;
}

bool DevCommPrivate::sendShutdownReport(bool shutdown, int time)
{
    // The delay goes as time + 1 in one byte, 0 being the cancel: a time
    // that does not fit is not sent.
    if (shutdown && (time < 0 || time > 254))
        return false;
    QByteArray report(2, '\0');
    report[0] = 3;
    report[1] = shutdown ? char(time + 1) : char(0);
    return sendReport(report);
}

bool DevCommPrivate::usbAnswersNow()
{
    // The status report, and in it the UPS behind the USB interface.
    unsigned char report[kReportSize];
    std::memset(report, 0, sizeof report);
    report[0] = 1;
    return hidDevice && hid_get_feature_report(hidDevice, report, kReportSize) == 21 && !(word(report, 18) & 0x0001);
}

int DevCommPrivate::getUsbString(int index, char *field, int maxBytes)
{
    wchar_t buffer[kStringChars];
    std::memset(buffer, 0, sizeof buffer);
    const int result = hid_get_indexed_string(hidDevice, index, buffer, kStringChars);
    if (result != 0)
        return result;
    buffer[kStringChars - 1] = L'\0';
    const QByteArray text = QString::fromWCharArray(buffer).toLocal8Bit();
    if (text.isEmpty())
        return 0;
    // Copied like strncpy: at most maxBytes, zero-filled up to that count.
    const int n = qMin(maxBytes, text.size());
    std::memcpy(field, text.constData(), size_t(n));
    std::memset(field + n, 0, size_t(maxBytes - n));
    return 1;
}

// The journal's line while no listed USB UPS can be opened.
QString DevCommPrivate::usbMissingLine() const
{
    if (usbIds.isEmpty())
        return QStringLiteral("No USB UPS is listed in %1: the UPS is not watched.").arg(usbConfigPath());
    return QStringLiteral("No USB UPS of the device list is present: the UPS is not watched.");
}

QString DevCommPrivate::usbConfigPath()
{
    return usbConfigFile.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/cfg/usb.cfg")
                                   : usbConfigFile;
}

void DevCommPrivate::pollingUSB()
{
    if (!hidDevice) {
        openUsb();
        if (!hidDevice) {
            tell(Told::Closed, usbMissingLine(), QLatin1String(kUsbOpenLine));
            return;
        }
        tell(Told::Opened);
    }

    if (!stringIndexes.isEmpty()) {
        const int index = stringIndexes.first();
        UPSData *u = megatec->upsData();
        char *field = nullptr;
        int maxBytes = 0;
        switch (index) {
        case 17: field = u->sn; maxBytes = 21; break;
#ifndef AMBREL_SERVICE
        case 18: field = u->compName; maxBytes = 10; break;
        case 20: field = u->UPSModel; maxBytes = 20; break;
#else
        case 18: field = u->compName; maxBytes = 15; break;
        case 20: field = u->UPSModel; maxBytes = 10; break;
#endif
        default: field = u->version; maxBytes = 10; break;
        }
        const int result = getUsbString(index, field, maxBytes);
        if (result != 0) {
#ifndef AMBREL_SERVICE
            if (result < 0)
                qDebug() << "Get index" << index << "string failed!";
#endif
            stringIndexes.removeFirst();
#ifndef AMBREL_SERVICE
            megatec->updateInfo();
#endif
        }
    }

    if (reportQueue.isEmpty()) {
        if (!versionReportSeen)
            reportQueue.append(100);
        if (!ratingReportSeen)
            reportQueue.append(101);
        reportQueue.append(1);
        reportQueue.append(103);
    }

    unsigned char report[kReportSize];
    std::memset(report, 0, sizeof report);
    report[0] = static_cast<unsigned char>(reportQueue.takeFirst());
    const int length = hid_get_feature_report(hidDevice, report, kReportSize);
    if (length > 0) {
        // The device answers: no read before this one counts as unanswered.
        unanswered = 0;
        silentPolls = 0;
        parseFeatureReport(report, length);
    } else if (length < 0) {
        hid_device_info *present = hid_enumerate(vid, pid);
        if (!present) {
            deviceGone();
            return;
        }
        hid_free_enumeration(present);
        // A device that stays listed but has stopped answering would leave
        // the last readings on show for ever: after as many failed reads as
        // the serial link allows unanswered polls, it counts as gone.
        if (megatec->isOnline() && ++unanswered > kUnansweredLimit)
            deviceGone();
    }
}

void DevCommPrivate::deviceGone()
{
    hid_close(hidDevice);
    usbVersion.clear();
    hidDevice = nullptr;
    linkLost();
    tell(Told::Closed, usbMissingLine(), QLatin1String(kUsbOpenLine));
#ifndef AMBREL_SERVICE
    emit q->usbVersionChanged();
#endif
}

void DevCommPrivate::rereadUsbRecord()
{
    ratingReportSeen = false;
    stringIndexes = {17, 18, 20, 21};
}

void DevCommPrivate::parseFeatureReport(const unsigned char *report, int length)
{
    UPSData *u = megatec->upsData();
    switch (report[0]) {
    case 1:
        parseStatusReport(report, length);
        break;
    case 100:
        if (length != 6)
            return;
        usbVersion = QStringLiteral("v%1.%2.%3").arg(report[1]).arg(report[2]).arg(report[3]);
#ifndef AMBREL_SERVICE
        emit q->usbVersionChanged();
#endif
        versionReportSeen = true;
        break;
    case 101:
        if (length != 10)
            return;
        u->ratingOutputVol = scaled(report, 1, 0.1f);
        u->ratingBattVol = scaled(report, 3, 0.01f);
        u->ratingCurrent = word(report, 5);
        u->ratingFreq = scaled(report, 7, 0.1f);
#ifndef AMBREL_SERVICE
        megatec->updateRating();
#endif
        ratingReportSeen = true;
        break;
    case 103: {
        if (length != 29)
            return;
        quint16 words[13];
        for (int i = 0; i < 13; ++i)
            words[i] = word(report, 2 + 2 * i);
        megatec->updateAlarm(report[1], words);
        break;
    }
    default:
        break;
    }
}

void DevCommPrivate::parseStatusReport(const unsigned char *report, int length)
{
    if (length != 21)
        return;
    UPSData *u = megatec->upsData();
    u->inputVol = scaled(report, 1, 0.1f);
    u->inputFaultVol = scaled(report, 3, 0.1f);
    u->outputVol = scaled(report, 5, 0.1f);
    u->battVol = scaled(report, 7, 0.01f);
    u->load = report[9];
    u->inputFreq = scaled(report, 10, 0.1f);
    u->temperature = scaled(report, 12, 0.1f);
    u->battCapacity = float(word(report, 14));
    u->battRemainTime = word(report, 16);
    const quint16 status = word(report, 18);

    if (status & 0x0001) {
        // The USB interface has lost the UPS behind it.
        megatec->reset();
        Alarm::instance()->addAlarm(Alarm::CommLost);
        // The reset zeroed the ratings and identity texts too.
        rereadUsbRecord();
        tell(Told::Silent, QStringLiteral("The UPS does not answer its USB interface any more."));
        return;
    }
    megatec->updateStatus(quint8((status >> 1) & 0xFF));
#ifndef AMBREL_SERVICE
    megatec->updateData();
#endif
    if (!megatec->isOnline()) {
        lossReported = false;
        startSaveTimer();
        megatec->setOnline(true);
        Alarm::instance()->delAlarm(Alarm::CommLost);
        Alarm::instance()->addEvent(Alarm::CommNormal);
    }
    tell(Told::Answering);
    emit megatec->dataChanged();
}
