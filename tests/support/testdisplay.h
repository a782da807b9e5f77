#ifndef TESTDISPLAY_H
#define TESTDISPLAY_H

// Header only: an X server of a test's own (Xvfb), on a display number that
// other tests running at the same time are unlikely to pick. It does not
// reset when its last client leaves.

#include <QCoreApplication>
#include <QProcess>

class TestDisplay
{
public:
    ~TestDisplay() { stop(); }

    // The display's name (":N") once the server takes clients; empty when
    // none could be started.
    QString start()
    {
        static int next = 1000 + QCoreApplication::applicationPid() % 20000;
        for (int tries = 0; tries < 10; ++tries) {
            server.start(QStringLiteral("Xvfb"), {QStringLiteral(":%1").arg(next++), "-displayfd", "1", "-noreset",
                                                  "-nolisten", "tcp", "-screen", "0", "1280x800x24"});
            while (!server.canReadLine() && server.waitForReadyRead(10000)) {
            }
            if (server.canReadLine())
                return QLatin1Char(':') + QString::fromLatin1(server.readLine().trimmed());
            stop(); // display taken
        }
        return QString();
    }

    // Ends the server: its clients lose their display.
    void stop()
    {
        if (server.state() == QProcess::NotRunning)
            return;
        server.terminate();
        if (!server.waitForFinished(5000))
            server.kill();
        server.waitForFinished(5000);
    }

private:
    QProcess server;
};

#endif // TESTDISPLAY_H
