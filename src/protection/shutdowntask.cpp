#include "shutdowntask.h"

#include "platform/platform.h"

#include <QDebug>

ShutDownTask::ShutDownTask(const QString &file)
    : QThread(nullptr), execFile(file)
{
}

ShutDownTask::~ShutDownTask() = default;

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
