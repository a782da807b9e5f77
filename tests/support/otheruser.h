#ifndef OTHERUSER_H
#define OTHERUSER_H

// Header only: another user (uid and gid 65534) at a local socket, for the
// tests of the peer checks. Only root can act as another user.

#include <QProcess>
#include <QStandardPaths>

#include <unistd.h>

namespace OtherUser {

inline QString setpriv() { return QStandardPaths::findExecutable(QStringLiteral("setpriv")); }

// Whether this test process may act as another user.
inline bool available() { return geteuid() == 0 && !setpriv().isEmpty(); }

// Sends data to the socket at path as the other user: the Python text of the
// answer, "b''" for none. The folders on the way must let that user pass.
inline QByteArray exchange(const QString &path, const QByteArray &data)
{
    QProcess other;
    other.start(setpriv(), {"--reuid=65534", "--regid=65534", "--clear-groups", AMBREL_PYTHON, "-c",
                            "import socket, sys\n"
                            "s = socket.socket(socket.AF_UNIX)\n"
                            "s.connect(sys.argv[1])\n"
                            "try:\n"
                            "    s.sendall(bytes.fromhex(sys.argv[2]))\n"
                            "    print(repr(s.recv(16)))\n"
                            "except OSError:\n"
                            "    print(repr(b''))\n",
                            path, QString::fromLatin1(data.toHex())});
    return other.waitForFinished(20000) ? other.readAll().trimmed() : QByteArray("no answer from the other user");
}

} // namespace OtherUser

#endif // OTHERUSER_H
