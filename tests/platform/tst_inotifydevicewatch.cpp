// The watch of device nodes, on a folder of the test's own (the kernel's
// /dev changes only when a device comes or goes).
#include "platform/inotifydevicewatch.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TestInotifyDeviceWatch : public QObject
{
    Q_OBJECT

private slots:
    void nodesThatComeAndGo()
    {
        QTemporaryDir root;
        const QString dev = root.filePath(QStringLiteral("dev"));
        QVERIFY(QDir().mkpath(dev));
        InotifyDeviceWatch watch(dev);
        QVERIFY(watch.isWatching());
        QSignalSpy changed(&watch, &SerialDeviceWatch::devicesChanged);
        auto touch = [&dev](const QString &name) {
            QFile file(dev + QLatin1Char('/') + name);
            return file.open(QIODevice::WriteOnly);
        };
        // Long enough for a change to have been told.
        const int quiet = 4 * InotifyDeviceWatch::kSettleMs;

        // A burst of new nodes is told once.
        QVERIFY(touch(QStringLiteral("ttyUSB0")) && touch(QStringLiteral("ttyUSB1"))
                && touch(QStringLiteral("ttyACM0")));
        QTRY_COMPARE(changed.count(), 1);
        QTest::qWait(quiet);
        QCOMPARE(changed.count(), 1);

        // What a node holds is no news.
        {
            QFile file(dev + QStringLiteral("/ttyUSB0"));
            QVERIFY(file.open(QIODevice::Append));
            file.write("x");
        }
        QTest::qWait(quiet);
        QCOMPARE(changed.count(), 1);

        QVERIFY(QFile::rename(dev + QStringLiteral("/ttyUSB1"), dev + QStringLiteral("/ttyUSB2")));
        QTRY_COMPARE(changed.count(), 2);
        QVERIFY(QFile::remove(dev + QStringLiteral("/ttyACM0")));
        QTRY_COMPARE(changed.count(), 3);
        QVERIFY(watch.isWatching());

        // The folder itself goes: told once more, and nothing is watched from then on.
        QVERIFY(QDir(dev).removeRecursively());
        QTRY_VERIFY(!watch.isWatching());
        QTRY_VERIFY(changed.count() >= 4);
        QVERIFY(QDir().mkpath(dev));
        const int told = changed.count();
        QVERIFY(touch(QStringLiteral("ttyUSB0")));
        QTest::qWait(quiet);
        QCOMPARE(changed.count(), told);
    }

    void missingFolder()
    {
        QTemporaryDir root;
        QVERIFY(!InotifyDeviceWatch(root.filePath(QStringLiteral("none"))).isWatching());
        QFile file(root.filePath(QStringLiteral("plain")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(!InotifyDeviceWatch(file.fileName()).isWatching());
    }
};

AMBREL_TEST_MAIN(TestInotifyDeviceWatch)
#include "tst_inotifydevicewatch.moc"
