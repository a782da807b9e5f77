#include "alarm/alarm.h"
#include "mainwindowfixture.h"
#include "protection/serviceshutdown.h"
#include "simulatedups.h"
#include "testenvironment.h"
#include "teststore.h"

#include <QApplication>
#include <QColor>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlExpression>
#include <QSqlDatabase>
#include <functional>

// The main window and the device page, loaded offscreen as the program loads
// them and driven through the UPS record, the services and mouse clicks.
class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void noWarningsInAnyLanguage_data();
    void noWarningsInAnyLanguage();
    void footerAndPanelFollowEachOther();
    void windowDragsFromAFreeSpot();
    void alarmBadgeAndList_data();
    void alarmBadgeAndList();
    void tilesFollowTheRecord_data();
    void tilesFollowTheRecord();
    void countdown();
    void mimicProcedureByState_data();
    void mimicProcedureByState();
    void mimicPlaysOnlyWhileSeen();
    void mimicSegmentsMoveTogether();
    void chartFollowsOnlyWhileSeen();
    void messageDialogButtons_data();
    void messageDialogButtons();
    void shutdownBringsTheHiddenWindowUp();
    void trayBringsTheHiddenWindowBack();
    void realLinkFillsAndEmptiesThePage();

private:
    QString text(const char *name) const { return w->value(name, "text").toString(); }
    QString tile(const char *name) const { return w->value(name, "value").toString(); }
    static void putRecord(int status, float inputVol, float outputVol)
    {
        UPSData &u = MainWindowFixture::linkedRecord();
        u.status = quint8(status);
        u.inputVol = inputVol;
        u.outputVol = outputVol;
        MainWindowFixture::publish();
    }

    QScopedPointer<MainWindowFixture> w;
};

void TestMainWindow::initTestCase()
{
    TestStore::open();
    // The countdown of a mains failure is tested on its own.
    ServiceShutdown::instance()->setAmbrelOffEnable(false);
    w.reset(new MainWindowFixture);
    QVERIFY(w->root());
    QCOMPARE(w->root()->size(), QSizeF(972, 660));
}

void TestMainWindow::cleanupTestCase()
{
    QVERIFY2(w->warnings().isEmpty(), qPrintable(w->warnings().join('\n')));
    w.reset();
}

void TestMainWindow::noWarningsInAnyLanguage_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("footerText");
    QTest::newRow("English") << 0 << "Schedule Task";
    QTest::newRow("Chinese") << 1 << "计划任务";
    QTest::newRow("French") << 2 << "Tâches planifiées";
    QTest::newRow("Russian") << 3 << "Расписание";
}

// Every page and every view of the device page, linked and not, in each
// language; the engine must not warn once.
void TestMainWindow::noWarningsInAnyLanguage()
{
    QFETCH(int, language);
    QFETCH(QString, footerText);
    Translator::instance()->setLanguage(language);
    QCOMPARE(text("footerScheduleTask"), footerText);

    for (bool linked : {true, false}) {
        if (linked)
            putRecord(0x01, 0, 230);
        else
            MainWindowFixture::loseLink();
        for (const char *button : {"footerScheduleTask", "footerControl", "footerSettings", "footerHistory",
                                   "footerDevice"})
            QVERIFY(w->click(button));
        QObject *tabs = w->find("devDataTabs");
        for (int tab = 4; tab >= 0; --tab) {
            tabs->setProperty("currentIndex", tab);
            QTest::qWait(20);
        }
    }
    QVERIFY(w->click("footerAlarm"));
    QTRY_VERIFY(w->value("popupCurrentAlarm", "visible").toBool());
    QVERIFY(w->click("currentAlarmSure"));
    QTRY_VERIFY(!w->value("popupCurrentAlarm", "visible").toBool());
    Translator::instance()->setLanguage(0);
    QVERIFY2(w->warnings().isEmpty(), qPrintable(w->warnings().join('\n')));
}

void TestMainWindow::footerAndPanelFollowEachOther()
{
    const char *buttons[] = {"footerDevice", "footerScheduleTask", "footerControl", "footerSettings", "footerHistory"};
    QObject *panel = w->find("mainPanel");
    QObject *footer = w->find("mainFooter");
    QVERIFY(panel && footer);
    for (int page : {2, 4, 4, 1, 3, 0}) {
        QVERIFY(w->click(buttons[page]));
        QCOMPARE(panel->property("currentIndex").toInt(), page);
        QCOMPARE(footer->property("currentIndex").toInt(), page);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(w->value(buttons[i], "selected").toBool(), i == page);
    }
    panel->setProperty("currentIndex", 3);
    QCOMPARE(footer->property("currentIndex").toInt(), 3);
    QVERIFY(w->value("footerSettings", "highlighted").toBool());
    QVERIFY(w->click("footerDevice"));
    QCOMPARE(panel->property("currentIndex").toInt(), 0);

    // A button under the pointer looks selected while the pointer stays.
    auto *control = w->find<QQuickItem>("footerControl");
    const QPoint onControl = control->mapToScene(QPointF(control->width() / 2, 10)).toPoint();
    QTest::mouseMove(&w->view(), onControl);
    QTRY_VERIFY(control->property("highlighted").toBool());
    QTest::mouseMove(&w->view(), QPoint(200, 24));
    QTRY_VERIFY(!control->property("highlighted").toBool());
    QCOMPARE(panel->property("currentIndex").toInt(), 0);
}

// The frameless window follows the pointer dragged from a free spot.
void TestMainWindow::windowDragsFromAFreeSpot()
{
    const QPoint start = w->view().position();
    QTest::mousePress(&w->view(), Qt::LeftButton, Qt::NoModifier, QPoint(300, 24));
    QTest::mouseMove(&w->view(), QPoint(330, 39));
    QTRY_COMPARE(w->view().position(), start + QPoint(30, 15));
    // The window moved under the pointer, which stays where it is on the screen.
    QTest::mouseRelease(&w->view(), Qt::LeftButton, Qt::NoModifier, QPoint(300, 24));
    QCOMPARE(w->view().position(), start + QPoint(30, 15));
}

void TestMainWindow::alarmBadgeAndList_data()
{
    QTest::addColumn<QList<int>>("codes");
    QTest::newRow("none") << QList<int>();
    QTest::newRow("three") << QList<int>{Alarm::MainsFault, Alarm::BattVolLow, Alarm::UPSFault};
    QList<int> many; // more than the list shows at once
    for (int code = 0x10000; many.size() < 107; ++code) {
        if (!Alarm::instance()->alarmText(code).isEmpty())
            many.append(code);
    }
    QTest::newRow("107") << many;
}

void TestMainWindow::alarmBadgeAndList()
{
    QFETCH(QList<int>, codes);
    Alarm::instance()->clearAlarm();
    QSqlDatabase::database().transaction(); // each alarm is stored
    for (int code : codes)
        QVERIFY(Alarm::instance()->addAlarm(code));
    QSqlDatabase::database().commit();
    QCOMPARE(w->value("alarmBadge", "visible").toBool(), !codes.isEmpty());
    if (!codes.isEmpty())
        QCOMPARE(text("alarmBadgeText"), QString::number(codes.size()));

    QVERIFY(w->click("footerAlarm"));
    QTRY_VERIFY(w->value("popupCurrentAlarm", "visible").toBool());
    QCOMPARE(w->value("currentAlarmList", "count").toInt(), codes.size());
    // The open list follows a change of the alarms.
    QVERIFY(Alarm::instance()->addAlarm(Alarm::CommLost));
    QCOMPARE(w->value("currentAlarmList", "count").toInt(), codes.size() + 1);
    // A scroll bar is drawn when rows lie beyond the view, and only then.
    auto *bar = w->find<QQuickItem>("currentAlarmScrollBar");
    QVERIFY(bar && bar->isVisible() == (codes.size() > 10)); // the list shows about ten rows
    auto *handle = bar->property("contentItem").value<QQuickItem *>();
    QVERIFY(!bar->isVisible() || (handle->opacity() > 0 && handle->height() < bar->height() / 2));
    QVERIFY(w->value("alarmBadge", "visible").toBool());
    QVERIFY(w->click("currentAlarmSure"));
    QTRY_VERIFY(!w->value("popupCurrentAlarm", "visible").toBool());
    Alarm::instance()->clearAlarm();
    QVERIFY(!w->value("alarmBadge", "visible").toBool());
}

void TestMainWindow::tilesFollowTheRecord_data()
{
    QTest::addColumn<bool>("linked");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("remain");
    QTest::addColumn<QStringList>("tiles"); // the six tiles, then the battery time
    QTest::addColumn<QString>("inputColor");
    QTest::addColumn<QString>("workColor");
    QTest::addColumn<double>("battBar");

    QTest::newRow("on-line, on mains") << true << 0x00 << 75
        << QStringList{"Conneted", "Normal", "Normal", "Normal", "On Mains", "No", "01:15:00"}
        << "#1388ff" << "#1388ff" << 0.8;
    QTest::newRow("on battery, low") << true << 0x03 << 0
        << QStringList{"Conneted", "Fault", "Low", "Normal", "On Battery", "No", "00:00:00"}
        << "#fd323b" << "#fd323b" << 0.8;
    QTest::newRow("bypass, fault, self-test") << true << 0x2C << 125
        << QStringList{"Conneted", "Normal", "Normal", "Fault", "On Bypass", "In progress", "02:05:00"}
        << "#1388ff" << "#1388ff" << 0.8;
    QTest::newRow("standby on the line") << true << 0x10 << 9
        << QStringList{"Conneted", "Normal", "Normal", "Normal", "On Bypass", "No", "00:09:00"}
        << "#1388ff" << "#1388ff" << 0.8;
    QTest::newRow("link lost") << false << 0x03 << 75
        << QStringList{"Disconnected", "--", "--", "--", "--", "--", "--:--:--"}
        << "#8f97a9" << "#8f97a9" << 0.0;
}

void TestMainWindow::tilesFollowTheRecord()
{
    QFETCH(bool, linked);
    QFETCH(int, status);
    QFETCH(int, remain);
    QFETCH(QStringList, tiles);
    QFETCH(QString, inputColor);
    QFETCH(QString, workColor);
    QFETCH(double, battBar);

    UPSData &u = MainWindowFixture::linkedRecord();
    u.battRemainTime = quint16(remain);
    u.battCapacity = 80;
    putRecord(status, 230, 230);
    if (!linked)
        MainWindowFixture::loseLink();

    const QStringList shown{tile("tileComm"), tile("tileInput"), tile("tileBattery"), tile("tileFault"),
                            tile("tileWork"), tile("tileSelfTest"), text("battTime")};
    QCOMPARE(shown, tiles);
    QCOMPARE(w->value("tileInput", "statusColor").value<QColor>(), QColor(inputColor));
    QCOMPARE(w->value("tileWork", "statusColor").value<QColor>(), QColor(workColor));
    QCOMPARE(w->value("battBar", "value").toDouble(), battBar);
    QCOMPARE(w->value("battTime", "color").value<QColor>(), QColor(linked ? "#1388ff" : "#8f97a9"));
    QCOMPARE(text("statusText"), linked ? QString("UPS Conneted") : QString("UPS Disconnected"));
    QVERIFY(w->value("upsPicture", "source").toString().endsWith(linked ? "upsOnline.png" : "upsOffline.png"));
    QCOMPARE(w->value("trayIcon", "tooltip").toString(), linked ? QString("UPS Conneted") : QString("UPS Disconnect"));
}

void TestMainWindow::countdown()
{
    ServiceShutdown *service = ServiceShutdown::instance();
    QObject *dialog = w->find("shutdownDialog");
    emit service->shutdownStarted(90);
    QCOMPARE(text("countdownText"), QString("00:01:30"));
    QCOMPARE(w->value("countdownBar", "value").toDouble(), 1.0);
    QVERIFY(QMetaObject::invokeMethod(dialog, "close"));

    emit service->shutdownTimeChanged(45);
    QCOMPARE(text("countdownText"), QString("00:00:45"));
    QCOMPARE(w->value("countdownBar", "value").toDouble(), 0.5);
    emit service->shutdownStarted(7200);
    emit service->shutdownTimeChanged(3725);
    QCOMPARE(text("countdownText"), QString("01:02:05"));
    QVERIFY(QMetaObject::invokeMethod(dialog, "close"));

    emit service->shutdownStarted(0); // called off
    QCOMPARE(text("countdownText"), QString("--:--:--"));
    QCOMPARE(w->value("countdownBar", "value").toDouble(), 0.0);
    QTRY_VERIFY(!dialog->property("visible").toBool());
}

void TestMainWindow::mimicProcedureByState_data()
{
    // Segments, in order: input to UPS, input to bypass, bypass left, bypass
    // right, bypass to load, UPS to load, UPS to battery, battery. Each is its
    // image, with "*" when it plays and "-" before it when it is hidden.
    const QStringList initial{"partInputToUPS.gif", "-partInputToBypass.gif", "partBypassLeft.gif",
                              "partBypassRight.gif", "-partBypassToLoad.gif", "partUPSToLoad.gif",
                              "partBatt.gif", "battery.png"};
    const QStringList onBattery{"partInputToUPS.gif", "-partInputToBypass.gif", "partBypassLeft.gif",
                                "partBypassRight.gif", "-partBypassToLoad.gif", "partUPSToLoadOn.gif*",
                                "partBattDischarge.gif*", "battery.png"};
    // On bypass the line from the input to the bypass carries the load.
    const QStringList onBypass{"partInputToUPSOn.gif*", "partInputToBypassOn.gif*", "partBypassLeftOn.gif*",
                               "partBypassRightOn.gif*", "partBypassToLoadOn.gif*", "partUPSToLoad.gif",
                               "partBattCharge.gif*", "battCharging.gif*"};
    QStringList onMains{"partInputToUPSOn.gif*", "-partInputToBypass.gif", "partBypassLeft.gif",
                        "partBypassRight.gif", "-partBypassToLoad.gif", "partUPSToLoadOn.gif*",
                        "partBattCharge.gif*", "battCharging.gif*"};
    QStringList mainsNoOutput = onMains;
    mainsNoOutput[5] = "partUPSToLoad.gif";
    QStringList bypassNoOutput = onBypass;
    bypassNoOutput[3] = "partBypassRight.gif";
    bypassNoOutput[4] = "-partBypassToLoad.gif";

    QTest::addColumn<bool>("linked");
    QTest::addColumn<int>("status");
    QTest::addColumn<float>("inputVol");
    QTest::addColumn<float>("outputVol");
    QTest::addColumn<QStringList>("segments");
    QTest::newRow("not linked") << false << 0 << 230.f << 230.f << initial;
    QTest::newRow("on-line, mains, output") << true << 0x00 << 230.f << 230.f << onMains;
    QTest::newRow("on-line, mains, no output") << true << 0x00 << 230.f << 49.f << mainsNoOutput;
    QTest::newRow("on-line, bypass, output") << true << 0x04 << 230.f << 50.f << onBypass;
    QTest::newRow("on-line, bypass, no output") << true << 0x04 << 230.f << 49.f << bypassNoOutput;
    QTest::newRow("on-line, input below 50 V") << true << 0x00 << 49.f << 230.f << initial;
    QTest::newRow("mains fault, output") << true << 0x01 << 0.f << 230.f << onBattery;
    QTest::newRow("mains fault, battery low") << true << 0x03 << 0.f << 230.f << initial;
    QTest::newRow("mains fault, no output") << true << 0x01 << 0.f << 0.f << initial;
    QTest::newRow("standby, self-test") << true << 0x30 << 230.f << 230.f << onBattery;
    QTest::newRow("standby, output") << true << 0x10 << 230.f << 230.f << onBypass;
    QTest::newRow("standby, no output") << true << 0x10 << 230.f << 0.f << bypassNoOutput;
}

void TestMainWindow::mimicProcedureByState()
{
    QFETCH(bool, linked);
    QFETCH(int, status);
    QFETCH(float, inputVol);
    QFETCH(float, outputVol);
    QFETCH(QStringList, segments);

    // From the picture of a lost link and from that of a UPS on bypass: the
    // picture of a state does not depend on the one before, but for an input
    // below 50 V, which leaves it as it is.
    for (bool fromBypass : {false, true}) {
        if (fromBypass && linked && !(status & 0x01) && inputVol < 50)
            break;
        MainWindowFixture::loseLink();
        if (fromBypass || !linked)
            putRecord(0x04, 230, 230);
        if (linked)
            putRecord(status, inputVol, outputVol);
        else
            MainWindowFixture::loseLink();

        QStringList shown;
        for (const char *name : {"mimicInputToUPS", "mimicInputToBypass", "mimicBypassLeft", "mimicBypassRight",
                                 "mimicBypassToLoad", "mimicUPSToLoad", "mimicUPSToBattery", "mimicBattery"}) {
            QObject *segment = w->find(name);
            QVERIFY(segment);
            // 1: AnimatedImage.Ready; the file is in the resources and readable.
            QCOMPARE(segment->property("status").toInt(), 1);
            QString s = segment->property("source").toUrl().fileName();
            if (segment->property("playing").toBool())
                s += '*';
            if (!segment->property("visible").toBool())
                s.prepend('-');
            shown.append(s);
        }
        QCOMPARE(shown, segments);
    }
}

// The moving segments draw frames only while the picture can be seen: not
// under another view of the device page, another page, a hidden or a
// minimised window.
void TestMainWindow::mimicPlaysOnlyWhileSeen()
{
    putRecord(0x04, 230, 230); // on bypass: the most segments move
    QObject *segment = w->find("mimicBypassToLoad");
    QSignalSpy frames(segment, SIGNAL(frameChanged()));
    QTRY_VERIFY(!frames.isEmpty());

    QObject *tabs = w->find("devDataTabs");
    const std::function<void(bool)> unseen[] = {
        [tabs](bool on) { tabs->setProperty("currentIndex", on ? 1 : 0); },
        [this](bool on) { QVERIFY(w->click(on ? "footerControl" : "footerDevice")); },
        [this](bool on) { on ? w->view().hide() : w->view().show(); },
        [this](bool on) { on ? w->view().showMinimized() : w->view().showNormal(); },
    };
    for (const auto &away : unseen) {
        away(true);
        QVERIFY(!segment->property("playing").toBool());
        // A minimised window is shown on its way (Windowed, then Minimized)
        // and its segments may restart once before they stop.
        QCoreApplication::processEvents();
        frames.clear();
        QTest::qWait(200); // more than two frames of a moving segment
        QCOMPARE(frames.count(), 0);
        away(false);
        QTRY_VERIFY(!frames.isEmpty());
    }
}

// A change that starts a segment restarts every moving one with it, so that
// they step together; a record that changes nothing restarts and loads none.
void TestMainWindow::mimicSegmentsMoveTogether()
{
    auto frame = [this](const char *name) { return w->value(name, "currentFrame").toInt(); };
    MainWindowFixture::loseLink();
    for (int status : {0x00, 0x04}) { // on the mains, then on bypass
        putRecord(status, 230, 230);
        for (const char *name : {"mimicInputToUPS", "mimicUPSToBattery", status ? "mimicBypassLeft" : "mimicUPSToLoad"})
            QCOMPARE(frame(name), 0);
        QTRY_VERIFY(frame("mimicInputToUPS") > 0);
        const int now = frame("mimicInputToUPS");
        QSignalSpy reloads(w->find("mimicInputToUPS"), SIGNAL(sourceChanged(QUrl)));
        MainWindowFixture::publish();
        QCOMPARE(frame("mimicInputToUPS"), now);
        QCOMPARE(reloads.count(), 0);
    }
}

// The chart redraws on every change: out of sight it takes none, and it
// catches up when it comes into view.
void TestMainWindow::chartFollowsOnlyWhileSeen()
{
    QObject *tabs = w->find("devDataTabs");
    QObject *chart = w->find("chartPage");
    auto last = [chart] {
        QQmlExpression lastVoltage(qmlContext(chart), chart, QStringLiteral("series(0).at(series(0).count - 1).y"));
        return lastVoltage.evaluate().toDouble();
    };
    tabs->setProperty("currentIndex", 3);
    putRecord(0x00, 231, 230);
    QCOMPARE(last(), 231.0);
    for (int away : {0, 1}) {
        away ? w->view().hide() : void(tabs->setProperty("currentIndex", 0));
        putRecord(0x00, 232 + away, 230);
        QCOMPARE(last(), 231.0 + away);
        away ? w->view().show() : void(tabs->setProperty("currentIndex", 3));
        QTRY_COMPARE(last(), 232.0 + away);
    }
    tabs->setProperty("currentIndex", 0);
}

void TestMainWindow::messageDialogButtons_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("imageType");
    QTest::addColumn<QString>("icon");
    QTest::newRow("Sure, information") << 1 << 1 << "information.png";
    QTest::newRow("Cancel, question") << 2 << 2 << "question.png";
    QTest::newRow("both, warning") << 3 << 3 << "warning.png";
    QTest::newRow("both, no icon") << 3 << 0 << "";
}

void TestMainWindow::messageDialogButtons()
{
    QFETCH(int, buttons);
    QFETCH(int, imageType);
    QFETCH(QString, icon);

    QQmlComponent component(w->engine(), QUrl("qrc:/qml/MsgDialog.qml"));
    QScopedPointer<QObject> dialog(component.beginCreate(w->engine()->rootContext()));
    QVERIFY2(dialog, qPrintable(component.errorString()));
    dialog->setProperty("parent", QVariant::fromValue(w->root()));
    dialog->setProperty("buttons", buttons);
    dialog->setProperty("imageType", imageType);
    dialog->setProperty("textMsg", "Order has been issued!");
    component.completeCreate();

    QSignalSpy accepted(dialog.data(), SIGNAL(accepted()));
    QSignalSpy rejected(dialog.data(), SIGNAL(rejected()));
    for (const char *button : {"msgSure", "msgCancel"}) {
        QVERIFY(QMetaObject::invokeMethod(dialog.data(), "open"));
        QTRY_VERIFY(dialog->property("opened").toBool());
        auto *sure = dialog->findChild<QQuickItem *>("msgSure");
        auto *cancel = dialog->findChild<QQuickItem *>("msgCancel");
        QVERIFY(sure && cancel);
        QCOMPARE(sure->isVisible(), bool(buttons & 1));
        QCOMPARE(cancel->isVisible(), bool(buttons & 2));
        if (buttons == 3) // laid out from the right: "Sure" last
            QVERIFY(sure->mapToScene(QPointF()).x() > cancel->mapToScene(QPointF()).x());
        auto *image = dialog->findChild<QQuickItem *>("msgIcon");
        QCOMPARE(image->property("source").toUrl().fileName(), icon);
        QCOMPARE(image->isVisible(), !icon.isEmpty());

        QQuickItem *item = dialog->findChild<QQuickItem *>(button);
        if (!item->isVisible()) {
            QVERIFY(QMetaObject::invokeMethod(dialog.data(), "close"));
            continue;
        }
        QTest::mouseClick(&w->view(), Qt::LeftButton, Qt::NoModifier,
                          item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint());
        QTRY_VERIFY(!dialog->property("visible").toBool());
    }
    QCOMPARE(accepted.count(), buttons & 1 ? 1 : 0);
    QCOMPARE(rejected.count(), buttons & 2 ? 1 : 0);
}

// Closing hides the window; a mains failure that starts the countdown brings
// it back in front with the warning, which goes when the mains come back;
// cancelling opens nothing.
void TestMainWindow::shutdownBringsTheHiddenWindowUp()
{
    ServiceShutdown *service = ServiceShutdown::instance();
    putRecord(0x00, 230, 230);
    QVERIFY(w->click("btnClose"));
    QVERIFY(!w->view().isVisible());
    QVERIFY(w->root());

    service->setAmbrelOffEnable(true);
    service->setMainFaultOffTime(2);
    putRecord(0x01, 0, 230);
    QTRY_VERIFY(w->view().isVisible());
    QTRY_VERIFY(w->value("shutdownDialog", "opened").toBool());
    QCOMPARE(text("msgText"), QString("Shutdown event activated!"));
    QCOMPARE(w->value("msgIcon", "source").toUrl().fileName(), QString("warning.png"));
    QCOMPARE(text("countdownText"), QString("00:02:00"));
    QCOMPARE(w->value("countdownBar", "value").toDouble(), 1.0);
    putRecord(0x00, 230, 230); // mains back: the countdown is called off
    QCOMPARE(text("countdownText"), QString("--:--:--"));
    QTRY_VERIFY(!w->value("shutdownDialog", "visible").toBool());

    putRecord(0x01, 0, 230);
    QTRY_VERIFY(w->value("shutdownDialog", "opened").toBool());
    QVERIFY(w->click("msgSure"));
    QTRY_VERIFY(!w->value("shutdownDialog", "visible").toBool());
    QVERIFY(w->click("btnClose"));
    putRecord(0x00, 230, 230);
    QCOMPARE(text("countdownText"), QString("--:--:--"));
    QTest::qWait(50);
    QVERIFY(!w->view().isVisible());
    QVERIFY(!w->value("shutdownDialog", "visible").toBool());
    service->setAmbrelOffEnable(false);
    w->view().show();
}

// A double click on the tray icon, or "Show" in its menu, shows the window
// that the close button hid.
void TestMainWindow::trayBringsTheHiddenWindowBack()
{
    QObject *tray = w->find("trayIcon");
    QVERIFY(tray);
    const int doubleClick = 2; // QPlatformSystemTrayIcon::DoubleClick
    QVERIFY(w->click("btnClose"));
    QVERIFY(!w->view().isVisible());
    QVERIFY(QMetaObject::invokeMethod(tray, "activated",
                                      QGenericArgument("QPlatformSystemTrayIcon::ActivationReason", &doubleClick)));
    QVERIFY(w->view().isVisible());

    QVERIFY(w->click("btnClose"));
    QVERIFY(QMetaObject::invokeMethod(w->find("trayShow"), "triggered"));
    QVERIFY(w->view().isVisible());
}

// A simulated UPS on a pseudo-terminal through the real serial link: the
// page fills with its answers and empties when the line goes away.
void TestMainWindow::realLinkFillsAndEmptiesThePage()
{
    MainWindowFixture::loseLink();
    QScopedPointer<SimulatedUps> ups(new SimulatedUps);
    QVERIFY(ups->isOpen());
    ups->state().status = "00000000"; // an on-line UPS on the mains
    ups->state().remainTime = 75;
    QVERIFY(DevComm::instance()->openDevice(DevComm::COM, ups->portPath()));
    QTRY_COMPARE_WITH_TIMEOUT(tile("tileComm"), QString("Conneted"), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(text("battTime"), QString("01:15:00"), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(w->value("itemInputVol", "value").toString(), QString("230.0"), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(text("infoCompName").trimmed(), QString("ACME"), 20000);
    QCOMPARE(tile("tileWork"), QString("On Mains"));
    QCOMPARE(w->value("mimicInputToUPS", "source").toUrl().fileName(), QString("partInputToUPSOn.gif"));

    ups.reset();
    QTRY_COMPARE_WITH_TIMEOUT(tile("tileInput"), QString("--"), 20000);
    QCOMPARE(text("battTime"), QString("--:--:--"));
    QCOMPARE(w->value("mimicInputToUPS", "source").toUrl().fileName(), QString("partInputToUPS.gif"));
    DevComm::instance()->openDevice(DevComm::USB);
}

AMBREL_TEST_MAIN_IN_OWN_NAMESPACES_WITH(QApplication, TestMainWindow)
#include "tst_mainwindow.moc"
