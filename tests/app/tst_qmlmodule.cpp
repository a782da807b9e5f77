#include "app/pagesettingscommon.h"
#include "app/startup.h"
#include "link/devcomm.h"
#include "protection/servicescheduletask.h"
#include "records/settings.h"
#include "testenvironment.h"
#include "teststore.h"

#include <QApplication>
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
    QObject *pages[2] = {};
    for (QObject *&page : pages) {
        ServiceScheduleTask tasks;
        QQuickView view;
        Startup::prepareView(&view, &tasks);
        view.setSource(QUrl(QStringLiteral("qrc:/qml/main.qml")));
        QVERIFY(view.rootObject());

        QQmlComponent component(view.engine());
        component.setData("import QtQml 2.15\nimport Ambrel 1.0\nQtObject { property var devComm: DevComm;"
                          " property var settings: Settings; property var page: PageSettingsCommon;"
                          " property int tab: GlobalDataDef.MainTabLogData; property var view: window }", QUrl());
        QScopedPointer<QObject> object(component.create());
        QVERIFY2(object, qPrintable(component.errorString()));
        QCOMPARE(object->property("devComm").value<QObject *>(), DevComm::instance());
        QCOMPARE(object->property("settings").value<QObject *>(), Settings::instance());
        QCOMPARE(object->property("view").value<QObject *>(), &view);
        QCOMPARE(object->property("tab").toInt(), 4);
        page = object->property("page").value<QObject *>();
        QVERIFY(qobject_cast<PageSettingsCommon *>(page));
    }
    // One settings page per engine; the program's objects outlive both engines.
    QVERIFY(pages[0] != pages[1]);
    DevComm::instance()->setObjectName(QStringLiteral("alive"));
    QVERIFY(Settings::instance()->getSettings(Settings::LanguageAuto).isValid());
}

AMBREL_TEST_MAIN_WITH(QApplication, TestQmlModule)
#include "tst_qmlmodule.moc"
