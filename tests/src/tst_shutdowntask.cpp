// The command-file thread on the system's platform layer: the file runs as
// exactly that file, and the thread always ends.
#include "shutdowntask.h"
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
    void init();
    void runsScript_data();
    void runsScript();
    void pathWithSpacesAndQuotesRunsThatFileOnly();
    void emptyOrMissingPathEndsAtOnce_data();
    void emptyOrMissingPathEndsAtOnce();

private:
    QString writeScript(const QString &path, const QByteArray &body, bool executable);
    bool runTask(const QString &path);

    QScopedPointer<QTemporaryDir> dir;
};

void TestShutDownTask::init()
{
    dir.reset(new QTemporaryDir);
    QVERIFY(dir->isValid());
    // Anything a shell would make of a badly quoted path lands here.
    QVERIFY(QDir::setCurrent(dir->path()));
}

QString TestShutDownTask::writeScript(const QString &path, const QByteArray &body, bool executable)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(body);
    file.close();
    QFile::Permissions perms = QFile::ReadOwner | QFile::WriteOwner;
    if (executable)
        perms |= QFile::ExeOwner;
    file.setPermissions(perms);
    return path;
}

bool TestShutDownTask::runTask(const QString &path)
{
    ShutDownTask task(path);
    QSignalSpy finished(&task, &QThread::finished);
    task.start();
    const bool ended = finished.wait(20000);
    task.wait(5000);
    return ended;
}

void TestShutDownTask::runsScript_data()
{
    QTest::addColumn<bool>("executable");
    QTest::newRow("executable file runs itself") << true;
    QTest::newRow("plain file is a shell script") << false;
}

void TestShutDownTask::runsScript()
{
    QFETCH(bool, executable);
    const QString marker = dir->filePath(QStringLiteral("marker"));
    const QString script = writeScript(
        dir->filePath(QStringLiteral("cmd.sh")),
        "#!/bin/sh\necho ran > \"" + QFile::encodeName(marker) + "\"\necho noise\necho err >&2\n",
        executable);
    QVERIFY(!script.isEmpty());
    QVERIFY(runTask(script));
    QVERIFY(QFile::exists(marker));
}

void TestShutDownTask::pathWithSpacesAndQuotesRunsThatFileOnly()
{
    const QString sub = dir->filePath(QStringLiteral("my dir; touch injected"));
    QVERIFY(QDir().mkpath(sub));
    const QString marker = dir->filePath(QStringLiteral("marker"));
    const QByteArray body = "#!/bin/sh\necho \"$0\" > \"" + QFile::encodeName(marker) + "\"\n";
    // A decoy that a split path would run instead.
    const QString decoyMarker = dir->filePath(QStringLiteral("decoy"));
    QVERIFY(!writeScript(dir->filePath(QStringLiteral("my")),
                         "#!/bin/sh\ntouch \"" + QFile::encodeName(decoyMarker) + "\"\n", true)
                 .isEmpty());

    for (bool executable : {true, false}) {
        QFile::remove(marker);
        const QString name = executable ? QStringLiteral("run 'it' \"now\" $(touch injected).sh")
                                        : QStringLiteral("-x `touch injected` it's.sh");
        const QString script = writeScript(sub + QLatin1Char('/') + name, body, executable);
        QVERIFY(!script.isEmpty());
        QVERIFY(runTask(script));
        QFile out(marker);
        QVERIFY2(out.open(QIODevice::ReadOnly), qPrintable(name));
        QCOMPARE(QString::fromLocal8Bit(out.readAll().trimmed()), script);
    }
    QVERIFY(!QFile::exists(decoyMarker));
    QVERIFY(!QFile::exists(dir->filePath(QStringLiteral("injected"))));
}

void TestShutDownTask::emptyOrMissingPathEndsAtOnce_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("empty") << QString();
    QTest::newRow("missing") << QStringLiteral("/nonexistent/command file.sh");
}

void TestShutDownTask::emptyOrMissingPathEndsAtOnce()
{
    QFETCH(QString, path);
    QVERIFY(runTask(path));
}

AMBREL_TEST_MAIN(TestShutDownTask)
#include "tst_shutdowntask.moc"
