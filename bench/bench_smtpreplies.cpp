// Cost of splitting server replies into lines: about 10 MB of short reply
// lines handed to the SMTP client at once, and the same in 1 KB pieces.

#include "smtpclient.h"
#include "smtpclientprivate.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

namespace {

qint64 feed(const QByteArray &bytes, int pieceSize)
{
    SmtpClient client;
    SmtpClientPrivate *d = SmtpClientPrivate::get(&client);
    // An idle client reads every line and acts on none.
    d->state = SmtpClient::Waiting;
    QElapsedTimer timer;
    timer.start();
    for (int at = 0; at < bytes.size(); at += pieceSize)
        d->receive(bytes.mid(at, pieceSize));
    return timer.elapsed();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QByteArray lines;
    while (lines.size() < 10000000)
        lines += "250 ok\r\n";
    std::printf("%d bytes of reply lines at once: %lld ms\n", lines.size(),
                static_cast<long long>(feed(lines, lines.size())));
    std::printf("%d bytes of reply lines in 1 KB pieces: %lld ms\n", lines.size(),
                static_cast<long long>(feed(lines, 1024)));
    return 0;
}
