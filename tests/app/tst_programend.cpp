// The program ended otherwise than by Quit while the UPS is set to switch
// its output off: the real program on an X server of the test's own, polling
// the simulated UPS process, with a mock logind on a private system bus. Run
// as root, it has a process list, a lock folder and pseudo-terminals of its
// own.
#include "testdisplay.h"
#include "testenvironment.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QSettings>

#include <csignal>
#include <sys/stat.h>

class TestProgramEnd : public QObject
{
    Q_OBJECT

    QProcess bus, logind, sim, program;
    QString busAddress;
    QScopedPointer<QTemporaryDir> home;
    TestDisplay display;
    QByteArray simOut;

    QString dataFile(const QString &name) const { return home->filePath(QStringLiteral("data/Ambrel/") + name); }
    QByteArray log() const
    {
        QByteArray text;
        const QDir folder(dataFile(QStringLiteral("log")));
        for (const QFileInfo &day : folder.entryInfoList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
            QFile file(day.filePath());
            if (file.open(QIODevice::ReadOnly))
                text += file.readAll();
        }
        return text;
    }
    bool setShuttingDown(bool shuttingDown)
    {
        QDBusMessage message = QDBusMessage::createMethodCall(
            "org.freedesktop.login1", "/org/freedesktop/login1", "org.freedesktop.DBus.Mock", "UpdateProperties");
        message.setArguments({"org.freedesktop.login1.Manager", QVariantMap{{"PreparingForShutdown", shuttingDown}}});
        return QDBusConnection(QStringLiteral("mock")).call(message).type() == QDBusMessage::ReplyMessage;
    }

private slots:
    void initTestCase()
    {
        bus.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"});
        QTRY_VERIFY_WITH_TIMEOUT(bus.canReadLine(), 10000);
        busAddress = QString::fromLatin1(bus.readLine().trimmed());
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", busAddress.toLatin1()); // for the mock and the program
        logind.start(QStringLiteral(AMBREL_PYTHON), {"-m", "dbusmock", "--system", "--template", "logind"});
        QDBusConnection mock = QDBusConnection::connectToBus(busAddress, QStringLiteral("mock"));
        QTRY_VERIFY_WITH_TIMEOUT(mock.interface()->isServiceRegistered("org.freedesktop.login1"), 20000);
        connect(&sim, &QProcess::readyReadStandardOutput, this, [this] { simOut += sim.readAllStandardOutput(); });
    }

    void cleanupTestCase()
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("mock"));
        for (QProcess *process : {&logind, &bus}) {
            process->kill();
            process->waitForFinished(5000);
        }
    }

    void init()
    {
        home.reset(new QTemporaryDir);
        simOut.clear();
        // On battery, and the battery is low: the ten-second countdown tells
        // the UPS at once to switch off in a minute.
        sim.start(QStringLiteral(AMBREL_UPSSIM), QStringList());
        sim.write("set status 11001000\nset inputVol 0\n");
        QTRY_VERIFY_WITH_TIMEOUT(simOut.startsWith("PTY /dev/") && simOut.contains('\n'), 5000);
        QSettings config(dataFile(QStringLiteral("cfg/config.cfg")), QSettings::IniFormat);
        const QVariantMap values{
            {"ups/commType", 1}, {"ups/comPort", QString::fromLocal8Bit(simOut.mid(4, simOut.indexOf('\n') - 4))},
            {"ups/baudRate", 2400}, {"shutdown/enable", true}, {"shutdown/mainFaultTime", 1},
            {"shutdown/battLowTime", 0}, {"shutdown/UPSOff", true}, {"shutdown/UPSOffTime", 1},
        };
        for (auto it = values.begin(); it != values.end(); ++it)
            config.setValue(it.key(), it.value());
    }

    void cleanup()
    {
        if (QTest::currentTestFailed())
            qWarning().noquote() << "log:\n" << log();
        for (QProcess *process : {&program, &sim}) {
            process->kill();
            process->waitForFinished(5000);
        }
        display.stop();
        QVERIFY(setShuttingDown(false));
    }

    void endCancelsTheUpsOff_data()
    {
        QTest::addColumn<int>("signal"); // 0: the display ends
        QTest::addColumn<bool>("shuttingDown");
        QTest::newRow("SIGTERM") << int(SIGTERM) << false;
        QTest::newRow("SIGHUP") << int(SIGHUP) << false;
        QTest::newRow("display ends") << 0 << false;
        // The system is asked at exit whether it is going down.
        QTest::newRow("display ends as the system goes down") << 0 << true;
    }

    void endCancelsTheUpsOff()
    {
        QFETCH(int, signal);
        QFETCH(bool, shuttingDown);
        QVERIFY(setShuttingDown(shuttingDown));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *folder : {"DATA", "CONFIG", "CACHE"})
            env.insert(QStringLiteral("XDG_%1_HOME").arg(folder), home->filePath(QString(folder).toLower()));
        const QString runtime = home->filePath(QStringLiteral("runtime"));
        QVERIFY(QDir().mkpath(runtime) && chmod(QFile::encodeName(runtime).constData(), 0700) == 0);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("DISPLAY"), display.start());
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(home->path());
        program.start(QCoreApplication::applicationDirPath() + QStringLiteral("/ambrel"), {QStringLiteral("-srv")});

        QTRY_COMPARE_WITH_TIMEOUT(simOut.count("RX S01\n"), 1, 30000);
        const QString marker = dataFile(QStringLiteral("data/upsoff.pending"));
        QVERIFY(QFile::exists(marker));
        if (signal)
            QCOMPARE(::kill(pid_t(program.processId()), signal), 0);
        else
            display.stop();
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        if (shuttingDown) {
            QVERIFY(log().contains("The operating system is shutting down: the UPS keeps its switch-off."));
            QVERIFY(QFile::exists(marker));
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(simOut.contains("RX C\n"), 5000);
            QVERIFY(!QFile::exists(marker));
        }
        QCOMPARE(simOut.count("RX C\n"), shuttingDown ? 0 : 1);
    }
};

AMBREL_TEST_MAIN_IN_OWN_NAMESPACES(TestProgramEnd)
#include "tst_programend.moc"
