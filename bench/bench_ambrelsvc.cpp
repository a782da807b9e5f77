// Figures of the service program at work: the real "ambrelsvc -e" polls the
// simulated serial UPS process for 60 s (or the seconds given as argument),
// watching for the desktop program once a second. Printed: its CPU time
// (utime + stime of its /proc/<pid>/stat) as a share of one core, measured
// after the first five seconds, and its peak resident memory (VmHWM).

#include "benchprocess.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>

using namespace BenchProcess;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? qMax(10, atoi(argv[1])) : 60;
    QTemporaryDir home;
    const QString dataDir = home.filePath(QStringLiteral("data/ambrelsvc"));
    QDir().mkpath(dataDir + QStringLiteral("/cfg"));
    QDir().mkpath(dataDir + QStringLiteral("/data"));

    QProcess sim;
    sim.start(QStringLiteral(AMBREL_UPSSIM), QStringList());
    if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000)) {
        std::fprintf(stderr, "the simulated UPS did not start\n");
        return 1;
    }
    const QString pty = QString::fromLocal8Bit(sim.readLine().trimmed().mid(4));
    {
        QSettings config(dataDir + QStringLiteral("/cfg/config.cfg"), QSettings::IniFormat);
        config.setValue(QStringLiteral("ups/commType"), 1);
        config.setValue(QStringLiteral("ups/comPort"), pty);
    }

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), "unix:path=" + home.filePath(QStringLiteral("no-bus")));
    env.remove(QStringLiteral("INVOCATION_ID"));
    env.remove(QStringLiteral("NOTIFY_SOCKET"));
    QProcess svc;
    svc.setProcessEnvironment(env);
    svc.setProcessChannelMode(QProcess::ForwardedChannels);
    svc.start(QStringLiteral(AMBRELSVC), {QStringLiteral("-e")});
    if (!svc.waitForStarted(5000)) {
        std::fprintf(stderr, "the service did not start\n");
        return 1;
    }

    waitFor(5000);
    const double cpuBefore = cpuSeconds(svc.processId());
    QByteArray received = sim.readAllStandardOutput();
    waitFor((seconds - 5) * 1000);
    const double cpuAfter = cpuSeconds(svc.processId());
    const QByteArray peak = statusField(svc.processId(), "VmHWM");
    received += sim.readAllStandardOutput();

    std::printf("service polling the simulated UPS for %d s (%d commands received by the UPS)\n", seconds,
                int(received.count("RX ")));
    std::printf("  CPU, after the first 5 s: %.3f %% of one core (%.3f s in %d s)\n",
                100.0 * (cpuAfter - cpuBefore) / (seconds - 5), cpuAfter - cpuBefore, seconds - 5);
    std::printf("  CPU, whole run:           %.3f s\n", cpuAfter);
    std::printf("  peak resident memory:     %s\n", peak.constData());

    // The UPS goes first, so that the service closes its port (and its lock).
    sim.write("quit\n");
    sim.waitForFinished(5000);
    waitFor(500);
    svc.terminate();
    svc.waitForFinished(5000);
    return 0;
}
