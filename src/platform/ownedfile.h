#ifndef OWNEDFILE_H
#define OWNEDFILE_H

#include <QByteArray>
#include <QString>

// Reads a small file that another program keeps, in a folder that its user
// may change at any time: the last part of the path is never followed as a
// link, and only a regular file of the given owner (a user id as
// ProcessInfo::userId() gives it), of at most maxSize bytes (less than
// 4 KiB), is read. Nothing put there blocks the caller or grows its memory.
class OwnedFile
{
public:
    enum Status {
        Absent,  // nothing there, or a folder on the way that may not be read
        Read,    // content holds the whole file
        Refused  // something else lies there; why says what
    };

    static Status read(const QString &path, const QString &owner, qint64 maxSize, QByteArray *content,
                       QString *why);
};

#endif // OWNEDFILE_H
