#ifndef ALARM_H
#define ALARM_H

#include <QObject>
#include <QString>
#include <QVariantList>

class AlarmPrivate;

// The alarms that are active now and the events of the last ten seconds.
// Every new entry is recorded in the "alarm" table and mailed; an event
// leaves the list by itself about ten seconds after it was added.
//
// Alarm codes: 0..21 are the AlarmCode values; 0x10000 + n and 0x20000 + n
// are bit n of the UPS alarm words of family 1 and 2; a family code + 500 is
// the event that the family alarm has cleared.
class Alarm : public QObject
{
    Q_OBJECT
#ifndef AMBREL_SERVICE
    Q_PROPERTY(int alarmNum READ alarmNum NOTIFY alarmNumChanged)
#endif

public:
    enum AlarmCode {
        CommLost = 0,
        CommNormal = 1,
        MainsFault = 2,
        MainsNormal = 3,
        BattVolLow = 4,
        BattVolNormal = 5,
        BypassSupply = 6,
        RecSupply = 7,
        UPSFault = 8,
        UPSNormal = 9,
        Online = 10,
        Standby = 11,
        SelfTest = 12,
        SelfTestFinished = 13,
        InPowerOff = 14,
        NotInPowerOff = 15,
        BuzzerOn = 16,
        BuzzerOff = 17,
        BoostOrBuck = 18,
        BoostOrBuckReturn = 19,
        OnBoost = 20,
        OnBuck = 21
    };
    Q_ENUM(AlarmCode)

    ~Alarm() override;

    static Alarm *instance();

    // The user-visible text of a code, translated now in the context "Alarm";
    // empty for a code without text.
    QString alarmText(int code) const;

#ifndef AMBREL_SERVICE
    // Empties the list (link lost, device opened anew).
    void clearAlarm();
    int alarmNum() const;

signals:
    void alarmNumChanged();
#endif

public slots:
    bool addAlarm(int code);
    void delAlarm(int code);
    void addEvent(int code);
    void onTimerEvent();

public:
#ifndef AMBREL_SERVICE
    // One map per entry, oldest first: "time" and "alarm" (its text now).
    Q_INVOKABLE QVariantList allAlarm() const;
#endif

private:
    Alarm();
    void notifyChanged();

    AlarmPrivate *d;
};

#endif // ALARM_H
