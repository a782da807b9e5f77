#ifndef SHUTDOWNLOG_H
#define SHUTDOWNLOG_H

#include "platform/platform.h"

#include <QString>

// The shutdown log: the visible windows at the moment of a shutdown request,
// as a JSON object from window class name to the array of its titles.
class ShutdownLog
{
public:
    // "<data directory>/data/shutdown.log".
    static QString path();

    // Replaces the file at path with the log of these windows (classes in
    // ascending order, titles in list order; windows without a class or a
    // title left out). A file that cannot be opened is skipped silently.
    static void write(const QString &path, const QList<Platform::Window> &windows);
};

#endif // SHUTDOWNLOG_H
