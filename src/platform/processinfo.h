#ifndef PROCESSINFO_H
#define PROCESSINFO_H

#include <QString>

// Facts about the running process that only the operating system knows.
class ProcessInfo
{
public:
    // An identifier of the user the process runs as, the same for every
    // process of that user (the numeric user id on Linux).
    static QString userId();

    // The name of the user with the numeric id (the number when it has none).
    static QString userName(uint uid);
};

#endif // PROCESSINFO_H
