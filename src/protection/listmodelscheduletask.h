#ifndef LISTMODELSCHEDULETASK_H
#define LISTMODELSCHEDULETASK_H

#include <QDateTime>
#include <QSqlTableModel>
#include <QVariant>

// The scheduled tasks of the schedule_task table. Every change made through
// the model is written to the table at once. Each column is a role from 256
// on, named after the column; the "time" role shows the task's next run.
class ListModelScheduleTask : public QSqlTableModel
{
    Q_OBJECT

public:
    explicit ListModelScheduleTask(QObject *parent = nullptr);
    ~ListModelScheduleTask() override;

    enum { FirstColumnRole = 256 };

    // The next run of a row's record after the second of `after` (now when
    // invalid); invalid for an unknown cycle or an unreadable time.
    static QDateTime nextRun(const QSqlRecord &record, const QDateTime &after = QDateTime());

#ifndef AMBREL_SERVICE
    // task: a map with "cycle", "time", "action" and "enable".
    Q_INVOKABLE void addTask(QVariant task);
    Q_INVOKABLE void delTask(int row);
    // task: a map with "cycle", "time" and "action".
    Q_INVOKABLE void updateTask(int row, QVariant task);
#endif

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QHash<int, QByteArray> roleNames() const override;
    // Selected again once the store is free when another program holds it locked.
    bool select() override;

signals:
    void taskChanged();

protected:
    // Every write of the model to the table; the store hears of each outcome.
    bool updateRowInTable(int row, const QSqlRecord &values) override;
    bool insertRowIntoTable(const QSqlRecord &values) override;
    bool deleteRowFromTable(int row) override;
};

#endif // LISTMODELSCHEDULETASK_H
