// A database file that is no database: told once, in the log and to the user,
// while readings are saved into it in vain; the file stays as it was.
#include "app/logmessagehandler.h"
#include "mainwindowfixture.h"
#include "teststore.h"

#include <QApplication>
#include <QRandomGenerator>

class TestDamagedDatabase : public QObject
{
    Q_OBJECT

private slots:
    void toldOnceAndLeftAsItIs()
    {
        const QString dir = TestEnvironment::makeDataDirs();
        QByteArray damaged(100 * 1024, 0);
        for (char &byte : damaged)
            byte = char(QRandomGenerator::global()->bounded(256));
        QFile file(dir + QStringLiteral("/data/ambrel.db"));
        QVERIFY(QDir().mkpath(dir + QStringLiteral("/log")) && file.open(QIODevice::WriteOnly));
        file.write(damaged);
        file.close();

        qInstallMessageHandler(logMessageHandler);
        TestStore::open();
        MainWindowFixture w;
        QObject *dialog = w.find(QStringLiteral("databaseDialog"));
        QTRY_VERIFY(dialog && dialog->property("opened").toBool());
        QVERIFY(dialog->property("textMsg").toString().endsWith("\"file is not a database\"."));
        QSignalSpy shown(dialog, SIGNAL(opened()));
        MainWindowFixture::linkedRecord();
        for (int i = 0; i < 10; ++i)
            QVERIFY(QMetaObject::invokeMethod(DevComm::instance(), "onTimerSaveTimeout"));
        QTest::qWait(100);
        qInstallMessageHandler(nullptr);

        QCOMPARE(shown.count(), 0);
        QFile log(dir + QStringLiteral("/log/") + QDir(dir + QStringLiteral("/log")).entryList({"*.txt"}).value(0));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QCOMPARE(log.readAll().count("Readings, alarms and tasks cannot be kept in the database " +
                                     QFile::encodeName(file.fileName()) + " (file is not a database)"),
                 1);
        QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll() == damaged);
    }
};

AMBREL_TEST_MAIN_WITH(QApplication, TestDamagedDatabase)
#include "tst_damageddatabase.moc"
