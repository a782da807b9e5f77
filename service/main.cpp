// The service program: protects the computer while the desktop program
// does not run.
#include "service/ambrelservice.h"

int main(int argc, char *argv[])
{
    AmbrelService service(argc, argv);
    service.setServiceDescription(QStringLiteral("Ambrel"));
    return service.exec();
}
