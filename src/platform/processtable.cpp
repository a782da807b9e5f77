#include "processtable.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// The kernel keeps at most this many bytes of a process's name.
constexpr int kCommLength = 15;

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

// "<pid>/<file>" into buffer; false when it does not fit.
bool entryPath(char *buffer, size_t size, const char *pid, const char *file)
{
    const size_t pidLength = std::strlen(pid);
    const size_t fileLength = std::strlen(file);
    if (pidLength + 1 + fileLength + 1 > size)
        return false;
    std::memcpy(buffer, pid, pidLength);
    buffer[pidLength] = '/';
    std::memcpy(buffer + pidLength + 1, file, fileLength + 1);
    return true;
}

// The program looked for, and what a process must show to run it. The file's
// identity is only looked up once a process with its name turns up.
class Wanted
{
public:
    explicit Wanted(const QString &executable)
        : path(QFile::encodeName(executable))
    {
        const QByteArray name = QFile::encodeName(QFileInfo(executable).fileName());
        comm = name.left(kCommLength);
    }

    bool nameMatches(const char *buffer, ssize_t length) const
    {
        if (length > 0 && buffer[length - 1] == '\n')
            --length;
        return length == comm.size() && ::strncasecmp(buffer, comm.constData(), size_t(length)) == 0;
    }

    // Whether the "exe" link of the process at entry (relative to proc)
    // leads to the program.
    bool isImage(int proc, const char *pid)
    {
        char path[64];
        if (!entryPath(path, sizeof path, pid, "exe"))
            return false;
        resolve();
        struct stat image;
        const bool readable = ::fstatat(proc, path, &image, 0) == 0;
        if (readable && fileFound && image.st_dev == file.st_dev && image.st_ino == file.st_ino)
            return true;

        // A program file replaced or removed while it runs keeps its old
        // inode, and the link says so.
        char target[PATH_MAX];
        const ssize_t n = ::readlinkat(proc, path, target, sizeof target);
        if (n <= 0 || n >= ssize_t(sizeof target))
            return false;
        static const QByteArray deleted(" (deleted)");
        const QByteArray link(target, int(n));
        if (!link.endsWith(deleted) || link.chopped(deleted.size()) != canonical)
            return false;
        return !readable || (folderFound && image.st_dev == folder.st_dev);
    }

private:
    void resolve()
    {
        if (resolved)
            return;
        resolved = true;
        fileFound = ::stat(path.constData(), &file) == 0;
        const QFileInfo info(QFile::decodeName(path));
        const QString canonicalFolder = info.absoluteDir().canonicalPath();
        folderFound = !canonicalFolder.isEmpty()
            && ::stat(QFile::encodeName(canonicalFolder).constData(), &folder) == 0;
        canonical = folderFound ? QFile::encodeName(canonicalFolder + QLatin1Char('/') + info.fileName())
                                : QFile::encodeName(info.absoluteFilePath());
    }

    QByteArray path;
    QByteArray comm;
    bool resolved = false;
    bool fileFound = false;
    bool folderFound = false;
    struct stat file {};
    struct stat folder {};
    QByteArray canonical;
};

// When the process at entry (relative to proc) started: field 22 of its
// "stat", which follows the name in parentheses (a name may hold spaces and
// parentheses of its own). 0 when it cannot be read.
quint64 startTime(int proc, const char *pid)
{
    char path[64];
    if (!entryPath(path, sizeof path, pid, "stat"))
        return 0;
    const int fd = ::openat(proc, path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    char line[1024];
    const ssize_t n = ::read(fd, line, sizeof line - 1);
    ::close(fd);
    if (n <= 0)
        return 0;
    line[n] = '\0';
    const char *field = std::strrchr(line, ')');
    for (int i = 3; i <= 22 && field; ++i)
        field = std::strchr(field + 1, ' ');
    return field ? std::strtoull(field + 1, nullptr, 10) : 0;
}

// The open "fd" and "fdinfo" folders of a process, or why they are not.
struct DescriptorFolders
{
    DescriptorFolders(const QByteArray &proc, qint64 pid)
    {
        const QByteArray folder = proc + '/' + QByteArray::number(pid);
        const int process = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (process < 0) {
            error = errno;
            return;
        }
        fds = ::openat(process, "fd", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        info = fds < 0 ? -1 : ::openat(process, "fdinfo", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        error = info < 0 ? errno : 0;
        ::close(process);
    }
    ~DescriptorFolders()
    {
        if (fds >= 0)
            ::close(fds);
        if (info >= 0)
            ::close(info);
    }
    DescriptorFolders(const DescriptorFolders &) = delete;
    DescriptorFolders &operator=(const DescriptorFolders &) = delete;

    int fds = -1;
    int info = -1;
    int error = 0;
};

// Whether the "flags:" line of a descriptor's fdinfo (octal) tells an open
// for reading and writing. O_PATH, which needs no right on the file at all,
// never counts.
bool openForReadingAndWriting(int info, const char *descriptor)
{
    const int fd = ::openat(info, descriptor, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char text[256];
    const ssize_t n = ::read(fd, text, sizeof text - 1);
    ::close(fd);
    if (n <= 0)
        return false;
    text[n] = '\0';
    const char *line = std::strstr(text, "\nflags:");
    if (!line)
        return false;
    char *end = nullptr;
    const unsigned long flags = std::strtoul(line + 7, &end, 8);
    return end != line + 7 && !(flags & O_PATH) && (flags & O_ACCMODE) == O_RDWR;
}

// A look through the descriptors of one process: what it may still read,
// and the descriptor it found.
struct Scan
{
    int budget = INT_MAX;
    int descriptor = -1;
    bool cut = false;

    // Whether the descriptor refers to the file and can talk to it.
    bool talks(const DescriptorFolders &folders, const char *name, dev_t device, ino_t inode)
    {
        struct stat file;
        --budget;
        if (::fstatat(folders.fds, name, &file, 0) != 0 || file.st_dev != device || file.st_ino != inode)
            return false;
        --budget;
        return openForReadingAndWriting(folders.info, name);
    }
};

// Looks through the descriptors of process pid, the one in scan first.
ProcessTable::Holding scanDescriptors(const QByteArray &proc, qint64 pid, dev_t device, ino_t inode, Scan &scan)
{
    using Holding = ProcessTable::Holding;
    if (pid <= 0)
        return Holding::No;
    DescriptorFolders folders(proc, pid);
    if (folders.error)
        return folders.error == ENOENT || folders.error == ESRCH ? Holding::No : Holding::Unknown;
    if (scan.descriptor >= 0) {
        char name[16];
        std::snprintf(name, sizeof name, "%d", scan.descriptor);
        if (scan.talks(folders, name, device, inode))
            return Holding::Yes;
    }
    scan.descriptor = -1;
    DIR *entries = ::fdopendir(::dup(folders.fds));
    if (!entries)
        return Holding::No;
    while (const dirent *entry = ::readdir(entries)) {
        if (scan.budget <= 0) {
            scan.cut = true;
            break;
        }
        if (entry->d_name[0] != '.' && scan.talks(folders, entry->d_name, device, inode)) {
            scan.descriptor = std::atoi(entry->d_name);
            break;
        }
    }
    ::closedir(entries);
    return scan.descriptor >= 0 ? Holding::Yes : Holding::No;
}

// How many descriptors process pid holds, as the size of its "fd" folder
// tells (0 where the system does not tell).
qint64 descriptorCount(const QByteArray &proc, qint64 pid)
{
    struct stat folder;
    const QByteArray path = proc + '/' + QByteArray::number(pid) + "/fd";
    return ::stat(path.constData(), &folder) == 0 ? qint64(folder.st_size) : 0;
}

} // namespace

QList<ProcessTable::Process> ProcessTable::processes(const QString &executable, const QString &procRoot)
{
    QList<Process> found;
    Wanted wanted(executable);
    if (QFileInfo(executable).fileName().isEmpty())
        return found;
    DIR *entries = ::opendir(QFile::encodeName(procRoot).constData());
    if (!entries)
        return found;
    // Every lookup is relative to the open folder.
    const int proc = ::dirfd(entries);
    // Only the name of each process is read; this runs over every process
    // of the machine.
    char path[64];
    char comm[kCommLength + 2];
    for (;;) {
        const dirent *entry = ::readdir(entries);
        if (!entry)
            break;
        if (!isPid(entry->d_name) || !entryPath(path, sizeof path, entry->d_name, "comm"))
            continue;
        const int fd = ::openat(proc, path, O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        const ssize_t n = ::read(fd, comm, sizeof comm);
        ::close(fd);
        if (wanted.nameMatches(comm, n) && wanted.isImage(proc, entry->d_name))
            found.append({std::strtoll(entry->d_name, nullptr, 10), startTime(proc, entry->d_name)});
    }
    ::closedir(entries);
    return found;
}

ProcessTable::Holding ProcessTable::holdsFile(qint64 pid, dev_t device, ino_t inode, const QString &procRoot)
{
    Scan scan;
    scan.budget = kLookBudget;
    return scanDescriptors(QFile::encodeName(procRoot), pid, device, inode, scan);
}

ProcessTable::Holder ProcessTable::findHolder(const QList<Process> &processes, const QString &path,
                                              const Holder &last, int budget, const QString &procRoot)
{
    Holder found;
    struct stat file;
    const QByteArray proc = QFile::encodeName(procRoot);
    if (::stat(QFile::encodeName(path).constData(), &file) != 0)
        return found;
    // A program that was not handed thousands of descriptors is found
    // however many others hold.
    QList<std::pair<qint64, Process>> order;
    for (const Process &process : processes)
        order.append({process == last.process ? -1 : descriptorCount(proc, process.pid), process});
    std::stable_sort(order.begin(), order.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    const int procFolder = ::open(proc.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    Scan scan;
    scan.budget = budget;
    for (const auto &entry : order) {
        if (scan.budget <= 0) {
            scan.cut = true;
            break;
        }
        const Process &process = entry.second;
        scan.descriptor = process == last.process ? last.descriptor : -1;
        const Holding holding = scanDescriptors(proc, process.pid, file.st_dev, file.st_ino, scan);
        // Asked afterwards: an id that still names the process then named it
        // throughout.
        const bool same = holding != Holding::No && procFolder >= 0
            && startTime(procFolder, QByteArray::number(process.pid).constData()) == process.started;
        if (same && holding == Holding::Yes) {
            found = {Holding::Yes, process, scan.descriptor, false};
            break;
        }
        if (same)
            found.holding = Holding::Unknown;
    }
    if (procFolder >= 0)
        ::close(procFolder);
    found.cut = scan.cut;
    return found;
}

bool ProcessTable::owner(qint64 pid, uid_t *user, const QString &procRoot)
{
    if (pid <= 0)
        return false;
    // The line "Uid:" comes early in the status: real, effective, saved and
    // file system user ids.
    const QByteArray path = QFile::encodeName(procRoot) + '/' + QByteArray::number(pid) + "/status";
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char text[1024];
    const ssize_t n = ::read(fd, text, sizeof text);
    ::close(fd);
    const QByteArray status(text, int(qMax<ssize_t>(n, 0)));
    const int line = status.indexOf("\nUid:");
    if (line < 0)
        return false;
    bool ok = false;
    const qulonglong id = status.mid(line + 5, status.indexOf('\n', line + 1) - line - 5)
                              .simplified().split(' ').value(0).toULongLong(&ok);
    *user = uid_t(id);
    return ok;
}
