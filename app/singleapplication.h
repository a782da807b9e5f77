#ifndef SINGLEAPPLICATION_H
#define SINGLEAPPLICATION_H

#include <QApplication>
#include <QString>

class SingleApplicationPrivate;

// The application object of a program that runs once per user. The first
// instance listens on a local socket named after the user; a later start
// finds it there (isRunning) and hands it a message (sendMessage), which the
// first instance emits as messageReceived. A socket left behind by an
// instance that crashed does not count: whoever fails to connect to it
// removes it and listens in its place.
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

    // The local server name of the current user.
    static QString serverName();

signals:
    void messageReceived(const QString &message);

private:
    friend class SingleApplicationPrivate;
    SingleApplicationPrivate *d;
};

#endif // SINGLEAPPLICATION_H
