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
#include <sys/stat.h>
#include <unistd.h>

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

    // Root runs no file, and none in a folder or behind a link, that another
    // user may change; the log names what fails. Entries: "<path> <owner>
    // <mode>" or "<link> <owner> <target>"; the last one is run.
    void refusesWhatOthersMayChange_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("why");
        QTest::newRow("file anyone may write") << "cmd.sh 0 777" << "the file %1/cmd.sh (of user root, mode 0777)";
        QTest::newRow("folder anyone may write") << "d 0 777; d/cmd.sh 0 755" << "the folder %1/d (of user root, mode 0777)";
        QTest::newRow("another user's link in a sticky folder")
            << "d 0 1777; x.sh 0 755; d/cmd.sh 65534 ../x.sh" << "the link %1/d/cmd.sh belongs to user nobody";
        QTest::newRow("link into another user's folder")
            << "d 65534 755; d/x.sh 0 755; cmd.sh 0 d/../d/x.sh" << "the folder %1/d belongs to user nobody";
    }

    void refusesWhatOthersMayChange()
    {
        QFETCH(QString, layout);
        QFETCH(QString, why);
        if (geteuid() != 0)
            QSKIP("Only root can give a file to another user.");
        QTemporaryDir dir;
        QString script;
        for (const QString &entry : layout.split(QStringLiteral("; "))) {
            const QStringList part = entry.split(QLatin1Char(' '));
            script = dir.filePath(part.at(0));
            const QByteArray path = QFile::encodeName(script);
            const bool link = !part.at(2).at(0).isDigit();
            if (link)
                QVERIFY(symlink(QFile::encodeName(part.at(2)).constData(), path.constData()) == 0);
            else if (path.endsWith(".sh"))
                QVERIFY(QFile(path).open(QIODevice::WriteOnly));
            else
                QVERIFY(mkdir(path.constData(), 0700) == 0);
            QVERIFY(lchown(path.constData(), part.at(1).toUInt(), 0) == 0);
            QVERIFY(link || chmod(path.constData(), part.at(2).toUInt(nullptr, 8)) == 0);
        }
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(
            QStringLiteral("The command file %1 is not run: ").arg(script) + why.arg(dir.path()))));
        ShutDownTask task(script);
        task.start();
        QVERIFY(task.wait(20000));
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
