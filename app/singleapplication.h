#ifndef SINGLEAPPLICATION_H
#define SINGLEAPPLICATION_H

#include <QApplication>
#include <QString>

class SingleApplicationPrivate;

// The application object of a program that runs once per user. The first
// instance listens on a local socket in a folder of the user's alone; a
// later start finds it there (isRunning) and hands it a message
// (sendMessage), which the first instance emits as messageReceived once it
// takes messages (receiveMessages). A socket left behind by an instance
// that crashed does not count: whoever fails to connect to it removes it
// and listens in its place. Only processes of the same user are heard, and
// each for a short time and a short message.
class SingleApplication : public QApplication
{
    Q_OBJECT

public:
    SingleApplication(int &argc, char **argv);
    ~SingleApplication() override;

    // Whether another instance of this user was found at start.
    bool isRunning() const;

    // Delivers a message to the running instance; true once that instance
    // has received it within timeout milliseconds.
    bool sendMessage(const QString &message, int timeout);

    // From the next pass of the event loop on, messages of later starts are
    // answered and emitted; until then they wait. Call once messageReceived
    // is connected.
    void receiveMessages();

    // The path of the current user's socket; empty when the user has no
    // private folder for it.
    QString serverName() const;

signals:
    void messageReceived(const QString &message);

private:
    friend class SingleApplicationPrivate;
    SingleApplicationPrivate *d;
};

#endif // SINGLEAPPLICATION_H
