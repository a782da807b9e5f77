// A process that crashes leaves "yyyyMMddhhmmss.dmp" in its working
// directory and still dies of its signal. The crashing processes are this
// program, started again with the fault to commit in AMBREL_CRASH.

#include "platform/crashdump.h"
#include "testenvironment.h"

#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <csignal>
#include <cstdlib>
#include <sys/resource.h>

namespace {

[[noreturn]] void commitFault(const QByteArray &fault)
{
    // No core file from this child: the test only wants its dump.
    struct rlimit none = {0, 0};
    setrlimit(RLIMIT_CORE, &none);
    CrashDump::install();
    if (fault == "segv") {
        volatile int *nowhere = nullptr;
        *nowhere = 1;
    } else if (fault == "abort") {
        abort();
    } else if (fault == "fpe") {
        raise(SIGFPE);
    } else if (fault == "bus") {
        raise(SIGBUS);
    } else if (fault == "ill") {
        __builtin_trap();
    }
    _exit(3);
}

} // namespace

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
    QTest::newRow("null pointer") << QByteArray("segv") << int(SIGSEGV) << QStringLiteral("0x0");
    QTest::newRow("abort") << QByteArray("abort") << int(SIGABRT) << QString();
    QTest::newRow("arithmetic") << QByteArray("fpe") << int(SIGFPE) << QString();
    QTest::newRow("bus") << QByteArray("bus") << int(SIGBUS) << QString();
    QTest::newRow("illegal instruction") << QByteArray("ill") << int(SIGILL) << QString();
}

void TestCrashDump::crashLeavesDumpAndDiesOfItsSignal()
{
    QFETCH(QByteArray, fault);
    QFETCH(int, signal);
    QFETCH(QString, address);

    QTemporaryDir dir;
    // Files of the names the dump may take are replaced, not appended to.
    const QDateTime before = QDateTime::currentDateTime();
    for (int s = 0; s < 5; ++s) {
        QFile stale(dir.filePath(before.addSecs(s).toString(QStringLiteral("yyyyMMddhhmmss")) + QStringLiteral(".dmp")));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("stale content\n");
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
    const QDateTime after = QDateTime::currentDateTime();

    const QStringList dumps = QDir(dir.path()).entryList({QStringLiteral("*.dmp")}, QDir::Files);
    QString dump;
    for (const QString &name : dumps) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        if (!text.startsWith(QStringLiteral("stale"))) {
            QVERIFY2(dump.isEmpty(), "one dump per crash");
            dump = text;
            QVERIFY(QRegularExpression(QStringLiteral("^\\d{14}\\.dmp$")).match(name).hasMatch());
            const QDateTime stamp = QDateTime::fromString(name.left(14), QStringLiteral("yyyyMMddhhmmss"));
            QVERIFY2(stamp >= before.addSecs(-1) && stamp <= after, qPrintable(name));
        }
    }
    QVERIFY2(!dump.isEmpty(), qPrintable(dumps.join(QLatin1Char(' '))));
    QVERIFY2(!dump.contains(QStringLiteral("stale")), qPrintable(dump));
    QVERIFY2(dump.startsWith(QStringLiteral("Signal: %1 (").arg(signal)), qPrintable(dump));
    if (!address.isEmpty())
        QVERIFY2(dump.contains(QStringLiteral("\nAddress: ") + address + QLatin1Char('\n')), qPrintable(dump));
    // The backtrace names this program and the handler's caller.
    QVERIFY2(dump.contains(QStringLiteral("\nBacktrace:\n")), qPrintable(dump));
    QVERIFY2(dump.contains(QStringLiteral("tst_crashdump(")), qPrintable(dump));
}

int main(int argc, char *argv[])
{
    const QByteArray fault = qgetenv("AMBREL_CRASH");
    if (!fault.isEmpty())
        commitFault(fault);
    QTemporaryDir home;
    TestEnvironment::prepare(home.path());
    QCoreApplication app(argc, argv);
    TestCrashDump tc;
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_crashdump.moc"
