#ifndef LINUXPLATFORM_H
#define LINUXPLATFORM_H

#include "platform.h"

// The platform layer on Linux: logind (or systemd) for the shutdown, the
// X11 window list, the command file run directly or through /bin/sh (see
// CommandFile), /proc for the processes and udev or /dev for the serial
// devices.
class LinuxPlatform : public Platform
{
public:
    // Calls logind's PowerOff (not interactive) on the system bus and, when
    // logind refuses or is not there, systemd's.
    void powerOff(const std::function<void(bool accepted)> &answered) override;

    // logind prepares for the shutdown, or systemd's state is "stopping".
    bool isShuttingDown() override;

    // The windows of the X display named by DISPLAY (see X11WindowList);
    // empty when the display does not answer within three seconds.
    QList<Window> visibleWindows() override;

    // An executable file runs itself, any other file is the script of
    // /bin/sh. The path is handed over as one argument, never through a
    // shell command line. Root (or, with trustedOnly, any account) runs only
    // a file of its own or root's in folders no other user may change.
    void runCommandFile(const QString &path, bool trustedOnly) override;
    void endCommandFiles() override;

    // Looks through /proc when the program file has been started or ended
    // (see ProgramWatch).
    QList<ProcessTable::Process> processesRunning(const QString &executable) override;
    // Looks through /proc/<pid>/fd and /proc/<pid>/fdinfo.
    ProcessTable::Holder findHolder(const QList<ProcessTable::Process> &processes, const QString &path,
                                    const ProcessTable::Holder &last) override;

    // The udev daemon's announcements where it runs, else the nodes of /dev
    // where the kernel keeps that folder itself; none in a container whose
    // /dev is a plain copy.
    SerialDeviceWatch *watchSerialDevices(QObject *parent) override;
};

#endif // LINUXPLATFORM_H
