#ifndef PROCESSTABLE_H
#define PROCESSTABLE_H

#include <QString>

// The processes of the machine as /proc lists them.
class ProcessTable
{
public:
    // Whether a process runs whose name (its "comm") or the file name of
    // whose executable (where its "exe" link can be read) equals imageName,
    // both lower-cased. An entry that vanishes or cannot be read while it is
    // being looked at counts as absent. procRoot is "/proc" but for tests.
    static bool hasImage(const QString &imageName, const QString &procRoot = QStringLiteral("/proc"));
};

#endif // PROCESSTABLE_H
