#ifndef COMMANDFILE_H
#define COMMANDFILE_H

#include <QString>

// The user's command file as a process of its own: run directly when it is
// executable, else as the script of /bin/sh, always as one argument and
// never through a shell command line. Each run leads a process group of its
// own, so that it can be ended with everything it started.
class CommandFile
{
public:
    // Runs the file and returns when it has ended (at once for an empty or
    // missing path, or a file that cannot be started). Its standard streams
    // go nowhere, it inherits no other open file of this process, and it
    // starts with no signal blocked. Blocks the calling thread. With
    // trustedOnly, and always as root, a file that another user may change
    // (see TrustedPath) is not run: the log says so.
    static void run(const QString &path, bool trustedOnly);

    // Ends every run still waited for: its process group is asked to end,
    // and killed when its leader has not ended within two seconds. Returns
    // once the runs are over (at most about three seconds). Any thread.
    static void endAll();
};

#endif // COMMANDFILE_H
