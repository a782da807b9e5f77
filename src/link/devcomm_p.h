#ifndef DEVCOMM_P_H
#define DEVCOMM_P_H

#include "devcomm.h"

#include <QJsonArray>
#include <QList>
#include <QStringList>

class Megatec;
class QTimer;
class SerialDeviceWatch;
class SerialLine;
class Settings;
struct hid_device_;

class DevCommPrivate
{
public:
    explicit DevCommPrivate(DevComm *owner);

    // Polls in a row that may go without an answer before the link counts as lost.
    static constexpr int kUnansweredLimit = 8;

    // Seams for tests: the serial-port lister of the scan (the system's
    // list when null) and the USB device list file (beside the program
    // when empty).
    static QStringList (*portLister)();
    static QString usbConfigFile;

    static QStringList availablePorts();
    // For tests that stand in for the UPS: the protocol object of a link.
    static Megatec *protocol(DevComm *link) { return link->d->megatec; }

    // What the journal has been told of the link. A cause that keeps the
    // UPS from being watched gets one line when it begins and one when it
    // ends, never one per poll: told with a line and, for its end, the line
    // that says so (written when the link gets further than that cause).
    enum class Told { Nothing, Closed, Opened, Silent, Answering };
    void tell(Told state, const QString &line = QString(), const QString &endLine = QString());
    // Link settings that cannot be used (empty: none), told the same way.
    void tellSettings(const QString &problems);
    // A stop or a change of link by the user: what was told is over.
    void forgetTold();

    // Opens the serial port, clearing what lies at its lock path unless it
    // is the lock of a process that holds the port, and takes the port for
    // itself.
    bool openPort();

    void linkLost();
    // Counts a poll of a configured link that has not answered since start,
    // a change of port or its last loss; the ninth takes the link-lost steps.
    void countSilentPoll();
    bool linkConfigured() const;
    void closePort();
    void checkPortError();
    void startSaveTimer();
    void configurePort();
    void pollSerial();
#ifndef AMBREL_SERVICE
    // Takes the list of serial ports again where it may have changed.
    void scanPorts();
#endif

    // USB side.
    static QString usbConfigPath();
    QString usbMissingLine() const;
    void loadUsbConfig();
    void openUsb();
    void pollingUSB();
    int getUsbString(int index, char *field, int maxBytes);
    void parseFeatureReport(const unsigned char *report, int length);
    void parseStatusReport(const unsigned char *report, int length);
    void deviceGone();
    // The ratings and identity texts are read from the device again.
    void rereadUsbRecord();
    bool sendReport(const QByteArray &report);
    // Report 3: the output off after `time` minutes, or the cancel.
    bool sendShutdownReport(bool shutdown, int time);
    // Writes a command to the open serial port and waits until it has left.
    bool writeNow(const QByteArray &command);
    // Asks the UPS for its status at once and waits a while for the answer.
    bool serialAnswersNow();
    bool usbAnswersNow();

    DevComm *q;
    Megatec *megatec = nullptr;
    QTimer *pollTimer = nullptr;
    QTimer *saveTimer = nullptr;
#ifndef AMBREL_SERVICE
    QTimer *scanTimer = nullptr;
#endif
    Settings *settings = nullptr;
    SerialLine *serialPort = nullptr;
    hid_device_ *hidDevice = nullptr;
    int commType = 0;
    int unanswered = 0;
    // Serial replies accepted so far: a count that may wrap, only its change
    // is looked at.
    quint32 repliesAccepted = 0;
    int silentPolls = 0;
    bool lossReported = false;
    Told told = Told::Nothing;
    QString toldLine;
    QString toldEndLine;
    QString toldSettings;
    unsigned int saveCycle = 0;
    int baud = 2400;
    quint16 vid = 0;
    quint16 pid = 0;
    bool versionReportSeen = false;
    bool ratingReportSeen = false;
    QList<int> stringIndexes;
#ifndef AMBREL_SERVICE
    QStringList comPorts;
    // Tells when a serial device comes or goes; null where the system does
    // not, and the list is then taken at every scan tick.
    SerialDeviceWatch *deviceWatch = nullptr;
    // A device came or went since the list was last taken.
    bool portsStale = true;
#endif
    QString usbVersion;
    // The device file of the USB UPS opened last.
    QString usbPath;
    QString portName;
    QList<int> reportQueue;
    QJsonArray usbIds;
};

#endif // DEVCOMM_P_H
