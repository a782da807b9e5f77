// The live record of Megatec: publication, alarm derivation, reset and the
// self-test log.
#include "megatec.h"

#include "alarm/alarm.h"
#include "records/clock.h"
#include "records/database.h"
#include "megatec_p.h"
#include "records/settings.h"

#include <QDebug>
#include <QFile>
#include <QLocale>

#include <cstring>

namespace {

#ifndef AMBREL_SERVICE
constexpr int kVoltageListMax = 60;

const char *const kStatusKeys[8] = {"mainsFault", "battLowVol", "bypassStart", "UPSFault",
                                    "workState",  "selfTest",   "powerOff",    "buzzer"};
#endif

// The alarm calls of one status bit: {code removed, code added, added as event}
// when it rises, and when it falls.
struct BitChange
{
    int delCode;
    int addCode;
    bool event;
};

void apply(const BitChange &change)
{
    Alarm *alarm = Alarm::instance();
    alarm->delAlarm(change.delCode);
    if (change.event)
        alarm->addEvent(change.addCode);
    else
        alarm->addAlarm(change.addCode);
}

} // namespace

void Megatec::setOnline(bool online)
{
    if (d->online == online)
        return;
    d->online = online;
#ifndef AMBREL_SERVICE
    d->devData.insert(QStringLiteral("devOnline"), online);
#endif
}

void Megatec::reset()
{
    const bool wasOnline = d->online;
    if (wasOnline) {
        d->online = false;
#ifndef AMBREL_SERVICE
        d->devData.insert(QStringLiteral("devOnline"), false);
#endif
    }
    d->alarmUnit = -1;
    std::memset(d->alarmWords, 0, sizeof d->alarmWords);
    d->infoAnswered = false;
    d->ratingAnswered = false;
    d->nquAnswered = false;
    // The capacity that a BP reply gave is zeroed below: the next status
    // reply must estimate it again rather than publish 0 % while online.
    d->bpAnswered = false;
    std::memset(&d->data, 0, sizeof d->data);
#ifndef AMBREL_SERVICE
    updateData();
    updateInfo();
    updateRating();
#endif
    d->stopLogSelfTest();
    if (wasOnline)
        emit dataChanged();
}

#ifndef AMBREL_SERVICE

QVariantMap Megatec::devData() const
{
    return d->devData;
}

void Megatec::updateData()
{
    const UPSData &u = d->data;
    QVariantMap &m = d->devData;
    m.insert(QStringLiteral("inputVol"), u.inputVol);
    m.insert(QStringLiteral("outputVol"), u.outputVol);
    m.insert(QStringLiteral("load"), int(u.load));
    m.insert(QStringLiteral("inputFreq"), u.inputFreq);
    m.insert(QStringLiteral("battVol"), u.battVol);
    m.insert(QStringLiteral("battCapacity"), u.battCapacity);
    m.insert(QStringLiteral("battRemainTime"), int(u.battRemainTime));
    m.insert(QStringLiteral("temperature"), u.temperature);

    if (d->inputVolList.size() >= kVoltageListMax) {
        d->inputVolList.removeFirst();
        d->outputVolList.removeFirst();
    }
    d->inputVolList.append(u.inputVol);
    d->outputVolList.append(u.outputVol);
    m.insert(QStringLiteral("inputVolList"), d->inputVolList);
    m.insert(QStringLiteral("outputVolList"), d->outputVolList);

    for (int bit = 0; bit < 8; ++bit)
        m.insert(QLatin1String(kStatusKeys[bit]), int((u.status >> bit) & 1));

    if (d->logging)
        d->addSample();
}

void Megatec::updateRating()
{
    const UPSData &u = d->data;
    QVariantMap &m = d->devData;
    m.insert(QStringLiteral("ratingOutputVol"), u.ratingOutputVol);
    m.insert(QStringLiteral("ratingFreq"), u.ratingFreq);
    m.insert(QStringLiteral("ratingBattVol"), u.ratingBattVol);
    m.insert(QStringLiteral("ratingCurrent"), int(u.ratingCurrent));
}

void Megatec::updateInfo()
{
    const UPSData &u = d->data;
    QVariantMap &m = d->devData;
    auto text = [](const char *field, size_t size) {
        return QString::fromUtf8(field, int(qstrnlen(field, uint(size))));
    };
    m.insert(QStringLiteral("compName"), text(u.compName, sizeof u.compName));
    m.insert(QStringLiteral("UPSModel"), text(u.UPSModel, sizeof u.UPSModel));
    m.insert(QStringLiteral("version"), text(u.version, sizeof u.version));
    m.insert(QStringLiteral("sn"), text(u.sn, sizeof u.sn));
}

#endif // !AMBREL_SERVICE

void Megatec::updateStatus(quint8 status)
{
    const quint8 old = d->data.status;
    d->mainsFaultReported = status & 0x01;
    if (status == old)
        return;
    const bool standby = status & 0x10;
    for (int bit = 0; bit < 8; ++bit) {
        const quint8 mask = quint8(1u << bit);
        if ((old ^ status) & mask) {
            const bool rose = status & mask;
            switch (bit) {
            case 0:
                apply(rose ? BitChange{Alarm::MainsNormal, Alarm::MainsFault, false}
                           : BitChange{Alarm::MainsFault, Alarm::MainsNormal, true});
                break;
            case 1:
                apply(rose ? BitChange{Alarm::BattVolNormal, Alarm::BattVolLow, false}
                           : BitChange{Alarm::BattVolLow, Alarm::BattVolNormal, true});
                break;
            case 2:
                if (standby)
                    apply(rose ? BitChange{Alarm::BoostOrBuckReturn, Alarm::BoostOrBuck, true}
                               : BitChange{Alarm::BoostOrBuck, Alarm::BoostOrBuckReturn, true});
                else
                    apply(rose ? BitChange{Alarm::RecSupply, Alarm::BypassSupply, true}
                               : BitChange{Alarm::BypassSupply, Alarm::RecSupply, true});
                break;
            case 3:
                apply(rose ? BitChange{Alarm::UPSNormal, Alarm::UPSFault, false}
                           : BitChange{Alarm::UPSFault, Alarm::UPSNormal, true});
                break;
            case 5:
                if (rose)
                    d->startLogSelfTest();
                else
                    d->stopLogSelfTest();
                apply(rose ? BitChange{Alarm::SelfTestFinished, Alarm::SelfTest, true}
                           : BitChange{Alarm::SelfTest, Alarm::SelfTestFinished, true});
                break;
            case 6:
                apply(rose ? BitChange{Alarm::NotInPowerOff, Alarm::InPowerOff, true}
                           : BitChange{Alarm::InPowerOff, Alarm::NotInPowerOff, true});
                break;
            case 7:
                apply(rose ? BitChange{Alarm::BuzzerOff, Alarm::BuzzerOn, true}
                           : BitChange{Alarm::BuzzerOn, Alarm::BuzzerOff, true});
                break;
            default: // bit 4 only tells the kind of UPS
                break;
            }
        }
    }
    d->data.status = status;
}

void Megatec::updateAlarm(int unit, const quint16 *words)
{
    const int unitByte = unit & 0xFF;
    if (unitByte != d->alarmUnit) {
        d->alarmUnit = unitByte;
        std::memset(d->alarmWords, 0, sizeof d->alarmWords);
    }
    Alarm *alarm = Alarm::instance();
    for (int i = 0; i < MegatecPrivate::kAlarmWords; ++i) {
        const quint16 old = d->alarmWords[i];
        if (old == words[i])
            continue;
        for (int j = 0; j < 16; ++j) {
            const quint16 mask = quint16(1u << j);
            if (!((old ^ words[i]) & mask))
                continue;
            const int code = unitByte * 65536 + 16 * i + j;
            if (words[i] & mask) {
                alarm->addAlarm(code);
                alarm->delAlarm(code + 500);
            } else {
                alarm->delAlarm(code);
                alarm->addEvent(code + 500);
            }
        }
        d->alarmWords[i] = words[i];
    }
}

void MegatecPrivate::startLogSelfTest()
{
    qDebug() << "start self-test log";
    logStart = Clock::now().toSecsSinceEpoch();
    samples.clear();
    logging = true;
}

void MegatecPrivate::addSample()
{
    const qint64 now = Clock::now().toSecsSinceEpoch();
    if (now == lastSampleTime)
        return;
    lastSampleTime = now;
    // A USB report may claim up to 65535 %.
    const qint16 capacity = qint16(qBound(-32768.0f, data.battCapacity, 32767.0f));
    samples.append(Sample{now - logStart, data.load, capacity});
}

void MegatecPrivate::stopLogSelfTest()
{
    if (!logging)
        return;
    qDebug() << "stop self-test log";
    const QDateTime start = QDateTime::fromSecsSinceEpoch(logStart);
    const QLocale english(QLocale::English);
    QFile file(Settings::instance()->dataDir() + QStringLiteral("/data/self_test/")
               + english.toString(start, QStringLiteral("yyyyMMddhhmmss")) + QStringLiteral(".txt"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return; // kept: the samples go on and the next stop tries again
    QByteArray text;
    for (const Sample &s : qAsConst(samples))
        text += QByteArray::number(s.elapsed) + ',' + QByteArray::number(s.load) + ','
            + QByteArray::number(s.capacity) + '\n';
    file.write(text);
    file.close();

    Database::instance()->write(QStringLiteral("insert into %1(dateTime, duration, count) values(?, ?, ?)")
                                    .arg(Database::tableName(Database::LogSelfTest)),
                                {english.toString(start, QStringLiteral("yyyy-MM-dd hh:mm:ss")),
                                 uint(Clock::now().toSecsSinceEpoch() - logStart), samples.size()});
    logging = false;
}
