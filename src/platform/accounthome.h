#ifndef ACCOUNTHOME_H
#define ACCOUNTHOME_H

// The home folder of the account the process runs under. A service started
// by the service manager may get no HOME in its environment (systemd sets
// none for a service without User=); its data would then land under "/".
class AccountHome
{
public:
    // Sets HOME from the account database when it is unset or empty.
    static void ensure();
};

#endif // ACCOUNTHOME_H
