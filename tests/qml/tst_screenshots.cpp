#include "alarm/alarm.h"
#include "mainwindowfixture.h"
#include "protection/serviceshutdown.h"
#include "teststore.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <cmath>

// Renders the window for a reviewer: every main page and every view of the
// device page, in each language and UPS state, as PNG files under the
// folder named by AMBREL_SCREENSHOT_DIR (scripts/screenshots.sh sets it).
// Without that variable there is nothing to do.
class TestScreenshots : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void render_data();
    void render();

private:
    void save(const QString &name);
    static void putState(const QString &state);

    QString m_dir;
    QScopedPointer<MainWindowFixture> w;
};

void TestScreenshots::initTestCase()
{
    m_dir = qEnvironmentVariable("AMBREL_SCREENSHOT_DIR");
    if (m_dir.isEmpty())
        QSKIP("AMBREL_SCREENSHOT_DIR is not set");
    TestStore::open();
    // The countdown is shown, never run.
    ServiceShutdown::instance()->setAmbrelOffEnable(false);
    w.reset(new MainWindowFixture);
    QVERIFY(w->root());
}

void TestScreenshots::render_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("state");
    const char *languages[] = {"en", "zh", "fr", "ru"};
    for (int language = 0; language < 4; ++language) {
        for (const char *state : {"linked", "mainsfailure", "notlinked"})
            QTest::addRow("%s-%s", languages[language], state) << language << QString(state);
    }
}

void TestScreenshots::render()
{
    QFETCH(int, language);
    QFETCH(QString, state);
    Translator::instance()->setLanguage(language);
    putState(state);
    if (state == "mainsfailure") {
        QTRY_VERIFY(w->value("shutdownDialog", "opened").toBool());
        save("warning");
        QVERIFY(w->click("msgSure"));
        QTRY_VERIFY(!w->value("shutdownDialog", "visible").toBool());
        Alarm::instance()->clearAlarm();
        Alarm::instance()->addAlarm(Alarm::MainsFault);
        Alarm::instance()->addAlarm(0x10000 + 3);
        Alarm::instance()->addEvent(Alarm::CommNormal);
        QVERIFY(w->click("footerAlarm"));
        QTRY_VERIFY(w->value("popupCurrentAlarm", "opened").toBool());
        save("alarms");
        QVERIFY(w->click("currentAlarmSure"));
        QTRY_VERIFY(!w->value("popupCurrentAlarm", "visible").toBool());
    }

    const char *pages[] = {"footerScheduleTask", "footerControl", "footerSettings", "footerHistory", "footerDevice"};
    for (const char *page : pages) {
        QVERIFY(w->click(page));
        save(QString(page).mid(6).toLower());
    }
    const char *views[] = {"mimic", "dial", "data", "chart", "info"};
    QObject *tabs = w->find("devDataTabs");
    for (int tab = 0; tab < 5; ++tab) {
        tabs->setProperty("currentIndex", tab);
        save(QString("device-") + views[tab]);
    }
    tabs->setProperty("currentIndex", 0);
    QVERIFY2(w->warnings().isEmpty(), qPrintable(w->warnings().join('\n')));
}

void TestScreenshots::save(const QString &name)
{
    QTest::qWait(150); // let animated images and charts draw
    const QString file = QString("%1/%2-%3.png").arg(m_dir, QTest::currentDataTag(), name);
    QVERIFY(w->view().screen()->grabWindow(w->view().winId()).save(file));
}

// A UPS on the mains, one on battery with a shutdown countdown running, or
// none at all.
void TestScreenshots::putState(const QString &state)
{
    emit ServiceShutdown::instance()->shutdownStarted(0);
    if (state == "notlinked") {
        MainWindowFixture::loseLink();
        return;
    }
    const bool failure = state == "mainsfailure";
    UPSData &u = MainWindowFixture::linkedRecord();
    u.outputVol = 230.2f;
    u.inputFreq = failure ? 0.f : 50.0f;
    u.battVol = failure ? 2.08f : 2.27f;
    u.temperature = 31.5f;
    u.battCapacity = failure ? 64.f : 100.f;
    u.battRemainTime = failure ? 42 : 75;
    u.load = 38;
    u.status = failure ? 0x01 : 0x00;
    qstrcpy(u.compName, "ACME");
    qstrcpy(u.UPSModel, "LINE-1K");
    qstrcpy(u.version, "VER 1.2");
    qstrcpy(u.sn, "SN0123456789");
    // A minute of readings for the chart; the mains fails for the last ten.
    for (int i = 0; i < 60; ++i) {
        u.inputVol = failure && i >= 50 ? 0.f : float(228 + 3 * std::sin(i / 4.0));
        MainWindowFixture::protocol()->updateData();
    }
    MainWindowFixture::publish();
    if (failure) {
        emit ServiceShutdown::instance()->shutdownStarted(600);
        emit ServiceShutdown::instance()->shutdownTimeChanged(452);
    }
}

AMBREL_TEST_MAIN_WITH(QApplication, TestScreenshots)
#include "tst_screenshots.moc"
