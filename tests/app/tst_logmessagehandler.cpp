#include "app/logmessagehandler.h"
#include "records/clock.h"
#include "records/settings.h"
#include "testenvironment.h"

#include <QDir>
#include <QThread>

class TestLogMessageHandler : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void linesGoToTheFileOfTheirDay();
    void levelWords_data();
    void levelWords();
    void threadsDoNotInterleave();

private:
    QString read(const QString &date) const;
    QString logDir;
};

void TestLogMessageHandler::initTestCase()
{
    logDir = TestEnvironment::makeDataDirs() + QStringLiteral("/log");
    QVERIFY(QDir().mkpath(logDir));
    qInstallMessageHandler(logMessageHandler);
}

void TestLogMessageHandler::cleanup()
{
    Clock::setNow(QDateTime());
    for (const QString &name : QDir(logDir).entryList(QDir::Files))
        QFile::remove(logDir + QLatin1Char('/') + name);
}

QString TestLogMessageHandler::read(const QString &date) const
{
    QFile file(logDir + QLatin1Char('/') + date + QStringLiteral(".txt"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void TestLogMessageHandler::linesGoToTheFileOfTheirDay()
{
    Clock::setNow(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59, 999)));
    qInfo("last of the year");
    Clock::setNow(QDateTime(QDate(2027, 1, 1), QTime(0, 0, 0, 5)));
    qWarning("first of the year");
    qDebug() << "ünïcode" << 42;

    QCOMPARE(read(QStringLiteral("2026-12-31")),
             QStringLiteral("[2026-12-31 23:59:59.999] Information: last of the year\r\n"));
    QCOMPARE(read(QStringLiteral("2027-01-01")),
             QStringLiteral("[2027-01-01 00:00:00.005] Warning: first of the year\r\n"
                            "[2027-01-01 00:00:00.005] Debug: ünïcode 42\r\n"));
}

void TestLogMessageHandler::levelWords_data()
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

void TestLogMessageHandler::levelWords()
{
    QFETCH(int, type);
    QFETCH(QString, word);
    Clock::setNow(QDateTime(QDate(2026, 3, 1), QTime(8, 5, 7, 12)));
    // Called directly: a fatal message through qFatal would end the test.
    logMessageHandler(QtMsgType(type), QMessageLogContext(), QStringLiteral("text"));
    QCOMPARE(read(QStringLiteral("2026-03-01")), QStringLiteral("[2026-03-01 08:05:07.012] ") + word + QStringLiteral("text\r\n"));
}

void TestLogMessageHandler::threadsDoNotInterleave()
{
    Clock::setNow(QDateTime(QDate(2026, 3, 2), QTime(12, 0)));
    const QString payload(2000, QLatin1Char('x'));
    QList<QThread *> threads;
    for (int t = 0; t < 4; ++t) {
        threads.append(QThread::create([&payload] {
            for (int i = 0; i < 50; ++i)
                qInfo().noquote() << payload;
        }));
        threads.last()->start();
    }
    for (QThread *thread : threads) {
        QVERIFY(thread->wait(60000));
        delete thread;
    }
    const QStringList lines = read(QStringLiteral("2026-03-02")).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 201); // 200 lines and the empty rest after the last CR LF
    for (int i = 0; i < 200; ++i)
        QCOMPARE(lines.at(i), QStringLiteral("[2026-03-02 12:00:00.000] Information: ") + payload);
}

AMBREL_TEST_MAIN(TestLogMessageHandler)
#include "tst_logmessagehandler.moc"
