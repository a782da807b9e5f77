// The command-file thread on the system's platform layer: the file runs as
// exactly that file, the thread always ends, and a file still running can be
// ended with everything it started.
#include "platform/platform.h"
#include "protection/shutdowntask.h"
#include "testenvironment.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace {
// Whether the process has ended (a zombie has).
bool ended(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = stat.readAll();
    return line.mid(line.lastIndexOf(')') + 2, 1) == "Z";
}
} // namespace

class TestShutDownTask : public QObject
{
    Q_OBJECT

private slots:
    void runsThatFileOnly_data()
    {
        QTest::addColumn<QString>("name"); // below the temporary directory unless absolute
        QTest::addColumn<bool>("executable");
        QTest::addColumn<bool>("exists");

        QTest::newRow("executable") << "cmd.sh" << true << true;
        QTest::newRow("shell script") << "cmd.sh" << false << true;
        QTest::newRow("executable without #! line") << "plain" << true << true;
        QTest::newRow("executable, spaces and quotes")
            << "my dir; touch injected/run 'it' \"now\" $(touch injected).sh" << true << true;
        QTest::newRow("shell script, spaces and quotes")
            << "my dir; touch injected/-x `touch injected` it's.sh" << false << true;
        QTest::newRow("missing") << "/nonexistent/command file.sh" << false << false;
        QTest::newRow("empty path") << "" << false << false;
    }

    void runsThatFileOnly()
    {
        QFETCH(QString, name);
        QFETCH(bool, executable);
        QFETCH(bool, exists);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        // Anything a shell would make of a badly quoted path lands here.
        QVERIFY(QDir::setCurrent(dir.path()));
        const QString marker = dir.filePath(QStringLiteral("marker"));
        const QString decoy = dir.filePath(QStringLiteral("decoy"));
        const auto write = [](const QString &path, const QByteArray &body, bool exec) {
            QFile file(path);
            QVERIFY(QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly));
            file.write(body);
            file.close();
            QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner
                                        | (exec ? QFile::ExeOwner : QFile::Permissions())));
        };
        // What a path split at its first space would run instead.
        write(dir.filePath(QStringLiteral("my")), "#!/bin/sh\ntouch \"" + QFile::encodeName(decoy) + "\"\n", true);
        const QString script = name.isEmpty() || name.startsWith('/') ? name : dir.filePath(name);
        if (exists)
            write(script, QByteArray(name == QLatin1String("plain") ? "" : "#!/bin/sh\n")
                              + "echo \"$0\" > \"" + QFile::encodeName(marker)
                              + "\"\necho noise\necho err >&2\n", executable);

        ShutDownTask task(script);
        QSignalSpy finished(&task, &QThread::finished);
        task.start();
        QVERIFY(finished.wait(20000));
        task.wait(5000);

        QFile out(marker);
        QCOMPARE(out.open(QIODevice::ReadOnly), exists);
        if (exists)
            QCOMPARE(QString::fromLocal8Bit(out.readAll().trimmed()), script);
        QVERIFY(!QFile::exists(decoy));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("injected"))));
    }

    // The file and what it started in the background are asked to end, also
    // when the thread that runs it blocks SIGTERM (as the service's threads
    // do); a file that will not end is killed.
    void endedWithWhatItStarted_data()
    {
        QTest::addColumn<QByteArray>("prologue");
        QTest::addColumn<int>("fromMs");
        QTest::newRow("asked to end") << QByteArray() << 0;
        QTest::newRow("ignores it") << QByteArray("trap '' TERM\n") << 1900;
    }

    void endedWithWhatItStarted()
    {
        QFETCH(QByteArray, prologue);
        QFETCH(int, fromMs);
        QTemporaryDir dir;
        const QString script = dir.filePath(QStringLiteral("long.sh"));
        const QString pids = dir.filePath(QStringLiteral("pids"));
        QFile file(script);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n" + prologue + "sleep 300 &\necho $$ $! > '" + QFile::encodeName(pids) + "'\nwait\n");
        QVERIFY(file.setPermissions(file.permissions() | QFile::ExeOwner));
        file.close();

        sigset_t term, before;
        sigemptyset(&term);
        sigaddset(&term, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &term, &before);
        ShutDownTask task(script);
        task.start();
        pthread_sigmask(SIG_SETMASK, &before, nullptr);
        QList<QByteArray> started;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                QFile list(pids);
                return list.open(QIODevice::ReadOnly) && (started = list.readAll().simplified().split(' ')).size() == 2;
            }(),
            10000);

        QElapsedTimer took;
        took.start();
        Platform::instance()->endCommandFiles();
        QVERIFY(task.wait(1000));
        QVERIFY2(took.elapsed() >= fromMs && took.elapsed() < fromMs + 1500, qPrintable(QString::number(took.elapsed())));
        for (const QByteArray &pid : started)
            QTRY_VERIFY_WITH_TIMEOUT(ended(pid.toLongLong()), 2000);
    }
};

AMBREL_TEST_MAIN(TestShutDownTask)
#include "tst_shutdowntask.moc"
