#ifndef SERIALLINE_H
#define SERIALLINE_H

#include <QtGlobal>

// What the serial link needs of a serial line beyond its port class.
class SerialLine
{
public:
    // Waits until everything written to the open line (its handle) has
    // left it, for at most timeoutMs; false when it has not, or when the
    // handle is no line.
    static bool drain(qintptr handle, int timeoutMs);
};

#endif // SERIALLINE_H
