// The service host seen from outside: the command line of a small service
// program, run as a child process against a mock systemd on a private system
// bus (or no bus at all), and the same program run the way systemd runs a
// service: NOTIFY_SOCKET at a socket of the test, stopped by signals,
// controlled through its control socket. Run as root in namespaces of its
// own, the program is installed as root installs it, into a scratch system;
// and so is the real service program, with "cmake --install" as the README says.
#include "otheruser.h"
#include "systemdmock.h"
#include "testenvironment.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <csignal>
#include <tuple>
#include <poll.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const char kUnitInterface[] = "org.freedesktop.systemd1.Unit";
const char kNeedsScratch[] = "needs root and namespaces of the test's own";

struct Result
{
    QByteArray out;
    QByteArray err;
    int exitCode = -1000;
};

// Where the unit stands before a row runs: a file in the unit folder, or
// a unit that systemd has from elsewhere.
enum Unit { NoUnit, UnitFile, UnitRunning, UnitWithoutFile, UnitFileRunning };

// A service process with what it wrote and what it told the manager.
struct ServiceProcess
{
    QProcess process;
    int notifyFd = -1;
    QByteArrayList notes;
    QByteArray out;

    ~ServiceProcess()
    {
        process.kill();
        process.waitForFinished(5000);
        close(notifyFd);
    }

    bool listen(const QString &path)
    {
        notifyFd = socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        strncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof(address.sun_path) - 1);
        return bind(notifyFd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0;
    }

    bool noted(const QByteArray &line)
    {
        char buffer[4096];
        ssize_t n;
        while ((n = recv(notifyFd, buffer, sizeof(buffer), 0)) > 0)
            notes += QByteArray(buffer, int(n)).split('\n');
        return notes.contains(line);
    }

    // What the service wrote before it answered a control is all there.
    QByteArray lines()
    {
        while (process.waitForReadyRead(200))
            out += process.readAllStandardOutput();
        return out += process.readAllStandardOutput();
    }
};

} // namespace

class TestServiceHost : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    // The service program as root installs it, where there is a scratch system.
    QString program = QStringLiteral(AMBREL_TESTSERVICE);
    SystemdMock *mock = nullptr;
    int names = 0;
    QString name; // the service of the running test row

    QString units = dir.filePath("units"); // the unit folder
    QString unitFile() const { return units + "/" + name + ".service"; }
    QString socketPath() const { return dir.filePath("run/" + name + "/control"); }

    QProcessEnvironment environment(bool withBus = true) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // Not started by a service manager, whatever runs the tests.
        env.remove("INVOCATION_ID");
        env.remove("NOTIFY_SOCKET");
        env.remove("RUNTIME_DIRECTORY");
        env.insert("AMBREL_TEST_SERVICE_NAME", name);
        env.insert("AMBREL_TEST_UNIT_DIR", units);
        env.insert("AMBREL_TEST_RUNTIME_DIR", dir.filePath("run"));
        env.insert("DBUS_SYSTEM_BUS_ADDRESS", withBus ? QString::fromLatin1(mock->address())
                                                      : "unix:path=" + dir.filePath("no-bus"));
        return env;
    }

    Result run(const QStringList &args, const QProcessEnvironment &env, const QString &other = QString())
    {
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(other.isEmpty() ? program : other, args);
        Result result;
        if (process.waitForFinished(60000)) {
            result.out = process.readAllStandardOutput();
            result.err = process.readAllStandardError();
            result.exitCode = qint8(process.exitCode()); // -1 and -4 come back as 255 and 252
        }
        return result;
    }

    QByteArray expand(QByteArray text) const
    {
        text.replace("%name", name.toLatin1());
        text.replace("%program", program.toLatin1());
        return text.replace("%path", QFileInfo(program).canonicalFilePath().toLatin1());
    }

    bool prepare(Unit unit)
    {
        QFile file(unitFile());
        if (unit == UnitFile || unit == UnitFileRunning)
            return file.open(QIODevice::WriteOnly)
                   && mock->call(SystemdMock::ManagerPath, SystemdMock::Manager, "Reload").type()
                          == QDBusMessage::ReplyMessage
                   && (unit == UnitFile
                       || mock->setProperty(name + ".service", kUnitInterface, "ActiveState", "active"));
        return unit == NoUnit || mock->addUnit(name + ".service", unit == UnitRunning ? "active" : "inactive");
    }

    // Starts the service as the manager would and waits until it runs.
    // env: the environment besides what the manager sets; runner: what
    // runs the service (empty: the service itself).
    bool startService(ServiceProcess &service, int flags, const QByteArray &loopExit = QByteArray(),
                      QProcessEnvironment env = QProcessEnvironment(), const QStringList &runner = {})
    {
        const QString notify = dir.filePath(name + ".notify");
        if (env.isEmpty())
            env = environment();
        env.insert("INVOCATION_ID", "0123456789abcdef");
        env.insert("NOTIFY_SOCKET", notify);
        env.insert("AMBREL_TEST_SERVICE_FLAGS", QString::number(flags));
        if (!loopExit.isEmpty())
            env.insert("AMBREL_TEST_SERVICE_EXIT", loopExit);
        service.process.setProcessEnvironment(env);
        service.process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        if (!service.listen(notify) || !mock->addUnit(name + ".service", "active"))
            return false;
        chmod(QFile::encodeName(notify), 0666); // for a service of another account
        if (runner.isEmpty())
            service.process.start(program, QStringList());
        else
            service.process.start(runner.first(), runner.mid(1) << program);
        QElapsedTimer timer;
        timer.start();
        while (!service.noted("READY=1") && !service.noted("STATUS=Stopped") && timer.elapsed() < 20000)
            QTest::qWait(20);
        return service.lines().startsWith("start\n") && service.noted("STATUS=Starting");
    }

    // Runs the program's command line against the running service; its
    // effect is in the service's output when this returns.
    bool control(const QStringList &args) { return run(args, environment()).exitCode == 0; }

    // What a peer of the control socket gets back for what it sends.
    QByteArray exchange(const QByteArray &request)
    {
        QLocalSocket peer;
        peer.connectToServer(socketPath());
        if (!peer.waitForConnected(10000))
            return "not connected";
        peer.write(request);
        QByteArray reply;
        while (peer.waitForReadyRead(10000))
            reply += peer.readAll();
        return reply;
    }

    // The scratch system: /etc seen through an overlay, /etc/systemd/system,
    // /usr/local and /root empty, as on a fresh machine; nothing reaches the
    // machine's own units, udev rules, programs or accounts. -i registers
    // only a program that root alone may change: a test of it is skipped
    // without one (QSKIP in the test function itself, which it ends).
    static bool scratch()
    {
        return geteuid() == 0 && getpid() == 1 && qEnvironmentVariableIsSet("AMBREL_TEST_OWN_NAMESPACES");
    }
    static bool mountAt(const QString &target, const char *type, const QString &options)
    {
        return QDir().mkpath(target)
               && mount(type, QFile::encodeName(target), type, 0, QFile::encodeName(options).constData()) == 0;
    }
    // What is written into the folder lands in a temporary folder.
    bool overlay(const QString &folder)
    {
        const QString changes = dir.filePath(QFileInfo(folder).fileName() + ".changes");
        return QDir().mkpath(changes + "/upper") && QDir().mkpath(changes + "/work")
               && mountAt(folder, "overlay",
                          QString("lowerdir=%1,upperdir=%2/upper,workdir=%2/work").arg(folder, changes));
    }

private slots:
    void initTestCase()
    {
        if (scratch()) {
            units = "/etc/systemd/system";
            program = "/usr/local/bin/ambrel_testservice";
            QVERIFY(overlay("/etc") && QDir().mkpath("/etc/udev/rules.d") && mountAt(units, "tmpfs", "mode=0755")
                    && mountAt("/usr/local", "tmpfs", "mode=0755") && mountAt("/root", "tmpfs", "mode=0700")
                    && QDir().mkpath("/usr/local/bin") && QFile::copy(AMBREL_TESTSERVICE, program));
            // An account of its own, with a home.
            const QByteArray home = QFile::encodeName(dir.filePath("ops"));
            QFile passwd("/etc/passwd"), group("/etc/group");
            QVERIFY(QDir().mkpath(home) && chown(home, 4242, 4242) == 0 && passwd.open(QIODevice::Append)
                    && passwd.write("ambrelops:x:4242:4242::" + home + ":/usr/sbin/nologin\n") > 0
                    && group.open(QIODevice::Append) && group.write("ambrelops:x:4242:\n") > 0);
        }
        QVERIFY(QDir().mkpath(units) && QDir().mkpath(dir.filePath("run")));
        mock = new SystemdMock(units);
        QVERIFY(mock->start());
    }
    void cleanupTestCase() { delete mock; }
    void init() { name = QStringLiteral("svc%1").arg(++names); }

    void commandLine_data();
    void commandLine();
    void install_data();
    void install();
    void installRefusesWhatTheUnitCannotHold();
    void installAgain();
    void installedAsTheReadmeSays();
    void terminate_data();
    void terminate();
    void badName();
    void lifeCycle_data();
    void lifeCycle();
    void controls_data();
    void controls();
    void badPeers();
    void otherUserRefused();
    void serviceOfAnAccount();
    void execRunsStartOnly();
};

void TestServiceHost::commandLine_data()
{
    QTest::addColumn<bool>("bus");
    QTest::addColumn<int>("unit");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("stateAfter"); // the unit's ActiveState; empty: no unit
    auto row = [](const char *tag, bool bus, Unit unit, const QStringList &args, const char *out, const char *err,
                  int exitCode, const char *stateAfter) {
        QTest::newRow(tag) << bus << int(unit) << args << QByteArray(out) << QByteArray(err) << exitCode
                           << QString(stateAfter);
    };
    const char *version = "The service\n\t%name\n\t%program\n\nis %1 and %2\n\n";
    row("install", true, NoUnit, {"-i"}, "The service %name has been installed under: %path\n", "", 0, "inactive");
    row("install, installed", true, UnitFile, {"-install"}, "", "The service %name is already installed\n", 0,
        "inactive");
    row("install, line break in account", true, NoUnit, {"-i", "bob\nExecStartPre=/bin/true"}, "",
        "The service cannot run as bob\nExecStartPre=/bin/true: the account bob\nExecStartPre=/bin/true does not "
        "exist\nThe service %name could not be installed\n",
        -1, "");
    row("install, account without a home", true, NoUnit, {"-i", "nobody"}, "",
        "The service cannot run as nobody: the account nobody has no home folder of its own (/nonexistent), where "
        "the service keeps its settings and data\nThe service %name could not be installed\n",
        -1, "");
    row("install, account and password", true, NoUnit, {"-i", "ambrelops", "secret"},
        "The service %name has been installed under: %path\nIt runs as ambrelops, which needs:\n\tfor a serial UPS, "
        "the group dialout of the serial ports (usermod -aG dialout ambrelops)\n\tfor a USB UPS, its hidraw device, "
        "which the udev rule opens only to the user at the seat\n\tto power the machine off, the right to do so "
        "through logind without a session (a polkit rule for org.freedesktop.login1.power-off)\n",
        "The password is not used: the service manager runs the service as the account without one\n", 0, "inactive");
    row("install, no bus", false, NoUnit, {"-i"}, "", "The service %name could not be installed\n", -1, "");
    row("uninstall", true, UnitFile, {"-u"}, "The service %name has been uninstalled.\n", "", 0, "");
    // A service without its unit would go on running.
    row("uninstall, running", true, UnitFileRunning, {"-u"},
        "The service %name has been stopped.\nThe service %name has been uninstalled.\n", "", 0, "");
    row("uninstall, not installed", true, NoUnit, {"-uninstall"}, "", "The service %name is not installed\n", 0, "");
    row("uninstall, file elsewhere", true, UnitWithoutFile, {"-u"}, "",
        "The service %name could not be uninstalled\n", -1, "inactive");
    row("uninstall, no bus", false, UnitFile, {"-u"}, "", "The service %name is not installed\n", 0, "inactive");
    row("version", true, UnitRunning, {"-v"}, qPrintable(QString(version).arg("installed", "running")), "", 0,
        "active");
    row("version, not installed", true, NoUnit, {"-version"},
        qPrintable(QString(version).arg("not installed", "not running")), "", 0, "");
    row("version, no bus", false, UnitRunning, {"-v"}, qPrintable(QString(version).arg("not installed", "not running")),
        "", 0, "active");
    row("start from a console", true, UnitFile, {}, "", "", 0, "active");
    row("unknown option starts", true, UnitFile, {"-INSTALL"}, "", "", 0, "active");
    row("start, not installed", true, NoUnit, {}, "", "The service %name could not start\n", -4, "");
    row("start, no bus", false, UnitFile, {}, "", "The service %name could not start\n", -4, "inactive");
    row("terminate, not installed", true, NoUnit, {"-t"}, "", "The service %name is not installed\n", -1, "");
    row("terminate, no bus", false, UnitRunning, {"-t"}, "", "The service %name is not installed\n", -1, "active");
    for (const char *option : {"-p", "-r", "-c"}) {
        row(qPrintable(option + QString(", not running")), true, UnitFile, {option, "5"}, "",
            "The service %name is not running\n", -1, "inactive");
        row(qPrintable(option + QString(", no bus")), false, UnitFile, {option, "5"}, "",
            "The service %name is not installed\n", -1, "inactive");
    }
    row("help", true, NoUnit, {"-help"},
        "\n%program -[i|u|e|t|p|r|c|v|h]\n"
        "\t-i(nstall) [account] [password]\t: Install the service, optionally using given account and password\n"
        "\t-u(ninstall)\t: Uninstall the service.\n"
        "\t-e(xec)\t\t: Run as a regular application. Useful for debugging.\n"
        "\t-t(erminate)\t: Stop the service.\n\t-p(ause)\t: Pause the service.\n"
        "\t-r(esume)\t: Resume a paused service.\n\t-c(ommand) num\t: Send command code num to the service.\n"
        "\t-v(ersion)\t: Print version and status information.\n\t-h(elp)   \t: Show this help\n"
        "\tNo arguments\t: Start the service.\n",
        "", 0, "");
}

void TestServiceHost::commandLine()
{
    QFETCH(bool, bus);
    QFETCH(int, unit);
    QFETCH(QStringList, args);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QFETCH(int, exitCode);
    QFETCH(QString, stateAfter);
    if (args.value(0) == "-i" && !scratch())
        QSKIP(kNeedsScratch);

    QVERIFY(prepare(Unit(unit)));
    const Result r = run(args, environment(bus));
    QCOMPARE(r.out, expand(out));
    // A warning carries the system's error text behind it.
    QVERIFY2(err.endsWith('(') ? r.err.startsWith(err) : r.err == expand(err), r.err.constData());
    QCOMPARE(r.exitCode, exitCode);
    QCOMPARE(mock->activeState(name + ".service"), stateAfter);
}

void TestServiceHost::install_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("automatic");
    QTest::addColumn<QString>("userLine");

    QTest::newRow("no account") << QStringList{"-i"} << false << QString();
    QTest::newRow("LocalSystem with a password") << QStringList{"-i", "LocalSystem", "secret"} << false << QString();
    QTest::newRow("account and password") << QStringList{"-i", "root", "secret"} << false << "User=root\n";
    QTest::newRow("account of a domain") << QStringList{"-i", "HOST\\root"} << false << "User=root\n";
    QTest::newRow("password without account") << QStringList{"-i", "", "secret"} << false << QString();
    QTest::newRow("automatic start") << QStringList{"-i"} << true << QString();
}

void TestServiceHost::install()
{
    QFETCH(QStringList, args);
    QFETCH(bool, automatic);
    QFETCH(QString, userLine);
    if (!scratch())
        QSKIP(kNeedsScratch);

    QProcessEnvironment env = environment();
    if (automatic)
        env.insert("AMBREL_TEST_SERVICE_STARTUP", "auto");
    const int enabled = mock->callCount(SystemdMock::ManagerPath, "EnableUnitFiles");
    const Result r = run(args, env);
    QCOMPARE(r.exitCode, 0);
    QFile file(unitFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()),
             QString("[Unit]\nDescription=Ambrel test service\nWants=dbus.service\nAfter=dbus.service\n\n"
                     "[Service]\nType=notify\nExecStart=\"%1\"\n%2Restart=on-failure\nRuntimeDirectory=%3\n"
                     "RuntimeDirectoryMode=0700\nUMask=0077\nPrivateTmp=yes\nProtectHostname=yes\n"
                     "ProtectControlGroups=yes\nLockPersonality=yes\nRestrictRealtime=yes\nRestrictSUIDSGID=yes\n"
                     "\n[Install]\nWantedBy=multi-user.target\n")
                 .arg(program, userLine, name));
    QCOMPARE(mock->callCount(SystemdMock::ManagerPath, "EnableUnitFiles"), enabled + int(automatic));
}

void TestServiceHost::installRefusesWhatTheUnitCannotHold()
{
    if (!scratch())
        QSKIP(kNeedsScratch);
    // A masked unit is a link to /dev/null (here a file that stands in for
    // it): neither the link nor what it points to is written.
    const QString null = dir.filePath(name + ".null");
    QFile(null).open(QIODevice::WriteOnly);
    QVERIFY(QFile::link(null, unitFile()));
    Result r = run({"-i"}, environment());
    QVERIFY2(r.exitCode == -1 && r.err.contains("is a link or no regular file"), r.err.constData());
    QVERIFY(QFileInfo(unitFile()).isSymLink() && QFileInfo(null).size() == 0 && QFile::remove(unitFile()));

    // Copies of the program: systemd takes no backslash or quote in its
    // path and expands no variable there, only specifiers; and whoever may
    // replace the program (a folder on its way of another user or of a
    // group, or the program open to every user) would run as root.
    const QByteArray byOthers = "only root may change, but the ", others = " may be changed by other users.";
    const QList<std::tuple<QString, uid_t, int, QByteArray>> copies = {
        {"/usr/local/bin\\x", 0, 0755, "backslash or a quote"},
        {"/usr/local/bin\"x", 0, 0755, "backslash or a quote"},
        {"/usr/local/ann", 65534, 0755, byOthers + "folder /usr/local/ann belongs to user nobody."},
        {"/usr/local/staff", 0, 0775, byOthers + "folder /usr/local/staff (of user root, mode 0775)" + others},
        {"/usr/local/bin/svc", 0, 0777, byOthers + "file /usr/local/bin/svc (of user root, mode 0777)" + others},
        {"/usr/local/bin$HOME%n", 0, 0755, ""}};
    for (const auto &[changed, owner, mode, refusal] : copies) {
        const QString copy = changed.endsWith("svc") ? changed : changed + "/svc";
        QVERIFY(QDir().mkpath(QFileInfo(copy).path()) && QFile::copy(program, copy));
        QVERIFY(chown(QFile::encodeName(changed), owner, 0) == 0 && chmod(QFile::encodeName(changed), mode) == 0);
        r = run({"-i"}, environment(), copy);
        QFile file(unitFile());
        if (!refusal.isEmpty()) {
            QVERIFY2(r.exitCode == -1 && r.err.contains(refusal) && !file.exists(), r.err.constData());
            continue;
        }
        QVERIFY(r.exitCode == 0 && file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("\nExecStart=\"" + QFile::encodeName(copy).replace("%", "%%") + "\"\n"));
    }
}

void TestServiceHost::installAgain()
{
    if (!scratch())
        QSKIP(kNeedsScratch);
    // A unit of an older install, then another account: brought up to date.
    QFile unit(unitFile());
    QVERIFY(run({"-i"}, environment()).exitCode == 0 && unit.open(QIODevice::ReadWrite));
    const QByteArray older = unit.readAll().replace("Wants=dbus.service\n", "").replace("UMask=0077\n", "");
    QVERIFY(unit.resize(0) && unit.write(older) == older.size());
    unit.close();
    Result r = run({"-i", "root"}, environment());
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, expand("The service %name has been changed:\n\tWants=dbus.service (was: no Wants=)\n"
                           "\tUser=root (was: no User=)\n\tUMask=0077 (was: no UMask=)\n"));

    // It runs another file than its program now (as after an upgrade in
    // place): a restart brings the new one in, whichever program asks.
    QVERIFY(mock->setProperty(name + ".service", kUnitInterface, "ActiveState", "active")
            && mock->setProperty(name + ".service", "org.freedesktop.systemd1.Service", "MainPID",
                                 uint(QCoreApplication::applicationPid())));
    const QByteArray restart = expand("The service runs an older copy of its program %program, which has been "
                                      "replaced: restart it for the new one to run (%program -t, then %program)\n");
    r = run({"-i", "root"}, environment());
    QVERIFY(r.exitCode == 0 && r.out == restart && r.err == expand("The service %name is already installed\n"));
    QVERIFY(QFile::copy(program, "/usr/local/bin/other"));
    r = run({"-v"}, environment(), "/usr/local/bin/other");
    QCOMPARE(r.out, expand("The service\n\t%name\n\t%program\n\nis installed and running\n\n") + restart);
}

void TestServiceHost::installedAsTheReadmeSays()
{
    if (!scratch())
        QSKIP(kNeedsScratch);
    // The install lists what it wrote in the build folder.
    QVERIFY(overlay(AMBREL_BINARY_DIR));
    QProcess install;
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start("cmake", {"--install", AMBREL_BINARY_DIR, "--prefix", "/usr/local"});
    QVERIFY2(install.waitForFinished(120000) && install.exitCode() == 0, install.readAll().constData());
    QProcessEnvironment env; // nothing of the test's own
    env.insert("DBUS_SYSTEM_BUS_ADDRESS", mock->address());
    const Result r = run({"-i"}, env, "/usr/local/bin/ambrelsvc");
    QCOMPARE(r.out, "The service Ambrel has been installed under: /usr/local/lib/ambrel/ambrelsvc\n");
    QVERIFY2(r.exitCode == 0 && r.err.isEmpty(), r.err.constData());

    // Its first start under systemd, whose journal is its standard error
    // stream: each line carries its level.
    QFile journal(dir.filePath("journal"));
    struct stat stream, settings;
    QVERIFY(journal.open(QIODevice::ReadWrite) && fstat(journal.handle(), &stream) == 0);
    env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", dir.path());
    env.insert("XDG_DATA_HOME", dir.filePath("data"));
    env.insert("JOURNAL_STREAM", QString("%1:%2").arg(stream.st_dev).arg(stream.st_ino));
    QProcess service;
    service.setProcessEnvironment(env);
    service.setStandardErrorFile(journal.fileName());
    service.start("/usr/local/bin/ambrelsvc", {"-e"});
    const QByteArray unwatched = "<4>No USB UPS of the device list is present: the UPS is not watched.\n";
    QTRY_VERIFY_WITH_TIMEOUT(journal.seek(0) && journal.readAll().contains(unwatched), 30000);
    service.terminate();
    QVERIFY(service.waitForFinished(20000) && journal.seek(0));
    const QByteArray lines = journal.readAll();
    QVERIFY2(lines.startsWith('<') && lines.count("\n<") == lines.count('\n') - 1, lines.constData());
    // Its folders, and a settings file that only its account reads.
    QVERIFY(QFile::exists(dir.filePath("data/ambrelsvc/data/ambrel.db"))
            && stat(QFile::encodeName(dir.filePath("data/ambrelsvc/cfg/config.cfg")), &settings) == 0);
    QCOMPARE(settings.st_mode & 0777, 0600u);
}

void TestServiceHost::terminate_data()
{
    QTest::addColumn<int>("stopAfter"); // reads until the unit is inactive; -1: the stop is refused
    QTest::addColumn<int>("stateReads");
    QTest::addColumn<QByteArray>("err");

    // Two reads first: whether it is installed, and whether it runs.
    QTest::newRow("at once") << 0 << 3 << QByteArray();
    QTest::newRow("after three polls") << 3 << 6 << QByteArray();
    QTest::newRow("never") << 1000 << 13 << QByteArray("The service could not be stopped. (");
    QTest::newRow("refused") << -1 << 2 << QByteArray("stopping (");
}

void TestServiceHost::terminate()
{
    QFETCH(int, stopAfter);
    QFETCH(int, stateReads);
    QFETCH(QByteArray, err);

    // Asked to stop, the unit keeps its ActiveState for as many reads as its
    // TestStopAfter says.
    QVERIFY(mock->addMethod(SystemdMock::ManagerPath, SystemdMock::Manager, "StopUnit", "ss", "o",
                            "u = objects[self.units[args[0]]]\n"
                            "u.stopping = u.props['org.freedesktop.systemd1.Unit'].get('TestStopAfter', 0)\n"
                            "if u.stopping < 0:\n"
                            "    raise dbus.exceptions.DBusException(\n"
                            "        'no', name='org.freedesktop.DBus.Error.AccessDenied')\n"
                            "ret = dbus.ObjectPath('/org/freedesktop/systemd1/job/1')\n"));
    const QString id = name + ".service";
    QVERIFY(mock->addUnit(id, "active"));
    QVERIFY(mock->addMethod(mock->unitPath(id), "org.freedesktop.DBus.Properties", "Get", "ss", "v",
                            "props = self.props[args[0]]\n"
                            "n = getattr(self, 'stopping', None)\n"
                            "if n == 0:\n"
                            "    props['ActiveState'] = 'inactive'\n"
                            "if n is not None:\n"
                            "    self.stopping = n - 1\n"
                            "ret = props[args[1]]\n"));
    QVERIFY(mock->setProperty(id, kUnitInterface, "TestStopAfter", stopAfter));
    const Result r = run({"-t"}, environment());
    QCOMPARE(r.exitCode, err.isEmpty() ? 0 : -1);
    QCOMPARE(r.out, err.isEmpty() ? expand("The service %name has been stopped.\n") : QByteArray());
    QVERIFY2(err.isEmpty() ? r.err.isEmpty() : r.err.startsWith(err), r.err.constData());
    if (stopAfter == -1)
        QVERIFY(r.err.contains("\nThe service could not be stopped. ("));
    QCOMPARE(mock->callCount(mock->unitPath(id), "Get"), stateReads);
}

void TestServiceHost::badName()
{
    // A name is cut to 255 characters and ends at a backslash, with a warning.
    for (const QString &used : {QString(255, 'n'), QString("bad")}) {
        name = used;
        QVERIFY(prepare(UnitWithoutFile)); // 255 characters and ".service" make no file name
        name = used == "bad" ? "bad\\name" : QString(300, 'n');
        const Result r = run({"-v"}, environment());
        QCOMPARE(r.err, used == "bad" ? QByteArray("ServiceHost: 'name' contains backslashes '\\'.\n")
                                      : QByteArray("ServiceHost: 'name' is longer than 255 characters.\n"));
        QCOMPARE(r.out, "The service\n\t" + used.toLatin1() + "\n\t" + program.toLatin1()
                            + "\n\nis installed and not running\n\n");
    }
}

void TestServiceHost::lifeCycle_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("signal"); // 0: none, the loop ends by itself
    QTest::addColumn<QByteArray>("loopExit");
    QTest::addColumn<int>("exitCode"); // -1: still running
    QTest::addColumn<bool>("bus");

    QTest::newRow("SIGTERM") << 0 << int(SIGTERM) << QByteArray() << 0 << true;
    QTest::newRow("SIGINT") << 0 << int(SIGINT) << QByteArray() << 0 << true;
    QTest::newRow("loop ends with 3") << 0 << 0 << QByteArray("3") << 3 << true;
    QTest::newRow("stop not accepted") << 0x2 << int(SIGTERM) << QByteArray() << -1 << true;
    // A file at its size limit must not end the service.
    QTest::newRow("SIGXFSZ ignored") << 0 << int(SIGXFSZ) << QByteArray() << -1 << true;
    // Started by systemd before its bus name is there: the service runs.
    QTest::newRow("no bus yet") << 0 << int(SIGTERM) << QByteArray() << 0 << false;
}

void TestServiceHost::lifeCycle()
{
    QFETCH(int, flags);
    QFETCH(int, signal);
    QFETCH(QByteArray, loopExit);
    QFETCH(int, exitCode);
    QFETCH(bool, bus);

    ServiceProcess service;
    QVERIFY(startService(service, flags, loopExit, environment(bus)));
    if (signal) {
        QVERIFY(service.noted("READY=1"));
        struct stat folder, socket;
        QVERIFY(stat(QFile::encodeName(QFileInfo(socketPath()).path()), &folder) == 0
                && stat(QFile::encodeName(socketPath()), &socket) == 0);
        QCOMPARE(folder.st_mode & 0777, 0700u);
        QCOMPARE(socket.st_mode & 0777, 0600u);
        QCOMPARE(kill(pid_t(service.process.processId()), signal), 0);
    }
    if (exitCode == -1) {
        // The signal was dropped: a later control still comes through.
        QVERIFY(control({"-c", "9"}));
        QCOMPARE(service.lines(), QByteArray("start\ncommand 9\n"));
        QVERIFY(!service.noted("STOPPING=1"));
        return;
    }
    QVERIFY(service.process.state() == QProcess::NotRunning || service.process.waitForFinished(20000));
    QCOMPARE(service.process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(service.process.exitCode(), exitCode);
    QCOMPARE(service.lines(), signal ? QByteArray("start\nstop\n") : QByteArray("start\n"));
    QCOMPARE(service.noted("STOPPING=1"), signal != 0);
    QVERIFY(service.noted("STATUS=Stopped"));
    QCOMPARE(service.notes.last(), QByteArray("STATUS=Stopped")); // nothing after the end
    QVERIFY(!QFile::exists(socketPath()));
}

void TestServiceHost::controls_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("call"); // what the service carries out
    QTest::addColumn<QByteArray>("note");

    QTest::newRow("pause refused") << 0 << QStringList{"-p"} << QByteArray() << QByteArray();
    QTest::newRow("resume refused") << 0 << QStringList{"-resume"} << QByteArray() << QByteArray();
    QTest::newRow("pause") << 0x1 << QStringList{"-pause"} << QByteArray("pause\n") << QByteArray("STATUS=Paused");
    QTest::newRow("resume") << 0x1 << QStringList{"-r"} << QByteArray("resume\n") << QByteArray("STATUS=Resuming");
    QTest::newRow("command 5") << 0 << QStringList{"-command", "5"} << QByteArray("command 5\n") << QByteArray();
    QTest::newRow("command 300") << 0 << QStringList{"-c", "300"} << QByteArray() << QByteArray();
    QTest::newRow("command -1") << 0 << QStringList{"-c", "-1"} << QByteArray() << QByteArray();
    QTest::newRow("command no number") << 0 << QStringList{"-c", "five"} << QByteArray("command 0\n") << QByteArray();
}

void TestServiceHost::controls()
{
    QFETCH(int, flags);
    QFETCH(QStringList, args);
    QFETCH(QByteArray, call);
    QFETCH(QByteArray, note);

    ServiceProcess service;
    QVERIFY(startService(service, flags));
    // Each says what it did, or that it could not.
    QCOMPARE(control(args), !call.isEmpty());
    QVERIFY(control({"-c", "9"}));
    QCOMPARE(service.lines(), "start\n" + call + "command 9\n");
    QVERIFY(note.isEmpty() || service.noted(note));
    QVERIFY(!service.noted("STATUS=Paused") || flags);
}

void TestServiceHost::badPeers()
{
    ServiceProcess service;
    QVERIFY(startService(service, 0));
    // Peers that connect and send nothing are given a second each, side by
    // side: the control that follows them is served while they still wait.
    QVector<int> silent;
    sockaddr_un address{AF_UNIX, {}};
    strncpy(address.sun_path, QFile::encodeName(socketPath()).constData(), sizeof(address.sun_path) - 1);
    for (int i = 0; i < 3; ++i) {
        silent.append(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
        QCOMPARE(::connect(silent.last(), reinterpret_cast<sockaddr *>(&address), sizeof(address)), 0);
    }
    auto closedBy = [&silent](int timeoutMs) {
        int closed = 0;
        for (int fd : silent) {
            pollfd wait = {fd, POLLIN, 0};
            closed += poll(&wait, 1, timeoutMs);
        }
        return closed;
    };
    QCOMPARE(exchange("133\n"), QByteArray("1\n"));
    QVERIFY(closedBy(0) < silent.size());
    QCOMPARE(exchange("abc\n"), QByteArray());
    QCOMPARE(exchange(QByteArray(100000, '1')), QByteArray());
    QCOMPARE(exchange("13 3\n"), QByteArray());
    QCOMPARE(exchange("256\n"), QByteArray("0\n")); // only the manager starts the service
    QCOMPARE(exchange("2\n"), QByteArray("0\n"));
    QCOMPARE(exchange("4\n"), QByteArray("1\n"));
    QCOMPARE(service.lines(), QByteArray("start\ncommand 5\n"));
    QCOMPARE(closedBy(10000), silent.size());
    for (int fd : silent)
        close(fd);
}

void TestServiceHost::otherUserRefused()
{
    if (!OtherUser::available())
        QSKIP("needs root and setpriv to connect as another user");

    ServiceProcess service;
    QVERIFY(startService(service, 0));
    // Let the other user reach the socket: only the service's own check
    // stands in its way.
    for (const QString &path : {dir.path(), dir.filePath("run"), QFileInfo(socketPath()).path()})
        QCOMPARE(chmod(QFile::encodeName(path), 0711), 0);
    QCOMPARE(chmod(QFile::encodeName(socketPath()), 0666), 0);

    QCOMPARE(OtherUser::exchange(socketPath(), "133\n"), QByteArray("b''"));
    QCOMPARE(exchange("137\n"), QByteArray("1\n"));
    QCOMPARE(service.lines(), QByteArray("start\ncommand 9\n"));
}

void TestServiceHost::serviceOfAnAccount()
{
    const QString setpriv = QStandardPaths::findExecutable("setpriv");
    if (geteuid() != 0 || setpriv.isEmpty())
        QSKIP("needs root and setpriv to run the service under another account");

    // As systemd starts a unit with User= at boot: the runtime folder made
    // for the account, no $XDG_RUNTIME_DIR, no bus the account could use.
    const QString folder = QFileInfo(socketPath()).path();
    QVERIFY(QDir().mkpath(folder));
    QCOMPARE(chown(QFile::encodeName(folder), 65534, 65534), 0);
    QCOMPARE(chmod(QFile::encodeName(folder), 0700), 0);
    for (const QString &path : {dir.path(), dir.filePath("run")})
        QCOMPARE(chmod(QFile::encodeName(path), 0711), 0);
    QProcessEnvironment env = environment(false);
    env.remove("AMBREL_TEST_RUNTIME_DIR");
    env.remove("XDG_RUNTIME_DIR");
    env.insert("RUNTIME_DIRECTORY", folder);

    ServiceProcess service;
    QVERIFY(startService(service, 0, QByteArray(), env, {setpriv, "--reuid=65534", "--regid=65534", "--clear-groups"}));
    QVERIFY(service.noted("READY=1"));
    // Root controls it.
    QVERIFY(control({"-c", "9"}));
    QCOMPARE(service.lines(), QByteArray("start\ncommand 9\n"));
}

void TestServiceHost::execRunsStartOnly()
{
    QProcessEnvironment env = environment();
    env.insert("AMBREL_TEST_SERVICE_EXIT", "3");
    const Result r = run({"-exec"}, env);
    QCOMPARE(r.out, QByteArray("start\n"));
    QCOMPARE(r.exitCode, 3);
}

AMBREL_TEST_MAIN_IN_OWN_NAMESPACES(TestServiceHost)
#include "tst_servicehost.moc"
