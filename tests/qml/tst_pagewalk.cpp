#include "email/serviceemail.h"
#include "email/listmodelemailuser.h"
#include "protection/listmodelscheduletask.h"
#include "records/settings.h"
#include "teststore.h"
#include "uidriver.h"

#include <QApplication>
#include <QFileDialog>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QHeaderView>
#include <QLibraryInfo>
#include <QQmlContext>
#include <QScopeGuard>
#include <QScreen>
#include <QSqlQuery>
#include <QTranslator>
#include <QTreeView>

// Walks the schedule task, UPS control, settings and history pages and each
// of their popups in every language: no page may make the QML engine warn,
// nor show what the checks below find wrong.
// With AMBREL_SCREENSHOT_DIR set (scripts/screenshots.sh) every step is also
// saved there as a PNG file for a reviewer.
class TestPageWalk : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void walk_data();
    void walk();

private:
    bool show(const char *button, const char *shot);
    bool openPopup(const char *button, const char *popup, const char *shot);
    void save(const char *shot);
    void checkFileDialog(const char *button, const char *name, const QTranslator &qt);

    QScopedPointer<UiDriver> ui;
    QString m_dir;
};

void TestPageWalk::initTestCase()
{
    m_dir = qEnvironmentVariable("AMBREL_SCREENSHOT_DIR");
    const QString dataDir = TestStore::open();
    DevCommPrivate::portLister = [] { return QStringList(); }; // no serial port at all
    // The file dialogs open on the desktop: here the data folder, with files in it.
    QFile dirs(qEnvironmentVariable("XDG_CONFIG_HOME") + "/user-dirs.dirs");
    QVERIFY(QDir().mkpath(qEnvironmentVariable("XDG_CONFIG_HOME")) && dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_DESKTOP_DIR=\"" + QFile::encodeName(dataDir) + "/data\"\n");
    Startup::makeDataDirs();
    Settings *settings = Settings::instance();
    settings->setSettings(Settings::LanguageAuto, false);
    settings->setSettings(Settings::EMailEnable, true);
    settings->setSettings(Settings::EMailAuthEnable, true);
    settings->setSettings(Settings::ShutdownEnable, true);
    QSqlQuery query;
    QVERIFY(query.exec("insert into device_data(dateTime, inputVol, outputVol, load, inputFreq, battVol, "
                       "temperature) values(date('now', 'localtime') || ' 10:00:00', 230, 229.5, 38, 50, 27.2, 31)"));
    QVERIFY(query.exec("insert into alarm(dateTime, alarm) values(date('now', 'localtime') || ' 10:05:00', 2)"));
    // Today's self-test, so that the page's first search draws it.
    const QDateTime test(QDate::currentDate(), QTime(8, 0));
    QVERIFY(query.exec(QStringLiteral("insert into log_self_test(dateTime, duration, count) values('%1', 10, 1)")
                           .arg(test.toString("yyyy-MM-dd hh:mm:ss"))));
    QFile record(dataDir + "/data/self_test/" + test.toString("yyyyMMddhhmmss") + ".txt");
    QVERIFY(record.open(QIODevice::WriteOnly));
    record.write("0,38,100\n5,40,99\n10,41,97\n");
    record.close();
    QFile log(dataDir + "/data/shutdown.log");
    QVERIFY(log.open(QIODevice::WriteOnly));
    log.write(R"({"Editor": ["notes.txt - Editor"], "Terminal": ["build", "logs"]})");
    log.close();

    ui.reset(new UiDriver);
    QVERIFY(ui->ready);
    ServiceEMail::instance()->userModel()->addUser("ops@example.com");
    auto *tasks = qobject_cast<ListModelScheduleTask *>(
        ui->view().rootContext()->contextProperty("listModelScheduleTask").value<QObject *>());
    tasks->addTask(QVariantMap{{"cycle", 3}, {"time", "21:30:00"}, {"action", 1}, {"enable", true}});
}

void TestPageWalk::walk_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("en") << 0;
    QTest::newRow("zh") << 1;
    QTest::newRow("fr") << 2;
    QTest::newRow("ru") << 3;
}

void TestPageWalk::save(const char *shot)
{
    if (m_dir.isEmpty())
        return;
    QTest::qWait(150); // let popups finish opening and charts draw
    const QString file = QStringLiteral("%1/%2-%3.png").arg(m_dir, QTest::currentDataTag(), shot);
    QVERIFY(ui->view().screen()->grabWindow(ui->view().winId()).save(file));
}

bool TestPageWalk::show(const char *button, const char *shot)
{
    if (!ui->click(button))
        return false;
    save(shot);
    return true;
}

bool TestPageWalk::openPopup(const char *button, const char *popup, const char *shot)
{
    QObject *object = ui->object(popup);
    if (!ui->click(button) || !QTest::qWaitFor([object] { return object->property("opened").toBool(); }))
        return false;
    save(shot);
    return true;
}

// An item and every item under it.
static QList<QQuickItem *> itemTree(QQuickItem *root)
{
    QList<QQuickItem *> items{root};
    for (int i = 0; i < items.size(); ++i)
        items += items.at(i)->childItems();
    return items;
}

// What is wrong with the headers of a table: each must show its column's
// whole title on lines laid out as they stand, within its column and the
// table, with no pair of brackets split over two lines.
static QString headerFault(QQuickItem *table)
{
    static const QRegularExpression paired("^[^()]*(\\([^()\n]*\\)[^()]*)*$");
    int shown = 0;
    for (QQuickItem *header : itemTree(table)) {
        const QString text = header->property("text").toString();
        if (header->objectName() != QLatin1String("logHeader") || !header->isVisible() || text.isEmpty())
            continue;
        ++shown;
        const QString title = qmlContext(header)->contextProperty("styleData").value<QObject *>()
                                  ->property("value").toString();
        const qreal width = header->property("contentWidth").toReal();
        if (text.split('\n').join(' ') != title || header->property("truncated").toBool()
            || header->property("lineCount").toInt() != text.count('\n') + 1 || width > header->width()
            || header->mapToItem(table, QPointF(width, 0)).x() > table->width() || !paired.match(text).hasMatch())
            return QStringLiteral("\"%1\" shown as \"%2\"").arg(title, QString(text).replace('\n', '|'));
    }
    const int columns = table->property("columnCount").toInt();
    return shown == columns ? QString() : QStringLiteral("%1 headers for %2 columns").arg(shown).arg(columns);
}

// The labels under a chart's plot, of a time axis from 0 to `end`, that stand
// more than two pixels off the line of their value.
static QStringList mislabelledTicks(QQuickItem *chartView, double end)
{
    const QRectF plot = chartView->property("plotArea").toRectF();
    QStringList faults;
    int labels = 0;
    for (QGraphicsItem *item : chartView->findChild<QGraphicsScene *>()->items()) {
        auto *label = qobject_cast<QGraphicsTextItem *>(item->toGraphicsObject());
        bool number = false;
        const double value = label ? label->toPlainText().toDouble(&number) : 0;
        const QPointF at = number ? label->sceneBoundingRect().center() : QPointF();
        if (!number || !label->isVisible() || at.y() <= plot.bottom() + 2)
            continue;
        ++labels;
        if (qAbs(plot.left() + value / end * plot.width() - at.x()) > 2)
            faults << QStringLiteral("\"%1\" at %2").arg(value).arg((at.x() - plot.left()) / plot.width() * end);
    }
    return labels > 2 ? faults : QStringList{"no labels"};
}

// Opens a file dialog: each text that Qt has in the language is shown so, and
// whole: each list as wide as its entries, each column as its title and entries.
void TestPageWalk::checkFileDialog(const char *button, const char *name, const QTranslator &qt)
{
    QVERIFY(ui->click(button));
    QFileDialog *dialog = nullptr;
    QTRY_VERIFY((dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())));
    const auto close = qScopeGuard([this, dialog] { // whatever is found; typing goes to the window again
        dialog->reject();
        ui->view().requestActivate();
        (void)QTest::qWaitForWindowActive(&ui->view());
    });
    auto *files = dialog->findChild<QTreeView *>("treeView");
    QTRY_VERIFY(files->model()->rowCount(files->rootIndex()) > 0);
    if (!m_dir.isEmpty())
        QVERIFY(dialog->grab().save(QStringLiteral("%1/%2-%3.png").arg(m_dir, QTest::currentDataTag(), name)));
    QStringList texts{dialog->windowTitle()};
    for (const QWidget *widget : dialog->findChildren<QWidget *>())
        texts << widget->property("text").toString(); // labels and buttons
    for (const QAbstractItemView *view : dialog->findChildren<QAbstractItemView *>()) {
        for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
            texts << view->model()->index(row, 0, view->rootIndex()).data().toString();
        QVERIFY2(!view->isVisible() || view->sizeHintForColumn(0) <= view->viewport()->width(),
                 qPrintable(view->objectName()));
    }
    const QHeaderView *header = files->header();
    for (int column = 0; column < header->count(); ++column) {
        texts << header->model()->headerData(column, Qt::Horizontal).toString();
        const int entries = static_cast<QAbstractItemView *>(files)->sizeHintForColumn(column);
        QVERIFY2(header->sectionSize(column) >= qMax(header->sectionSizeHint(column), entries),
                 qPrintable(texts.last()));
    }
    QVERIFY(header->length() <= files->viewport()->width());
    for (const QString &text : qAsConst(texts)) {
        for (const char *context : {"QFileDialog", "QFileSystemModel", "QPlatformTheme"}) {
            const QString translated = qt.translate(context, text.toUtf8());
            QVERIFY2(translated.isEmpty() || translated == text, qPrintable(text + " is not shown as " + translated));
        }
    }
}

void TestPageWalk::walk()
{
    QFETCH(int, language);
    const QLocale locale(QStringList{"en_GB", "zh_CN", "fr_FR", "ru_RU"}.at(language));
    Translator::instance()->setLanguage(language);
    QCOMPARE(ui->view().minimumSize(), QSize(972, 660));
    QTranslator qt; // Qt's own texts in this language, as the system has them
    QVERIFY(qt.load(locale, "qtbase", "_", QLibraryInfo::location(QLibraryInfo::TranslationsPath))
            || language == Translator::EN_GB);

    QVERIFY(show("footerScheduleTask", "scheduletask"));
    QVERIFY(openPopup("btnAddTask", "popupAddScheduleTask", "scheduletask-editor"));
    // Texts built from translated pieces follow the language too.
    const QVariantList cycles = ui->item("comboTaskCycle")->property("model").toList();
    QCOMPARE(cycles.value(3).toString(), QCoreApplication::translate("PopupAddScheduleTaskForm.ui", "Every Month"));
    QVERIFY(ui->type(ui->item("fieldHour"), "25"));
    QVERIFY(openPopup("btnTaskSure", "msgTaskTimeInvalid", "scheduletask-time-invalid"));
    QVERIFY(ui->answer("msgTaskTimeInvalid", true));
    QVERIFY(ui->click("btnTaskCancel"));
    QTest::qWait(1200); // the schedule service re-reads the list once after a change
    QVERIFY(openPopup("btnDeleteTask0", "msgDeleteTask", "scheduletask-delete"));
    QVERIFY(ui->answer("msgDeleteTask", false));

    QVERIFY(show("footerControl", "control"));
    QVERIFY(openPopup("btnControlSure", "msgOrderIssued", "control-issued"));
    QVERIFY(ui->answer("msgOrderIssued", true));

    QVERIFY(ui->click("footerSettings"));
    QVERIFY(show("settingsPageItem0", "settings-common"));
    // Without a serial port this language's "None" is the only entry, and
    // choosing it opens nothing, whatever language chose it before.
    const QStringList none{QCoreApplication::translate("DevComm", "None")};
    QObject *message = ui->object("msgSettingsCommon");
    QVERIFY2(ui->choose(ui->item("comboCommType"), DevComm::COM) && ui->choose(ui->item("comboPort"), 0)
                 && !message->property("visible").toBool(),
             qPrintable(message->property("textMsg").toString()));
    QCOMPARE(DevComm::instance()->comPort(), none);
    QCOMPARE(ui->item("comboPort")->property("model").toStringList(), none);
    checkFileDialog("btnExport", "fileDialogSettings", qt);
    QVERIFY(openPopup("btnRestore", "msgRestoreQuestion", "settings-restore"));
    QVERIFY(ui->answer("msgRestoreQuestion", false));
    QVERIFY(ui->type(ui->item("fieldSaveCycle"), "601"));
    QTRY_VERIFY(ui->object("msgSettingsCommon")->property("opened").toBool());
    save("settings-range-warning");
    QVERIFY(ui->answer("msgSettingsCommon", true));
    QVERIFY(show("settingsPageItem1", "settings-email"));
    QVERIFY(openPopup("btnAddUser", "popupAddEMailUser", "settings-receiver"));
    QVERIFY(ui->type(ui->item("fieldReceiver"), "ops"));
    QVERIFY(openPopup("btnUserAccept", "msgReceiverInvalid", "settings-receiver-invalid"));
    QVERIFY(ui->answer("msgReceiverInvalid", true));
    QVERIFY(ui->click("btnCloseUserPopup"));
    QVERIFY(openPopup("btnAuthSettings", "popupSetEMailSender", "settings-sender"));
    QVERIFY(ui->click("btnCloseSenderPopup"));
    QVERIFY(show("settingsPageItem2", "settings-shutdown"));
    // One look: no selector, spin box, switch or radio button in the stock style.
    for (QQuickItem *page : {ui->item("settingsCommon"), ui->item("settingsEMail"), ui->item("settingsShutdown"),
                             ui->object("popupAddScheduleTask")->property("contentItem").value<QQuickItem *>()}) {
        for (QQuickItem *item : itemTree(page)) {
            for (const char *kind : {"QQuickComboBox", "QQuickSpinBox", "QQuickSwitch", "QQuickRadioButton"})
                QVERIFY2(!item->inherits(kind) || QByteArray(item->metaObject()->className()).startsWith("Settings"),
                         qPrintable(item->objectName()));
        }
    }

    QVERIFY(ui->click("footerHistory"));
    const char *tabs[] = {"history-data", "history-alarm", "history-closed", "history-selftest"};
    const char *tables[] = {"tableDevData", "tableAlarm", "treeClosedRecords", "tableSelfTest"};
    for (int tab = 0; tab < 4; ++tab) {
        QVERIFY(ui->click(QByteArray("logTab" + QByteArray::number(tab))));
        if (tab != 2)
            QVERIFY(ui->click("btnSearch"));
        save(tabs[tab]);
        QQuickItem *table = ui->item(tables[tab]);
        QTRY_VERIFY2(headerFault(table).isEmpty(), qPrintable(headerFault(table)));
    }
    QTRY_VERIFY2(mislabelledTicks(ui->item("chartSelfTest"), 10).isEmpty(), // the 10 s test of initTestCase
                 qPrintable(mislabelledTicks(ui->item("chartSelfTest"), 10).join(", ")));
    QVERIFY(openPopup("dateStart", "calendarPopup", "history-calendar"));
    QStringList shown; // this month and a day of the week as the locale names them
    for (QQuickItem *item : itemTree(ui->item("calendar")))
        shown << item->property("text").toString();
    const QDate today = QDate::currentDate();
    for (const QString &name : {locale.standaloneMonthName(today.month()) + today.toString(" yyyy"),
                                locale.dayName(today.dayOfWeek(), QLocale::ShortFormat)})
        QVERIFY2(shown.contains(name), qPrintable(name + " is not shown"));
    QVERIFY(ui->click("dateStart"));
    QVERIFY(ui->click("logTab0"));

    QVERIFY2(ui->warnings().isEmpty(), qPrintable(ui->warnings().join('\n')));
}

AMBREL_TEST_MAIN_WITH(QApplication, TestPageWalk)
#include "tst_pagewalk.moc"
