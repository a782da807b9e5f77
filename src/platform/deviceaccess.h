#ifndef DEVICEACCESS_H
#define DEVICEACCESS_H

#include <QString>

// Access of the logged-on user to the UPS's USB device, which the system
// otherwise leaves to root. On Linux a udev rule (70-ambrel-ups.rules in
// this folder of the sources) tags the UPS's hidraw devices for the user at
// the seat; it takes effect when the UPS is next plugged in.
class DeviceAccess
{
public:
    // The folder the rule is written into; by default the system's
    // ("/etc/udev/rules.d").
    static QString ruleFolder();
    static void setRuleFolder(const QString &folder);

    // Writes the rule (again); false when it cannot be written.
    static bool grant();
    // Removes the rule; true when it is gone.
    static bool revoke();
};

#endif // DEVICEACCESS_H
