// Figures of the desktop program at rest: "ambrel -srv" (the window hidden,
// offscreen) polls one simulated serial UPS process while "ambrelsvc -e"
// polls a second one in the same window of time, each with a home of its
// own. After 5 s to settle, both are measured for 30 s (or the seconds given
// as argument): their CPU time (utime + stime of /proc/<pid>/stat) as a share
// of one core, per 10 s and over the whole, and the ratio of the two.
//
// Run as root, so that the service gets a PID namespace of its own and sees
// no program named ambrel (neither this desktop program nor anyone else's)
// and keeps its UPS. Other load on the machine shows as spread between the
// windows; run it in the namespaces of the tests (README) to keep the serial
// lock files and pseudo-terminals of other runs apart.

#include "benchprocess.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <unistd.h>

using namespace BenchProcess;

namespace {

// A simulated UPS process; its pseudo-terminal path, empty when it did not start.
QString startSimulator(QProcess *sim)
{
    sim->start(QStringLiteral(AMBREL_UPSSIM), QStringList());
    if (!sim->waitForStarted(5000) || !sim->waitForReadyRead(5000))
        return {};
    return QString::fromLocal8Bit(sim->readLine().trimmed().mid(4));
}

// A home with the settings of a serial link to `port`; returns the environment
// for a program that keeps its files there.
QProcessEnvironment prepareHome(const QTemporaryDir &home, const QString &dataFolder, const QString &port)
{
    const QString data = home.filePath(QStringLiteral("data/") + dataFolder);
    QDir().mkpath(data + QStringLiteral("/cfg"));
    QDir().mkpath(data + QStringLiteral("/data/self_test"));
    QDir().mkpath(home.filePath(QStringLiteral("tmp")));
    {
        QSettings config(data + QStringLiteral("/cfg/config.cfg"), QSettings::IniFormat);
        config.setValue(QStringLiteral("ups/commType"), 1);
        config.setValue(QStringLiteral("ups/comPort"), port);
        config.setValue(QStringLiteral("shutdown/enable"), false);
        config.setValue(QStringLiteral("email/enable"), false);
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    for (const char *folder : {"DATA", "CONFIG", "CACHE"})
        env.insert(QStringLiteral("XDG_%1_HOME").arg(folder), home.filePath(QString(folder).toLower()));
    env.insert(QStringLiteral("TMPDIR"), home.filePath(QStringLiteral("tmp")));
    const QString noBus = QStringLiteral("unix:path=") + home.filePath(QStringLiteral("no-bus"));
    env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), noBus);
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), noBus);
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "INVOCATION_ID", "NOTIFY_SOCKET"})
        env.remove(QString::fromLatin1(name));
    return env;
}

// The first child of a process, once it is there.
qint64 childOf(qint64 pid)
{
    for (int i = 0; i < 100; ++i) {
        QFile children(QStringLiteral("/proc/%1/task/%1/children").arg(pid));
        if (children.open(QIODevice::ReadOnly)) {
            const QByteArray first = children.readAll().simplified().split(' ').value(0);
            if (!first.isEmpty())
                return first.toLongLong();
        }
        waitFor(50);
    }
    return -1;
}

struct Figures
{
    QList<double> windows; // percent of one core
    double total = 0;

    void print(const char *name, int seconds) const
    {
        QStringList parts;
        for (double w : windows)
            parts.append(QString::number(w, 'f', 3));
        const auto range = std::minmax_element(windows.cbegin(), windows.cend());
        std::printf("  %-8s %.3f %% of one core over %d s; per 10 s: %s (spread %.3f)\n", name, total, seconds,
                    qPrintable(parts.join(QStringLiteral(", "))),
                    windows.isEmpty() ? 0.0 : *range.second - *range.first);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? qMax(10, atoi(argv[1])) : 30;

    QProcess desktopUps, serviceUps;
    const QString desktopPort = startSimulator(&desktopUps);
    const QString servicePort = startSimulator(&serviceUps);
    if (desktopPort.isEmpty() || servicePort.isEmpty()) {
        std::fprintf(stderr, "the simulated UPSes did not start\n");
        return 1;
    }

    QTemporaryDir desktopHome, serviceHome;
    QProcessEnvironment desktopEnv = prepareHome(desktopHome, QStringLiteral("Ambrel"), desktopPort);
    desktopEnv.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    desktopEnv.insert(QStringLiteral("QT_QUICK_BACKEND"), QStringLiteral("software"));
    QProcess desktop;
    desktop.setProcessEnvironment(desktopEnv);
    desktop.setWorkingDirectory(desktopHome.path());
    desktop.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    desktop.setStandardOutputFile(QProcess::nullDevice());
    desktop.start(QStringLiteral(AMBREL_DESKTOP), {QStringLiteral("-srv")});

    QProcess service;
    service.setProcessEnvironment(prepareHome(serviceHome, QStringLiteral("ambrelsvc"), servicePort));
    service.setProcessChannelMode(QProcess::ForwardedChannels);
    const bool ownNamespace = geteuid() == 0;
    if (ownNamespace) {
        // The first process of a namespace ignores signals it has no handler
        // for: a shell there hands the stop on to the service.
        service.start(QStringLiteral("unshare"),
                      {QStringLiteral("--pid"), QStringLiteral("--fork"), QStringLiteral("--mount-proc"),
                       QStringLiteral("--kill-child"), QStringLiteral("/bin/sh"), QStringLiteral("-c"),
                       QStringLiteral("trap 'kill -TERM $child; wait $child' TERM; \"$0\" -e & child=$!; wait $child"),
                       QStringLiteral(AMBRELSVC)});
    } else {
        std::fprintf(stderr, "not root: the service shares the process list and hands its UPS to the desktop "
                             "program\n");
        service.start(QStringLiteral(AMBRELSVC), {QStringLiteral("-e")});
    }
    if (!desktop.waitForStarted(5000) || !service.waitForStarted(5000)) {
        std::fprintf(stderr, "the programs did not start\n");
        return 1;
    }
    const qint64 desktopPid = desktop.processId();
    const qint64 shellPid = ownNamespace ? childOf(service.processId()) : -1;
    const qint64 servicePid = ownNamespace ? childOf(shellPid) : service.processId();

    waitFor(5000);
    desktopUps.readAllStandardOutput();
    serviceUps.readAllStandardOutput();
    Figures desktopFigures, serviceFigures;
    const double desktopStart = cpuSeconds(desktopPid), serviceStart = cpuSeconds(servicePid);
    double desktopLast = desktopStart, serviceLast = serviceStart;
    for (int done = 0; done < seconds; done += 10) {
        const int window = qMin(10, seconds - done);
        waitFor(window * 1000);
        const double d = cpuSeconds(desktopPid), s = cpuSeconds(servicePid);
        desktopFigures.windows.append(100.0 * (d - desktopLast) / window);
        serviceFigures.windows.append(100.0 * (s - serviceLast) / window);
        desktopLast = d;
        serviceLast = s;
    }
    desktopFigures.total = 100.0 * (desktopLast - desktopStart) / seconds;
    serviceFigures.total = 100.0 * (serviceLast - serviceStart) / seconds;
    const int desktopCommands = int(desktopUps.readAllStandardOutput().count("RX "));
    const int serviceCommands = int(serviceUps.readAllStandardOutput().count("RX "));

    std::printf("desktop program hidden and service, each polling a simulated UPS, for %d s\n", seconds);
    desktopFigures.print("desktop", seconds);
    serviceFigures.print("service", seconds);
    std::printf("  commands received: desktop's UPS %d, service's UPS %d\n", desktopCommands, serviceCommands);
    if (serviceFigures.total > 0)
        std::printf("  ratio desktop / service: %.2f\n", desktopFigures.total / serviceFigures.total);
    std::printf("  peak resident memory: desktop %s, service %s\n", statusField(desktopPid, "VmHWM").constData(),
                statusField(servicePid, "VmHWM").constData());

    // The UPSes go first, so that both programs close their ports.
    desktopUps.write("quit\n");
    serviceUps.write("quit\n");
    desktopUps.waitForFinished(5000);
    serviceUps.waitForFinished(5000);
    waitFor(500);
    desktop.terminate();
    if (ownNamespace)
        ::kill(pid_t(shellPid), SIGTERM);
    else
        service.terminate();
    desktop.waitForFinished(5000);
    service.waitForFinished(5000);
    return 0;
}
