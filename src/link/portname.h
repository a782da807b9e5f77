#ifndef PORTNAME_H
#define PORTNAME_H

#include <QString>

// The names a serial port is chosen by. The port list offers "None", in the
// language of the user interface, for no port at all; a choice made or
// stored under another language must still name no port, and is never
// opened or stored as a port.
class PortName
{
public:
    // Whether the name chooses no port: empty, or beginning with "None" in
    // any language of the user interface.
    static bool isNone(const QString &name);
};

#endif // PORTNAME_H
