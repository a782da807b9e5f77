#include "programwatch.h"

#include "processtable.h"

#include <QFile>
#include <QFileInfo>

#include <sys/inotify.h>
#include <unistd.h>

namespace {

// A look that reads the table whatever the events say.
constexpr int kLooksBetweenReads = 30;
// An exec is told before the process takes the program's name: the look
// after it reads the table again.
constexpr int kReadsAfterEvent = 2;

constexpr uint32_t kFileEvents = IN_OPEN | IN_CLOSE_NOWRITE;
constexpr uint32_t kFolderEvents = IN_OPEN | IN_CLOSE_NOWRITE | IN_CREATE | IN_MOVED_TO | IN_DELETE | IN_MOVED_FROM
    | IN_DELETE_SELF | IN_MOVE_SELF;

} // namespace

class ProgramWatchPrivate
{
public:
    // Whether anything has happened to the program file since the last look.
    bool eventsPending();
    void watch();

    QString executable;
    QString folderPath;
    QString procRoot;
    QByteArray name;
    int events = -1;
    int folderWatch = -1;
    int readsDue = 1;
    int looks = 0;
    QList<ProcessTable::Process> running;
};

bool ProgramWatchPrivate::eventsPending()
{
    bool pending = false;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(events, buffer, sizeof buffer);
        if (n <= 0)
            return pending;
        for (ssize_t at = 0; at < n;) {
            const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
            // Of the folder's files only the program's own count; lost
            // events, or a folder that went away, count as any.
            pending = pending || event->wd != folderWatch
                || (event->mask & (IN_Q_OVERFLOW | IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED))
                || (event->len > 0 && name == event->name);
            at += ssize_t(sizeof(inotify_event) + event->len);
        }
    }
}

// The file's own watch sees it started under any path (a link, another
// mount); a file or folder put in the place of the watched one gets a watch
// of its own.
void ProgramWatchPrivate::watch()
{
    if (events < 0)
        return;
    const int folder = ::inotify_add_watch(events, QFile::encodeName(folderPath).constData(), kFolderEvents);
    if (folder >= 0)
        folderWatch = folder;
    ::inotify_add_watch(events, QFile::encodeName(executable).constData(), kFileEvents);
}

ProgramWatch::ProgramWatch(const QString &executable, const QString &procRoot)
    : d(new ProgramWatchPrivate)
{
    d->executable = executable;
    d->procRoot = procRoot;
    const QFileInfo info(executable);
    d->name = QFile::encodeName(info.fileName());
    d->folderPath = info.absolutePath();
    d->events = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    d->watch();
    if (d->events >= 0 && d->folderWatch < 0) {
        ::close(d->events);
        d->events = -1;
    }
}

ProgramWatch::~ProgramWatch()
{
    if (d->events >= 0)
        ::close(d->events);
    delete d;
}

QList<ProcessTable::Process> ProgramWatch::processes()
{
    if (d->events < 0 || d->eventsPending())
        d->readsDue = kReadsAfterEvent;
    if (++d->looks >= kLooksBetweenReads)
        d->readsDue = qMax(d->readsDue, 1);
    if (d->readsDue == 0)
        return d->running;
    --d->readsDue;
    d->looks = 0;
    d->watch();
    d->running = ProcessTable::processes(d->executable, d->procRoot);
    return d->running;
}
