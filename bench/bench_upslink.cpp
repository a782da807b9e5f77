// Figures of the UPS link:
//  1. CPU time per accepted status reply, from the parser to the published
//     record and its change signal (microseconds).
//  2. CPU used by a link polling the simulated serial UPS (percent of one
//     core, from getrusage), over 60 s or the seconds given as argument. The
//     link starts as the desktop program starts it, from the settings and
//     with its serial-port scan.

#include "benchstore.h"
#include "records/database.h"
#include "link/devcomm.h"
#include "link/megatec.h"
#include "records/settings.h"
#include "simulatedups.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The simulated UPS runs in a child process, so that its own work is not
// counted; the slave path comes back through a pipe.
pid_t startSimulator(int seconds, QByteArray *path)
{
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        ::close(fds[0]);
        int argc = 1;
        char name[] = "upssim";
        char *argv[] = {name, nullptr};
        QCoreApplication app(argc, argv);
        SimulatedUps ups;
        const QByteArray slave = ups.portPath().toLocal8Bit() + '\n';
        if (::write(fds[1], slave.constData(), size_t(slave.size())) < 0)
            _exit(1);
        ::close(fds[1]);
        QTimer::singleShot((seconds + 5) * 1000, &app, &QCoreApplication::quit);
        app.exec();
        _exit(0);
    }
    ::close(fds[1]);
    char buffer[256] = {};
    const ssize_t n = ::read(fds[0], buffer, sizeof buffer - 1);
    ::close(fds[0]);
    if (n > 0)
        *path = QByteArray(buffer, int(n)).trimmed();
    return pid;
}

void benchParser()
{
    Megatec megatec;
    long changes = 0;
    QObject::connect(&megatec, &Megatec::dataChanged, [&changes] { ++changes; });
    SimulatedUps::State state;
    SimulatedUps builder;
    builder.state() = state;
    const QByteArray reply = builder.replyFor("Q1");

    const int count = 200000;
    const double start = cpuSeconds();
    for (int i = 0; i < count; ++i) {
        while (megatec.nextCommand() != "Q1\r") {
        }
        megatec.parseData(reply);
    }
    const double used = cpuSeconds() - start;
    std::printf("status reply parse + publish: %.2f us CPU per reply (%d replies, %ld signals)\n",
                used * 1e6 / count, count, changes);
}

} // namespace

int main(int argc, char *argv[])
{
    const int seconds = argc > 1 ? qMax(1, atoi(argv[1])) : 60;
    QByteArray port;
    const pid_t simulator = startSimulator(seconds, &port);
    if (simulator < 0 || port.isEmpty()) {
        std::fprintf(stderr, "cannot start the simulated UPS\n");
        return 1;
    }

    QTemporaryDir home;
    BenchStore::useHome(home.path());
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Ambrel"));
    BenchStore::open();

    benchParser();

    Settings::instance()->setSettings(Settings::UpsCommType, int(DevComm::COM));
    Settings::instance()->setSettings(Settings::UpsComPort, QString::fromLocal8Bit(port));
    DevComm link;
    long changes = 0;
    QObject::connect(&link, &DevComm::devDataChanged, [&changes] { ++changes; });
    const double start = cpuSeconds();
    link.start();
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    app.exec();
    const double used = cpuSeconds() - start;
    std::printf("polling the simulated UPS for %d s: %.3f %% of one core (%ld status updates)\n",
                seconds, used * 100.0 / seconds, changes);

    kill(simulator, SIGTERM);
    waitpid(simulator, nullptr, 0);
    return 0;
}
