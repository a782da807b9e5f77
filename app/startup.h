#ifndef STARTUP_H
#define STARTUP_H

class QQuickView;
class ServiceScheduleTask;

// Steps of the desktop program's start-up that the tests repeat.
namespace Startup {

// The data directories: log, log/output, log/history log, cfg, data,
// data/self_test.
void makeDataDirs();

// "cfg/font.ttf" beside the program becomes the application font; nothing
// when it cannot be read. Either way the application font is then 9 points.
void applyApplicationFont();

// Makes the view ready for "qrc:/qml/main.qml" exactly as the program does:
// the resources, the QML module, the context properties (appVersion,
// appName, appIcon, listModelScheduleTask, listModelEMailUser, window,
// appDir) and the resize mode.
void prepareView(QQuickView *view, ServiceScheduleTask *tasks);

} // namespace Startup

#endif // STARTUP_H
