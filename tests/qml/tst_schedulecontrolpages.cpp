#include "link/devcomm.h"
#include "link/devcomm_p.h"
#include "protection/listmodelscheduletask.h"
#include "records/clock.h"
#include "simulatedups.h"
#include "teststore.h"
#include "uidriver.h"

#include <QApplication>
#include <QQmlContext>
#include <QSqlQuery>

// The schedule task and UPS control pages of the real main window, over a
// real database and a simulated UPS on a pseudo-terminal.
class TestScheduleControlPages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void addStoresPaddedTimeEnabled();
    void modifyFillsTheTimeFields();
    void cancelledDeleteKeepsTheTask();
    void impossibleTimeIsRefused();
    void noChoiceSendsNothing();
    void choiceSendsItsCommand_data();
    void choiceSendsItsCommand();

private:
    static QList<QVariantList> tasks();
    bool openTaskEditor(const char *button);
    QQuickItem *rowButton(int row, const char *name);

    QScopedPointer<UiDriver> ui;
    QScopedPointer<SimulatedUps> ups;
};

QList<QVariantList> TestScheduleControlPages::tasks()
{
    QList<QVariantList> rows;
    QSqlQuery query(QStringLiteral("select cycle, time, action, enable from schedule_task order by id"));
    while (query.next())
        rows << QVariantList{query.value(0).toInt(), query.value(1).toString(), query.value(2).toInt(),
                             query.value(3).toInt()};
    return rows;
}

void TestScheduleControlPages::initTestCase()
{
    // Fixed for the whole test: the schedule service then never finds a task
    // due, and the next runs read the same on any day.
    Clock::setNow(QDateTime(QDate(2024, 4, 30), QTime(12, 0)));
    TestStore::open();
    ups.reset(new SimulatedUps);
    QVERIFY(ups->isOpen());
    ui.reset(new UiDriver);
    QVERIFY(ui->ready);
}

void TestScheduleControlPages::cleanup()
{
    QVERIFY2(ui->warnings().isEmpty(), qPrintable(ui->warnings().join('\n')));
}

bool TestScheduleControlPages::openTaskEditor(const char *button)
{
    QObject *editor = ui->object("popupAddScheduleTask");
    return ui->click(button) && QTest::qWaitFor([editor] { return editor->property("opened").toBool(); });
}

// Every write makes the schedule service re-read the table within a second,
// which makes the list's rows anew: look a row up only after that.
QQuickItem *TestScheduleControlPages::rowButton(int row, const char *name)
{
    QTest::qWait(1500);
    return ui->item(QByteArray(name + QByteArray::number(row)));
}

void TestScheduleControlPages::addStoresPaddedTimeEnabled()
{
    QVERIFY(ui->click("footerScheduleTask"));
    QVERIFY(openTaskEditor("btnAddTask"));
    QCOMPARE(ui->item("fieldHour")->property("text").toString(), QStringLiteral("00"));
    QVERIFY(ui->choose(ui->item("comboTaskAction"), 1));
    QVERIFY(ui->choose(ui->item("comboTaskCycle"), 2));
    QVERIFY(ui->type(ui->item("fieldHour"), "7"));
    QVERIFY(ui->type(ui->item("fieldMinute"), "5"));
    QVERIFY(ui->type(ui->item("fieldSecond"), "9"));
    QVERIFY(ui->click("btnTaskSure"));
    QCOMPARE(tasks(), (QList<QVariantList>{{2, "07:05:09", 1, 1}}));
    QVERIFY(rowButton(0, "btnModifyTask"));
}

void TestScheduleControlPages::modifyFillsTheTimeFields()
{
    // A daily task at 07:05:09 seen on 30 April 2024: next run 2024-05-01 07:05:09.
    auto *model = qobject_cast<ListModelScheduleTask *>(
        ui->view().rootContext()->contextProperty("listModelScheduleTask").value<QObject *>());
    model->updateTask(0, QVariantMap{{"cycle", 1}, {"time", "07:05:09"}, {"action", 3}});
    QCOMPARE(model->data(model->index(0, 0), 259).toString(), QStringLiteral("2024-05-01 07:05:09"));

    QVERIFY(ui->click(rowButton(0, "btnModifyTask")));
    QTRY_VERIFY(ui->object("popupAddScheduleTask")->property("opened").toBool());
    QCOMPARE(ui->item("fieldHour")->property("text").toString(), QStringLiteral("07"));
    QCOMPARE(ui->item("fieldMinute")->property("text").toString(), QStringLiteral("05"));
    QCOMPARE(ui->item("fieldSecond")->property("text").toString(), QStringLiteral("09"));
    QCOMPARE(ui->item("comboTaskCycle")->property("currentIndex").toInt(), 1);
    QCOMPARE(ui->item("comboTaskAction")->property("currentIndex").toInt(), 3);

    // Sure writes what the fields show back; the task stays switched on.
    QVERIFY(ui->type(ui->item("fieldMinute"), "45"));
    QVERIFY(ui->click("btnTaskSure"));
    QCOMPARE(tasks(), (QList<QVariantList>{{1, "07:45:09", 3, 1}}));
}

void TestScheduleControlPages::cancelledDeleteKeepsTheTask()
{
    QVERIFY(ui->click(rowButton(0, "btnDeleteTask")));
    QTRY_VERIFY(ui->showsMessage("msgDeleteTask", "Are you sure to delete this task?"));
    QVERIFY(ui->answer("msgDeleteTask", false));
    QCOMPARE(tasks().size(), 1);

    // Switching it off is written at once; deleting with Sure removes it.
    QVERIFY(ui->click(rowButton(0, "enableSwitch")));
    QCOMPARE(tasks().value(0).value(3).toInt(), 0);
    QVERIFY(ui->click(rowButton(0, "btnDeleteTask")));
    QVERIFY(ui->answer("msgDeleteTask", true));
    QCOMPARE(tasks().size(), 0);
}

void TestScheduleControlPages::impossibleTimeIsRefused()
{
    // A task at 25:61:00 would never run.
    QVERIFY(ui->click("footerScheduleTask"));
    QVERIFY(openTaskEditor("btnAddTask"));
    QVERIFY(ui->type(ui->item("fieldHour"), "25"));
    QVERIFY(ui->type(ui->item("fieldMinute"), "61"));
    QVERIFY(ui->click("btnTaskSure"));
    QTRY_VERIFY(ui->showsMessage("msgTaskTimeInvalid", "Invalid time! Hours 0~23, minutes and seconds 0~59."));
    QVERIFY(ui->answer("msgTaskTimeInvalid", true));
    QVERIFY(ui->object("popupAddScheduleTask")->property("opened").toBool());
    QCOMPARE(tasks(), QList<QVariantList>());

    // Put right, it is stored.
    QVERIFY(ui->type(ui->item("fieldHour"), "23"));
    QVERIFY(ui->type(ui->item("fieldMinute"), "59"));
    QVERIFY(ui->click("btnTaskSure"));
    QCOMPARE(tasks(), (QList<QVariantList>{{0, "23:59:00", 0, 1}}));
}

void TestScheduleControlPages::noChoiceSendsNothing()
{
    QVERIFY(DevComm::instance()->openDevice(DevComm::COM, ups->portPath()));
    QTRY_VERIFY_WITH_TIMEOUT(DevComm::instance()->isOnline(), 10000);
    QVERIFY(ui->click("footerControl"));
    ups->clearReceived();
    QVERIFY(ui->click("btnControlSure"));
    QTRY_VERIFY(ui->showsMessage("msgOrderIssued", "Order has been issued!"));
    QVERIFY(ui->answer("msgOrderIssued", true));
    // Two poll ticks: only queries go out.
    QTest::qWait(3500);
    const QList<QByteArray> polls{"BT", "BP", "NQU", "F", "I", "Q1", "A1"};
    for (const QByteArray &command : ups->received())
        QVERIFY2(polls.contains(command), command.constData());
}

void TestScheduleControlPages::choiceSendsItsCommand_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("minutesField");
    QTest::addColumn<QString>("minutes");
    QTest::addColumn<QByteArray>("status");
    QTest::addColumn<QByteArray>("command");

    QTest::newRow("10 s test") << "radioSelfTest10S" << "" << "" << QByteArray("00001000") << QByteArray("T");
    QTest::newRow("test to EOD") << "radioSelfTestEOD" << "" << "" << QByteArray("00001000") << QByteArray("TL");
    QTest::newRow("7 min test") << "radioSelfTestCustom" << "spinSelfTestMinutes" << "7"
                                << QByteArray("00001000") << QByteArray("T07");
    QTest::newRow("cancel test") << "radioSelfTestCancel" << "" << "" << QByteArray("00001100")
                                 << QByteArray("CT");
    QTest::newRow("close in 3") << "radioCloseOutput" << "spinCloseMinutes" << "3" << QByteArray("00001000")
                                << QByteArray("S03R9999");
    QTest::newRow("cancel close") << "radioCancelClose" << "" << "" << QByteArray("00001000") << QByteArray("C");
    QTest::newRow("buzzer") << "radioBuzzer" << "" << "" << QByteArray("00001000") << QByteArray("Q");
}

void TestScheduleControlPages::choiceSendsItsCommand()
{
    QFETCH(QString, choice);
    QFETCH(QString, minutesField);
    QFETCH(QString, minutes);
    QFETCH(QByteArray, status);
    QFETCH(QByteArray, command);

    // The UPS reports its state (a running self-test for the cancel) first;
    // the first status character is bit 0.
    ups->state().status = status;
    quint8 bits = 0;
    for (int bit = 0; bit < 8; ++bit)
        bits |= quint8((status.at(bit) == '1') << bit);
    QTRY_VERIFY_WITH_TIMEOUT(DevComm::instance()->upsData()->status == bits, 10000);
    QVERIFY(ui->click(choice.toLatin1()));
    if (!minutesField.isEmpty())
        QVERIFY(ui->type(ui->item(minutesField.toLatin1()), minutes));
    ups->clearReceived();
    QVERIFY(ui->click("btnControlSure"));
    QTRY_VERIFY(ui->showsMessage("msgOrderIssued", "Order has been issued!"));
    QVERIFY(ui->answer("msgOrderIssued", true));
    QTRY_VERIFY_WITH_TIMEOUT(ups->received().contains(command), 10000);
}

AMBREL_TEST_MAIN_IN_OWN_NAMESPACES_WITH(QApplication, TestScheduleControlPages)
#include "tst_schedulecontrolpages.moc"
