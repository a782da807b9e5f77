#ifndef SERIALPORTLOCK_H
#define SERIALPORTLOCK_H

#include <QString>

#include <sys/types.h>

// The lock file of an open serial port ("LCK..<port>" in the system's lock
// folder, holding the owner's process id, as serial-port libraries keep it).
// The lock folder is writable by every user, so what lies at a lock path
// proves nothing by itself: only a lock file whose process really holds the
// device open for reading and writing owns the port.
class SerialPortLock
{
public:
    enum State {
        Free,    // nothing at the lock path
        Held,    // a lock file whose process holds the device open
        Cleared, // anything else was there and is removed
        Stuck    // such a thing could not be removed (see `error`)
    };

    struct Check
    {
        State state = Free;
        // The process named in a lock file (0 when it names none).
        qint64 pid = 0;
        QString lockFile;
        // What lay at the lock path when it was no lock file ("a FIFO", "a
        // folder", ...); empty for a lock file.
        QString found;
        // The user of the process (Held), or the owner of what lay at the
        // lock path (Cleared, Stuck): a user name, or the number of a user
        // that has none.
        QString owner;
        QString error;

        // The journal's line of a Cleared check.
        QString removedLine(const QString &portName) const;
        // Why the port is not opened: empty unless Held or Stuck.
        QString reason() const;
    };

    // The device of a port name: a name without a folder is one of /dev.
    static QString devicePath(const QString &portName);

    // The lock file of the port opened under this name (a name without a
    // folder is one of /dev), where serial-port libraries keep it.
    static QString lockFile(const QString &portName);

    // Looks at what lies at the port's lock path through one open that
    // neither follows a link nor waits (for a FIFO's writer, say), decides on
    // what that open found, reads no more than a lock file holds, and removes
    // it unless it is a lock file whose process holds the device open; a
    // folder goes with everything inside it, no link in it followed, a
    // bounded part at a time. What lies there is removed by its name only
    // while the name still leads to it. A process whose open files cannot be
    // looked into (another user's, to a program that is not root) is taken
    // to hold it.
    static Check clearFalseLock(const QString &portName);

    // A lock file made by this process.
    struct Lock
    {
        QString path;
        dev_t device = 0;
        ino_t inode = 0;
    };

    // Makes the port's lock file for this process where nothing lies at the
    // lock path (no link followed): its id, program name and host name on
    // lines of their own. False, with the reason, when something lies there
    // or the file cannot be written.
    static bool take(const QString &portName, Lock *lock, QString *error);
    // Removes the lock file, unless something else has taken its place.
    static void release(const Lock &lock);
};

#endif // SERIALPORTLOCK_H
