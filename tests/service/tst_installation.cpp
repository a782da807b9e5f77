// The service program as an administrator installs it: this build put into
// a /usr/local of the test's own with "cmake --install", then "ambrelsvc -i"
// from there against a mock systemd; and its first start, whose lines reach
// the journal each at its level. Run as root in namespaces of its own, with
// scratch /etc, /usr/local and /root (ScratchSystem).
#include "scratchsystem.h"
#include "systemdmock.h"
#include "testenvironment.h"

#include <QDir>
#include <QTemporaryDir>

#include <sys/stat.h>

class TestInstallation : public QObject
{
    Q_OBJECT
    ScratchSystem scratch;
    QScopedPointer<SystemdMock> mock;

    // What the program wrote (both streams) and its exit code.
    QByteArray run(const QString &program, const QStringList &args, QProcessEnvironment env = {})
    {
        QProcess process;
        for (const char *name : {"INVOCATION_ID", "NOTIFY_SOCKET", "JOURNAL_STREAM"})
            env.insert(name, "");
        env.insert("DBUS_SYSTEM_BUS_ADDRESS", mock->address());
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, args);
        process.waitForFinished(120000);
        return process.readAll() + "rc " + QByteArray::number(process.exitCode());
    }

private slots:
    void initTestCase()
    {
        QString why;
        if (!scratch.setUp(&why))
            QSKIP(qPrintable(why));
        // The install lists what it wrote in the build folder.
        QVERIFY(scratch.overlay(AMBREL_BINARY_DIR));
        mock.reset(new SystemdMock("/etc/systemd/system"));
        QVERIFY(mock->start());
    }

    void installed()
    {
        const QByteArray done = run("cmake", {"--install", AMBREL_BINARY_DIR, "--prefix", "/usr/local"},
                                    QProcessEnvironment::systemEnvironment());
        QVERIFY2(done.endsWith("rc 0"), done.constData());
        // Side by side, with what they read beside them; only root may change them.
        for (const char *file : {"ambrel", "ambrelsvc", "cfg/usb.cfg", "cfg/image/logo.png", "translations/fr_FR.qm"}) {
            struct stat info;
            QVERIFY2(stat(QByteArray("/usr/local/lib/ambrel/") + file, &info) == 0 && info.st_uid == 0
                         && !(info.st_mode & 022),
                     file);
        }
        QCOMPARE(run("/usr/local/bin/ambrelsvc", {"-i"}),
                 QByteArray("The service Ambrel has been installed under: /usr/local/lib/ambrel/ambrelsvc\nrc 0"));
        QFile unit("/etc/systemd/system/Ambrel.service");
        QVERIFY(unit.open(QIODevice::ReadOnly) && QFile::exists("/etc/udev/rules.d/70-ambrel-ups.rules"));
        QVERIFY(unit.readAll().contains("\nExecStart=\"/usr/local/lib/ambrel/ambrelsvc\"\n"));
    }

    // Under systemd the service's standard error stream is the journal.
    void firstStart()
    {
        QTemporaryDir home;
        QFile journal(home.filePath("journal"));
        struct stat stream;
        QVERIFY(journal.open(QIODevice::ReadWrite) && fstat(journal.handle(), &stream) == 0);
        QProcess service;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home.path());
        env.insert("XDG_DATA_HOME", home.filePath("data"));
        env.insert("JOURNAL_STREAM", QString("%1:%2").arg(stream.st_dev).arg(stream.st_ino));
        service.setProcessEnvironment(env);
        service.setStandardErrorFile(journal.fileName());
        service.start(AMBREL_BINARY_DIR "/ambrelsvc", {"-e"});
        const QByteArray unwatched = "<4>No USB UPS of the device list is present: the UPS is not watched.\n";
        QTRY_VERIFY_WITH_TIMEOUT(journal.seek(0) && journal.readAll().contains(unwatched), 30000);
        service.terminate();
        QVERIFY(service.waitForFinished(20000) && journal.seek(0));
        const QByteArray lines = journal.readAll();
        QVERIFY2(lines.startsWith('<') && lines.count("\n<") == lines.count('\n') - 1, lines.constData());
        // Its folders and a settings file that only its account reads.
        const QString data = home.filePath("data/ambrelsvc");
        struct stat settings;
        QVERIFY(QFile::exists(data + "/data/ambrel.db")
                && stat(QFile::encodeName(data + "/cfg/config.cfg"), &settings) == 0);
        QCOMPARE(settings.st_mode & 0777, 0600u);
    }
};

AMBREL_TEST_MAIN_IN_OWN_NAMESPACES(TestInstallation)
#include "tst_installation.moc"
