// Figures of the service's process check, which asks once a second whether
// the desktop program runs: with 300 processes (sleeping children, none of
// them the desktop program), the CPU time of the check as the service makes
// it and what that adds up to in a minute, and the time of one reading of the
// whole process table. Run as root, it runs in a PID namespace of its own, so
// that the count is exactly 300; otherwise the machine's own processes are
// counted too. Argument: the number of checks measured (default 3000).
//
// Then the look for a desktop process that holds the UPS device, during the
// ten seconds of a hand-over's trial, with 60 desktop processes that do not
// hold it, each with 19,984 descriptors (of another file, or of the device
// opened only to name it): the looks made, their CPU time, and how late a
// timer of the main thread (the poll, the countdown) came at worst. When the
// service looked through every descriptor on the main thread, a tick cost
// 5.5 to 10.6 s of its CPU here (another file), so that only 2 ticks came in
// the 10 s and a main-thread timer came up to 6.9 s late; an O_PATH
// descriptor counted as holding the device. Now a look costs about 0.1 s on a
// worker, one a tick, and the main thread is not held.

#include "platform/platform.h"
#include "platform/processtable.h"

#include "timerlateness.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFutureWatcher>
#include <QTemporaryDir>
#include <QtConcurrent/QtConcurrentRun>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const int kProcesses = 300;
// Desktop processes that do not hold the UPS device, each with this many
// descriptors (one process may hold at most 20,000 here).
const int kHolders = 60;
const int kDescriptors = 19984;
const int kTrialMs = 10000;
const char kInside[] = "AMBREL_BENCH_OWN_PID_NAMESPACE";

int countProcesses()
{
    int count = 0;
    DIR *proc = ::opendir("/proc");
    if (!proc)
        return 0;
    while (const dirent *entry = ::readdir(proc)) {
        if (entry->d_name[0] >= '1' && entry->d_name[0] <= '9')
            ++count;
    }
    ::closedir(proc);
    return count;
}

// The CPU time of the process, or of the calling thread.
double cpuSeconds(clockid_t clock = CLOCK_PROCESS_CPUTIME_ID)
{
    timespec now;
    ::clock_gettime(clock, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// Starts a desktop process (program) with kDescriptors descriptors of target,
// opened with flags.
pid_t startHolder(const QByteArray &program, const QByteArray &target, int flags)
{
    const pid_t child = ::fork();
    if (child != 0)
        return child;
    rlimit files;
    ::getrlimit(RLIMIT_NOFILE, &files);
    files.rlim_cur = files.rlim_max;
    ::setrlimit(RLIMIT_NOFILE, &files);
    const int fd = ::open(target.constData(), flags);
    for (int i = 1; i < kDescriptors && fd >= 0; ++i)
        ::dup(fd);
    ::execl(program.constData(), "ambrel", "3600", static_cast<char *>(nullptr));
    ::_exit(127);
}

// One trial as the service makes it: a tick a second starts a look on a
// worker unless one still runs.
void measureTrial(const char *what, const char *target, int flags)
{
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("ambrel"));
    const QString device = dir.filePath(QStringLiteral("ttyUPS"));
    QFile(device).open(QIODevice::WriteOnly);
    if (!QFile::copy(QStringLiteral("/bin/sleep"), program))
        return;
    std::vector<pid_t> children;
    const QByteArray opened = target ? QByteArray(target) : QFile::encodeName(device);
    for (int i = 0; i < kHolders; ++i)
        children.push_back(startHolder(QFile::encodeName(program), opened, flags));
    QList<ProcessTable::Process> desktop;
    for (int i = 0; i < 100 && desktop.size() < kHolders; ++i) {
        ::usleep(50000);
        desktop = ProcessTable::processes(program);
    }

    QFutureWatcher<std::pair<ProcessTable::Holder, double>> look;
    int looks = 0, holding = 0;
    double cpu = 0, longest = 0;
    ProcessTable::Holder last;
    QObject::connect(&look, &QFutureWatcherBase::finished, [&] {
        ++looks;
        last = look.result().first;
        holding += last.holding == ProcessTable::Holding::Yes;
        cpu += look.result().second;
        longest = qMax(longest, look.result().second);
    });
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (look.isRunning())
            return;
        look.setFuture(QtConcurrent::run([&desktop, &device, last] {
            const double before = cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
            const ProcessTable::Holder found = Platform::instance()->findHolder(desktop, device, last);
            return std::make_pair(found, cpuSeconds(CLOCK_THREAD_CPUTIME_ID) - before);
        }));
    });
    TimerLateness lateness;
    tick.start(1000);
    QElapsedTimer trial;
    trial.start();
    while (trial.elapsed() < kTrialMs + 200 || look.isRunning())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);

    std::printf("hold check, %d desktop processes with %d descriptors each (%s)%s\n", int(desktop.size()),
                kDescriptors, what, holding ? ", counted as holding" : "");
    std::printf("  looks in a trial of %d s:    %d%s\n", kTrialMs / 1000, looks,
                last.cut ? " (each cut at its budget)" : "");
    std::printf("  CPU per look:               %.0f ms (%.0f ms at most)\n", cpu / qMax(1, looks) * 1e3,
                longest * 1e3);
    std::printf("  main-thread timer late by:  %lld ms at most\n", lateness.worstMs());
    for (const pid_t child : children)
        ::kill(child, SIGKILL);
    for (const pid_t child : children)
        ::waitpid(child, nullptr, 0);
}

} // namespace

int main(int argc, char *argv[])
{
    if (::geteuid() == 0 && !std::getenv(kInside)) {
        ::setenv(kInside, "1", 1);
        char self[4096];
        const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
        if (n > 0) {
            self[n] = '\0';
            std::vector<char *> args{const_cast<char *>("unshare"), const_cast<char *>("-p"),
                                     const_cast<char *>("-f"), const_cast<char *>("--kill-child"),
                                     const_cast<char *>("--mount-proc"), self};
            for (int i = 1; i < argc; ++i)
                args.push_back(argv[i]);
            args.push_back(nullptr);
            ::execvp("unshare", args.data());
        }
        std::fprintf(stderr, "no PID namespace of its own: the machine's processes count too\n");
    }
    QCoreApplication app(argc, argv);
    const int checks = argc > 1 ? qMax(100, std::atoi(argv[1])) : 3000;

    std::vector<pid_t> children;
    while (countProcesses() < kProcesses) {
        const pid_t child = ::fork();
        if (child == 0) {
            ::execl("/bin/sleep", "sleep", "3600", static_cast<char *>(nullptr));
            ::_exit(127);
        }
        if (child < 0)
            break;
        children.push_back(child);
    }
    // Each child has its own name once it runs sleep.
    ::usleep(200000);

    // The service looks for the file "ambrel" beside itself.
    const QString desktop = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("ambrel"));
    Platform *platform = Platform::instance();
    bool found = !platform->processesRunning(desktop).isEmpty();
    const double before = cpuSeconds();
    for (int i = 0; i < checks; ++i)
        found = !platform->processesRunning(desktop).isEmpty() || found;
    const double perCheck = (cpuSeconds() - before) / checks;
    const int reads = qMax(100, checks / 10);
    const double beforeReads = cpuSeconds();
    for (int i = 0; i < reads; ++i)
        found = !ProcessTable::processes(desktop).isEmpty() || found;
    const double perRead = (cpuSeconds() - beforeReads) / reads;
    const int processes = countProcesses();

    std::printf("process check over %d processes (%d checks%s)\n", processes, checks,
                found ? ", the desktop program found" : "");
    std::printf("  CPU per check:              %.1f us\n", perCheck * 1e6);
    std::printf("  CPU per minute (1 check/s): %.2f ms\n", perCheck * 60 * 1e3);
    std::printf("  one reading of the table:   %.1f us (%.2f us per process)\n", perRead * 1e6,
                perRead * 1e6 / processes);

    for (const pid_t child : children)
        ::kill(child, SIGKILL);
    for (const pid_t child : children)
        ::waitpid(child, nullptr, 0);

    measureTrial("another file", "/dev/null", O_RDONLY);
    measureTrial("the device, O_PATH", nullptr, O_PATH);
    return 0;
}
