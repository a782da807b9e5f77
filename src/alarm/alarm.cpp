#include "alarm.h"

#include "records/clock.h"
#include "records/database.h"
#include "email/serviceemail.h"

#include <QMap>
#include <QTimer>
#include <QVector>

#include <algorithm>

namespace {
const int kTimerInterval = 1000;
const uint kEventSeconds = 10;
const char kTimeFormat[] = "yyyy-MM-dd hh:mm:ss";

uint currentSeconds()
{
    return static_cast<uint>(Clock::now().toSecsSinceEpoch());
}
} // namespace

class AlarmPrivate
{
public:
    struct Entry {
        QString time;
        int code;
    };

    explicit AlarmPrivate(Alarm *owner) : q(owner) {}

    int indexOf(int code) const
    {
        for (int i = 0; i < entries.size(); ++i) {
            if (entries.at(i).code == code)
                return i;
        }
        return -1;
    }

    Alarm *q;
    QTimer *timer = nullptr;
    QVector<Entry> entries;
    QMap<int, uint> eventTimes;
};

Alarm::Alarm()
    : d(new AlarmPrivate(this))
{
    d->timer = new QTimer;
    connect(d->timer, &QTimer::timeout, this, &Alarm::onTimerEvent);
    d->timer->start(kTimerInterval);
}

Alarm::~Alarm()
{
    delete d->timer;
    delete d;
}

Alarm *Alarm::instance()
{
    static Alarm *alarm = new Alarm;
    return alarm;
}

bool Alarm::addAlarm(int code)
{
    if (d->indexOf(code) >= 0)
        return true;

    const QString text = alarmText(code);
    if (text.isEmpty())
        return false;

    d->entries.append({Clock::now().toString(QLatin1String(kTimeFormat)), code});

    Database::instance()->insert(Database::AlarmTable, "alarm", {code});

    ServiceEMail::instance()->sendAlarmMail(text);

    notifyChanged();
    return true;
}

void Alarm::delAlarm(int code)
{
    const int before = d->entries.size();
    d->entries.erase(std::remove_if(d->entries.begin(), d->entries.end(),
                                    [code](const AlarmPrivate::Entry &e) { return e.code == code; }),
                     d->entries.end());
    if (d->entries.size() != before)
        notifyChanged();
}

void Alarm::addEvent(int code)
{
    if (addAlarm(code))
        d->eventTimes[code] = currentSeconds();
}

void Alarm::onTimerEvent()
{
    const uint now = currentSeconds();
    QVector<int> expired;
    for (auto it = d->eventTimes.cbegin(); it != d->eventTimes.cend(); ++it) {
        // Unsigned on purpose: a time in the future (clock set back) expires.
        if (now - it.value() > kEventSeconds)
            expired.append(it.key());
    }
    for (int code : qAsConst(expired)) {
        d->eventTimes.remove(code);
        delAlarm(code);
    }
}

void Alarm::notifyChanged()
{
#ifndef AMBREL_SERVICE
    emit alarmNumChanged();
#endif
}

#ifndef AMBREL_SERVICE
void Alarm::clearAlarm()
{
    d->entries.clear();
    emit alarmNumChanged();
}

int Alarm::alarmNum() const
{
    return d->entries.size();
}

QVariantList Alarm::allAlarm() const
{
    QVariantList list;
    list.reserve(d->entries.size());
    for (const AlarmPrivate::Entry &entry : qAsConst(d->entries)) {
        QVariantMap map;
        map.insert(QStringLiteral("time"), entry.time);
        map.insert(QStringLiteral("alarm"), alarmText(entry.code));
        list.append(map);
    }
    return list;
}
#endif
