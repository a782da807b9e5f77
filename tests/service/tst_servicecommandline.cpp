// The command line of a service program, run as a child process.
#include "testenvironment.h"

#include <QProcess>

namespace {

struct Result
{
    QByteArray out;
    QByteArray err;
    int exitCode = -1000;
};

Result run(const QStringList &args, const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    QProcessEnvironment clean = env;
    // Not started by a service manager, whatever runs the tests.
    clean.remove(QStringLiteral("INVOCATION_ID"));
    clean.remove(QStringLiteral("NOTIFY_SOCKET"));
    process.setProcessEnvironment(clean);
    process.start(QStringLiteral(AMBREL_TESTSERVICE), args);
    Result result;
    if (!process.waitForFinished(30000))
        return result;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    result.exitCode = qint8(process.exitCode()); // -1 and -4 come back as 255 and 252
    return result;
}

} // namespace

class TestServiceCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void help_data();
    void help();
    void execRunsStartOnly();
};

void TestServiceCommandLine::help_data()
{
    QTest::addColumn<QString>("option");
    QTest::newRow("short") << "-h";
    QTest::newRow("long") << "-help";
}

void TestServiceCommandLine::help()
{
    QFETCH(QString, option);
    const Result r = run({option});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.startsWith("\n" AMBREL_TESTSERVICE " -[i|u|e|t|p|r|c|v|h]\n\t-i(nstall) [account] [password]\t: "));
    QVERIFY(r.out.endsWith("\t-h(elp)   \t: Show this help\n\tNo arguments\t: Start the service.\n"));
    QCOMPARE(r.err, QByteArray());
}

void TestServiceCommandLine::execRunsStartOnly()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("AMBREL_TEST_SERVICE_EXIT"), QStringLiteral("3"));
    const Result r = run({"-exec"}, env);
    QCOMPARE(r.out, QByteArray("start\n"));
    QCOMPARE(r.exitCode, 3);
}

AMBREL_TEST_MAIN(TestServiceCommandLine)
#include "tst_servicecommandline.moc"
