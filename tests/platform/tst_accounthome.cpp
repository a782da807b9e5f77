// A service started without HOME keeps its files in its account's home.
#include "platform/accounthome.h"
#include "testenvironment.h"

#include <QtTest>

#include <pwd.h>
#include <unistd.h>

class TestAccountHome : public QObject
{
    Q_OBJECT

private slots:
    void ensure_data()
    {
        QTest::addColumn<QByteArray>("home");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray account = getpwuid(getuid())->pw_dir;
        QTest::newRow("unset") << QByteArray() << account;
        QTest::newRow("empty") << QByteArray("") << account;
        QTest::newRow("set") << QByteArray("/tmp/elsewhere") << QByteArray("/tmp/elsewhere");
    }

    void ensure()
    {
        QFETCH(QByteArray, home);
        QFETCH(QByteArray, expected);
        const QByteArray saved = qgetenv("HOME");
        if (home.isNull())
            qunsetenv("HOME");
        else
            qputenv("HOME", home);
        AccountHome::ensure();
        const QByteArray result = qgetenv("HOME");
        qputenv("HOME", saved);
        QCOMPARE(result, expected);
    }
};

AMBREL_TEST_MAIN(TestAccountHome)
#include "tst_accounthome.moc"
