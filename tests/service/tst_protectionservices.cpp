// The service build of the protection services: no user-interface members,
// and the same shutdown decisions from the settings file alone.
#include "link/devcomm.h"
#include "link/devcomm_p.h"
#include "link/megatec.h"
#include "fakeplatform.h"
#include "protection/serviceshutdown.h"
#include "records/settings.h"
#include "testenvironment.h"

#include <QSignalSpy>
#include <QtTest>

class TestProtectionServices : public QObject
{
    Q_OBJECT

private slots:
    void shutdownDecidesAsOnTheDesktop()
    {
        QCOMPARE(ServiceShutdown::staticMetaObject.propertyCount(), QObject::staticMetaObject.propertyCount());
        TestEnvironment::makeDataDirs();
        FakePlatform platform;
        Settings *settings = Settings::instance();
        settings->load();
        QSettings file(settings->dataDir() + "/cfg/config.cfg", QSettings::IniFormat);
        file.setValue(QStringLiteral("shutdown/enable"), true);
        file.setValue(QStringLiteral("shutdown/mainFaultTime"), 1);
        file.setValue(QStringLiteral("shutdown/osOff"), true);
        file.sync();
        settings->load();

        ServiceShutdown *service = ServiceShutdown::instance();
        QSignalSpy started(service, &ServiceShutdown::shutdownStarted);
        DevCommPrivate::protocol(DevComm::instance())->setOnline(true);
        DevComm::instance()->upsData()->battCapacity = 100.0f;
        DevComm::instance()->upsData()->status = 0x01;
        emit DevComm::instance()->devDataChanged();
        QCOMPARE(started.count(), 1);
        QCOMPARE(started.at(0).at(0).toInt(), 60);
        for (int i = 0; i < 59; ++i)
            service->onTimerTimeout();
        QCOMPARE(platform.powerOffCount(), 0);
        service->onTimerTimeout();
        QCOMPARE(platform.powerOffCount(), 1);
    }
};

AMBREL_TEST_MAIN(TestProtectionServices)
#include "tst_protectionservices.moc"
