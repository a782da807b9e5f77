#ifndef HIDSTANDIN_H
#define HIDSTANDIN_H

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>

// Control side of the hidapi stand-in that tests link in place of the real
// library: scripted devices behind the hid_* functions, and records of what
// the link under test asked and sent.
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

void reset(); // forgets every device, handle and record
void plugIn(const Device &device); // replaces one with the same ids
// Takes the device out of the enumeration; reads on its open handles fail.
void unplug(unsigned short vendorId, unsigned short productId);
// The plugged-in device with these ids, or null; changes take effect at once.
Device *device(unsigned short vendorId, unsigned short productId);

// Records, in order: feature reports sent (as passed), ids of reports read,
// string indexes read, "vid:pid" passed to hid_open.
QList<QByteArray> sentReports();
QList<int> readReports();
QList<int> readStrings();
QStringList openAttempts();
int openHandles();
int initCalls();
int exitCalls();

void clearRecords(); // keeps devices and handles

// A status report 1 (21 bytes) from plain values.
QByteArray statusReport(quint16 inputVol10, quint16 inputFaultVol10, quint16 outputVol10,
                        quint16 battVol100, quint8 load, quint16 freq10, quint16 temp10,
                        quint16 capacity, quint16 remainTime, quint16 statusWord);

} // namespace HidStandIn

#endif // HIDSTANDIN_H
