#ifndef SERVICEBACKEND_H
#define SERVICEBACKEND_H

#include <QObject>
#include <QString>

class ServiceBackendPrivate;

// Hands the UPS link to the desktop program while it runs and takes it back
// when it ends. Once a second it asks the system whether the desktop program
// runs: the file "ambrel" in the service program's own folder; the two
// programs exchange nothing else. The link stays handed over only while a
// process of that program is seen holding the UPS device open: one that
// does not within ten seconds of the hand-over, or lets go of it for as
// long, loses the link for good. The service keeps the link while its own
// shutdown is under way, and takes it back when its countdown needs a fresh
// reading of the UPS.
class ServiceBackend : public QObject
{
    Q_OBJECT

public:
    // The one backend; created on the first call and never destroyed.
    static ServiceBackend *instance();

    // Takes the link unless the desktop program runs, then starts watching.
    void start();
    // Releases the link and stops watching.
    void stop();

private slots:
    void onTimerTimeout();

private:
    ServiceBackend();
    ~ServiceBackend() override;

    ServiceBackendPrivate *d;
};

#endif // SERVICEBACKEND_H
