// The service build of the protection services: no user-interface members,
// the schedule service as a singleton, and the same shutdown decisions.
#include "database.h"
#include "devcomm.h"
#include "fakeplatform.h"
#include "listmodelscheduletask.h"
#include "scheduletaskdata.h"
#include "servicescheduletask.h"
#include "serviceshutdown.h"
#include "settings.h"
#include "testenvironment.h"

#include <QMetaMethod>
#include <QSignalSpy>
#include <QtTest>

class TestProtectionServices : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void userInterfaceMembersLeftOut();
    void scheduleServiceIsSingleton();
    void shutdownDecidesAsOnTheDesktop();
};

namespace {
QStringList methods(const QMetaObject &meta)
{
    QStringList names;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i)
        names.append(QString::fromLatin1(meta.method(i).methodSignature()));
    return names;
}
} // namespace

void TestProtectionServices::initTestCase()
{
    TestEnvironment::makeDataDirs();
    Settings::instance()->load();
    Database::instance()->createTables();
}

void TestProtectionServices::userInterfaceMembersLeftOut()
{
    const QMetaObject &shutdown = ServiceShutdown::staticMetaObject;
    QCOMPARE(shutdown.propertyCount() - shutdown.propertyOffset(), 0);
    QCOMPARE(methods(shutdown), (QStringList{"shutdownTimeChanged(int)", "shutdownStarted(int)",
                                             "onSettingsChanged()", "onDevDataChanged()",
                                             "onTimerTimeout()"}));
    QCOMPARE(methods(ListModelScheduleTask::staticMetaObject), QStringList{"taskChanged()"});
    const QMetaObject &data = ScheduleTaskData::staticMetaObject;
    QCOMPARE(data.propertyCount() - data.propertyOffset(), 0);
    QCOMPARE(methods(data).size(), 4);
    QCOMPARE(data.enumeratorCount() - data.enumeratorOffset(), 2);
    QCOMPARE(methods(ServiceScheduleTask::staticMetaObject), QStringList());
}

void TestProtectionServices::scheduleServiceIsSingleton()
{
    ServiceScheduleTask *service = ServiceScheduleTask::instance();
    QCOMPARE(ServiceScheduleTask::instance(), service);
    QCOMPARE(service->model()->tableName(), QStringLiteral("schedule_task"));
}

void TestProtectionServices::shutdownDecidesAsOnTheDesktop()
{
    FakePlatform platform;
    Settings *settings = Settings::instance();
    // The service build only reads the settings file.
    QSettings file(settings->dataDir() + "/cfg/config.cfg", QSettings::IniFormat);
    file.setValue(QStringLiteral("shutdown/enable"), true);
    file.setValue(QStringLiteral("shutdown/mainFaultTime"), 1);
    file.setValue(QStringLiteral("shutdown/osOff"), true);
    file.sync();
    settings->load();

    ServiceShutdown *service = ServiceShutdown::instance();
    QSignalSpy started(service, &ServiceShutdown::shutdownStarted);
    DevComm::instance()->upsData()->status = 0x01;
    emit DevComm::instance()->devDataChanged();
    QCOMPARE(started.count(), 1);
    QCOMPARE(started.at(0).at(0).toInt(), 60);
    for (int i = 0; i < 60; ++i)
        service->onTimerTimeout();
    QCOMPARE(platform.powerOffCount(), 1);
}

AMBREL_TEST_MAIN(TestProtectionServices)
#include "tst_protectionservices.moc"
