#ifndef AMBRELSVCRUN_H
#define AMBRELSVCRUN_H

// Header only: the real "ambrelsvc -e" as a child process with a home of its
// own, polling the simulated UPS process, mailing through the SMTP server on
// 127.0.0.1 and shutting down through a mock logind on a private system bus;
// the machine's own buses are never used. A test derives from it, calls
// setUpOnce, setUpRun and tearDownRun from initTestCase, init and cleanup,
// and is built as tst_ambrelsvc.cmake says.
#include "mocklogind.h"
#include "smtpserverharness.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

namespace {
// Generous bounds for one step, so that a loaded machine does not fail the test.
const int kStep = 15000;
const QByteArray kMainsFails = "set status 10001000\nset inputVol 0\n";
const QByteArray kMainsReturns = "set status 00001000\nset inputVol 230\n";
// Starts argv[4:] with argv[3] descriptors of the file argv[1], opened with
// the os flags named in argv[2] ("O_PATH", "O_RDWR|O_NOCTTY").
const char kHolding[] = R"(import os, resource, sys
resource.setrlimit(resource.RLIMIT_NOFILE, (resource.getrlimit(resource.RLIMIT_NOFILE)[1],) * 2)
fd = os.open(sys.argv[1], sum(getattr(os, flag) for flag in sys.argv[2].split('|')))
for i in range(int(sys.argv[3])):
    os.set_inheritable(os.dup(fd) if i else fd, True)
os.execv(sys.argv[4], sys.argv[4:]))";

void stop(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(10000))
        process.kill();
    process.waitForFinished(5000);
}
} // namespace

class AmbrelSvcRun
{
protected:

    QTemporaryDir shared;
    // The service program runs from here, beside the stand-in for the
    // desktop program (a harmless program under its name).
    QString program, desktopProgram;
    MockLogind logind;
    SmtpServerHarness smtp;

    // One run: its home, the UPS, the service, the desktop program and
    // another user's program of the same name elsewhere.
    QScopedPointer<QTemporaryDir> run;
    QProcess sim, svc, desktop, impostor;
    QByteArray simOut, svcOut;
    QString pty;
    QElapsedTimer clock;
    qint64 lastPoll = 0;

    QString dataDir() const { return run->filePath(QStringLiteral("data/ambrelsvc")); }
    QString marker() const { return run->filePath(QStringLiteral("marker")); }
    int polls() const { return simOut.count("RX "); }
    int received(const QByteArray &command) const { return simOut.count("RX " + command + '\n'); }
    // Milliseconds since the UPS last received a command.
    qint64 quiet() const { return clock.elapsed() - lastPoll; }

    int powerOffs() const { return logind.powerOffs(); }

    // The first value of a statement on the service's database.
    QVariant sql(const QString &statement) const
    {
        QSqlDatabase db = QSqlDatabase::database(QStringLiteral("service"));
        QSqlQuery query(db);
        if (!query.exec(statement))
            return QVariant();
        return query.next() ? query.value(0) : QVariant(true);
    }

    // Succeeds once the service has made its tables; adds the receiver once.
    bool addReceiver() const
    {
        return sql("insert into email_user(user) select 'ops@example.com' "
                   "where not exists (select 1 from email_user)").isValid();
    }

    bool mailed(const QString &text) const
    {
        const QList<ReceivedMail> mails = smtp.mails();
        return std::any_of(mails.begin(), mails.end(), [&text](const ReceivedMail &mail) {
            return mail.body.contains(text) && mail.to == QStringList{"ops@example.com"} && mail.defects.isEmpty();
        });
    }

    // A serial port keeps a lock file with its owner's process id in the
    // lock folder while it is open.
    bool serviceHoldsALock() const
    {
        const QDir folder(QStringLiteral("/var/lock"));
        const QStringList locks = folder.entryList({QStringLiteral("LCK..*")}, QDir::Files);
        return std::any_of(locks.begin(), locks.end(), [&](const QString &name) {
            QFile lock(folder.filePath(name));
            return lock.open(QIODevice::ReadOnly) && lock.readLine().trimmed().toLongLong() == svc.processId();
        });
    }

    void startSim()
    {
        const int from = simOut.size();
        sim.start(QStringLiteral(AMBREL_UPSSIM), QStringList());
        QVERIFY(sim.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(simOut.indexOf('\n', from) > 0, 5000);
        const QByteArray line = simOut.mid(from, simOut.indexOf('\n', from) - from);
        QVERIFY(line.startsWith("PTY /dev/"));
        pty = QString::fromLocal8Bit(line.mid(4));
    }

    void writeConfig(const QVariantMap &values)
    {
        QSettings file(dataDir() + QStringLiteral("/cfg/config.cfg"), QSettings::IniFormat);
        for (auto it = values.begin(); it != values.end(); ++it)
            file.setValue(it.key(), it.value());
    }

    // Mail to one receiver, and the quickest shutdown there is: the capacity
    // rule cuts the countdown of a mains failure to ten seconds, the UPS is
    // told to switch off, the command file adds "done" to the marker and
    // runs the lines of then, then PowerOff.
    QVariantMap protectingConfig(const QByteArray &then = QByteArray())
    {
        const QString script = run->filePath(QStringLiteral("on-shutdown.sh"));
        QFile file(script);
        file.open(QIODevice::WriteOnly);
        file.write("#!/bin/sh\necho done >> '" + QFile::encodeName(marker()) + "'\n" + then);
        file.close();
        file.setPermissions(file.permissions() | QFile::ExeOwner);
        return {
            {"ups/commType", 1}, {"ups/comPort", pty}, {"ups/baudRate", 2400},
            {"email/enable", true}, {"email/serverAddr", "127.0.0.1"}, {"email/serverPort", smtp.port()},
            {"email/userAddr", "ups@example.com"}, {"email/encrypt", 0}, {"email/authEnable", false},
            {"shutdown/enable", true}, {"shutdown/mainFaultTime", 1}, {"shutdown/mainFaultCapacity", 100},
            {"shutdown/UPSOff", true}, {"shutdown/UPSOffTime", 0}, {"shutdown/execEnable", true},
            {"shutdown/execTime", 0}, {"shutdown/execFile", script}, {"shutdown/osOff", true},
        };
    }

    void startService()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), run->path());
        for (const char *folder : {"DATA", "CONFIG", "CACHE"})
            env.insert(QStringLiteral("XDG_%1_HOME").arg(folder), run->filePath(QString(folder).toLower()));
        for (const char *name : {"DISPLAY", "INVOCATION_ID", "NOTIFY_SOCKET"})
            env.remove(QString::fromLatin1(name));
        svc.setProcessEnvironment(env);
        svc.start(program, {QStringLiteral("-e")});
        QVERIFY(svc.waitForStarted(5000));
    }

    void startDesktop(const QString &seconds = QStringLiteral("120"))
    {
        desktop.start(desktopProgram, {seconds});
        QVERIFY(desktop.waitForStarted(5000));
    }

    // A desktop program started with descriptors of a file, as any user can
    // start the installed one.
    void startDesktopHolding(QProcess &process, const QString &file, const QString &flags, int count = 1)
    {
        process.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromLatin1(kHolding), file,
                                                           flags, QString::number(count), desktopProgram,
                                                           QStringLiteral("120")});
        QVERIFY(process.waitForStarted(5000));
    }

    // Waits until the service has seen the UPS state just set.
    void waitForStatus()
    {
        const int before = received("Q1");
        QTRY_VERIFY_WITH_TIMEOUT(received("Q1") >= before + 2, kStep);
    }

    // What any user may run: a program named like the desktop program.
    void startImpostor()
    {
        const QString copy = run->filePath(QStringLiteral("ambrel"));
        QVERIFY(QFile::copy(QStringLiteral("/bin/sleep"), copy));
        impostor.start(copy, {QStringLiteral("120")});
        QVERIFY(impostor.waitForStarted(5000));
    }

    void setUpOnce()
    {
        QVERIFY(logind.start());
        QVERIFY(smtp.start());
        program = shared.filePath(QStringLiteral("ambrelsvc"));
        desktopProgram = shared.filePath(QStringLiteral("ambrel"));
        QVERIFY(QFile::copy(QStringLiteral(AMBRELSVC), program));
        QVERIFY(QFile::copy(QStringLiteral("/bin/sleep"), desktopProgram));
        clock.start();
        QObject::connect(&sim, &QProcess::readyReadStandardOutput, &sim, [this] {
            simOut += sim.readAllStandardOutput();
            lastPoll = clock.elapsed();
        });
        svc.setProcessChannelMode(QProcess::MergedChannels);
        QObject::connect(&svc, &QProcess::readyRead, &svc, [this] { svcOut += svc.readAll(); });
    }

    void setUpRun()
    {
        run.reset(new QTemporaryDir);
        QVERIFY(QDir().mkpath(dataDir() + QStringLiteral("/cfg")));
        QVERIFY(QDir().mkpath(dataDir() + QStringLiteral("/data")));
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("service"));
        db.setDatabaseName(dataDir() + QStringLiteral("/data/ambrel.db"));
        simOut.clear();
        svcOut.clear();
        startSim();
    }

    void tearDownRun()
    {
        // The console run ends on SIGTERM without closing the port: the UPS
        // goes first, so that the service closes the port and drops its lock.
        sim.write("quit\n");
        sim.waitForFinished(5000);
        for (int i = 0; i < 100 && serviceHoldsALock(); ++i)
            QTest::qWait(50);
        for (QProcess *process : {&svc, &desktop, &impostor, &sim})
            stop(*process);
        if (QTest::currentTestFailed())
            qWarning().noquote() << "service output:\n" << QString::fromLocal8Bit(svcOut);
        QSqlDatabase::removeDatabase(QStringLiteral("service"));
    }
};

#endif // AMBRELSVCRUN_H
