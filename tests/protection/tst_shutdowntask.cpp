// The command-file thread on the system's platform layer: the file runs as
// exactly that file, and the thread always ends.
#include "protection/shutdowntask.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

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
};

AMBREL_TEST_MAIN(TestShutDownTask)
#include "tst_shutdowntask.moc"
