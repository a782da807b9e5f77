// The real service program ("ambrelsvc -e", with a home of its own and no
// bus) started on a damaged settings file: a damaged value that aborted it,
// in a file that is no INI file. It keeps running; the file is left as it is.
#include "testenvironment.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

class TestServiceSettings : public QObject
{
    Q_OBJECT

private slots:
    void startsOnADamagedFile()
    {
        const QByteArray content = "[shutdown]\nenable=@Variant(\\0\\0\\0\\v\\x7f\\xff\\xff\\xff)\n\x01\x02 garbage\n";
        QTemporaryDir home;
        QFile file(home.filePath(QStringLiteral("data/ambrelsvc/cfg/config.cfg")));
        QVERIFY(QDir().mkpath(QFileInfo(file).path()) && QDir().mkpath(home.filePath("data/ambrelsvc/data")));
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
        QTRY_VERIFY_WITH_TIMEOUT((out += svc.readAll()).contains("cannot be used (it is not in the INI format)")
                                     || svc.state() != QProcess::Running,
                                 15000);
        QTest::qWait(1000);
        QVERIFY2(svc.state() == QProcess::Running, (out + svc.readAll()).constData());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), content);
        svc.terminate();
        QVERIFY(svc.waitForFinished(10000));
    }
};

AMBREL_TEST_MAIN_IN_OWN_NAMESPACES(TestServiceSettings)
#include "tst_servicesettings.moc"
