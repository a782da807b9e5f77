// The program itself, started as real processes on the offscreen platform,
// and on an X server of the test's own.
// Run as root, in namespaces of its own; a mock logind is its system bus.

#include "mocklogind.h"
#include "otheruser.h"
#include "platform/x11windowlist.h"
#include "testenvironment.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

class TestAmbrelProgram : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(logind.start()); }
    void init();
    void cleanup();
    void windowAtStart_data();
    void windowAtStart();
    void secondStartShowsTheRunningInstance();
    void killedInstanceDoesNotBlockTheNextStart();
    void sharedTmpCannotInterfere_data();
    void sharedTmpCannotInterfere();
    void privateFolderFallback();
    void peersAreBounded();
    void listenFailureIsLogged();
    void otherUserIsNotHeard();
    void showsOnAnXServer_data();
    void showsOnAnXServer();
    // Ended otherwise than by Quit while the UPS is set to switch off.
    void endCancelsTheUpsOff_data();
    void endCancelsTheUpsOff();
    void lockedStoreHoldsNothing();

private:
    QProcess *start(const QStringList &arguments, const QMap<QString, QString> &variables = {},
                    const QString &program = QStringLiteral("ambrel"));
    QString log() const;
    QString socketPath() const { return home->path() + QStringLiteral("/runtime/Ambrel/instance"); }
    // What a later start sends, sent from here; the reply.
    static QByteArray sendEmptyMessage(const QString &path);
    QByteArray startDisplay();

    MockLogind logind;
    QScopedPointer<QTemporaryDir> home;
    QList<QProcess *> processes;
    QProcess xvfb;
};

void TestAmbrelProgram::init()
{
    home.reset(new QTemporaryDir);
    QDir(home->path()).mkpath(QStringLiteral("tmp"));
    QDir(home->path()).mkpath(QStringLiteral("runtime"));
    chmod(QFile::encodeName(home->path() + QStringLiteral("/runtime")).constData(), 0700);
}

void TestAmbrelProgram::cleanup()
{
    for (QProcess *process : qAsConst(processes)) {
        process->kill();
        process->waitForFinished(10000);
    }
    qDeleteAll(processes);
    processes.clear();
    xvfb.terminate();
    xvfb.waitForFinished(5000);
}

QProcess *TestAmbrelProgram::start(const QStringList &arguments, const QMap<QString, QString> &variables,
                                   const QString &program)
{
    auto *process = new QProcess;
    processes.append(process);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Data and the instance socket of this test only.
    env.insert(QStringLiteral("XDG_DATA_HOME"), home->path() + QStringLiteral("/data"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home->path() + QStringLiteral("/cache"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home->path() + QStringLiteral("/runtime"));
    env.insert(QStringLiteral("TMPDIR"), home->path() + QStringLiteral("/tmp"));
    for (auto it = variables.cbegin(); it != variables.cend(); ++it)
        it.value().isNull() ? env.remove(it.key()) : env.insert(it.key(), it.value());
    process->setProcessEnvironment(env);
    process->setWorkingDirectory(home->path());
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(QDir(QCoreApplication::applicationDirPath()).filePath(program), arguments);
    return process;
}

QString TestAmbrelProgram::log() const
{
    QString text;
    QDir dir(home->path() + QStringLiteral("/data/Ambrel/log"));
    for (const QString &name : dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            text += QString::fromUtf8(file.readAll());
    }
    return text;
}

void TestAmbrelProgram::windowAtStart_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("shown");
    QTest::newRow("no argument") << QStringList() << true;
    QTest::newRow("-srv") << QStringList{"-srv"} << false;
    QTest::newRow("-SRV") << QStringList{"-SRV"} << true;
    QTest::newRow("-srv second") << QStringList{"x", "-srv"} << true;
}

void TestAmbrelProgram::windowAtStart()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, shown);
    QProcess *program = start(arguments);
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(QStringLiteral("] Information: Started\r\n")), 30000);
    if (!shown) { // and it stays hidden once the event loop runs
        QElapsedTimer watched;
        watched.start();
        while (watched.elapsed() < 3000 && !log().contains(QStringLiteral("Window shown")))
            QTest::qWait(50);
    }
    QCOMPARE(log().contains(QStringLiteral("Window shown")), shown);
    QCOMPARE(program->state(), QProcess::Running);
}

void TestAmbrelProgram::secondStartShowsTheRunningInstance()
{
    start({QStringLiteral("-srv")});
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(QStringLiteral("Started")), 30000);
    QProcess *second = start({});
    QVERIFY(second->waitForFinished(30000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(QStringLiteral("Window shown")), 10000);
    QCOMPARE(log().count(QStringLiteral("Started")), 1); // the second start made nothing of its own
}

void TestAmbrelProgram::killedInstanceDoesNotBlockTheNextStart()
{
    QProcess *first = start({QStringLiteral("-srv")});
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(QStringLiteral("Started")), 30000);
    first->kill();
    QVERIFY(first->waitForFinished(10000));
    QVERIFY(QFileInfo::exists(socketPath()));

    QProcess *next = start({});
    QTRY_COMPARE_WITH_TIMEOUT(log().count(QStringLiteral("Started")), 2, 30000);
    QCOMPARE(next->state(), QProcess::Running);
    QProcess *third = start({}); // finds the new instance
    QVERIFY(third->waitForFinished(30000));
    QCOMPARE(third->exitCode(), 0);
}

QByteArray TestAmbrelProgram::sendEmptyMessage(const QString &path)
{
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(5000))
        return QByteArray();
    socket.write(QByteArray::fromHex("ffffffff"));
    return socket.waitForReadyRead(30000) ? socket.readAll() : QByteArray();
}

void TestAmbrelProgram::sharedTmpCannotInterfere_data()
{
    // Left by any user under the name in the shared folder that a former
    // version listened on.
    QTest::addColumn<bool>("listener");
    QTest::newRow("a listener that never answers") << true;
    QTest::newRow("a folder that cannot be removed") << false;
}

void TestAmbrelProgram::sharedTmpCannotInterfere()
{
    QFETCH(bool, listener);
    const QString taken = home->path() + QStringLiteral("/tmp/Ambrel-") + QString::number(getuid());
    QLocalServer server;
    QVERIFY(listener ? server.listen(taken) : QDir().mkpath(taken + QStringLiteral("/inside")));
    start({QStringLiteral("-srv")});
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(QStringLiteral("Started")), 30000);
    QProcess *second = start({});
    QVERIFY(second->waitForFinished(30000));
    QCOMPARE(second->exitCode(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(QStringLiteral("Window shown")), 10000);
    QCOMPARE(log().count(QStringLiteral("Started")), 1);
}

void TestAmbrelProgram::privateFolderFallback()
{
    const QString runtime = home->path() + QStringLiteral("/runtime");
    QCOMPARE(chmod(QFile::encodeName(runtime).constData(), 0755), 0);
    start({QStringLiteral("-srv")});
    const QString folder = home->path() + QStringLiteral("/cache/Ambrel-runtime");
    QTRY_COMPARE_WITH_TIMEOUT(sendEmptyMessage(folder + QStringLiteral("/instance")), QByteArray("\x06"), 30000);
    QCOMPARE(QFile::permissions(folder) & 0x0077, QFile::Permissions()); // none for group and others
}

void TestAmbrelProgram::peersAreBounded()
{
    // A peer that says nothing, and one that announces a long message, are
    // dropped; others are heard meanwhile.
    start({QStringLiteral("-srv")});
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(QStringLiteral("Started")), 30000);
    QLocalSocket silent, huge;
    silent.connectToServer(socketPath());
    huge.connectToServer(socketPath());
    QVERIFY(silent.waitForConnected(5000) && huge.waitForConnected(5000));
    huge.write(QByteArray::fromHex("7fffffff") + QByteArray(1000, 'x'));
    QCOMPARE(sendEmptyMessage(socketPath()), QByteArray("\x06"));
    QVERIFY(huge.waitForDisconnected(5000) && silent.waitForDisconnected(5000));
}

void TestAmbrelProgram::listenFailureIsLogged()
{
    QVERIFY(QDir().mkpath(socketPath() + QStringLiteral("/inside")));
    start({QStringLiteral("-srv")});
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(QStringLiteral("Warning: Cannot listen on ")), 30000);
    QVERIFY(log().contains(QStringLiteral("Started")));
}

void TestAmbrelProgram::otherUserIsNotHeard()
{
    if (!OtherUser::available())
        QSKIP("needs root and setpriv to connect as another user");
    start({QStringLiteral("-srv")});
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(QStringLiteral("Started")), 30000);
    // Only the program's own check keeps the other user out here.
    for (const QString &path : {home->path(), home->path() + QStringLiteral("/runtime"), QFileInfo(socketPath()).path()})
        QCOMPARE(chmod(QFile::encodeName(path).constData(), 0711), 0);
    QCOMPARE(chmod(QFile::encodeName(socketPath()).constData(), 0777), 0);
    QCOMPARE(OtherUser::exchange(socketPath(), QByteArray::fromHex("ffffffff")), QByteArray("b''"));
    QCOMPARE(sendEmptyMessage(socketPath()), QByteArray("\x06"));
    QTRY_COMPARE_WITH_TIMEOUT(log().count(QStringLiteral("Window shown")), 1, 10000);
}

void TestAmbrelProgram::showsOnAnXServer_data()
{
    // The program asks for OpenGL ES, which this Qt (built for desktop
    // OpenGL) does not have; the window must show all the same.
    QTest::addColumn<QString>("backend");
    QTest::newRow("software") << QStringLiteral("software");
    QTest::newRow("default backend") << QString();
}

QByteArray TestAmbrelProgram::startDisplay()
{
    // An X server of this test's own, on a display number that other tests
    // running at the same time are unlikely to pick; it must not reset when
    // the short connections of the window check close.
    static int next = 1000 + QRandomGenerator::global()->bounded(20000); // not by process id: alike in namespaces
    QByteArray display;
    for (int tries = 0; display.isEmpty() && tries < 10; ++tries) {
        xvfb.start(QStringLiteral("Xvfb"), {QStringLiteral(":%1").arg(next++), "-displayfd", "1", "-noreset",
                                            "-nolisten", "tcp", "-screen", "0", "1280x800x24"});
        while (!xvfb.canReadLine() && xvfb.waitForReadyRead(10000)) {
        }
        if (xvfb.canReadLine()) {
            display = ':' + xvfb.readLine().trimmed();
        } else { // display taken
            xvfb.kill();
            xvfb.waitForFinished(5000);
        }
    }
    return display;
}

void TestAmbrelProgram::showsOnAnXServer()
{
    QFETCH(QString, backend);
    const QByteArray display = startDisplay();
    QVERIFY(!display.isEmpty());

    start({}, {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", QString::fromLatin1(display)}, {"QT_QUICK_BACKEND", backend}});
    const auto windowIsMapped = [&display] {
        for (const Platform::Window &window : X11WindowList::windows(display)) {
            if (window.className == QLatin1String("Ambrel"))
                return true;
        }
        return false;
    };
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(QStringLiteral("Started")), 30000);
    QTRY_VERIFY_WITH_TIMEOUT(windowIsMapped(), 10000);
    QVERIFY2(!log().contains(QStringLiteral("Warning: ")) && !log().contains(QStringLiteral("Critical: ")), qPrintable(log()));
}

void TestAmbrelProgram::endCancelsTheUpsOff_data()
{
    QTest::addColumn<int>("signal"); // 0: the display ends
    QTest::addColumn<bool>("shuttingDown");
    QTest::newRow("SIGTERM") << int(SIGTERM) << false;
    QTest::newRow("SIGHUP") << int(SIGHUP) << false;
    QTest::newRow("SIGQUIT") << int(SIGQUIT) << false;
    QTest::newRow("display ends") << 0 << false;
    // The system is asked at exit whether it is going down.
    QTest::newRow("display ends as the system goes down") << 0 << true;
}

void TestAmbrelProgram::endCancelsTheUpsOff()
{
    QFETCH(int, signal);
    QFETCH(bool, shuttingDown);
    QVERIFY(logind.setPreparingForShutdown(shuttingDown));
    // On battery, and the battery is low: the ten-second countdown tells the
    // simulated UPS at once to switch off in a minute.
    auto *sim = new QProcess;
    processes.append(sim);
    sim->start(QStringLiteral(AMBREL_UPSSIM), QStringList());
    sim->write("set status 11001000\nset inputVol 0\n");
    QByteArray said;
    const auto simSaid = [&] { return said += sim->readAllStandardOutput(); };
    QTRY_VERIFY_WITH_TIMEOUT(simSaid().contains('\n'), 5000);
    QVERIFY(QDir().mkpath(home->path() + QStringLiteral("/data/Ambrel/cfg")));
    QFile config(home->path() + QStringLiteral("/data/Ambrel/cfg/config.cfg"));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write("[ups]\ncommType=1\nbaudRate=2400\ncomPort=" + said.mid(4, said.indexOf('\n') - 4)
                 + "\n[shutdown]\nenable=true\nmainFaultTime=1\nbattLowTime=0\nUPSOff=true\nUPSOffTime=1\n");
    config.close();

    const QString display = QString::fromLatin1(startDisplay());
    QProcess *program = start({"-srv"}, {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", display}});
    QTRY_VERIFY2_WITH_TIMEOUT(simSaid().count("RX S01\n") == 1, qPrintable(log()), 30000);
    if (signal)
        QCOMPARE(::kill(pid_t(program->processId()), signal), 0);
    else
        xvfb.terminate();
    QVERIFY(program->waitForFinished(30000));
    QCOMPARE(program->exitStatus(), QProcess::NormalExit);
    if (shuttingDown)
        QVERIFY(log().contains(QStringLiteral("The operating system is shutting down: the UPS keeps its switch-off.")));
    else
        QTRY_VERIFY_WITH_TIMEOUT(simSaid().contains("RX C\n"), 5000);
    QCOMPARE(simSaid().count("RX C\n"), shuttingDown ? 0 : 1);
    QCOMPARE(QFile::exists(home->path() + QStringLiteral("/data/Ambrel/data/upsoff.pending")), shuttingDown);
    // The serial port's lock file goes with the program.
    QCOMPARE(QDir(QStringLiteral("/run/lock")).entryList({QStringLiteral("LCK..*")}, QDir::Files), QStringList());
}

// Both programs at once, each database held by an exclusive transaction of another connection from before
// the start: polls keep their cycle, the ten-second countdown of a mains failure tells the UPS to switch off
// at its start and 8 s later, and what was written meanwhile lands once the lock ends, with its time.
void TestAmbrelProgram::lockedStoreHoldsNothing()
{
    struct Run
    {
        QString program, dataDir;
        QProcess *sim = nullptr;
        qint64 lastPoll = -1, longestGap = 0;
        QList<qint64> upsOff = {};
    };
    Run runs[] = {{QStringLiteral("ambrel"), home->path() + QStringLiteral("/data/Ambrel")},
                  {home->path() + QStringLiteral("/ambrelsvc"), home->path() + QStringLiteral("/data/ambrelsvc")}};
    // Away from the desktop program, which it would take for its own.
    QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/ambrelsvc"), runs[1].program));
    QElapsedTimer clock;
    clock.start();
    QObject scope; // ends the readers with the test
    for (Run &run : runs) {
        processes.append(run.sim = new QProcess);
        run.sim->start(QStringLiteral(AMBREL_UPSSIM), QStringList());
        QVERIFY(run.sim->waitForReadyRead(5000) && QDir().mkpath(run.dataDir + QStringLiteral("/data"))
                && QDir().mkpath(run.dataDir + QStringLiteral("/cfg")));
        QFile config(run.dataDir + QStringLiteral("/cfg/config.cfg"));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write("[ups]\ncommType=1\nsaveCycle=1\ncomPort=" + run.sim->readLine().trimmed().mid(4)
                     + "\n[shutdown]\nenable=true\nmainFaultTime=1\nbattLowTime=0\nUPSOff=true\nosOff=false\n");
        config.close();
        // The mains fails at the first poll.
        connect(run.sim, &QProcess::readyReadStandardOutput, &scope, [&run, &clock] {
            while (run.sim->canReadLine()) {
                const QByteArray line = run.sim->readLine();
                if (run.lastPoll < 0)
                    run.sim->write("set status 11001000\nset inputVol 0\n");
                else if (run.upsOff.size() < 2)
                    run.longestGap = qMax(run.longestGap, clock.elapsed() - run.lastPoll);
                run.lastPoll = clock.elapsed();
                if (line == "RX S01\n")
                    run.upsOff.append(run.lastPoll);
            }
        });
        QSqlDatabase lock = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), run.dataDir);
        lock.setDatabaseName(run.dataDir + QStringLiteral("/data/ambrel.db"));
        QVERIFY(lock.open() && QSqlQuery(lock).exec(QStringLiteral("begin exclusive")));
        start(run.program == QLatin1String("ambrel") ? QStringList() : QStringList{QStringLiteral("-e")},
              {{"INVOCATION_ID", QString()}, {"NOTIFY_SOCKET", QString()}}, run.program);
    }
    QTRY_VERIFY_WITH_TIMEOUT(runs[0].upsOff.size() >= 2 && runs[1].upsOff.size() >= 2, 40000);
    const QString released = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    for (const Run &run : runs) {
        QSqlDatabase lock = QSqlDatabase::database(run.dataDir);
        QVERIFY(QSqlQuery(lock).exec(QStringLiteral("rollback")));
        QVERIFY2(run.upsOff.at(0) < 15000 && qAbs(run.upsOff.at(1) - run.upsOff.at(0) - 8000) <= 1000
                     && run.longestGap < 2500,
                 qPrintable(run.program + QStringLiteral(": UPS-off at %1 and %2 ms, longest gap %3 ms")
                                              .arg(run.upsOff.at(0)).arg(run.upsOff.at(1)).arg(run.longestGap)));
        // Each query ends at once: a read held open would keep the program from writing.
        const auto madeDuringTheLock = [&](const char *table) {
            QSqlQuery rows(lock);
            return rows.exec(QStringLiteral("select count(*) from %1 where dateTime < '%2'").arg(table, released))
                && rows.next() && rows.value(0).toInt() > 0;
        };
        QTRY_VERIFY_WITH_TIMEOUT(madeDuringTheLock("device_data") && madeDuringTheLock("alarm"), 10000);
    }
    QVERIFY(log().contains(QStringLiteral("Window shown")));
}

AMBREL_TEST_MAIN_IN_OWN_NAMESPACES(TestAmbrelProgram)
#include "tst_ambrelprogram.moc"
