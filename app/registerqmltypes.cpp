#include "registerqmltypes.h"

#include "alarm/alarm.h"
#include "app/filedialogs.h"
#include "app/fileurl.h"
#include "app/globaldatadef.h"
#include "app/pagesettingscommon.h"
#include "app/settingsrules.h"
#include "app/tablemodelalarm.h"
#include "app/tablemodelselftest.h"
#include "app/translator.h"
#include "app/treemodelshutdown.h"
#include "email/serviceemail.h"
#include "email/tablemodeldevdata.h"
#include "link/devcomm.h"
#include "protection/scheduletaskdata.h"
#include "protection/serviceshutdown.h"
#include "records/database.h"
#include "records/settings.h"

#include <QQmlEngine>

namespace {

const char kUri[] = "Ambrel";

// The provider of a singleton that the program owns.
template<typename T>
QObject *programObject(QQmlEngine *, QJSEngine *)
{
    QObject *object = T::instance();
    QQmlEngine::setObjectOwnership(object, QQmlEngine::CppOwnership);
    return object;
}

// The provider of a singleton of its own for each engine.
template<typename T>
QObject *newObject(QQmlEngine *, QJSEngine *)
{
    return new T;
}

} // namespace

void registerQmlTypes()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;

    qmlRegisterType<GlobalDataDef>(kUri, 1, 0, "GlobalDataDef");
    qmlRegisterType<ScheduleTaskData>(kUri, 1, 0, "ScheduleTaskData");
    qmlRegisterType<TableModelDevData>(kUri, 1, 0, "TableModelDevData");
    qmlRegisterType<TableModelAlarm>(kUri, 1, 0, "TableModelAlarm");
    qmlRegisterType<TableModelSelfTest>(kUri, 1, 0, "TableModelSelfTest");
    qmlRegisterType<TreeModelShutdown>(kUri, 1, 0, "TreeModelShutdown");

    qmlRegisterSingletonType<Translator>(kUri, 1, 0, "Translator", programObject<Translator>);
    qmlRegisterSingletonType<Alarm>(kUri, 1, 0, "Alarm", programObject<Alarm>);
    qmlRegisterSingletonType<Settings>(kUri, 1, 0, "Settings", programObject<Settings>);
    qmlRegisterSingletonType<DevComm>(kUri, 1, 0, "DevComm", programObject<DevComm>);
    qmlRegisterSingletonType<ServiceEMail>(kUri, 1, 0, "ServiceEMail", programObject<ServiceEMail>);
    qmlRegisterSingletonType<ServiceShutdown>(kUri, 1, 0, "ServiceShutdown", programObject<ServiceShutdown>);
    qmlRegisterSingletonType<Database>(kUri, 1, 0, "Database", programObject<Database>);
    qmlRegisterSingletonType<SettingsRules>(kUri, 1, 0, "SettingsRules", programObject<SettingsRules>);
    qmlRegisterSingletonType<FileUrl>(kUri, 1, 0, "FileUrl", newObject<FileUrl>);
    qmlRegisterSingletonType<FileDialogs>(kUri, 1, 0, "FileDialogs", newObject<FileDialogs>);
    qmlRegisterSingletonType<PageSettingsCommon>(kUri, 1, 0, "PageSettingsCommon", newObject<PageSettingsCommon>);
}
