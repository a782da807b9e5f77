#ifndef TRUSTEDPATH_H
#define TRUSTEDPATH_H

#include <QString>

// Whether a file may be run with an account's rights: the file, every
// folder on the way to it and every symbolic link met there belong to root
// or to that account, and no one else may change them. A folder
// that others may write passes only with its sticky bit set (as /tmp): no
// one else may then remove or rename what root or this account put there.
class TrustedPath
{
public:
    enum : uint { CurrentAccount = uint(-1) };

    // Empty when the file at the absolute path passes; else why not, naming
    // what fails and its owner. Looked at through descriptors, folder by
    // folder: since each of those may be changed by no one else, the path
    // names the file that passed until this process changes it.
    // The account is this process's unless given.
    static QString check(const QString &path, uint account = CurrentAccount);
};

#endif // TRUSTEDPATH_H
