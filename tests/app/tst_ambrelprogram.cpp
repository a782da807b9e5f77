// The program itself, started as real processes on the offscreen platform.

#include "testenvironment.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

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

private:
    QProcess *start(const QStringList &arguments);
    QString log() const;

    QScopedPointer<QTemporaryDir> home;
    QList<QProcess *> processes;
};

void TestAmbrelProgram::init()
{
    home.reset(new QTemporaryDir);
    QDir(home->path()).mkpath(QStringLiteral("tmp"));
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

QProcess *TestAmbrelProgram::start(const QStringList &arguments)
{
    auto *process = new QProcess;
    processes.append(process);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Data and the instance socket of this test only.
    env.insert(QStringLiteral("XDG_DATA_HOME"), home->path() + QStringLiteral("/data"));
    env.insert(QStringLiteral("TMPDIR"), home->path() + QStringLiteral("/tmp"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
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
    QTest::newRow("-srv") << QStringList{QStringLiteral("-srv")} << false;
    QTest::newRow("-SRV") << QStringList{QStringLiteral("-SRV")} << true;
    QTest::newRow("-srv second") << QStringList{QStringLiteral("x"), QStringLiteral("-srv")} << true;
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
    QVERIFY(!log().contains(QStringLiteral("Window shown")));

    QProcess *second = start({});
    QVERIFY(second->waitForFinished(30000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(QStringLiteral("Window shown")), 10000);
    // The second start wrote nothing of its own.
    QCOMPARE(log().count(QStringLiteral("Started")), 1);
}

void TestAmbrelProgram::killedInstanceDoesNotBlockTheNextStart()
{
    QProcess *first = start({QStringLiteral("-srv")});
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(QStringLiteral("Started")), 30000);
    first->kill();
    QVERIFY(first->waitForFinished(10000));
    // Its socket is left behind.
    QVERIFY(!QDir(home->path() + QStringLiteral("/tmp")).isEmpty(QDir::System | QDir::NoDotAndDotDot));

    QProcess *next = start({});
    QTRY_COMPARE_WITH_TIMEOUT(log().count(QStringLiteral("Started")), 2, 30000);
    QCOMPARE(next->state(), QProcess::Running);

    // ...and it is the running instance for the start after it.
    QProcess *third = start({});
    QVERIFY(third->waitForFinished(30000));
    QCOMPARE(third->exitCode(), 0);
}

AMBREL_TEST_MAIN(TestAmbrelProgram)
#include "tst_ambrelprogram.moc"
