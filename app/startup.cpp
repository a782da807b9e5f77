#include "startup.h"

#include "app/registerqmltypes.h"
#include "email/listmodelemailuser.h"
#include "email/serviceemail.h"
#include "protection/listmodelscheduletask.h"
#include "protection/servicescheduletask.h"
#include "records/settings.h"

#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QQmlContext>
#include <QQuickView>

namespace {
const int kFontPointSize = 9;
} // namespace

static void initResources()
{
    Q_INIT_RESOURCE(ambrel);
}

namespace Startup {

void makeDataDirs()
{
    const QString dataDir = Settings::instance()->dataDir();
    for (const char *item : {"/log", "/log/output", "/log/history log", "/cfg", "/data", "/data/self_test"})
        QDir().mkpath(dataDir + QLatin1String(item));
}

void applyApplicationFont()
{
    const int id = QFontDatabase::addApplicationFont(QCoreApplication::applicationDirPath()
                                                     + QStringLiteral("/cfg/font.ttf"));
    if (id >= 0) {
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (!families.isEmpty()) {
            QFont font(families.first());
            font.setPointSize(kFontPointSize);
            QGuiApplication::setFont(font);
        }
    }
    QFont font;
    font.setPointSize(kFontPointSize);
    QGuiApplication::setFont(font);
}

void prepareView(QQuickView *view, ServiceScheduleTask *tasks)
{
    initResources();
    registerQmlTypes();
    QQmlContext *context = view->rootContext();
    context->setContextProperty(QStringLiteral("appVersion"), QCoreApplication::applicationVersion());
    context->setContextProperty(QStringLiteral("appName"), QCoreApplication::applicationName());
    context->setContextProperty(QStringLiteral("appIcon"), QStringLiteral("Ambrel.ico"));
    context->setContextProperty(QStringLiteral("listModelScheduleTask"), tasks->model());
    context->setContextProperty(QStringLiteral("listModelEMailUser"), ServiceEMail::instance()->userModel());
    context->setContextProperty(QStringLiteral("window"), view);
    context->setContextProperty(QStringLiteral("appDir"), QCoreApplication::applicationDirPath());
    view->setResizeMode(QQuickView::SizeRootObjectToView);
}

} // namespace Startup
