#include "commandfile.h"

#include "trustedpath.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

// How long a command file may take to end once asked.
constexpr std::chrono::seconds kEndGrace(2);
// How long it may take to go once killed.
constexpr std::chrono::seconds kKillGrace(1);

std::mutex mutex;
std::condition_variable ended;
// The process groups (their leaders' ids) of the runs that have not ended;
// a leader stays unreaped while it is listed, so its id cannot be reused.
std::set<pid_t> running;

// Starts program with argv in a process group of its own; 0 or the error.
int spawn(const char *program, char *const argv[], pid_t *pid)
{
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);

    // The service blocks its stop signals in every thread, and a child
    // inherits that mask: the file must be able to be stopped.
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (int signal : {SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGPIPE, SIGCHLD, SIGXFSZ})
        sigaddset(&defaults, signal);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);

    const int result = posix_spawn(pid, program, &actions, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return result;
}

} // namespace

void CommandFile::run(const QString &path, bool trustedOnly)
{
    if (path.isEmpty())
        return;
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        return;
    if (trustedOnly || geteuid() == 0) {
        const QString why = TrustedPath::check(info.absoluteFilePath());
        if (!why.isEmpty()) {
            qWarning("The command file %s is not run: %s. Only a file that no other user may change is run with "
                     "these rights; the shutdown goes on without it.",
                     qPrintable(path), qPrintable(why));
            return;
        }
    }

    // An absolute path can neither be looked up in PATH nor be taken for an
    // option of the shell.
    QByteArray file = QFile::encodeName(info.absoluteFilePath());
    QByteArray shell("/bin/sh");
    pid_t pid = -1;
    {
        // Started and listed in one step: endAll() sees every run that began.
        std::lock_guard<std::mutex> lock(mutex);
        char *direct[] = {file.data(), nullptr};
        int result = info.isExecutable() ? spawn(file.constData(), direct, &pid) : ENOEXEC;
        // A file that the system cannot run by itself (a script without a
        // "#!" line) is the script of the shell, as a shell's own exec would
        // do it.
        if (result != 0) {
            char *script[] = {shell.data(), file.data(), nullptr};
            result = spawn(shell.constData(), script, &pid);
        }
        if (result != 0)
            return;
        running.insert(pid);
    }

    // Waits without reaping: the id stays taken until the run is unlisted.
    siginfo_t status;
    while (waitid(P_PID, id_t(pid), &status, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
    }
    {
        std::lock_guard<std::mutex> lock(mutex);
        running.erase(pid);
    }
    ended.notify_all();
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

void CommandFile::endAll()
{
    std::unique_lock<std::mutex> lock(mutex);
    if (running.empty())
        return;
    for (pid_t group : running)
        kill(-group, SIGTERM);
    if (ended.wait_for(lock, kEndGrace, [] { return running.empty(); }))
        return;
    for (pid_t group : running)
        kill(-group, SIGKILL);
    ended.wait_for(lock, kKillGrace, [] { return running.empty(); });
}
