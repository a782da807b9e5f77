#ifndef SERIALLINE_H
#define SERIALLINE_H

#include <QObject>
#include <QString>

class SerialLinePrivate;

// A serial line to the UPS: 8 data bits, no parity, one stop bit, no flow
// control, at the baud rate set. While open it is the program's alone (no one
// else but root opens it) and has its lock file, which the line makes and
// removes itself (SerialPortLock): what lies at the lock path is looked at
// and cleared before open, and whatever is put there meanwhile makes the open
// fail instead of being followed or waited for.
class SerialLine : public QObject
{
    Q_OBJECT

public:
    explicit SerialLine(QObject *parent = nullptr);
    ~SerialLine() override;

    // A device path, or a name of /dev; used at the next open.
    void setPortName(const QString &name);
    QString portName() const;
    // Taken at once when the line is open, else at its open.
    bool setBaudRate(int baud);

    // Opens the line for reading and writing without making it the
    // program's terminal or waiting for a carrier; false with errorString().
    bool open();
    bool isOpen() const;
    // Gives the line back the settings it had, closes it and removes the
    // lock file.
    void close();

    // What has been received and not read yet.
    QByteArray readAll();
    // Drops what has been received and not read yet, the driver's too.
    void clearInput();
    // Waits for at most msecs until bytes arrive, and tells of them
    // (readyRead) before it returns; false when none came.
    bool waitForReadyRead(int msecs);
    // Writes data; what the line does not take at once goes out when it
    // can. -1 on a failure.
    qint64 write(const QByteArray &data);
    qint64 bytesToWrite() const;
    // Waits for at most msecs until everything written has been handed to
    // the driver; false when it has not.
    bool waitForBytesWritten(int msecs);
    // Waits until everything handed to the driver has left the line, for at
    // most timeoutMs; false when it has not.
    bool drain(int timeoutMs);

    // Why the last open or write failed, or why the line failed.
    QString errorString() const;

signals:
    void readyRead();
    // The open line failed (hung up, unplugged, a read or write error):
    // errorString() says why. Emitted from the event loop, once; the line
    // stays open until close().
    void failed();

private:
    SerialLinePrivate *d;
};

#endif // SERIALLINE_H
