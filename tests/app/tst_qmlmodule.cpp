#include "alarm/alarm.h"
#include "app/pagesettingscommon.h"
#include "app/startup.h"
#include "app/translator.h"
#include "email/serviceemail.h"
#include "link/devcomm.h"
#include "protection/servicescheduletask.h"
#include "protection/serviceshutdown.h"
#include "records/settings.h"
#include "testenvironment.h"
#include "teststore.h"

#include <QApplication>
#include <QPointer>
#include <QQmlComponent>
#include <QQuickView>

class TestQmlModule : public QObject
{
    Q_OBJECT

private slots:
    void viewsShareTheProgramsObjects();
};

void TestQmlModule::viewsShareTheProgramsObjects()
{
    TestStore::open();
    const char *singletons[] = {"Translator", "Alarm", "Settings", "DevComm", "ServiceEMail", "ServiceShutdown"};
    const QPointer<QObject> programObjects[] = {Translator::instance(), Alarm::instance(), Settings::instance(),
                                                DevComm::instance(), ServiceEMail::instance(),
                                                ServiceShutdown::instance()};
    QPointer<QObject> pages[2];
    {
        ServiceScheduleTask tasks;
        QQuickView views[2];
        QScopedPointer<QObject> objects[2];
        for (int i = 0; i < 2; ++i) {
            QQuickView &view = views[i];
            Startup::prepareView(&view, &tasks);
            view.setSource(QUrl(QStringLiteral("qrc:/qml/main.qml")));
            QVERIFY(view.rootObject());

            QByteArray document = "import QtQml 2.15\nimport Ambrel 1.0\nQtObject { property var page: PageSettingsCommon;"
                                  " property int tab: GlobalDataDef.MainTabLogData; property var view: window;";
            for (const char *name : singletons)
                document += QByteArray(" property var the") + name + ": " + name + ';';
            QQmlComponent component(view.engine());
            component.setData(document + " }", QUrl());
            objects[i].reset(component.create());
            QVERIFY2(objects[i], qPrintable(component.errorString()));
            for (int s = 0; s < 6; ++s)
                QCOMPARE(objects[i]->property(QByteArray("the") + singletons[s]).value<QObject *>(),
                         programObjects[s].data());
            QCOMPARE(objects[i]->property("view").value<QObject *>(), &view);
            QCOMPARE(objects[i]->property("tab").toInt(), 4);
            pages[i] = objects[i]->property("page").value<QObject *>();
            QVERIFY(qobject_cast<PageSettingsCommon *>(pages[i]));
        }
        // One settings page per engine.
        QVERIFY(pages[0] != pages[1]);
    }
    // Each engine deleted its settings page; the program's objects outlive both.
    QVERIFY(!pages[0]);
    QVERIFY(!pages[1]);
    for (int s = 0; s < 6; ++s)
        QVERIFY2(programObjects[s], singletons[s]);
    QVERIFY(Settings::instance()->getSettings(Settings::LanguageAuto).isValid());
}

AMBREL_TEST_MAIN_WITH(QApplication, TestQmlModule)
#include "tst_qmlmodule.moc"
