#include "processtable.h"

#include <QByteArray>
#include <QFile>

#include <cctype>
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

namespace {

bool isPid(const char *name)
{
    if (!*name)
        return false;
    for (; *name; ++name) {
        if (!std::isdigit(static_cast<unsigned char>(*name)))
            return false;
    }
    return true;
}

// The process's name, without the line break; empty when it cannot be read.
QByteArray readComm(const QByteArray &dir)
{
    const int fd = ::open((dir + "/comm").constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    char buffer[64];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    ::close(fd);
    if (n <= 0)
        return {};
    QByteArray name(buffer, int(n));
    if (name.endsWith('\n'))
        name.chop(1);
    return name;
}

// The file name of the process's executable; empty when the link cannot be
// read (another user's process, a kernel thread, a process that has ended).
QByteArray readExeName(const QByteArray &dir)
{
    char target[PATH_MAX];
    const ssize_t n = ::readlink((dir + "/exe").constData(), target, sizeof target);
    if (n <= 0)
        return {};
    QByteArray path(target, int(n));
    // An executable replaced or removed while it runs.
    static const QByteArray deleted(" (deleted)");
    if (path.endsWith(deleted))
        path.chop(deleted.size());
    return path.mid(path.lastIndexOf('/') + 1);
}

} // namespace

bool ProcessTable::hasImage(const QString &imageName, const QString &procRoot)
{
    const QByteArray wanted = imageName.toLower().toUtf8();
    if (wanted.isEmpty())
        return false;
    const QByteArray root = QFile::encodeName(procRoot);
    DIR *proc = ::opendir(root.constData());
    if (!proc)
        return false;
    bool found = false;
    while (!found) {
        const dirent *entry = ::readdir(proc);
        if (!entry)
            break;
        if (!isPid(entry->d_name))
            continue;
        const QByteArray dir = root + '/' + entry->d_name;
        found = QString::fromUtf8(readComm(dir)).toLower().toUtf8() == wanted
                || QString::fromUtf8(readExeName(dir)).toLower().toUtf8() == wanted;
    }
    ::closedir(proc);
    return found;
}
