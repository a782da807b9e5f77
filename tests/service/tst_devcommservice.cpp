// The UPS link as the service program builds it.
#include "alarm/alarm.h"
#include "records/clock.h"
#include "link/devcomm.h"
#include "link/devcomm_p.h"
#include "hidstandin.h"
#include "records/settings.h"
#include "simulatedups.h"
#include "testenvironment.h"
#include "upstestutil.h"

#include <QRegularExpression>
#include <QScopedPointer>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace UpsTestUtil;

namespace {

// The service cannot write settings: the test writes the file and reloads.
void writeUpsSettings(int commType, const QString &port)
{
    QSettings file(Settings::instance()->dataDir() + "/cfg/config.cfg", QSettings::IniFormat);
    file.setValue("ups/commType", commType);
    file.setValue("ups/comPort", port);
    file.sync();
    Settings::instance()->load();
}

// Lets every listed event expire (the service never clears its list), so
// that the next one is recorded again.
void expireEvents()
{
    Clock::setNow(Clock::now().addSecs(11));
    Alarm::instance()->onTimerEvent();
}

} // namespace

class TestDevCommService : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void initTestCase()
    {
        prepareStore();
        QFile cfg(dir.filePath("usb.cfg"));
        QVERIFY(cfg.open(QIODevice::WriteOnly));
        cfg.write(R"({"usb": [[1630, 1]]})");
        cfg.close();
        DevCommPrivate::usbConfigFile = cfg.fileName();
    }

    void init()
    {
        expireEvents();
        QSqlQuery().exec("delete from alarm");
        HidStandIn::reset();
    }

    void serialLossAndHandBack()
    {
        QScopedPointer<SimulatedUps> upsOwner(new SimulatedUps);
        SimulatedUps &ups = *upsOwner;
        writeUpsSettings(DevComm::COM, ups.portPath());
        DevComm link;
        QSignalSpy changed(&link, &DevComm::devDataChanged);
        link.start();
        QTRY_VERIFY_WITH_TIMEOUT(changed.count() >= 1, 5000);
        QCOMPARE(alarmRows(), QList<int>{Alarm::CommNormal});
        QCOMPARE(link.upsData()->inputVol, 230.0f);

        // Nine unanswered writes: the record is forgotten, but no CommLost.
        ups.setSilentFrom("A1");
        QTRY_VERIFY_WITH_TIMEOUT(ups.silentFrom() >= 0, 5000);
        for (int sent = ups.received().size(); sent - ups.silentFrom() < 9; ++sent) {
            poll(&link);
            QTRY_COMPARE_WITH_TIMEOUT(ups.received().size(), sent + 1, 2000);
        }
        QCOMPARE(link.upsData()->inputVol, 0.0f);
        QCOMPARE(alarmRows(), QList<int>{Alarm::CommNormal});

        // Hand-back: stop releases the port, start takes it again and the
        // first reply brings a new CommNormal.
        ups.setSilent(false);
        QTRY_VERIFY_WITH_TIMEOUT(link.upsData()->inputVol == 230.0f, 5000);
        const int emitted = changed.count();
        expireEvents();
        link.stop();
        QCOMPARE(changed.count(), emitted + 1);
        QCOMPARE(link.upsData()->inputVol, 0.0f);
        link.setShutdown(false, 0); // queued while released, sent after the hand-back
        link.start();
        QTRY_VERIFY_WITH_TIMEOUT(link.upsData()->inputVol == 230.0f, 5000);
        QVERIFY(ups.received().contains("C"));
        QCOMPARE(alarmRows().count(Alarm::CommNormal), 2);

        // The line hangs up: the dead port is closed and the record
        // forgotten at once, without CommLost; stop keeps the freed pty shut.
        upsOwner.reset();
        QTRY_COMPARE_WITH_TIMEOUT(link.upsData()->inputVol, 0.0f, 1000);
        QVERIFY(!alarmRows().contains(Alarm::CommLost));
        link.stop();
    }

    void usbStringsAndVanishedDevice()
    {
        HidStandIn::Device device;
        device.vendorId = 1630;
        device.productId = 1;
        device.featureReports.insert(1, HidStandIn::statusReport(2300, 0, 2300, 2700, 10, 500, 300, 90,
                                                                  50, 0x01 << 1));
        device.strings = {{17, "SERIAL"}, {18, "TWELVE CHARS"}, {20, "A MODEL NAME OF TWENTY"}, {21, "FW"}};
        HidStandIn::plugIn(device);
        writeUpsSettings(DevComm::USB, QString());

        DevComm link;
        link.start();
        poll(&link, 4);
        const UPSData *u = link.upsData();
        QCOMPARE(QByteArray(u->compName), QByteArray("TWELVE CHARS"));
        QCOMPARE(QByteArray(u->UPSModel), QByteArray("A MODEL NA"));
        QCOMPARE(QByteArray(u->sn), QByteArray("SERIAL"));
        QCOMPARE(int(u->status), 0x01);
        QCOMPARE(alarmRows(), (QList<int>{Alarm::MainsFault, Alarm::CommNormal}));

        HidStandIn::unplug(1630, 1);
        poll(&link);
        QCOMPARE(HidStandIn::openHandles(), 0);
        QCOMPARE(int(link.upsData()->status), 0);
        // No CommLost in the service, and the list is not cleared.
        QCOMPARE(alarmRows(), (QList<int>{Alarm::MainsFault, Alarm::CommNormal}));

        device.strings.insert(18, "TWENTY CHARACTERS!!!");
        HidStandIn::plugIn(device);
        poll(&link, 2);
        QCOMPARE(QByteArray(link.upsData()->compName), QByteArray("TWENTY CHARACTE"));

        // Hand-back: the reopened device is read afresh.
        link.stop();
        link.start();
        poll(&link, 3);
        QCOMPARE(QByteArray(link.upsData()->sn), QByteArray("SERIAL"));
    }

    // A link that never comes up is the service's one word of being
    // unprotected: CommLost after nine polls, once.
    void neverAnswering()
    {
        writeUpsSettings(DevComm::USB, QString());
        DevComm link;
        link.start();
        poll(&link, 7);
        QVERIFY(alarmRows().isEmpty());
        poll(&link, 21);
        QCOMPARE(alarmRows(), QList<int>{Alarm::CommLost});
    }

    void selfTestWithoutSamples()
    {
        QSqlQuery().exec("delete from log_self_test");
        Megatec m;
        SimulatedUps ups;
        ups.state().status = "00000100";
        QVERIFY(feed(m, "Q1", ups.replyFor("Q1")));
        ups.state().status = "00000000";
        QVERIFY(feed(m, "Q1", ups.replyFor("Q1")));
        QCOMPARE(rowCount("log_self_test"), 1);
        QSqlQuery query("select dateTime, count from log_self_test");
        QVERIFY(query.next());
        QCOMPARE(query.value(1).toInt(), 0);
        QFile file(Settings::instance()->dataDir() + "/data/self_test/"
                   + query.value(0).toString().remove(QRegularExpression("[- :]")) + ".txt");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.size(), 0);
    }
};

AMBREL_TEST_MAIN(TestDevCommService)
#include "tst_devcommservice.moc"
