#include "ambrelservice.h"

#include "email/serviceemail.h"
#include "protection/servicescheduletask.h"
#include "protection/serviceshutdown.h"
#include "records/database.h"
#include "records/settings.h"
#include "service/servicebackend.h"

#include <QDir>

AmbrelService::AmbrelService(int argc, char **argv)
    : ServiceHost<QCoreApplication>(argc, argv, QStringLiteral("Ambrel"))
{
}

void AmbrelService::start()
{
    if (!started) {
        started = true;
        // Its folders, made at its first start.
        for (const char *folder : {"/cfg", "/data", "/data/self_test"})
            QDir().mkpath(Settings::instance()->dataDir() + QLatin1String(folder));
        Settings::instance()->load();
        Database::instance()->createTables();
        ServiceScheduleTask::instance()->reload();
        ServiceShutdown::instance()->start();
        ServiceEMail::instance();
    }
    ServiceBackend::instance()->start();
}

void AmbrelService::stop()
{
    // The UPS may have to be told to cancel while its link is still open.
    ServiceShutdown::instance()->stop();
    ServiceBackend::instance()->stop();
}
