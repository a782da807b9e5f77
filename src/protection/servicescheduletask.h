#ifndef SERVICESCHEDULETASK_H
#define SERVICESCHEDULETASK_H

#include <QObject>

class ListModelScheduleTask;
class ServiceScheduleTaskPrivate;

// Runs the scheduled tasks of its model when they are due: UPS self-tests,
// switching the UPS output back on, or the shutdown countdown. A one-shot
// task is switched off after it ran. Times that pass while the program does
// not run are not made up.
class ServiceScheduleTask : public QObject
{
    Q_OBJECT

public:
    explicit ServiceScheduleTask(QObject *parent = nullptr);
    ~ServiceScheduleTask() override;

#ifdef AMBREL_SERVICE
    static ServiceScheduleTask *instance();
#endif

    // Builds the list of due times anew and starts the one-second tick.
    void reload();

    ListModelScheduleTask *model() const;

private:
    void onTick();
    void rebuild();
    void execute(int row);

    friend class ServiceScheduleTaskPrivate;
    friend class TestServiceScheduleTask;

    ServiceScheduleTaskPrivate *d;
};

#endif // SERVICESCHEDULETASK_H
