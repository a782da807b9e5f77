#ifndef SERVICECONTROLCHANNEL_H
#define SERVICECONTROLCHANNEL_H

#include <QString>

class ServiceControlChannelPrivate;

// How controls reach a running service. The service manager's stop is a
// signal (SIGTERM, and SIGINT from a terminal); the controls it has no verb
// for (pause, continue, user codes) come through a Unix socket in the
// service's runtime folder: one decimal code and a line feed per connection,
// answered with "1\n" when the service accepted it and "0\n" when not.
//
// The folder is only the owner's (0700), the socket too (0600), and only a
// peer of the same user or root is heard. A peer that sends anything else,
// too much, or nothing within a second is closed without effect; peers are
// heard side by side, so an idle one holds up no other.
class ServiceControlChannel
{
public:
    // The control code of the stop signals.
    static const int StopControl = 1;
    // What nextControl() returns once interrupt() has been called.
    static const int Interrupted = -1;

    explicit ServiceControlChannel(const QString &serviceName);
    ~ServiceControlChannel();

    ServiceControlChannel(const ServiceControlChannel &) = delete;
    ServiceControlChannel &operator=(const ServiceControlChannel &) = delete;

    // The signals that ask a program to stop: a service's (SIGTERM, and
    // SIGINT from a terminal), or those of a program of the user's session,
    // which the end of the session or of its terminal (SIGHUP) and the
    // terminal's quit key (SIGQUIT) stop too.
    enum StopSignals { ServiceStop, SessionStop };

    // Blocks the stop signals for the calling thread and for every thread it
    // starts afterwards, so that only nextControl() (or a StopSignalNotifier)
    // receives them. Call before the process starts any thread.
    static void blockStopSignals(StopSignals which = ServiceStop);
    // A descriptor (non-blocking) from which the blocked stop signals are
    // read; -1 when the system gives none.
    static int openStopSignalReader(StopSignals which = ServiceStop);

    // A file that reaches the size limit then fails its write instead of
    // ending the process.
    static void ignoreFileSizeSignal();

    // The folder that holds the services' runtime folders: "/run", whatever
    // the account (systemd makes "/run/<name>" for the service's account;
    // the service takes the folder it is given in $RUNTIME_DIRECTORY).
    static QString runtimeBase();
    static void setRuntimeBase(const QString &folder);
    static QString socketPath(const QString &serviceName);

    // Makes the runtime folder and the socket and starts taking the stop
    // signals; false with the system's error text on failure.
    bool listen(QString *error);

    // Blocks until a control arrives and returns its code, or Interrupted.
    int nextControl();
    // Answers the connection of the last control (nothing for a signal).
    void answer(bool accepted);
    // Makes nextControl() return Interrupted from now on. Any thread.
    void interrupt();

    // Sends code to the running service; true when it was accepted.
    static bool send(const QString &serviceName, int code);

private:
    ServiceControlChannelPrivate *d;
};

#endif // SERVICECONTROLCHANNEL_H
