// The shutdown log file written from a window list.
#include "records/settings.h"
#include "protection/shutdownlog.h"
#include "testenvironment.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestShutdownLog : public QObject
{
    Q_OBJECT

    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void writesClassesInOrderReplacingOldLog()
    {
        TestEnvironment::makeDataDirs();
        const QString path = ShutdownLog::path();
        QCOMPARE(path, Settings::instance()->dataDir() + "/data/shutdown.log");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(4096, 'x'));
        old.close();

        ShutdownLog::write(path, {{"b", "A"}, {"Zed", "z1"}, {"b", QString()}, {QString(), "no class"},
                                  {"b", "B"}, {"Only empty", QString()}});
        // Upper case sorts before lower case (UTF-16 code units); nothing of
        // the longer old file remains.
        QCOMPARE(read(path), QByteArray("{\n    \"Zed\": [\n        \"z1\"\n    ],\n"
                                        "    \"b\": [\n        \"A\",\n        \"B\"\n    ]\n}\n"));
    }

    void emptyListAndMissingDirectory()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("shutdown.log"));
        ShutdownLog::write(path, {});
        QCOMPARE(read(path), QByteArray("{\n}\n"));
        const QString missing = dir.filePath(QStringLiteral("data/shutdown.log"));
        ShutdownLog::write(missing, {{"c", "t"}});
        QVERIFY(!QFile::exists(missing));
    }
};

AMBREL_TEST_MAIN(TestShutdownLog)
#include "tst_shutdownlog.moc"
