// The desktop program: one instance per user, a frameless Qt Quick window
// (hidden at start with "-srv") and the monitoring and protection services.

#include "app/logmessagehandler.h"
#include "app/singleapplication.h"
#include "app/startup.h"
#include "app/translator.h"
#include "link/devcomm.h"
#include "platform/crashdump.h"
#include "platform/stopsignalnotifier.h"
#include "protection/servicescheduletask.h"
#include "protection/serviceshutdown.h"
#include "records/database.h"
#include "records/settings.h"

#include <QLocale>
#include <QMessageBox>
#include <QQmlEngine>
#include <QQuickView>

#include <cstdlib>

namespace {

// The protection has stopped: at the end of the event loop (Quit, a stop
// signal) or at exit.
bool protectionStopped = false;

// Qt ends the program with exit() from inside the event loop when the
// display goes away, without ending the loop: the protection stops here
// then, on the main thread. Exit handlers and the destructors of statics run
// in the reverse order of their registration: registered once the window
// is made (and with it the D-Bus connection manager that Qt's accessibility
// bridge asks for), this runs while the link to the UPS, the platform and
// the system bus that the stop needs are still there.
void stopProtectionAtExit()
{
    if (protectionStopped)
        return;
    protectionStopped = true;
    ServiceShutdown::instance()->stop();
    DevComm::instance()->stop();
}

} // namespace

int main(int argc, char *argv[])
{
    // Before any thread starts: a stop signal (the end of the session, a
    // kill, Ctrl+C) ends the event loop as Quit does.
    ServiceControlChannel::blockStopSignals(ServiceControlChannel::SessionStop);
    QCoreApplication::setApplicationName(QStringLiteral("Ambrel"));
    QCoreApplication::setApplicationVersion(QStringLiteral("v1.0.19"));
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QCoreApplication::setAttribute(Qt::AA_UseOpenGLES, true);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts, true);

    SingleApplication app(argc, argv);
    if (app.isRunning())
        return app.sendMessage(QString(), 5000) ? 0 : 1;

    Startup::makeDataDirs();
    Startup::applyApplicationFont();
    CrashDump::install();
    qInstallMessageHandler(logMessageHandler);
    QLocale::setDefault(QLocale::c());

    Settings::instance()->load();
    Database::instance()->createTables();
    ServiceScheduleTask scheduleTask;
    scheduleTask.reload();
    ServiceShutdown::instance()->start();

    QQuickView view;
    view.setFlags(Qt::Window | Qt::FramelessWindowHint);
    Startup::prepareView(&view, &scheduleTask);
    view.setSource(QUrl(QStringLiteral("qrc:/qml/main.qml")));
    if (!view.rootObject()) {
        QMessageBox::warning(nullptr, QStringLiteral("Warning"), QStringLiteral("Load configuration failed!"),
                             QMessageBox::Ok);
        return -1;
    }
    QObject::connect(&view, &QWindow::visibleChanged, [](bool visible) {
        qInfo(visible ? "Window shown" : "Window hidden");
    });
    QObject::connect(&app, &SingleApplication::messageReceived, &view, &QQuickView::show);
    app.receiveMessages();
    QObject::connect(view.engine(), &QQmlEngine::quit, &app, &QCoreApplication::quit);
    StopSignalNotifier stopSignals(ServiceControlChannel::SessionStop);
    QObject::connect(&stopSignals, &StopSignalNotifier::activated, &app, [] {
        qInfo("A stop signal ends the program.");
        QCoreApplication::quit();
    });

    Translator::instance()->setEngine(view.engine());
    Translator::instance()->init();
    DevComm::instance()->start();

    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() >= 2 && arguments.at(1) == QLatin1String("-srv")) {
        view.hide();
    } else {
        view.raise();
        view.show();
    }
    qInfo("Started");
    std::atexit(stopProtectionAtExit);
    const int result = QApplication::exec();
    // The end of the loop has stopped the protection (aboutToQuit); the
    // port's lock file goes with the link.
    protectionStopped = true;
    DevComm::instance()->stop();
    return result;
}
