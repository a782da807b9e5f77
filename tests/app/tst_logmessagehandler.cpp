#include "app/logmessagehandler.h"
#include "records/clock.h"
#include "testenvironment.h"

#include <QDir>

class TestLogMessageHandler : public QObject
{
    Q_OBJECT

private slots:
    void linesGoToTheFileOfTheirDay_data();
    void linesGoToTheFileOfTheirDay();
};

void TestLogMessageHandler::linesGoToTheFileOfTheirDay_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("word");
    QTest::newRow("debug") << int(QtDebugMsg) << QStringLiteral("Debug: ");
    QTest::newRow("info") << int(QtInfoMsg) << QStringLiteral("Information: ");
    QTest::newRow("warning") << int(QtWarningMsg) << QStringLiteral("Warning: ");
    QTest::newRow("critical") << int(QtCriticalMsg) << QStringLiteral("Critical: ");
    QTest::newRow("fatal") << int(QtFatalMsg) << QStringLiteral("Fatal: ");
    QTest::newRow("unknown") << 99 << QString();
}

void TestLogMessageHandler::linesGoToTheFileOfTheirDay()
{
    QFETCH(int, type);
    QFETCH(QString, word);
    const QString logDir = TestEnvironment::makeDataDirs() + QStringLiteral("/log");
    QDir(logDir).removeRecursively();
    QVERIFY(QDir().mkpath(logDir));

    // Called directly: a fatal message through qFatal would end the test.
    Clock::setNow(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59, 999)));
    logMessageHandler(QtMsgType(type), QMessageLogContext(), QStringLiteral("last of the year"));
    Clock::setNow(QDateTime(QDate(2027, 1, 1), QTime(0, 0, 0, 5)));
    logMessageHandler(QtMsgType(type), QMessageLogContext(), QStringLiteral("first"));
    logMessageHandler(QtMsgType(type), QMessageLogContext(), QString::fromUtf8("ünïcode"));
    Clock::setNow(QDateTime());

    const auto read = [&logDir](const char *date) {
        QFile file(logDir + QLatin1Char('/') + QLatin1String(date) + QStringLiteral(".txt"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    };
    QCOMPARE(read("2026-12-31"), QStringLiteral("[2026-12-31 23:59:59.999] %1last of the year\r\n").arg(word));
    QCOMPARE(read("2027-01-01"), QString::fromUtf8("[2027-01-01 00:00:00.005] %1first\r\n"
                                                   "[2027-01-01 00:00:00.005] %1ünïcode\r\n").arg(word));
}

AMBREL_TEST_MAIN(TestLogMessageHandler)
#include "tst_logmessagehandler.moc"
