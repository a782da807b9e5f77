#include "shutdowntask.h"

#include "platform/platform.h"

#include <QDebug>
#include <QList>

#include <algorithm>

ShutDownTask::ShutDownTask(const QString &file)
    : QThread(nullptr), execFile(file)
{
}

ShutDownTask::~ShutDownTask() = default;

ShutDownTask *ShutDownTask::startFor(const QString &file)
{
    static QList<ShutDownTask *> running;
    running.erase(std::remove_if(running.begin(), running.end(), [](ShutDownTask *task) { return !task->isRunning(); }),
                  running.end());
    for (ShutDownTask *task : qAsConst(running)) {
        if (task->execFile == file) {
            qWarning().noquote() << "The command file" << file
                                 << "still runs from an earlier countdown: it is not started a second time.";
            return task;
        }
    }
    ShutDownTask *task = new ShutDownTask(file);
    running.append(task);
    task->start(QThread::InheritPriority);
    return task;
}

void ShutDownTask::run()
{
    qInfo() << "Execute command file:" << execFile;
#ifdef AMBREL_SERVICE
    // The service may have rights that the file's user has not.
    Platform::instance()->runCommandFile(execFile, true);
#else
    Platform::instance()->runCommandFile(execFile, false);
#endif
}
