#ifndef SCRATCHSYSTEM_H
#define SCRATCHSYSTEM_H

#include <QString>
#include <QTemporaryDir>

// For tests of installing: inside the test's own namespaces
// (AMBREL_TEST_MAIN_IN_OWN_NAMESPACES, run as root), /etc is seen through an
// overlay whose changes land in a temporary folder, and /etc/systemd/system,
// /usr/local and /root are empty, as on a fresh machine. Nothing reaches
// the machine's own units, udev rules, programs or accounts.
class ScratchSystem
{
public:
    // False, saying why, outside namespaces of the test's own or not as root.
    bool setUp(QString *why);
    // A user account with a group of the same name.
    bool addAccount(const QString &name, uint id, const QString &home);
    // The folder is seen through an overlay too: what is written into it
    // lands in a temporary folder.
    bool overlay(const QString &folder);

private:
    QTemporaryDir dir;
    int overlays = 0;
};

#endif // SCRATCHSYSTEM_H
