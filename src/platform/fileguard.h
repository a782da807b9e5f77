#ifndef FILEGUARD_H
#define FILEGUARD_H

#include <QString>

// What the programs make sure of before they write a file of their own.
class FileGuard
{
public:
    // Takes every right of the group and of others away from the file (a
    // link is followed); an absent file is created empty that way, so that
    // what is written into it later is never readable by others. For files
    // such as the settings, which hold the mail password: its enciphered
    // form is no secret, since the key is in the program. False when that
    // fails (no such folder, not the owner).
    static bool restrictToOwner(const QString &path);

    // Whether path names nothing or a regular file: a file that is put in
    // place whole (a unit, a rule) is never written through a link, least
    // of all onto the /dev/null that masks a unit. When not, errno is ELOOP
    // for a link and EEXIST for anything else.
    static bool isAbsentOrRegular(const QString &path);
};

#endif // FILEGUARD_H
