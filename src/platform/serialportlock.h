#ifndef SERIALPORTLOCK_H
#define SERIALPORTLOCK_H

#include <QString>

// The lock file that the serial-port library keeps for an open port
// ("LCK..<port>" in the system's lock folder, holding the owner's process
// id), and the exclusive use of an open port. The lock folder is writable by
// every user, so a lock file proves nothing by itself: only a process that
// really holds the device open owns the port.
class SerialPortLock
{
public:
    enum State {
        Free,    // no lock file
        Held,    // the process named in the file holds the device open
        Cleared, // a lock of a process that does not hold the device was removed
        Stuck    // such a lock could not be removed (see `error`)
    };

    struct Check
    {
        State state = Free;
        // The process named in the lock file (0 when it names none).
        qint64 pid = 0;
        QString lockFile;
        QString error;
    };

    // The lock file of the port opened under this name (a name without a
    // folder is one of /dev), where the serial-port library keeps it.
    static QString lockFile(const QString &portName);

    // Looks at the port's lock file and removes it unless the process it
    // names holds the device open. A process whose open files cannot be
    // looked into (another user's, to a program that is not root) is taken
    // to hold it.
    static Check clearFalseLock(const QString &portName);

    // Makes the open port behind this descriptor exclusive: no one else but
    // root can open it until it is closed.
    static bool makeExclusive(int descriptor);
};

#endif // SERIALPORTLOCK_H
