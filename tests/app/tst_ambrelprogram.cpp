// The program itself, started as real processes on the offscreen platform,
// and on an X server of the test's own.

#include "otheruser.h"
#include "platform/x11windowlist.h"
#include "testenvironment.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

class TestAmbrelProgram : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void windowAtStart_data();
    void windowAtStart();
    void secondStartShowsTheRunningInstance();
    void killedInstanceDoesNotBlockTheNextStart();
    void sharedTmpCannotInterfere_data();
    void sharedTmpCannotInterfere();
    void privateFolderFallback_data();
    void privateFolderFallback();
    void peersAreBounded();
    void listenFailureIsLogged_data();
    void listenFailureIsLogged();
    void otherUserIsNotHeard();
    void showsOnAnXServer_data();
    void showsOnAnXServer();

private:
    QProcess *start(const QStringList &arguments, const QMap<QString, QString> &variables = {});
    QString log() const;
    QString socketPath() const { return home->path() + QStringLiteral("/runtime/Ambrel/instance"); }
    // A second start, which must find the running instance and end with 0.
    bool secondStartIsHeard();
    // What a later start sends, sent from here; the reply.
    static QByteArray sendEmptyMessage(const QString &path);

    QScopedPointer<QTemporaryDir> home;
    QList<QProcess *> processes;
};

void TestAmbrelProgram::init()
{
    home.reset(new QTemporaryDir);
    QDir(home->path()).mkpath(QStringLiteral("tmp"));
    QDir(home->path()).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(home->path() + QStringLiteral("/runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestAmbrelProgram::cleanup()
{
    for (QProcess *process : qAsConst(processes)) {
        process->kill();
        process->waitForFinished(10000);
    }
    qDeleteAll(processes);
    processes.clear();
}

QProcess *TestAmbrelProgram::start(const QStringList &arguments, const QMap<QString, QString> &variables)
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
    process->start(QCoreApplication::applicationDirPath() + QStringLiteral("/ambrel"), arguments);
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

bool TestAmbrelProgram::secondStartIsHeard()
{
    QProcess *second = start({});
    return second->waitForFinished(30000) && second->exitStatus() == QProcess::NormalExit && second->exitCode() == 0
           && QTest::qWaitFor([this] { return log().contains(QStringLiteral("Window shown")); }, 10000)
           && log().count(QStringLiteral("Started")) == 1;
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
    // What any user may leave in the shared temporary folder under the
    // name a former version listened on.
    QTest::addColumn<bool>("listener");
    QTest::newRow("a listener that never answers") << true;
    QTest::newRow("a folder that cannot be removed") << false;
}

void TestAmbrelProgram::sharedTmpCannotInterfere()
{
    QFETCH(bool, listener);
    const QString taken = home->path() + QStringLiteral("/tmp/Ambrel-") + QString::number(getuid());
    QLocalServer server;
    if (listener)
        QVERIFY(server.listen(taken));
    else
        QVERIFY(QDir().mkpath(taken + QStringLiteral("/inside")));

    QProcess *first = start({QStringLiteral("-srv")});
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(QStringLiteral("Started")), 30000);
    QCOMPARE(first->state(), QProcess::Running);
    QVERIFY(secondStartIsHeard());
}

void TestAmbrelProgram::privateFolderFallback_data()
{
    QTest::addColumn<QString>("runtime");
    QTest::addColumn<int>("mode");
    QTest::newRow("unset") << QString() << 0;
    QTest::newRow("open to others") << "runtime" << 0755;
}

void TestAmbrelProgram::privateFolderFallback()
{
    QFETCH(QString, runtime);
    QFETCH(int, mode);
    QString variable;
    if (!runtime.isNull()) {
        variable = home->path() + QLatin1Char('/') + runtime;
        QCOMPARE(chmod(QFile::encodeName(variable).constData(), mode_t(mode)), 0);
    }
    start({QStringLiteral("-srv")}, {{QStringLiteral("XDG_RUNTIME_DIR"), variable}});
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(QStringLiteral("Started")), 30000);
    const QString folder = home->path() + QStringLiteral("/cache/Ambrel-runtime");
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
                                      | QFile::WriteOther | QFile::ExeOther;
    QCOMPARE(QFile::permissions(folder) & others, QFile::Permissions());
    QCOMPARE(sendEmptyMessage(folder + QStringLiteral("/instance")), QByteArray("\x06"));
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(QStringLiteral("Window shown")), 10000);
}

void TestAmbrelProgram::peersAreBounded()
{
    start({QStringLiteral("-srv")});
    // A start that comes while the first is still starting is not lost: it
    // is answered once the window can be shown.
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(socketPath()), 30000);
    QCOMPARE(sendEmptyMessage(socketPath()), QByteArray("\x06"));
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(QStringLiteral("Window shown")), 10000);
    QVERIFY(log().lastIndexOf(QStringLiteral("Window shown")) > log().lastIndexOf(QStringLiteral("Window hidden")));
    QVERIFY(log().indexOf(QStringLiteral("Window shown")) > log().indexOf(QStringLiteral("Started")));

    // One that says nothing, and one that announces more than a message
    // can hold, are dropped; the next start is heard meanwhile.
    QLocalSocket silent;
    silent.connectToServer(socketPath());
    QVERIFY(silent.waitForConnected(5000));
    QLocalSocket huge;
    huge.connectToServer(socketPath());
    QVERIFY(huge.waitForConnected(5000));
    huge.write(QByteArray::fromHex("7fffffff") + QByteArray(1000, 'x'));
    QCOMPARE(sendEmptyMessage(socketPath()), QByteArray("\x06"));
    QVERIFY(huge.waitForDisconnected(5000));
    QVERIFY(silent.waitForDisconnected(5000));
}

void TestAmbrelProgram::listenFailureIsLogged_data()
{
    QTest::addColumn<QString>("taken"); // under the runtime folder: a file, or a folder with a file in it
    QTest::addColumn<QString>("logged");
    QTest::newRow("socket name") << "Ambrel/instance/inside" << "Warning: Cannot listen on ";
    QTest::newRow("folder name") << "Ambrel" << "Warning: No private folder for the single-instance socket: ";
}

void TestAmbrelProgram::listenFailureIsLogged()
{
    QFETCH(QString, taken);
    QFETCH(QString, logged);
    const QString path = home->path() + QStringLiteral("/runtime/") + taken;
    QFile file(path);
    QVERIFY(QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly));
    file.close();
    QProcess *program = start({QStringLiteral("-srv")});
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(logged), 30000);
    QVERIFY(log().contains(QStringLiteral("Started")));
    QCOMPARE(program->state(), QProcess::Running);
}

void TestAmbrelProgram::otherUserIsNotHeard()
{
    if (!OtherUser::available())
        QSKIP("needs root and setpriv to connect as another user");
    start({QStringLiteral("-srv")});
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(QStringLiteral("Started")), 30000);
    // Let the other user reach the socket: only the program's own check
    // stands in its way.
    for (const QString &path : {home->path(), home->path() + QStringLiteral("/runtime"), QFileInfo(socketPath()).path()})
        QCOMPARE(chmod(QFile::encodeName(path).constData(), 0711), 0);
    QCOMPARE(chmod(QFile::encodeName(socketPath()).constData(), 0777), 0);

    QCOMPARE(OtherUser::exchange(socketPath(), QByteArray::fromHex("ffffffff")), QByteArray("b''"));
    QVERIFY(!log().contains(QStringLiteral("Window shown")));
    QCOMPARE(sendEmptyMessage(socketPath()), QByteArray("\x06")); // this user is heard
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(QStringLiteral("Window shown")), 10000);
}

void TestAmbrelProgram::showsOnAnXServer_data()
{
    // The program asks for OpenGL ES, which this Qt (built for desktop
    // OpenGL) does not have; the window must show all the same.
    QTest::addColumn<QString>("backend");
    QTest::newRow("software") << QStringLiteral("software");
    QTest::newRow("default backend") << QString();
}

void TestAmbrelProgram::showsOnAnXServer()
{
    QFETCH(QString, backend);
    // An X server of this test's own, on a display number that other tests
    // running at the same time are unlikely to pick; it must not reset when
    // the short connections of the window check close.
    static int next = 1000 + QCoreApplication::applicationPid() % 20000;
    QProcess xvfb;
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
    cleanup();
    xvfb.terminate();
    xvfb.waitForFinished(5000);
}

AMBREL_TEST_MAIN(TestAmbrelProgram)
#include "tst_ambrelprogram.moc"
