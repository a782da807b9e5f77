// A service started without HOME keeps its files in its account's home.
#include "platform/accounthome.h"
#include "testenvironment.h"

#include <pwd.h>
#include <unistd.h>

class TestAccountHome : public QObject
{
    Q_OBJECT

private slots:
    void ensure()
    {
        const QByteArray saved = qgetenv("HOME");
        const QByteArray account = getpwuid(getuid())->pw_dir;
        for (const QByteArray &home : {QByteArray(), QByteArray(""), QByteArray("/tmp/elsewhere")}) {
            home.isNull() ? qunsetenv("HOME") : qputenv("HOME", home);
            AccountHome::ensure();
            const QByteArray result = qgetenv("HOME");
            qputenv("HOME", saved);
            QCOMPARE(result, home.isEmpty() ? account : home);
        }
    }
};

AMBREL_TEST_MAIN(TestAccountHome)
#include "tst_accounthome.moc"
