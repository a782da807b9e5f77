// The udev rule that the service's install step writes for the desktop user.
#include "platform/deviceaccess.h"
#include "testenvironment.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class TestDeviceAccess : public QObject
{
    Q_OBJECT

private slots:
    void grantAndRevoke()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("70-ambrel-ups.rules"));
        DeviceAccess::setRuleFolder(dir.filePath(QStringLiteral("missing")));
        QVERIFY(!DeviceAccess::grant());

        // An older, longer rule is replaced whole.
        DeviceAccess::setRuleFolder(dir.path());
        QFile stale(path);
        QVERIFY(stale.open(QIODevice::WriteOnly) && stale.write(QByteArray(4096, '#')) == 4096);
        stale.close();
        QVERIFY(DeviceAccess::grant());
        const QByteArray rule = contents(path);
        QCOMPARE(rule, contents(QStringLiteral(AMBREL_SOURCE_DIR "/src/platform/70-ambrel-ups.rules")));
        QCOMPARE(QFile::permissions(path) & (QFile::WriteGroup | QFile::WriteOther), QFile::Permissions());

        // Every device of the USB device list is opened to the user.
        const QJsonArray devices = QJsonDocument::fromJson(contents(AMBREL_SOURCE_DIR "/src/link/usb.cfg"))
                                       .object().value("usb").toArray();
        QVERIFY(!devices.isEmpty());
        for (const QJsonValue &device : devices) {
            const QString line = QStringLiteral(R"(ATTRS{idVendor}=="%1", ATTRS{idProduct}=="%2", TAG+="uaccess")")
                                     .arg(device[0].toInt(), 4, 16, QLatin1Char('0'))
                                     .arg(device[1].toInt(), 4, 16, QLatin1Char('0'));
            QVERIFY2(rule.contains(line.toLatin1()), qPrintable(line));
        }

        QVERIFY(DeviceAccess::revoke() && !QFile::exists(path));
        QVERIFY(DeviceAccess::revoke());

        // Never written through a link (one to /dev/null masks a rule).
        const QString target = dir.filePath(QStringLiteral("elsewhere"));
        QFile(target).open(QIODevice::WriteOnly);
        QVERIFY(QFile::link(target, path));
        QVERIFY(!DeviceAccess::grant());
        QVERIFY(QFileInfo(path).isSymLink());
        QCOMPARE(QFileInfo(target).size(), 0);
    }
};

AMBREL_TEST_MAIN(TestDeviceAccess)
#include "tst_deviceaccess.moc"
