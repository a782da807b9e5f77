// Figures of both programs while another process holds the database locked
// (an exclusive transaction on data/ambrel.db, as a database browser or a
// backup holds it). The real "ambrel" (offscreen) and "ambrelsvc -e" poll the
// simulated serial UPS process and save a reading every second; three
// seconds after the first poll the mains fail with the battery low, which
// starts the ten-second countdown that tells the UPS to switch off at once
// and again eight seconds later. Each program runs three times: with the
// store free, locked from before the start, and locked from the first poll
// on; the lock ends after 30 s (or the seconds given as
// argument), and the run five seconds later. Printed per run:
//  - start-up: seconds from the start to the first command the UPS receives,
//    and to "Window shown" in the desktop program's log;
//  - the longest gap between two commands the UPS receives before the lock
//    ends (the UPS answers, so they follow each other about every 100 ms, and
//    1.5 s after a command it does not answer);
//  - when the two UPS-off commands (S01) came after the mains failure;
//  - the readings and alarms in the database at the end, and the time span
//    of the readings.

#include "benchprocess.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include <cstdio>

using namespace BenchProcess;

namespace {

struct Run
{
    double firstPoll = -1;
    double windowShown = -1;
    double longestGap = 0;
    QList<double> upsOff; // after the failure
    int readings = 0;
    int alarms = 0;
    QString span;
};

QString logText(const QString &dataDir)
{
    QString text;
    QDir dir(dataDir + QStringLiteral("/log"));
    for (const QString &name : dir.entryList({QStringLiteral("*.txt")}, QDir::Files)) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            text += QString::fromUtf8(file.readAll());
    }
    return text;
}

enum Lock { Free, AtStart, AfterStart };

Run measure(bool desktop, Lock lock, int seconds)
{
    Run run;
    QTemporaryDir home;
    const QString dataDir = home.filePath(desktop ? QStringLiteral("data/Ambrel") : QStringLiteral("data/ambrelsvc"));
    for (const char *sub : {"/cfg", "/data/self_test", "/log"})
        QDir().mkpath(dataDir + QLatin1String(sub));
    QDir().mkpath(home.filePath(QStringLiteral("runtime")));
    QFile::setPermissions(home.filePath(QStringLiteral("runtime")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QProcess sim;
    sim.start(QStringLiteral(AMBREL_UPSSIM), QStringList());
    if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000))
        return run;
    const QByteArray pty = sim.readLine().trimmed().mid(4);
    QFile config(dataDir + QStringLiteral("/cfg/config.cfg"));
    config.open(QIODevice::WriteOnly);
    // No power-off of this machine: the countdown only tells the UPS.
    config.write("[ups]\ncommType=1\nbaudRate=2400\nsaveCycle=1\ncomPort=" + pty
                 + "\n[shutdown]\nenable=true\nmainFaultTime=1\nbattLowTime=0\nUPSOff=true\nUPSOffTime=1\n"
                   "osOff=false\nexecEnable=false\n");
    config.close();

    const QString dbName = QStringLiteral("lock");
    {
        QSqlDatabase lock = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), dbName);
        lock.setDatabaseName(dataDir + QStringLiteral("/data/ambrel.db"));
        lock.open();
    }
    const auto setLocked = [&dbName](bool on) {
        QSqlQuery(on ? QStringLiteral("begin exclusive") : QStringLiteral("rollback"), QSqlDatabase::database(dbName));
    };
    if (lock == AtStart)
        setLocked(true);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("runtime")));
    env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), "unix:path=" + home.filePath(QStringLiteral("no-bus")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QT_QUICK_BACKEND"), QStringLiteral("software"));
    env.remove(QStringLiteral("INVOCATION_ID"));
    env.remove(QStringLiteral("NOTIFY_SOCKET"));
    QProcess program;
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(home.path());
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    program.start(desktop ? QStringLiteral(AMBREL_DESKTOP) : QStringLiteral(AMBRELSVC),
                  desktop ? QStringList() : QStringList{QStringLiteral("-e")});

    double lastPoll = -1, failure = -1;
    bool locked = lock == AtStart;
    QByteArray pending;
    while (clock.elapsed() < (seconds + 5) * 1000) {
        sim.waitForReadyRead(20);
        QCoreApplication::processEvents();
        const double now = clock.elapsed() / 1000.0;
        if (locked && now >= seconds)
            setLocked(locked = false);
        pending += sim.readAllStandardOutput();
        for (int end; (end = pending.indexOf('\n')) >= 0; pending.remove(0, end + 1)) {
            const QByteArray line = pending.left(end);
            if (!line.startsWith("RX "))
                continue;
            if (run.firstPoll < 0)
                run.firstPoll = now;
            if (lastPoll >= 0 && now < seconds)
                run.longestGap = qMax(run.longestGap, now - lastPoll);
            lastPoll = now;
            if (line == "RX S01" && failure >= 0)
                run.upsOff.append(now - failure);
        }
        if (desktop && run.windowShown < 0 && logText(dataDir).contains(QStringLiteral("Window shown")))
            run.windowShown = now;
        if (lock == AfterStart && !locked && run.firstPoll >= 0 && now < seconds)
            setLocked(locked = true);
        if (failure < 0 && run.firstPoll >= 0 && now >= run.firstPoll + 3) {
            sim.write("set status 11001000\nset inputVol 0\n");
            failure = now;
        }
    }

    {
        QSqlQuery count(QSqlDatabase::database(dbName));
        if (count.exec(QStringLiteral("select count(*), min(dateTime), max(dateTime) from device_data")) && count.next()) {
            run.readings = count.value(0).toInt();
            run.span = count.value(1).toString().mid(11) + QStringLiteral(" to ") + count.value(2).toString().mid(11);
        }
        if (count.exec(QStringLiteral("select count(*) from alarm")) && count.next())
            run.alarms = count.value(0).toInt();
    }
    QSqlDatabase::removeDatabase(dbName);
    sim.write("quit\n");
    sim.waitForFinished(5000);
    program.terminate();
    if (!program.waitForFinished(10000))
        program.kill();
    return run;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? qMax(15, atoi(argv[1])) : 30;
    std::printf("the lock ends after %d s, each run 5 s later; the mains fail 3 s after the first poll\n", seconds);
    for (const bool desktop : {true, false}) {
        for (const Lock lock : {Free, AtStart, AfterStart}) {
            const Run run = measure(desktop, lock, seconds);
            QStringList upsOff;
            for (double at : run.upsOff)
                upsOff << QString::number(at, 'f', 1);
            std::printf("%s, store %s:\n", desktop ? "ambrel" : "ambrelsvc -e",
                        lock == Free ? "free" : lock == AtStart ? "locked from before the start" : "locked after the start");
            std::printf("  first poll after the start:   %.2f s\n", run.firstPoll);
            if (desktop)
                std::printf("  window shown after the start: %.2f s\n", run.windowShown);
            std::printf("  longest gap between polls:    %.2f s\n", run.longestGap);
            std::printf("  UPS-off commands after the failure: %s s\n", qPrintable(upsOff.join(QStringLiteral(", "))));
            std::printf("  in the database at the end:   %d readings (%s), %d alarms\n", run.readings,
                        qPrintable(run.span), run.alarms);
        }
    }
    return 0;
}
