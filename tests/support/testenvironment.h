#ifndef TESTENVIRONMENT_H
#define TESTENVIRONMENT_H

#include <QCoreApplication>
#include <QString>
#include <QTemporaryDir>
#include <QtTest>

#include <ctime>

// Every test program runs with its own throw-away home: XDG_DATA_HOME,
// XDG_CONFIG_HOME and XDG_CACHE_HOME point into a temporary directory, so
// nothing a test does reaches the real home directory; the D-Bus addresses
// point there too, so no test can reach the machine's power management.
namespace TestEnvironment {

// Points the XDG variables into root. Call before any QStandardPaths use.
void prepare(const QString &root);

// The data directory the settings store will use, with its "cfg" and
// "data" subdirectories made (as the programs' start-up makes them).
QString makeDataDirs();

// Path of a file under tests/support.
QString supportFile(const QString &name);

// For a test of what the machine shares between all its processes (the
// process list, serial lock files in /run/lock, pseudo-terminal numbers):
// run as root, it runs this program again in PID and mount namespaces of its
// own, with a private /run/lock and a private devpts, and returns only when
// that cannot be done (not root, or no namespaces to be had), saying so.
// Call first in main; AMBREL_TEST_MAIN_IN_OWN_NAMESPACES does.
void enterOwnNamespaces(int argc, char *argv[]);

// Central European time (2024: 02:00 becomes 03:00 on 31 March, 03:00
// becomes 02:00 on 27 October) while it lives, whatever the machine's zone.
struct CentralEuropeanTime
{
    const QByteArray before = qgetenv("TZ");
    CentralEuropeanTime() { qputenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3"); tzset(); }
    ~CentralEuropeanTime() { before.isNull() ? qunsetenv("TZ") : qputenv("TZ", before); tzset(); }
};

} // namespace TestEnvironment

// `first` runs before anything else in main (argc and argv at hand).
#define AMBREL_TEST_MAIN_AFTER(first, AppClass, TestObject)                   \
    int main(int argc, char *argv[])                                           \
    {                                                                          \
        first;                                                                 \
        QTemporaryDir home;                                                    \
        TestEnvironment::prepare(home.path());                                 \
        AppClass app(argc, argv);                                              \
        QCoreApplication::setApplicationName(QStringLiteral("Ambrel"));        \
        TestObject tc;                                                         \
        return QTest::qExec(&tc, argc, argv);                                  \
    }

#define AMBREL_TEST_MAIN_WITH(AppClass, TestObject) AMBREL_TEST_MAIN_AFTER((void)0, AppClass, TestObject)
#define AMBREL_TEST_MAIN(TestObject) AMBREL_TEST_MAIN_WITH(QCoreApplication, TestObject)
#define AMBREL_TEST_MAIN_IN_OWN_NAMESPACES_WITH(AppClass, TestObject)                                  \
    AMBREL_TEST_MAIN_AFTER(TestEnvironment::enterOwnNamespaces(argc, argv), AppClass, TestObject)
#define AMBREL_TEST_MAIN_IN_OWN_NAMESPACES(TestObject) AMBREL_TEST_MAIN_IN_OWN_NAMESPACES_WITH(QCoreApplication, TestObject)

#endif // TESTENVIRONMENT_H
