// A process that crashes leaves "yyyyMMddhhmmss.dmp" in its working
// directory and still dies of its signal. The crashing processes are this
// program, started again with the fault to commit in AMBREL_CRASH.

#include "platform/crashdump.h"
#include "testenvironment.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>
#include <cstdlib>
#include <sys/resource.h>

class TestCrashDump : public QObject
{
    Q_OBJECT

private slots:
    void crashLeavesDumpAndDiesOfItsSignal_data();
    void crashLeavesDumpAndDiesOfItsSignal();
};

void TestCrashDump::crashLeavesDumpAndDiesOfItsSignal_data()
{
    QTest::addColumn<QByteArray>("fault");
    QTest::addColumn<int>("signal");
    QTest::addColumn<QString>("address");
    QTest::newRow("null pointer") << QByteArray("segv") << int(SIGSEGV) << QStringLiteral("\nAddress: 0x0\n");
    QTest::newRow("abort") << QByteArray("abort") << int(SIGABRT) << QStringLiteral("\nAddress: 0x");
    QTest::newRow("illegal instruction") << QByteArray("ill") << int(SIGILL) << QStringLiteral("\nAddress: 0x");
}

void TestCrashDump::crashLeavesDumpAndDiesOfItsSignal()
{
    QFETCH(QByteArray, fault);
    QFETCH(int, signal);
    QFETCH(QString, address);
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
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    QCOMPARE(child.exitCode(), signal);

    QStringList dumps;
    for (const QString &name : QDir(dir.path()).entryList({QStringLiteral("??????????????.dmp")}, QDir::Files)) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        if (!file.peek(5).startsWith("stale"))
            dumps << QString::fromUtf8(file.readAll());
    }
    QCOMPARE(dumps.size(), 1);
    const QString dump = dumps.first();
    QVERIFY2(dump.startsWith(QStringLiteral("Signal: %1 (").arg(signal)) && dump.contains(address)
                 && !dump.contains(QStringLiteral("stale")), qPrintable(dump));
    QVERIFY2(dump.contains(QStringLiteral("\nBacktrace:\n")) && dump.contains(QStringLiteral("tst_crashdump(")),
             qPrintable(dump));
}

int main(int argc, char *argv[])
{
    const QByteArray fault = qgetenv("AMBREL_CRASH");
    if (!fault.isEmpty()) {
        struct rlimit noCore = {0, 0}; // the dump is what the test wants, not a core file
        setrlimit(RLIMIT_CORE, &noCore);
        CrashDump::install();
        if (fault == "segv")
            *static_cast<volatile int *>(nullptr) = 1;
        else if (fault == "abort")
            abort();
        else
            __builtin_trap();
        return 3;
    }
    QTemporaryDir home;
    TestEnvironment::prepare(home.path());
    QCoreApplication app(argc, argv);
    TestCrashDump tc;
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_crashdump.moc"
