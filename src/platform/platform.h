#ifndef PLATFORM_H
#define PLATFORM_H

#include "processtable.h"

#include <QList>
#include <QString>

#include <functional>

class QObject;
class SerialDeviceWatch;

// What the protection services need from the operating system. Everything
// that knows which system the program runs on lives behind this interface;
// the rest of the program calls Platform::instance() and nothing else.
//
// The program uses the system's own implementation. A test (or a program that
// wants to keep the machine up) installs a replacement with setInstance().
class Platform
{
public:
    // One visible top-level window: its class name and its title.
    struct Window
    {
        QString className;
        QString title;
    };

    virtual ~Platform();

    // The installed replacement, else the implementation for this system.
    // Safe to call from any thread.
    static Platform *instance();

    // Installs a replacement (not owned); nullptr returns to the system's
    // implementation.
    static void setInstance(Platform *platform);

    // Asks the operating system to shut down at once. Returns at once;
    // answered runs later on the calling thread's event loop (or before
    // powerOff returns) with whether the system accepted the request. Every
    // refusal is logged with the system's reason.
    virtual void powerOff(const std::function<void(bool accepted)> &answered) = 0;

    // Whether the operating system is already going down. Asks the system
    // and waits for at most about two seconds; no answer counts as no.
    virtual bool isShuttingDown() = 0;

    // The visible top-level windows that have a class name and a non-empty
    // title, in the order in which the system lists them; empty when the
    // system has no window list to offer.
    virtual QList<Window> visibleWindows() = 0;

    // Runs the user's command file and returns when it has ended. Its
    // standard streams go nowhere. An empty or missing path returns at once.
    // With trustedOnly (and always with the system's highest rights) a file
    // that another user may change, or that lies where another user may
    // change it, is not run, and the log says so. Blocks the calling
    // thread: meant for a thread of its own.
    virtual void runCommandFile(const QString &path, bool trustedOnly) = 0;

    // Ends every command file that runCommandFile still waits for, together
    // with the processes it started: they are asked to end and killed when
    // they have not within two seconds. The waiting calls then return.
    virtual void endCommandFiles() = 0;

    // The processes that run this program file (a copy of it elsewhere, or
    // another program under its name, does not count). Returns at once; a
    // process that ends while it is being looked at counts as absent.
    virtual QList<ProcessTable::Process> processesRunning(const QString &executable) = 0;
    // Which of the processes (not a later one given its id) has the file
    // that path names open for reading and writing, the last holder looked
    // at first (ProcessTable::findHolder). Reads up to thousands of entries
    // of /proc: meant for a worker thread.
    virtual ProcessTable::Holder findHolder(const QList<ProcessTable::Process> &processes, const QString &path,
                                            const ProcessTable::Holder &last) = 0;

    // A watch that tells when a serial device comes or goes (owned by
    // parent), or nullptr where the system gives no such events: the list
    // of serial ports must then be taken periodically. For the main thread.
    virtual SerialDeviceWatch *watchSerialDevices(QObject *parent) = 0;
};

#endif // PLATFORM_H
