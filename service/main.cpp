// The service program: protects the computer while the desktop program
// does not run.
#include "platform/accounthome.h"
#include "platform/deviceaccess.h"
#include "service/ambrelservice.h"

#include <cstdio>
#include <cstring>

namespace {
bool isOption(const char *arg, const char *shortForm, const char *longForm)
{
    return std::strcmp(arg, shortForm) == 0 || std::strcmp(arg, longForm) == 0;
}
} // namespace

int main(int argc, char *argv[])
{
    // The service's files live in the data folder of its account.
    AccountHome::ensure();
    AmbrelService service(argc, argv);
    service.setServiceDescription(QStringLiteral("Ambrel"));
    const int result = service.exec();

    // With the service, the desktop user gets (or loses) the UPS's USB device.
    if (result == 0 && argc > 1 && isOption(argv[1], "-i", "-install") && !DeviceAccess::grant())
        fprintf(stderr, "The UPS's USB device could not be opened to the desktop user (%s)\n",
                qPrintable(DeviceAccess::ruleFolder()));
    if (result == 0 && argc > 1 && isOption(argv[1], "-u", "-uninstall"))
        DeviceAccess::revoke();
    return result;
}
