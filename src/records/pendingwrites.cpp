#include "pendingwrites.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimer>

namespace {

// How often a locked store is tried again.
const int kRetryMs = 1000;
// How long one slice of waiting statements may hold the main thread.
const int kSliceMs = 20;
// How long statements wait before the lock is told: a short read of a
// workbook export on its own connection holds the store for a moment.
const int kTellAfterMs = 5000;

// SQLite's primary result codes for a store held by another connection.
const int kBusy = 5;
const int kLocked = 6;

struct Statement
{
    QString text;
    QVariantList values;
};

QSqlDatabase store()
{
    return QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
}

QByteArray storePath()
{
    return QFile::encodeName(store().databaseName());
}

} // namespace

class PendingWritesPrivate
{
public:
    explicit PendingWritesPrivate(PendingWrites *owner) : q(owner) {}

    static QSqlError run(const Statement &statement);
    void hold(const Statement &statement);
    // Writes what waits, for about `budgetMs`, in one transaction; false
    // when the store is still locked.
    bool drain(int budgetMs);
    void becameFree();
    void programEnds();

    PendingWrites *q;
    QList<Statement> waiting;
    QTimer retry;
    // Since the first waiting statement found the store locked.
    QElapsedTimer lockedFor;
    bool lockTold = false;
    bool readWaits = false;
    int dropped = 0;
};

QSqlError PendingWritesPrivate::run(const Statement &statement)
{
    QSqlQuery query(store());
    if (!query.prepare(statement.text))
        return query.lastError();
    for (const QVariant &value : statement.values)
        query.addBindValue(value);
    return query.exec() ? QSqlError() : query.lastError();
}

void PendingWritesPrivate::hold(const Statement &statement)
{
    if (waiting.size() < PendingWrites::MaxWaiting) {
        waiting.append(statement);
        return;
    }
    if (dropped++ == 0) {
        qWarning("%d rows wait for the database %s, which another program holds locked: later ones are dropped "
                 "until it is free.",
                 int(PendingWrites::MaxWaiting), storePath().constData());
    }
    emit q->droppedChanged();
}

bool PendingWritesPrivate::drain(int budgetMs)
{
    if (waiting.isEmpty()) { // only a read waits
        if (PendingWrites::isLocked()) {
            retry.start(kRetryMs);
            return false;
        }
        becameFree();
        return true;
    }
    QSqlQuery control(store());

    QElapsedTimer slice;
    slice.start();
    QSqlError error;
    int done = 0;
    bool committing = false;
    if (!control.exec(QStringLiteral("begin immediate")))
        error = control.lastError();
    while (!error.isValid() && done < waiting.size() && (done == 0 || slice.elapsed() < budgetMs)) {
        error = run(waiting.at(done));
        if (!error.isValid())
            ++done;
    }
    if (!error.isValid()) {
        committing = true;
        if (!control.exec(QStringLiteral("commit")))
            error = control.lastError();
    }

    if (PendingWrites::isLocked(error)) {
        control.exec(QStringLiteral("rollback"));
        if (!lockTold && lockedFor.elapsed() >= kTellAfterMs) {
            lockTold = true;
            emit q->ran(false, error);
        }
        retry.start(kRetryMs);
        return false;
    }
    if (error.isValid()) {
        // Not a lock: what failed is not kept, as a write made at once is not.
        control.exec(QStringLiteral("rollback"));
        const int first = committing ? 0 : done;
        const int failed = committing ? done : 1;
        waiting.erase(waiting.begin() + first, waiting.begin() + first + failed);
    } else {
        waiting.erase(waiting.begin(), waiting.begin() + done);
    }
    emit q->ran(!error.isValid(), error);
    if (waiting.isEmpty())
        becameFree();
    else
        retry.start(0);
    return true;
}

void PendingWritesPrivate::becameFree()
{
    retry.stop();
    lockTold = false;
    readWaits = false;
    lockedFor.invalidate();
    if (dropped) {
        qWarning("%d rows that found no room to wait for the database %s were dropped.", dropped, storePath().constData());
        dropped = 0;
        emit q->droppedChanged();
    }
    emit q->available();
}

void PendingWritesPrivate::programEnds()
{
    // One last slice: the end of the program (the UPS told to cancel) does
    // not wait for more.
    if (waiting.isEmpty() || (drain(kSliceMs) && waiting.isEmpty()))
        return;
    const QString before = dropped ? QStringLiteral(" (%1 more were dropped before)").arg(dropped) : QString();
    qWarning("As the program ends, %d rows that waited for the database %s are not written%s.", int(waiting.size()),
             storePath().constData(), qPrintable(before));
}

PendingWrites::PendingWrites(QObject *parent)
    : QObject(parent), d(new PendingWritesPrivate(this))
{
    d->retry.setSingleShot(true);
    connect(&d->retry, &QTimer::timeout, this, [this] { d->drain(kSliceMs); });
    if (QCoreApplication::instance())
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, [this] { d->programEnds(); });
}

PendingWrites::~PendingWrites()
{
    delete d;
}

bool PendingWrites::isLocked(const QSqlError &error)
{
    const int code = error.nativeErrorCode().toInt() & 0xff;
    return error.isValid() && (code == kBusy || code == kLocked);
}

bool PendingWrites::isLocked()
{
    QSqlQuery probe(store());
    return !probe.exec(QStringLiteral("select count(*) from sqlite_master")) && isLocked(probe.lastError());
}

void PendingWrites::submit(const QString &statement, const QVariantList &values)
{
    const QSqlDatabase db = store();
    // A connection that did not open is not tried again at every reading;
    // its reason was told when it failed.
    if (!db.isOpen()) {
        emit ran(false, db.lastError());
        return;
    }
    const Statement next{statement, values};
    if (!d->waiting.isEmpty()) {
        d->hold(next);
        return;
    }
    const QSqlError error = d->run(next);
    if (!isLocked(error)) {
        emit ran(!error.isValid(), error);
        return;
    }
    d->lockedFor.start();
    d->hold(next);
    d->retry.start(kRetryMs);
}

void PendingWrites::awaitFree()
{
    d->readWaits = true;
    if (!d->retry.isActive())
        d->retry.start(kRetryMs);
}

void PendingWrites::retrySoon()
{
    if (!d->waiting.isEmpty() || d->readWaits)
        d->retry.start(0);
}

int PendingWrites::waiting() const
{
    return d->waiting.size();
}

int PendingWrites::dropped() const
{
    return d->dropped;
}
