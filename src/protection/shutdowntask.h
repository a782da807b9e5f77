#ifndef SHUTDOWNTASK_H
#define SHUTDOWNTASK_H

#include <QString>
#include <QThread>

// Runs the user's command file on a thread of its own and waits for its end,
// so that the shutdown countdown goes on meanwhile. The inherited finished()
// signal tells that the file has ended (or could not be started).
class ShutDownTask : public QThread
{
    Q_OBJECT

public:
    explicit ShutDownTask(const QString &execFile);
    ~ShutDownTask() override;

    // A run of the file: a new one, started, or the one that still runs
    // from an earlier countdown (cancelled meanwhile), which the log then
    // names: the file never runs twice at once. The objects are kept until
    // the process ends. Main thread only.
    static ShutDownTask *startFor(const QString &execFile);

protected:
    void run() override;

private:
    const QString execFile;
};

#endif // SHUTDOWNTASK_H
