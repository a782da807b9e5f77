#ifndef PENDINGWRITES_H
#define PENDINGWRITES_H

#include <QObject>
#include <QString>
#include <QVariant>

class PendingWritesPrivate;
class QSqlError;

// The statements that store readings, alarms, self-tests and the schedule's
// own changes, run on the default connection without ever waiting for a
// lock: while another connection holds the store (a database browser, a
// backup), they wait here in their order and are written once it is free,
// in short slices between the events of the main thread. At most MaxWaiting
// wait; later ones are dropped and counted until the store is free again.
class PendingWrites : public QObject
{
    Q_OBJECT

public:
    enum { MaxWaiting = 10000 };

    explicit PendingWrites(QObject *parent = nullptr);
    ~PendingWrites() override;

    // Whether SQLite's error means that another connection holds the store;
    // whether it holds it now.
    static bool isLocked(const QSqlError &error);
    static bool isLocked();

    // Runs the statement with its values bound in order now, or after those
    // that wait.
    void submit(const QString &statement, const QVariantList &values);
    // A read found the store locked: available() follows once it is free.
    void awaitFree();
    // Tries again at once (the store has just taken a write).
    void retrySoon();

    // Statements that wait, and those dropped since the store was last free.
    int waiting() const;
    int dropped() const;

signals:
    // The outcome of a statement that ran (one that found the store locked
    // and waits has none yet), or the lock that has held waiting statements
    // for a few seconds: to be told as a failure.
    void ran(bool ok, const QSqlError &error);
    // What waited has been written (or the read that waited may run).
    void available();
    void droppedChanged();

private:
    PendingWritesPrivate *d;
};

#endif // PENDINGWRITES_H
