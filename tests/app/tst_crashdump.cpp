// A process that crashes leaves "yyyyMMddhhmmss.dmp" (local time) in its
// working directory and still dies of its signal. The crashing processes are
// this program, started again with the fault to commit in AMBREL_CRASH.

#include "platform/crashdump.h"
#include "testenvironment.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimeZone>

#include <csignal>
#include <cstdlib>
#include <dlfcn.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

class TestCrashDump : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void crashLeavesDumpAndDiesOfItsSignal_data();
    void crashLeavesDumpAndDiesOfItsSignal();
};

void TestCrashDump::initTestCase()
{
    // A zone that is not known here would silently be UTC.
    QByteArray zone = qgetenv("TZ");
    if (zone.startsWith(':'))
        zone.remove(0, 1);
    if (zone.contains('/'))
        QVERIFY2(QTimeZone(zone).isValid(), "TZ names a time zone this machine does not know");
}

void TestCrashDump::crashLeavesDumpAndDiesOfItsSignal_data()
{
    // The head of the dump, a pattern in which CHILD stands for the crashing
    // process's pid and TEST for this test's; and whether the backtrace is
    // complete.
    QTest::addColumn<QByteArray>("fault");
    QTest::addColumn<int>("signal");
    QTest::addColumn<QString>("head");
    QTest::addColumn<bool>("frames");
    QTest::newRow("null pointer") << QByteArray("segv") << int(SIGSEGV)
                                  << "Signal: 11 \\(SIGSEGV\\)\nCode: 1\nAddress: 0x0\n" << true;
    QTest::newRow("illegal instruction") << QByteArray("ill") << int(SIGILL)
                                         << "Signal: 4 \\(SIGILL\\)\nCode: [1-9]\\d*\nAddress: 0x[0-9a-f]{4,}\n" << true;
    QTest::newRow("abort") << QByteArray("abort") << int(SIGABRT)
                           << "Signal: 6 \\(SIGABRT\\)\nCode: -6, sent by pid CHILD\n" << true;
    QTest::newRow("sent by another process") << QByteArray("wait") << int(SIGSEGV)
                                             << "Signal: 11 \\(SIGSEGV\\)\nCode: 0, sent by pid TEST\n" << true;
    // The symbol lookup of the backtrace waits for that lock: the process
    // ends all the same, with the dump written up to there.
    QTest::newRow("loader lock held by another thread")
        << QByteArray("loaderlock") << int(SIGSEGV) << "Signal: 11 \\(SIGSEGV\\)\nCode: 1\nAddress: 0x0\n" << false;
}

void TestCrashDump::crashLeavesDumpAndDiesOfItsSignal()
{
    QFETCH(QByteArray, fault);
    QFETCH(int, signal);
    QFETCH(QString, head);
    QFETCH(bool, frames);
    QTemporaryDir dir;
    // Files of the names the dump may take are replaced, not appended to.
    const QDateTime before = QDateTime::currentDateTime();
    for (int s = -1; s < 5; ++s) {
        QFile stale(dir.filePath(before.addSecs(s).toString(QStringLiteral("yyyyMMddhhmmss")) + QStringLiteral(".dmp")));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("stale\n");
    }

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("AMBREL_CRASH"), QString::fromLatin1(fault));
    child.setProcessEnvironment(env);
    child.setWorkingDirectory(dir.path());
    child.start(QCoreApplication::applicationFilePath(), QStringList());
    QVERIFY(child.waitForStarted(30000));
    const qint64 pid = child.processId();
    if (fault == "wait") {
        while (!child.canReadLine() && child.waitForReadyRead(30000)) {
        }
        QCOMPARE(child.readLine(), QByteArray("installed\n"));
        QCOMPARE(kill(pid_t(pid), SIGSEGV), 0);
    }
    QVERIFY(child.waitForFinished(60000));
    const QDateTime after = QDateTime::currentDateTime();
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    QCOMPARE(child.exitCode(), signal);

    QStringList names, dumps;
    for (const QString &name : QDir(dir.path()).entryList({QStringLiteral("??????????????.dmp")}, QDir::Files)) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        if (!file.peek(5).startsWith("stale")) {
            names << name;
            dumps << QString::fromUtf8(file.readAll());
        }
    }
    QCOMPARE(dumps.size(), 1);
    const QString dump = dumps.first();
    head.replace(QStringLiteral("CHILD"), QString::number(pid));
    head.replace(QStringLiteral("TEST"), QString::number(QCoreApplication::applicationPid()));
    const QRegularExpression expected(QStringLiteral("\\A") + head + QStringLiteral("Backtrace:\n"));
    QVERIFY2(expected.match(dump).hasMatch() && !dump.contains(QStringLiteral("stale")), qPrintable(dump));
    QVERIFY2(!frames || dump.contains(QStringLiteral("tst_crashdump(")), qPrintable(dump));

    // Named by the local time of the crash (compared as text: around a change
    // of daylight-saving time a local time may stand for two instants).
    QStringList localTimes;
    for (QDateTime t = before.addMSecs(-before.time().msec()); t <= after; t = t.addSecs(1))
        localTimes << t.toString(QStringLiteral("yyyyMMddhhmmss")) + QStringLiteral(".dmp");
    QVERIFY2(localTimes.contains(names.first()),
             qPrintable(names.first() + QStringLiteral(" is none of the local times ") + localTimes.join(' ')));
}

namespace {

// Loads, on a thread of its own, the library whose loading never ends, and
// returns once that thread holds the dynamic loader's lock.
void holdLoaderLock()
{
    int held[2];
    if (pipe(held) != 0)
        _exit(4);
    setenv("AMBREL_LOADER_LOCK_FD", QByteArray::number(held[1]).constData(), 1);
    std::thread([] { dlopen(AMBREL_HOLD_LOADER_LOCK_LIBRARY, RTLD_NOW); }).detach();
    char byte;
    if (read(held[0], &byte, 1) != 1)
        _exit(4);
}

} // namespace

int main(int argc, char *argv[])
{
    const QByteArray fault = qgetenv("AMBREL_CRASH");
    if (!fault.isEmpty()) {
        struct rlimit noCore = {0, 0}; // the dump is what the test wants, not a core file
        setrlimit(RLIMIT_CORE, &noCore);
        CrashDump::install();
        if (fault == "segv") {
            *static_cast<volatile int *>(nullptr) = 1;
        } else if (fault == "abort") {
            abort();
        } else if (fault == "wait") {
            if (write(STDOUT_FILENO, "installed\n", 10) != 10)
                return 4;
            for (;;)
                pause();
        } else if (fault == "loaderlock") {
            holdLoaderLock();
            *static_cast<volatile int *>(nullptr) = 1;
        } else {
            __builtin_trap();
        }
        return 3;
    }
    QTemporaryDir home;
    TestEnvironment::prepare(home.path());
    QCoreApplication app(argc, argv);
    TestCrashDump tc;
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_crashdump.moc"
