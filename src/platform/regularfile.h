#ifndef REGULARFILE_H
#define REGULARFILE_H

#include <QByteArray>
#include <QString>

// Reads a file that the user names, which may be anything: only a regular
// file is read, and only up to a size. A FIFO, a device or a socket is
// refused without waiting for it and without reading from it.
class RegularFile
{
public:
    enum Status {
        Read,       // content holds the whole file
        Unreadable, // missing, not permitted, or a read error
        NotRegular, // a folder, FIFO, device or socket
        TooLarge    // more than maxSize bytes
    };

    static Status read(const QString &path, qint64 maxSize, QByteArray *content);
};

#endif // REGULARFILE_H
