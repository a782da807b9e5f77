// A service run as the service manager runs it: a child process with
// NOTIFY_SOCKET pointing at a datagram socket of the test, stopped by
// signals and controlled through its control socket by the program's own
// command line.
#include "systemdmock.h"
#include "testenvironment.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <csignal>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// The service's process, its output lines and its notifications.
class ServiceProcess
{
public:
    QProcess process;
    int notifyFd = -1;
    QByteArrayList notes;
    QByteArray out;

    ~ServiceProcess()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
        if (notifyFd >= 0)
            close(notifyFd);
    }

    bool listen(const QString &path)
    {
        notifyFd = socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(path);
        memcpy(address.sun_path, name.constData(), size_t(name.size()));
        return notifyFd >= 0 && bind(notifyFd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0;
    }

    bool noted(const QByteArray &text)
    {
        char buffer[4096];
        ssize_t n;
        while ((n = recv(notifyFd, buffer, sizeof(buffer), 0)) > 0)
            notes.append(QByteArray(buffer, int(n)));
        for (const QByteArray &note : qAsConst(notes)) {
            if (note.split('\n').contains(text))
                return true;
        }
        return false;
    }

    // The output so far; what the service wrote before it answered a
    // control is all there.
    QByteArray lines()
    {
        while (process.waitForReadyRead(200))
            out += process.readAllStandardOutput();
        out += process.readAllStandardOutput();
        return out;
    }
};

} // namespace

class TestServiceRun : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    SystemdMock *mock = nullptr;
    int services = 0;
    QString name;

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("INVOCATION_ID"));
        env.remove(QStringLiteral("NOTIFY_SOCKET"));
        env.insert(QStringLiteral("AMBREL_TEST_SERVICE_NAME"), name);
        env.insert(QStringLiteral("AMBREL_TEST_RUNTIME_DIR"), dir.filePath(QStringLiteral("run")));
        env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), QString::fromLatin1(mock->address()));
        return env;
    }

    // Starts a service with the given flags as the manager would and waits
    // until it has reported that it runs.
    bool startService(ServiceProcess &service, int flags, const QByteArray &exitCode = QByteArray())
    {
        name = QStringLiteral("run%1").arg(++services);
        const QString notify = dir.filePath(name + ".notify");
        if (!service.listen(notify) || !mock->addUnit(name + ".service", "active"))
            return false;
        QProcessEnvironment env = environment();
        env.insert(QStringLiteral("INVOCATION_ID"), QStringLiteral("0123456789abcdef"));
        env.insert(QStringLiteral("NOTIFY_SOCKET"), notify);
        env.insert(QStringLiteral("AMBREL_TEST_SERVICE_FLAGS"), QString::number(flags));
        if (!exitCode.isEmpty())
            env.insert(QStringLiteral("AMBREL_TEST_SERVICE_EXIT"), QString::fromLatin1(exitCode));
        service.process.setProcessEnvironment(env);
        service.process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        service.process.start(QStringLiteral(AMBREL_TESTSERVICE), QStringList());
        return service.process.waitForStarted(10000);
    }

    // Runs the program's command line against the running service.
    bool control(const QStringList &args)
    {
        QProcess client;
        client.setProcessEnvironment(environment());
        client.start(QStringLiteral(AMBREL_TESTSERVICE), args);
        return client.waitForFinished(60000) && client.exitCode() == 0;
    }

    QString socketPath() const { return dir.filePath(QStringLiteral("run/") + name + QStringLiteral("/control")); }

    // What a peer of the control socket gets back for what it sends.
    QByteArray exchange(const QByteArray &request)
    {
        QLocalSocket peer;
        peer.connectToServer(socketPath());
        if (!peer.waitForConnected(10000))
            return "not connected";
        peer.write(request);
        peer.waitForBytesWritten(10000);
        QByteArray reply;
        while (peer.state() == QLocalSocket::ConnectedState && peer.waitForReadyRead(10000))
            reply += peer.readAll();
        return reply + peer.readAll();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("run"))));
        mock = new SystemdMock(dir.filePath(QStringLiteral("run")));
        QVERIFY(mock->start());
    }
    void cleanupTestCase() { delete mock; }
    void lifeCycle_data();
    void lifeCycle();
    void controls_data();
    void controls();
    void badPeers();
    void otherUserRefused();
};

void TestServiceRun::lifeCycle_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("signal"); // 0: none, the loop ends by itself
    QTest::addColumn<QByteArray>("loopExit");
    QTest::addColumn<bool>("stops");
    QTest::addColumn<int>("exitCode");

    QTest::newRow("SIGTERM") << 0 << int(SIGTERM) << QByteArray() << true << 0;
    QTest::newRow("SIGINT") << 0 << int(SIGINT) << QByteArray() << true << 0;
    QTest::newRow("loop ends with 3") << 0 << 0 << QByteArray("3") << false << 3;
    QTest::newRow("stop not accepted") << 0x2 << int(SIGTERM) << QByteArray() << false << -1;
}

void TestServiceRun::lifeCycle()
{
    QFETCH(int, flags);
    QFETCH(int, signal);
    QFETCH(QByteArray, loopExit);
    QFETCH(bool, stops);
    QFETCH(int, exitCode);

    ServiceProcess service;
    QVERIFY(startService(service, flags, loopExit));
    QTRY_VERIFY_WITH_TIMEOUT(service.noted("STATUS=Stopped") || service.noted("READY=1"), 20000);
    QVERIFY(service.lines().startsWith("start\n"));
    QVERIFY(service.noted("STATUS=Starting"));

    if (loopExit.isEmpty()) {
        QVERIFY(service.noted("READY=1"));
        struct stat folder, socket;
        QCOMPARE(stat(QFile::encodeName(QFileInfo(socketPath()).path()).constData(), &folder), 0);
        QCOMPARE(stat(QFile::encodeName(socketPath()).constData(), &socket), 0);
        QCOMPARE(folder.st_mode & 0777, 0700u);
        QCOMPARE(socket.st_mode & 0777, 0600u);
    }
    if (signal)
        QCOMPARE(kill(pid_t(service.process.processId()), signal), 0);
    if (exitCode < 0) {
        // The signal was taken and dropped: a later control still comes through.
        QVERIFY(control({"-c", "9"}));
        QCOMPARE(service.lines(), QByteArray("start\ncommand 9\n"));
        QVERIFY(!service.noted("STOPPING=1"));
        return;
    }
    QVERIFY(service.process.state() == QProcess::NotRunning || service.process.waitForFinished(20000));
    QCOMPARE(service.process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(service.process.exitCode(), exitCode);
    QCOMPARE(service.lines(), stops ? QByteArray("start\nstop\n") : QByteArray("start\n"));
    QCOMPARE(service.noted("STOPPING=1"), stops);
    QVERIFY(service.noted("STATUS=Stopped"));
    QVERIFY(!QFile::exists(socketPath()));
}

void TestServiceRun::controls_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("call"); // what the service carries out; empty: nothing
    QTest::addColumn<QByteArray>("note");

    QTest::newRow("pause refused") << 0 << QStringList{"-p"} << QByteArray() << QByteArray();
    QTest::newRow("resume refused") << 0 << QStringList{"-resume"} << QByteArray() << QByteArray();
    QTest::newRow("pause") << 0x1 << QStringList{"-pause"} << QByteArray("pause\n") << QByteArray("STATUS=Paused");
    QTest::newRow("resume") << 0x1 << QStringList{"-r"} << QByteArray("resume\n") << QByteArray("STATUS=Resuming");
    QTest::newRow("command 5") << 0 << QStringList{"-c", "5"} << QByteArray("command 5\n") << QByteArray();
    QTest::newRow("command 127") << 0 << QStringList{"-command", "127"} << QByteArray("command 127\n") << QByteArray();
    QTest::newRow("command 300") << 0 << QStringList{"-c", "300"} << QByteArray() << QByteArray();
    QTest::newRow("command -1") << 0 << QStringList{"-c", "-1"} << QByteArray() << QByteArray();
    QTest::newRow("command no number") << 0 << QStringList{"-c", "five"} << QByteArray("command 0\n") << QByteArray();
    QTest::newRow("command alone") << 0 << QStringList{"-c"} << QByteArray("command 0\n") << QByteArray();
}

void TestServiceRun::controls()
{
    QFETCH(int, flags);
    QFETCH(QStringList, args);
    QFETCH(QByteArray, call);
    QFETCH(QByteArray, note);

    ServiceProcess service;
    QVERIFY(startService(service, flags));
    QTRY_VERIFY_WITH_TIMEOUT(service.noted("READY=1"), 20000);
    QVERIFY(control(args));
    // A control after it: whatever the first one did is in the output by then.
    QVERIFY(control({"-c", "9"}));
    QCOMPARE(service.lines(), "start\n" + call + "command 9\n");
    if (!note.isEmpty())
        QVERIFY(service.noted(note));
    QVERIFY(!service.noted("STOPPING=1"));
}

void TestServiceRun::badPeers()
{
    ServiceProcess service;
    QVERIFY(startService(service, 0));
    QTRY_VERIFY_WITH_TIMEOUT(service.noted("READY=1"), 20000);

    QLocalSocket silent;
    silent.connectToServer(socketPath());
    QVERIFY(silent.waitForConnected(10000));
    QCOMPARE(exchange("133\n"), QByteArray("1\n")); // served after the silent peer
    QCOMPARE(exchange("abc\n"), QByteArray());
    QCOMPARE(exchange(QByteArray(100000, '1')), QByteArray());
    QCOMPARE(exchange("13 3\n"), QByteArray());
    QCOMPARE(exchange("256\n"), QByteArray("0\n")); // only the manager starts the service
    QCOMPARE(exchange("2\n"), QByteArray("0\n"));   // no pause without the flag
    QCOMPARE(exchange("4\n"), QByteArray("1\n"));
    QCOMPARE(service.lines(), QByteArray("start\ncommand 5\n"));
    QVERIFY(silent.state() != QLocalSocket::ConnectedState || silent.waitForDisconnected(10000));
}

void TestServiceRun::otherUserRefused()
{
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (geteuid() != 0 || setpriv.isEmpty())
        QSKIP("needs root and setpriv to connect as another user");

    ServiceProcess service;
    QVERIFY(startService(service, 0));
    QTRY_VERIFY_WITH_TIMEOUT(service.noted("READY=1"), 20000);
    // Let the other user reach the socket, so that only the service's own
    // check stands in its way.
    for (const QString &path : {dir.path(), dir.filePath("run"), QFileInfo(socketPath()).path()})
        QCOMPARE(chmod(QFile::encodeName(path).constData(), 0711), 0);
    QCOMPARE(chmod(QFile::encodeName(socketPath()).constData(), 0666), 0);

    QProcess other;
    other.start(setpriv, {"--reuid=65534", "--regid=65534", "--clear-groups", AMBREL_PYTHON, "-c",
                          "import socket, sys\n"
                          "s = socket.socket(socket.AF_UNIX)\n"
                          "s.connect(sys.argv[1])\n"
                          "s.sendall(b'133\\n')\n"
                          "try:\n"
                          "    print(repr(s.recv(16)))\n"
                          "except ConnectionResetError:\n"
                          "    print(repr(b''))\n",
                          socketPath()});
    QVERIFY(other.waitForFinished(20000));
    QVERIFY2(other.exitCode() == 0, other.readAllStandardError().constData());
    QCOMPARE(other.readAllStandardOutput().trimmed(), QByteArray("b''"));
    QCOMPARE(exchange("137\n"), QByteArray("1\n"));
    QCOMPARE(service.lines(), QByteArray("start\ncommand 9\n"));
}

AMBREL_TEST_MAIN(TestServiceRun)
#include "tst_servicerun.moc"
