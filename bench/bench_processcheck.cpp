// Figures of the service's process check, which asks once a second whether
// the desktop program runs: with 300 processes (sleeping children, none of
// them the desktop program), the CPU time of the check as the service makes
// it and what that adds up to in a minute, and the time of one reading of the
// whole process table. Run as root, it runs in a PID namespace of its own, so
// that the count is exactly 300; otherwise the machine's own processes are
// counted too. Argument: the number of checks measured (default 3000).

#include "platform/platform.h"
#include "platform/processtable.h"

#include <QCoreApplication>
#include <QDir>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const int kProcesses = 300;
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

double cpuSeconds()
{
    timespec now;
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
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
    return 0;
}
