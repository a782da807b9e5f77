#ifndef SCHEDULETASKDATA_H
#define SCHEDULETASKDATA_H

#include <QObject>
#include <QString>

class ScheduleTaskDataPrivate;

// One scheduled task as the task editor holds it, and the vocabulary of the
// schedule_task table (how often a task repeats, what it does).
class ScheduleTaskData : public QObject
{
    Q_OBJECT
#ifndef AMBREL_SERVICE
    Q_PROPERTY(int cycle READ cycle WRITE setCycle NOTIFY cycleChanged)
    Q_PROPERTY(QString time READ time WRITE setTime NOTIFY timeChanged)
    Q_PROPERTY(int action READ action WRITE setAction NOTIFY actionChanged)
    Q_PROPERTY(bool enable READ enable WRITE setEnable NOTIFY enableChanged)
#endif

public:
    enum ScheduleTaskCycle {
        OneShoot = 0,
        EveryDay = 1,
        EveryWeek = 2,
        EveryMonth = 3
    };
    Q_ENUM(ScheduleTaskCycle)

    enum ScheduleTaskAction {
        SelfTest10S = 0,
        SelfTestToEOD = 1,
        PowerOn = 2,
        PowerOff = 3
    };
    Q_ENUM(ScheduleTaskAction)

    explicit ScheduleTaskData(QObject *parent = nullptr);
    ~ScheduleTaskData() override;

#ifndef AMBREL_SERVICE
    int cycle() const;
    void setCycle(int cycle);
    QString time() const;
    void setTime(const QString &time);
    int action() const;
    void setAction(int action);
    bool enable() const;
    void setEnable(bool enable);
#endif

signals:
    void cycleChanged();
    void timeChanged();
    void actionChanged();
    void enableChanged();

private:
    ScheduleTaskDataPrivate *d;
};

#endif // SCHEDULETASKDATA_H
