#ifndef SYSTEMACCOUNT_H
#define SYSTEMACCOUNT_H

#include <QString>
#include <QStringList>

// The system's user accounts and groups, as the programs name them and as a
// service installed for an account needs it.
class SystemAccount
{
public:
    // The name of a user, or its number when it has none.
    static QString userName(uint uid);

    // Why the account cannot run the service: it does not exist, or it has
    // no home folder of its own for the service's settings and data. Empty
    // when it can.
    static QString serviceRefusal(const QString &account);
    // What the account needs besides to protect the machine, one line each:
    // the group of the serial ports (when it is not in it), the power-off
    // and a USB UPS's device; nothing for root.
    static QStringList serviceNeeds(const QString &account);
};

#endif // SYSTEMACCOUNT_H
