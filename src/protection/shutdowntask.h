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

protected:
    void run() override;

private:
    const QString execFile;
};

#endif // SHUTDOWNTASK_H
