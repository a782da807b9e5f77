// The udev rule that the service's install step writes for the desktop user.
#include "platform/deviceaccess.h"
#include "testenvironment.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

class TestDeviceAccess : public QObject
{
    Q_OBJECT

private slots:
    void grantWritesTheRuleOfEveryListedDevice();
    void grantFailsWhereNothingCanBeWritten();
};

void TestDeviceAccess::grantWritesTheRuleOfEveryListedDevice()
{
    QTemporaryDir dir;
    DeviceAccess::setRuleFolder(dir.path());
    const QString path = dir.filePath(QStringLiteral("70-ambrel-ups.rules"));
    QFile stale(path);
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write("stale rule of an older version, longer than the current one .........."
                "...............................................................................");
    stale.close();

    QVERIFY(DeviceAccess::grant());
    QFile source(QStringLiteral(AMBREL_SOURCE_DIR "/src/platform/70-ambrel-ups.rules"));
    QVERIFY(source.open(QIODevice::ReadOnly));
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray rule = written.readAll();
    QCOMPARE(rule, source.readAll());
    QCOMPARE(written.permissions() & (QFile::WriteGroup | QFile::WriteOther), QFile::Permissions());

    // Every device of the USB device list is opened to the user.
    QFile list(QStringLiteral(AMBREL_SOURCE_DIR "/src/link/usb.cfg"));
    QVERIFY(list.open(QIODevice::ReadOnly));
    const QJsonArray devices = QJsonDocument::fromJson(list.readAll()).object().value("usb").toArray();
    QVERIFY(!devices.isEmpty());
    for (const QJsonValue &device : devices) {
        const QString line = QStringLiteral(R"(ATTRS{idVendor}=="%1", ATTRS{idProduct}=="%2", TAG+="uaccess")")
                                 .arg(device.toArray().at(0).toInt(), 4, 16, QLatin1Char('0'))
                                 .arg(device.toArray().at(1).toInt(), 4, 16, QLatin1Char('0'));
        QVERIFY2(rule.contains(line.toLatin1()), qPrintable(line));
    }

    QVERIFY(DeviceAccess::revoke());
    QVERIFY(!QFile::exists(path));
    QVERIFY(DeviceAccess::revoke());
}

void TestDeviceAccess::grantFailsWhereNothingCanBeWritten()
{
    QTemporaryDir dir;
    DeviceAccess::setRuleFolder(dir.filePath(QStringLiteral("missing")));
    QVERIFY(!DeviceAccess::grant());
    QVERIFY(DeviceAccess::revoke());
}

AMBREL_TEST_MAIN(TestDeviceAccess)
#include "tst_deviceaccess.moc"
