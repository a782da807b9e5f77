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
    Platform::instance()->runCommandFile(execFile);
}
