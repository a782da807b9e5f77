#ifndef HIDSTANDIN_H
#define HIDSTANDIN_H

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>

// Control side of the hidapi stand-in that the tests link in place of the
// real library. A test plugs in scripted UPS devices, lets the link under
// test talk to them through the ordinary hid_* functions and reads back
// what was asked and sent.
namespace HidStandIn {

struct Device
{
    unsigned short vendorId = 0;
    unsigned short productId = 0;
    // Feature reports by id, byte 0 being the id; the length is what a read returns.
    QMap<int, QByteArray> featureReports;
    // String descriptors by index; an index listed in failingStrings gives -1.
    QMap<int, QString> strings;
    QSet<int> failingStrings;
    // Every feature report read fails while set (the device stays enumerated).
    bool readFails = false;
};

// Forgets every device, handle and record.
void reset();

// Plugs a device in (replacing one with the same ids).
void plugIn(const Device &device);

// Takes the device out of the enumeration; reads on its open handles fail.
void unplug(unsigned short vendorId, unsigned short productId);

// The plugged-in device with these ids, or null; changes take effect at once.
Device *device(unsigned short vendorId, unsigned short productId);

// Every feature report sent, in order, exactly as passed to hid_send_feature_report.
QList<QByteArray> sentReports();
// The ids of every feature report read, in order.
QList<int> readReports();
// The indexes of every string descriptor read, in order.
QList<int> readStrings();
// Ids ("vid:pid") passed to hid_open, in order, and the handles still open.
QStringList openAttempts();
int openHandles();
int initCalls();
int exitCalls();

// Clears the records above, keeping devices and handles.
void clearRecords();

// A status report 1 (21 bytes) from plain values, for convenience.
QByteArray statusReport(quint16 inputVol10, quint16 inputFaultVol10, quint16 outputVol10,
                        quint16 battVol100, quint8 load, quint16 freq10, quint16 temp10,
                        quint16 capacity, quint16 remainTime, quint16 statusWord);

} // namespace HidStandIn

#endif // HIDSTANDIN_H
