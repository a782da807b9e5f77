// The command line of a service program, run as a child process against a
// mock systemd on a private system bus (and against no bus at all).
#include "systemdmock.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

const QString kUnitInterface = QStringLiteral("org.freedesktop.systemd1.Unit");
const QString kMockInterface = QStringLiteral("org.freedesktop.DBus.Mock");

struct Result
{
    QByteArray out;
    QByteArray err;
    int exitCode = -1000;
};

// Where a unit stands before a row runs.
enum Unit { NoUnit, UnitFile, UnitFileRunning, UnitWithoutFile };

} // namespace

class TestServiceCommandLine : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString units;
    SystemdMock *mock = nullptr;
    int rows = 0;

    // A service name of its own for each row, so that rows share no unit.
    QString freshName() { return QStringLiteral("svc%1").arg(++rows); }

    QProcessEnvironment environment(const QString &name, bool withBus = true) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // Not started by a service manager, whatever runs the tests.
        env.remove(QStringLiteral("INVOCATION_ID"));
        env.remove(QStringLiteral("NOTIFY_SOCKET"));
        env.insert(QStringLiteral("AMBREL_TEST_SERVICE_NAME"), name);
        env.insert(QStringLiteral("AMBREL_TEST_UNIT_DIR"), units);
        env.insert(QStringLiteral("AMBREL_TEST_RUNTIME_DIR"), dir.filePath(QStringLiteral("run")));
        env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"),
                   withBus ? QString::fromLatin1(mock->address())
                           : QStringLiteral("unix:path=") + dir.filePath(QStringLiteral("no-bus")));
        return env;
    }

    static Result run(const QStringList &args, const QProcessEnvironment &env)
    {
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(AMBREL_TESTSERVICE), args);
        Result result;
        if (!process.waitForFinished(30000))
            return result;
        result.out = process.readAllStandardOutput();
        result.err = process.readAllStandardError();
        result.exitCode = qint8(process.exitCode()); // -1 and -4 come back as 255 and 252
        return result;
    }

    QString unitFile(const QString &name) const { return units + QLatin1Char('/') + name + ".service"; }

    bool reload() { return mock->call(SystemdMock::ManagerPath, SystemdMock::Manager, "Reload").type() == QDBusMessage::ReplyMessage; }

    bool prepare(const QString &name, Unit unit)
    {
        const QString id = name + ".service";
        if (unit == UnitWithoutFile)
            return mock->addUnit(id, "inactive");
        if (unit == NoUnit)
            return true;
        QFile file(unitFile(name));
        if (!file.open(QIODevice::WriteOnly) || !reload())
            return false;
        return unit == UnitFile || mock->call(SystemdMock::ManagerPath, SystemdMock::Manager, "StartUnit", {id, "replace"}).type() == QDBusMessage::ReplyMessage;
    }

    static QByteArray expand(QByteArray text, const QString &name)
    {
        text.replace("%name", name.toLatin1());
        text.replace("%path", QFileInfo(AMBREL_TESTSERVICE).canonicalFilePath().toLatin1());
        text.replace("%args0", AMBREL_TESTSERVICE);
        return text;
    }

private slots:
    void initTestCase();
    void cleanupTestCase() { delete mock; }
    void commandLine_data();
    void commandLine();
    void install_data();
    void install();
    void terminate_data();
    void terminate();
    void withoutBus_data();
    void withoutBus();
    void badName_data();
    void badName();
    void help();
    void execRunsStartOnly();
};

void TestServiceCommandLine::initTestCase()
{
    QVERIFY(dir.isValid());
    units = dir.filePath(QStringLiteral("units"));
    QVERIFY(QDir().mkpath(units));
    mock = new SystemdMock(units);
    QVERIFY(mock->start());
}

void TestServiceCommandLine::commandLine_data()
{
    QTest::addColumn<int>("unit");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("activeAfter"); // empty: no unit afterwards
    QTest::addColumn<bool>("fileAfter");

    QTest::newRow("install") << int(NoUnit) << QStringList{"-i"}
                             << QByteArray("The service %name has been installed under: %path\n") << QByteArray() << 0
                             << "inactive" << true;
    QTest::newRow("install, installed") << int(UnitFile) << QStringList{"-install", "bob"} << QByteArray()
                                        << QByteArray("The service %name is already installed\n") << 0 << "inactive"
                                        << true;
    QTest::newRow("uninstall") << int(UnitFile) << QStringList{"-u"}
                               << QByteArray("The service %name has been uninstalled.\n") << QByteArray() << 0
                               << QString() << false;
    QTest::newRow("uninstall, not installed") << int(NoUnit) << QStringList{"-uninstall"} << QByteArray()
                                              << QByteArray("The service %name is not installed\n") << 0 << QString()
                                              << false;
    QTest::newRow("uninstall, file elsewhere") << int(UnitWithoutFile) << QStringList{"-u"} << QByteArray()
                                               << QByteArray("The service %name could not be uninstalled\n") << -1
                                               << "inactive" << false;
    QTest::newRow("version, running") << int(UnitFileRunning) << QStringList{"-v"}
                                      << QByteArray("The service\n\t%name\n\t%args0\n\nis installed and running\n\n")
                                      << QByteArray() << 0 << "active" << true;
    QTest::newRow("version, not installed")
        << int(NoUnit) << QStringList{"-version"}
        << QByteArray("The service\n\t%name\n\t%args0\n\nis not installed and not running\n\n") << QByteArray() << 0
        << QString() << false;
    QTest::newRow("start from a console") << int(UnitFile) << QStringList() << QByteArray() << QByteArray() << 0
                                          << "active" << true;
    QTest::newRow("unknown option starts") << int(UnitFile) << QStringList{"-INSTALL"} << QByteArray() << QByteArray()
                                           << 0 << "active" << true;
    QTest::newRow("start, not installed") << int(NoUnit) << QStringList() << QByteArray()
                                          << QByteArray("The service %name could not start\n") << -4 << QString()
                                          << false;
    QTest::newRow("pause, not running") << int(UnitFile) << QStringList{"-p"} << QByteArray() << QByteArray() << 0
                                        << "inactive" << true;
    QTest::newRow("resume, not running") << int(UnitFile) << QStringList{"-resume"} << QByteArray() << QByteArray()
                                         << 0 << "inactive" << true;
    QTest::newRow("command, not running") << int(UnitFile) << QStringList{"-c", "5"} << QByteArray() << QByteArray()
                                          << 0 << "inactive" << true;
}

void TestServiceCommandLine::commandLine()
{
    QFETCH(int, unit);
    QFETCH(QStringList, args);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QFETCH(int, exitCode);
    QFETCH(QString, activeAfter);
    QFETCH(bool, fileAfter);

    const QString name = freshName();
    QVERIFY(prepare(name, Unit(unit)));
    const Result r = run(args, environment(name));
    QCOMPARE(r.out, expand(out, name));
    QCOMPARE(r.err, expand(err, name));
    QCOMPARE(r.exitCode, exitCode);
    QCOMPARE(mock->activeState(name + ".service"), activeAfter);
    QCOMPARE(QFile::exists(unitFile(name)), fileAfter);
}

void TestServiceCommandLine::install_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("automatic");
    QTest::addColumn<QString>("userLine");

    QTest::newRow("no account") << QStringList{"-i"} << false << QString();
    QTest::newRow("LocalSystem with a password") << QStringList{"-i", "LocalSystem", "secret"} << false << QString();
    QTest::newRow("account and password") << QStringList{"-i", "bob", "secret"} << false << "User=bob\n";
    QTest::newRow("account of a domain") << QStringList{"-i", "HOST\\alice"} << false << "User=alice\n";
    QTest::newRow("password without account") << QStringList{"-i", "", "secret"} << false << QString();
    QTest::newRow("automatic start") << QStringList{"-i"} << true << QString();
}

void TestServiceCommandLine::install()
{
    QFETCH(QStringList, args);
    QFETCH(bool, automatic);
    QFETCH(QString, userLine);

    const QString name = freshName();
    QProcessEnvironment env = environment(name);
    if (automatic)
        env.insert(QStringLiteral("AMBREL_TEST_SERVICE_STARTUP"), QStringLiteral("auto"));
    const int enabledBefore = mock->callCount(SystemdMock::ManagerPath, "EnableUnitFiles");
    const Result r = run(args, env);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QByteArray());

    QFile file(unitFile(name));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString expected = QStringLiteral("[Unit]\nDescription=Ambrel test service\n\n[Service]\nType=notify\n"
                                            "ExecStart=\"%1\"\n%2\n[Install]\nWantedBy=multi-user.target\n")
                                 .arg(QFileInfo(AMBREL_TESTSERVICE).canonicalFilePath(), userLine);
    QCOMPARE(QString::fromUtf8(file.readAll()), expected);
    QCOMPARE(mock->callCount(SystemdMock::ManagerPath, "EnableUnitFiles"), enabledBefore + (automatic ? 1 : 0));
    QCOMPARE(mock->activeState(name + ".service"), QStringLiteral("inactive"));
}

void TestServiceCommandLine::terminate_data()
{
    QTest::addColumn<int>("stopAfter"); // polls until the unit is inactive; -1: no unit
    QTest::addColumn<int>("stateReads");
    QTest::addColumn<bool>("stopped");
    QTest::addColumn<bool>("refused");

    QTest::newRow("at once") << 0 << 1 << true << false;
    QTest::newRow("after three polls") << 3 << 4 << true << false;
    QTest::newRow("never") << 1000 << 11 << false << false;
    QTest::newRow("refused") << -1 << 0 << false << true;
}

void TestServiceCommandLine::terminate()
{
    QFETCH(int, stopAfter);
    QFETCH(int, stateReads);
    QFETCH(bool, stopped);
    QFETCH(bool, refused);

    // The unit keeps its ActiveState for as many reads as its
    // TestStopAfter property says once it has been asked to stop.
    const char stopUnit[] = "u = objects[self.units[args[0]]]\n"
                            "after = u.props['org.freedesktop.systemd1.Unit'].get('TestStopAfter', 0)\n"
                            "if after == 0:\n"
                            "    u.props['org.freedesktop.systemd1.Unit']['ActiveState'] = 'inactive'\n"
                            "u.stopping = after\n"
                            "ret = dbus.ObjectPath('/org/freedesktop/systemd1/job/1')\n";
    const char get[] = "props = self.props[args[0]]\n"
                       "n = getattr(self, 'stopping', None)\n"
                       "if args[1] == 'ActiveState' and n is not None:\n"
                       "    if n == 0:\n"
                       "        props['ActiveState'] = 'inactive'\n"
                       "    self.stopping = n - 1\n"
                       "ret = props[args[1]]\n";
    QVERIFY(mock->addMethod(SystemdMock::ManagerPath, SystemdMock::Manager, "StopUnit", "ss", "o", stopUnit));

    const QString name = freshName();
    const QString id = name + ".service";
    QString path;
    if (stopAfter >= 0) {
        QVERIFY(mock->addUnit(id, "active"));
        path = mock->unitPath(id);
        QVERIFY(mock->addMethod(path, "org.freedesktop.DBus.Properties", "Get", "ss", "v", get));
        QCOMPARE(mock->call(path, kMockInterface, "AddProperty", {kUnitInterface, "TestStopAfter", stopAfter}).type(),
                 QDBusMessage::ReplyMessage);
    }

    const Result r = run({"-t"}, environment(name));
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QByteArray());
    QCOMPARE(r.err.contains("The service could not be stopped."), !stopped);
    QCOMPARE(r.err.contains("stopping"), refused);
    if (!path.isEmpty())
        QCOMPARE(mock->callCount(path, "Get"), stateReads);
}

void TestServiceCommandLine::withoutBus_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");
    QTest::addColumn<int>("exitCode");

    QTest::newRow("install") << QStringList{"-i"} << QByteArray()
                             << QByteArray("The service %name could not be installed\n") << -1;
    QTest::newRow("uninstall") << QStringList{"-u"} << QByteArray()
                               << QByteArray("The service %name is not installed\n") << 0;
    QTest::newRow("version") << QStringList{"-v"}
                             << QByteArray("The service\n\t%name\n\t%args0\n\nis not installed and not running\n\n")
                             << QByteArray() << 0;
    QTest::newRow("terminate") << QStringList{"-t"} << QByteArray() << QByteArray("The service could not be stopped.")
                               << 0;
    QTest::newRow("pause") << QStringList{"-p"} << QByteArray() << QByteArray() << 0;
    QTest::newRow("resume") << QStringList{"-r"} << QByteArray() << QByteArray() << 0;
    QTest::newRow("command") << QStringList{"-c", "5"} << QByteArray() << QByteArray() << 0;
    QTest::newRow("start") << QStringList() << QByteArray() << QByteArray("The service %name could not start\n") << -4;
}

void TestServiceCommandLine::withoutBus()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QFETCH(int, exitCode);

    const QString name = freshName();
    const Result r = run(args, environment(name, false));
    QCOMPARE(r.out, expand(out, name));
    // The stop warning carries the system's error text behind it.
    QVERIFY2(r.err.startsWith(expand(err, name)) && (err.startsWith("The service could not") || r.err == expand(err, name)),
             r.err.constData());
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY(QDir(units).entryList(QDir::Files).filter(name + ".").isEmpty());
}

void TestServiceCommandLine::badName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("used");
    QTest::addColumn<QByteArray>("warning");

    QTest::newRow("300 characters") << QString(300, QLatin1Char('n')) << QByteArray(255, 'n')
                                    << QByteArray("ServiceHost: 'name' is longer than 255 characters.\n");
    QTest::newRow("backslash") << "bad\\name" << QByteArray("bad")
                               << QByteArray("ServiceHost: 'name' contains backslashes '\\'.\n");
}

void TestServiceCommandLine::badName()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, used);
    QFETCH(QByteArray, warning);

    // No file: a name of 255 characters and ".service" is too long for one.
    QVERIFY(prepare(QString::fromLatin1(used), UnitWithoutFile));
    const Result r = run({"-v"}, environment(name));
    QCOMPARE(r.err, warning);
    QCOMPARE(r.out, "The service\n\t" + used + "\n\t" AMBREL_TESTSERVICE "\n\nis installed and not running\n\n");
}

void TestServiceCommandLine::help()
{
    const Result r = run({"-h"}, environment(freshName()));
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.startsWith("\n" AMBREL_TESTSERVICE " -[i|u|e|t|p|r|c|v|h]\n\t-i(nstall) [account] [password]\t: "));
    QVERIFY(r.out.endsWith("\t-h(elp)   \t: Show this help\n\tNo arguments\t: Start the service.\n"));
    QCOMPARE(r.err, QByteArray());
}

void TestServiceCommandLine::execRunsStartOnly()
{
    QProcessEnvironment env = environment(freshName());
    env.insert(QStringLiteral("AMBREL_TEST_SERVICE_EXIT"), QStringLiteral("3"));
    const Result r = run({"-exec"}, env);
    QCOMPARE(r.out, QByteArray("start\n"));
    QCOMPARE(r.exitCode, 3);
}

AMBREL_TEST_MAIN(TestServiceCommandLine)
#include "tst_servicecommandline.moc"
