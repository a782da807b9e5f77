// The shutdown log file written from a window list.
#include "settings.h"
#include "shutdownlog.h"
#include "testenvironment.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestShutdownLog : public QObject
{
    Q_OBJECT

private slots:
    void writesClassesInOrderWithTitles();
    void noWindowsGivesEmptyObject();
    void longerOldLogReplacedWhole();
    void missingDirectoryWritesNothing();
    void pathUnderDataDirectory();

private:
    static QByteArray read(const QString &path);
};

QByteArray TestShutdownLog::read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestShutdownLog::writesClassesInOrderWithTitles()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shutdown.log"));
    ShutdownLog::write(path, {{QStringLiteral("b"), QStringLiteral("A")},
                              {QStringLiteral("Zed"), QStringLiteral("z1")},
                              {QStringLiteral("b"), QString()},
                              {QString(), QStringLiteral("no class")},
                              {QStringLiteral("b"), QStringLiteral("B")},
                              {QStringLiteral("Only empty"), QString()}});
    // Upper case sorts before lower case (UTF-16 code units).
    QCOMPARE(read(path), QByteArray("{\n"
                                    "    \"Zed\": [\n"
                                    "        \"z1\"\n"
                                    "    ],\n"
                                    "    \"b\": [\n"
                                    "        \"A\",\n"
                                    "        \"B\"\n"
                                    "    ]\n"
                                    "}\n"));
}

void TestShutdownLog::noWindowsGivesEmptyObject()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shutdown.log"));
    ShutdownLog::write(path, {});
    QCOMPARE(read(path), QByteArray("{\n}\n"));
}

void TestShutdownLog::longerOldLogReplacedWhole()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shutdown.log"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(4096, 'x'));
    old.close();
    ShutdownLog::write(path, {{QStringLiteral("c"), QStringLiteral("t")}});
    QCOMPARE(read(path), QByteArray("{\n    \"c\": [\n        \"t\"\n    ]\n}\n"));
}

void TestShutdownLog::missingDirectoryWritesNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data/shutdown.log"));
    ShutdownLog::write(path, {{QStringLiteral("c"), QStringLiteral("t")}});
    QVERIFY(!QFile::exists(path));
}

void TestShutdownLog::pathUnderDataDirectory()
{
    const QString dataDir = TestEnvironment::makeDataDirs();
    QCOMPARE(ShutdownLog::path(), Settings::instance()->dataDir() + "/data/shutdown.log");
    QVERIFY(ShutdownLog::path().startsWith(dataDir));
}

AMBREL_TEST_MAIN(TestShutdownLog)
#include "tst_shutdownlog.moc"
