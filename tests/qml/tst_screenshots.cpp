#include "alarm/alarm.h"
#include "mainwindowfixture.h"
#include "protection/serviceshutdown.h"
#include "teststore.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <cmath>

// Renders the window: every main page and every view of the device page, in
// each language and UPS state, as PNG files, and checks that every image is
// written and is not blank. For a reviewer they go to the folder named by
// AMBREL_SCREENSHOT_DIR (scripts/screenshots.sh sets it), with time for the
// animated images and charts to draw; else to a temporary folder.
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
    static bool isBlank(const QImage &image);

    QTemporaryDir m_temporary;
    QString m_dir;
    bool m_forReviewer = false;
    QSet<QString> m_saved;
    QScopedPointer<MainWindowFixture> w;
};

void TestScreenshots::initTestCase()
{
    m_dir = qEnvironmentVariable("AMBREL_SCREENSHOT_DIR");
    m_forReviewer = !m_dir.isEmpty();
    if (!m_forReviewer) {
        QVERIFY(m_temporary.isValid());
        m_dir = m_temporary.path();
    }
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
    QQuickView &view = w->view();
    QSignalSpy drawn(&view, &QQuickWindow::frameSwapped);
    view.update();
    QVERIFY(drawn.wait(10000));
    if (m_forReviewer)
        QTest::qWait(150); // let animated images and charts draw
    const QString file = QString("%1/%2-%3.png").arg(m_dir, QTest::currentDataTag(), name);
    QVERIFY2(!m_saved.contains(file), qPrintable(file)); // no image overwrites another
    m_saved.insert(file);
    QVERIFY(view.screen()->grabWindow(view.winId()).save(file));

    const QImage image(file);
    QVERIFY2(!image.isNull(), qPrintable(file));
    QCOMPARE(image.size(), view.size() * view.devicePixelRatio());
    QVERIFY2(!isBlank(image), qPrintable(file));
}

// Of one colour throughout.
bool TestScreenshots::isBlank(const QImage &image)
{
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb first = pixels.pixel(0, 0);
    for (int y = 0; y < pixels.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            if (line[x] != first)
                return false;
        }
    }
    return true;
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
