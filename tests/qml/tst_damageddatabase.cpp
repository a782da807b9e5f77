// A database file that is no database (a program of its own: the store opens once per process):
// told once, in the log and to the user, while readings are saved in vain; the file stays as it was.
#include "mainwindowfixture.h"
#include "teststore.h"

#include <QApplication>

class TestDamagedDatabase : public QObject
{
    Q_OBJECT

private slots:
    void toldOnceAndLeftAsItIs()
    {
        QFile file(TestEnvironment::makeDataDirs() + QStringLiteral("/data/ambrel.db"));
        const QByteArray damaged(64 * 1024, '\x5a');
        QVERIFY(file.open(QIODevice::ReadWrite) && file.write(damaged) == damaged.size() && file.flush());
        static QStringList log;
        const QtMessageHandler shown =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &text) { log << text; });
        TestStore::open();
        MainWindowFixture w;
        QTRY_VERIFY(w.value("databaseDialog", "opened").toBool());
        QVERIFY(w.value("databaseDialog", "textMsg").toString().endsWith("\"file is not a database\"."));
        MainWindowFixture::linkedRecord();
        for (int i = 0; i < 3; ++i)
            QVERIFY(QMetaObject::invokeMethod(DevComm::instance(), "onTimerSaveTimeout"));
        qInstallMessageHandler(shown);
        QCOMPARE(log.filter("Readings, alarms and tasks cannot be kept in the database " + file.fileName()
                            + " (file is not a database)").size(), 1);
        QVERIFY(file.seek(0) && file.readAll() == damaged);
    }
};

AMBREL_TEST_MAIN_WITH(QApplication, TestDamagedDatabase)
#include "tst_damageddatabase.moc"
