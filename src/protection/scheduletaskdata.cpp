#include "scheduletaskdata.h"

class ScheduleTaskDataPrivate
{
public:
    int cycle = 0;
    QString time;
    int action = 0;
    bool enable = false;
};

ScheduleTaskData::ScheduleTaskData(QObject *parent)
    : QObject(parent), d(new ScheduleTaskDataPrivate)
{
}

ScheduleTaskData::~ScheduleTaskData()
{
    delete d;
}

#ifndef AMBREL_SERVICE
int ScheduleTaskData::cycle() const
{
    return d->cycle;
}

void ScheduleTaskData::setCycle(int cycle)
{
    if (d->cycle == cycle)
        return;
    d->cycle = cycle;
    emit cycleChanged();
}

QString ScheduleTaskData::time() const
{
    return d->time;
}

void ScheduleTaskData::setTime(const QString &time)
{
    if (d->time == time)
        return;
    d->time = time;
    emit timeChanged();
}

int ScheduleTaskData::action() const
{
    return d->action;
}

void ScheduleTaskData::setAction(int action)
{
    if (d->action == action)
        return;
    d->action = action;
    emit actionChanged();
}

bool ScheduleTaskData::enable() const
{
    return d->enable;
}

void ScheduleTaskData::setEnable(bool enable)
{
    if (d->enable == enable)
        return;
    d->enable = enable;
    emit enableChanged();
}
#endif
