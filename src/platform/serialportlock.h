#ifndef SERIALPORTLOCK_H
#define SERIALPORTLOCK_H

#include <QString>

#include <functional>

// The lock file that the serial-port library keeps for an open port
// ("LCK..<port>" in the system's lock folder, holding the owner's process
// id), and the exclusive use of an open port. The lock folder is writable by
// every user, so what lies at a lock path proves nothing by itself: only a
// lock file whose process really holds the device open owns the port.
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

    // The lock file of the port opened under this name (a name without a
    // folder is one of /dev), where the serial-port library keeps it.
    static QString lockFile(const QString &portName);

    // Looks at what lies at the port's lock path without following a link,
    // opening anything but a regular file or reading more than a lock file
    // holds, and removes it unless it is a lock file whose process holds
    // the device open; a folder goes with everything inside it, no link in
    // it followed, a bounded part at a time. A process whose open files
    // cannot be looked into (another user's, to a program that is not root)
    // is taken to hold it.
    static Check clearFalseLock(const QString &portName);

    // Runs open, the serial-port library's open of the port, while a FIFO
    // put at the lock path after clearFalseLock cannot hold it up: a reader
    // of it gets a writer and with it an end of file. Only a program that
    // may write to the FIFO (root) can do that.
    static bool guardOpen(const QString &lockFile, const std::function<bool()> &open);

    // Makes the open port behind this descriptor exclusive: no one else but
    // root can open it until it is closed.
    static bool makeExclusive(int descriptor);
};

#endif // SERIALPORTLOCK_H
