// The real service program ("ambrelsvc -e", with a home of its own and no
// bus) started on a damaged settings file: it keeps running, and a file it
// cannot read is left byte for byte.
#include "testenvironment.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

class TestServiceSettings : public QObject
{
    Q_OBJECT

private slots:
    void startsOnADamagedFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("journal");
        QTest::addColumn<bool>("kept");
        QTest::newRow("damaged variant")
            << QByteArray("[shutdown]\nenable=@Variant(\\0\\0\\0\\v\\x7f\\xff\\xff\\xff)\nmainFaultTime=3\n")
            << QByteArray("held values that are no setting (shutdown/enable)") << false;
        QTest::newRow("no INI file") << QByteArray("[shutdown]\nenable=true\n\x01\x02 garbage\n")
                                     << QByteArray("cannot be used (it is not in the INI format)") << true;
    }

    void startsOnADamagedFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, journal);
        QFETCH(bool, kept);

        QTemporaryDir home;
        const QString config = home.filePath(QStringLiteral("data/ambrelsvc/cfg/config.cfg"));
        QVERIFY(QDir().mkpath(QFileInfo(config).path()) && QDir().mkpath(home.filePath("data/ambrelsvc/data")));
        QFile file(config);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        file.close();

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        for (const char *folder : {"DATA", "CONFIG", "CACHE"})
            env.insert(QStringLiteral("XDG_%1_HOME").arg(folder), home.filePath(QString(folder).toLower()));
        env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), "unix:path=" + home.filePath(QStringLiteral("no-bus")));
        for (const char *name : {"DISPLAY", "INVOCATION_ID", "NOTIFY_SOCKET"})
            env.remove(QString::fromLatin1(name));
        QProcess svc;
        svc.setProcessEnvironment(env);
        svc.setProcessChannelMode(QProcess::MergedChannels);
        svc.start(QStringLiteral(AMBRELSVC), {QStringLiteral("-e")});
        QVERIFY(svc.waitForStarted(5000));
        QByteArray out;
        QTRY_VERIFY_WITH_TIMEOUT((out += svc.readAll()).contains(journal) || svc.state() != QProcess::Running, 15000);
        QTest::qWait(1000);
        out += svc.readAll();
        QVERIFY2(svc.state() == QProcess::Running, out.constData());

        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray now = file.readAll();
        if (kept) {
            QCOMPARE(now, content);
        } else {
            QVERIFY2(!now.contains("@Variant") && now.contains("enable=false") && now.contains("mainFaultTime=3"),
                     now.constData());
        }
        svc.terminate();
        QVERIFY(svc.waitForFinished(10000));
    }
};

AMBREL_TEST_MAIN(TestServiceSettings)
#include "tst_servicesettings.moc"
