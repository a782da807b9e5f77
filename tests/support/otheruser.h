#ifndef OTHERUSER_H
#define OTHERUSER_H

// Header only: another user (uid and gid 65534) at a local socket, for the
// tests of the programs' peer checks. Only root can act as another user.

#include <QByteArray>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <unistd.h>

namespace OtherUser {

// Whether this test process may act as another user.
inline bool available()
{
    return geteuid() == 0 && !QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty();
}

// Connects to the socket at path as the other user, sends data and returns
// the Python text of what came back: "b''" when the connection was closed
// without an answer. The folders on the way must let the other user pass.
inline QByteArray exchange(const QString &path, const QByteArray &data)
{
    QProcess other;
    other.start(QStandardPaths::findExecutable(QStringLiteral("setpriv")),
                {"--reuid=65534", "--regid=65534", "--clear-groups", AMBREL_PYTHON, "-c",
                 "import socket, sys\n"
                 "s = socket.socket(socket.AF_UNIX)\n"
                 "s.connect(sys.argv[1])\n"
                 "try:\n"
                 "    s.sendall(bytes.fromhex(sys.argv[2]))\n"
                 "    print(repr(s.recv(16)))\n"
                 "except OSError:\n"
                 "    print(repr(b''))\n",
                 path, QString::fromLatin1(data.toHex())});
    if (!other.waitForFinished(20000) || other.exitCode() != 0)
        return "failed: " + other.readAllStandardError();
    return other.readAllStandardOutput().trimmed();
}

} // namespace OtherUser

#endif // OTHERUSER_H
