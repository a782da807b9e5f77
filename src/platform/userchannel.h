#ifndef USERCHANNEL_H
#define USERCHANNEL_H

#include <QString>

// Local sockets that only the running user can reach: the folder that holds
// them and who is at the other end of a connection.
class UserChannel
{
public:
    // A folder for the sockets of the named program that belongs to this
    // user alone (0700), made when it is missing: in the session's runtime
    // folder when that is the user's own and private, else in the user's
    // cache folder. Empty, with the reason in error, when no such folder can
    // be had (the name is taken by another user's folder, a file or a link).
    static QString folder(const QString &name, QString *error = nullptr);

    // Makes path (whose parent exists) a folder of this user alone (0700),
    // or makes sure that it is one; false with errno set, EPERM for a link,
    // a file or another user's folder in its place.
    static bool makePrivateFolder(const QString &path);

    // The user id of the process at the other end of a connected local
    // socket; false when the system does not tell.
    static bool peerUser(qintptr socketDescriptor, uint *uid);

    // Whether the process at the other end of a connected local socket runs
    // as this user.
    static bool isPeerOfThisUser(qintptr socketDescriptor);
};

#endif // USERCHANNEL_H
