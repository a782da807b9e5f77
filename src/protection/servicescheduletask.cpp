#include "servicescheduletask.h"

#include "records/clock.h"
#include "records/database.h"
#include "link/devcomm.h"
#include "listmodelscheduletask.h"
#include "scheduletaskdata.h"
#include "serviceshutdown.h"

#include <QList>
#include <QSqlRecord>
#include <QTimer>

namespace {
// Never due: the value of a task without a next run.
const quint32 kNever = 0xFFFFFFFFu;
// UPS self-test types.
const int kSelfTest10S = 2;
const int kSelfTestEOD = 3;

// A task's UPS command that would wait in the link is dropped, with a line
// that names it: while the desktop program has the service's link, it would
// reach the UPS only when the service takes the link back, however late.
bool dropped(int action, const QSqlRecord &record)
{
#ifdef AMBREL_SERVICE
    static const char *const commands[] = {"self-test of 10 seconds", "self-test to the end of discharge",
                                           "switch-on of the UPS output"};
    if (action >= ScheduleTaskData::SelfTest10S && action <= ScheduleTaskData::PowerOn
        && !DevComm::instance()->isStarted()) {
        qInfo("The scheduled %s, due at %s, is dropped: the desktop program has the UPS link.", commands[action],
              qPrintable(record.value(QStringLiteral("time")).toString()));
        return true;
    }
#else
    Q_UNUSED(action)
    Q_UNUSED(record)
#endif
    return false;
}
} // namespace

class ServiceScheduleTaskPrivate
{
public:
    struct Entry
    {
        quint32 when; // seconds since 1970-01-01 00:00 UTC
        int row;
    };

    ServiceScheduleTask *q = nullptr;
    QTimer *timer = nullptr;
    ListModelScheduleTask *model = nullptr;
    QList<Entry> dueList;
    bool dirty = false;
    // The moment up to which due times have been looked at: the last tick,
    // or the first reload before any tick. A rebuild keeps every time after
    // it as due, so a task due in the second of a change (or between the
    // previous tick and this one) still runs.
    QDateTime checkedUntil;
};

ServiceScheduleTask::ServiceScheduleTask(QObject *parent)
    : QObject(parent), d(new ServiceScheduleTaskPrivate)
{
    d->q = this;
    d->timer = new QTimer;
    d->model = new ListModelScheduleTask;
    connect(d->timer, &QTimer::timeout, this, &ServiceScheduleTask::onTick);
    connect(d->model, &QAbstractItemModel::dataChanged, this, [this] {
        d->dirty = true;
        d->timer->start(1000);
    });
    // The tasks could not be read, or a one-shot task's switch-off waited,
    // while another program held the store.
    connect(Database::instance(), &Database::available, this, [this] { d->dirty = true; });
}

ServiceScheduleTask::~ServiceScheduleTask()
{
    delete d->timer;
    delete d->model;
    delete d;
}

#ifdef AMBREL_SERVICE
ServiceScheduleTask *ServiceScheduleTask::instance()
{
    static ServiceScheduleTask *service = new ServiceScheduleTask;
    return service;
}
#endif

void ServiceScheduleTask::reload()
{
    if (!d->checkedUntil.isValid())
        d->checkedUntil = Clock::now();
    rebuild();
    d->timer->start(1000);
}

ListModelScheduleTask *ServiceScheduleTask::model() const
{
    return d->model;
}

void ServiceScheduleTask::rebuild()
{
    d->dueList.clear();
    d->model->select();
    for (int row = 0; row < d->model->rowCount(); ++row) {
        const QSqlRecord record = d->model->record(row);
        if (!record.value(QStringLiteral("enable")).toBool())
            continue;
        const QDateTime next = ListModelScheduleTask::nextRun(record, d->checkedUntil);
        const quint32 when = next.isValid() ? quint32(next.toSecsSinceEpoch()) : kNever;
        d->dueList.append({when, row});
    }
}

void ServiceScheduleTask::onTick()
{
    const QDateTime clock = Clock::now();
    const quint32 now = quint32(clock.toSecsSinceEpoch());
    if (d->dirty) {
        d->dirty = false;
        rebuild();
    }
    bool ran = false;
    // A copy: running a task may change the model, never this round's list.
    const QList<ServiceScheduleTaskPrivate::Entry> due = d->dueList;
    for (const ServiceScheduleTaskPrivate::Entry &entry : due) {
        if (now >= entry.when) {
            execute(entry.row);
            ran = true;
        }
    }
    d->checkedUntil = clock;
    // Each task's next time is taken from now on, so no due time runs twice.
    if (ran)
        rebuild();
}

void ServiceScheduleTask::execute(int row)
{
    const QSqlRecord record = d->model->record(row);
    const int action = record.value(QStringLiteral("action")).toInt();
    switch (dropped(action, record) ? -1 : action) {
    case ScheduleTaskData::SelfTest10S:
        DevComm::instance()->setSelfTest(kSelfTest10S, 0);
        break;
    case ScheduleTaskData::SelfTestToEOD:
        DevComm::instance()->setSelfTest(kSelfTestEOD, 0);
        break;
    case ScheduleTaskData::PowerOn:
        DevComm::instance()->setShutdown(false, 0);
        break;
    case ScheduleTaskData::PowerOff:
        ServiceShutdown::instance()->startCountdown(0);
        break;
    default:
        break;
    }
    if (record.value(QStringLiteral("cycle")).toInt() == ScheduleTaskData::OneShoot) {
        // Written once the store is free, should another program hold it.
        // The tick selects the tasks again once this round's have run.
        Database::instance()->write(QStringLiteral("update %1 set enable = ? where id = ?").arg(d->model->tableName()),
                                    {false, record.value(QStringLiteral("id"))});
    }
}
