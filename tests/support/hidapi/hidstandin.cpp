#include "hidstandin.h"

#include <hidapi.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>

struct hid_device_
{
    unsigned short vendorId;
    unsigned short productId;
};

namespace {

struct State
{
    QList<HidStandIn::Device> devices;
    QList<hid_device *> handles;
    QList<QByteArray> sent;
    QList<int> reads;
    QList<int> strings;
    QStringList opens;
    int inits = 0;
    int exits = 0;
};

State &state()
{
    static State s;
    return s;
}

int indexOf(unsigned short vid, unsigned short pid)
{
    const auto &devices = state().devices;
    for (int i = 0; i < devices.size(); ++i) {
        if (devices.at(i).vendorId == vid && devices.at(i).productId == pid)
            return i;
    }
    return -1;
}

bool isOpen(hid_device *dev) { return dev && state().handles.contains(dev); }

HidStandIn::Device *deviceOf(hid_device *dev)
{
    return isOpen(dev) ? HidStandIn::device(dev->vendorId, dev->productId) : nullptr;
}

} // namespace

namespace HidStandIn {

void reset()
{
    qDeleteAll(state().handles);
    state() = State();
}

void plugIn(const Device &device)
{
    const int i = indexOf(device.vendorId, device.productId);
    if (i >= 0)
        state().devices[i] = device;
    else
        state().devices.append(device);
}

void unplug(unsigned short vendorId, unsigned short productId)
{
    const int i = indexOf(vendorId, productId);
    if (i >= 0)
        state().devices.removeAt(i);
}

Device *device(unsigned short vendorId, unsigned short productId)
{
    const int i = indexOf(vendorId, productId);
    return i >= 0 ? &state().devices[i] : nullptr;
}

QList<QByteArray> sentReports() { return state().sent; }
QList<int> readReports() { return state().reads; }
QList<int> readStrings() { return state().strings; }
QStringList openAttempts() { return state().opens; }
int openHandles() { return state().handles.size(); }
int initCalls() { return state().inits; }
int exitCalls() { return state().exits; }

void clearRecords()
{
    State &s = state();
    s.sent.clear();
    s.reads.clear();
    s.strings.clear();
    s.opens.clear();
}

QByteArray statusReport(quint16 inputVol10, quint16 inputFaultVol10, quint16 outputVol10,
                        quint16 battVol100, quint8 load, quint16 freq10, quint16 temp10,
                        quint16 capacity, quint16 remainTime, quint16 statusWord)
{
    QByteArray r(1, char(1));
    auto put = [&r](quint16 v) { r.append(char(v & 0xFF)).append(char(v >> 8)); };
    for (quint16 v : {inputVol10, inputFaultVol10, outputVol10, battVol100})
        put(v);
    r.append(char(load));
    for (quint16 v : {freq10, temp10, capacity, remainTime, statusWord})
        put(v);
    return r.append('\0');
}

} // namespace HidStandIn

extern "C" {

int HID_API_EXPORT HID_API_CALL hid_init(void)
{
    ++state().inits;
    return 0;
}

int HID_API_EXPORT HID_API_CALL hid_exit(void)
{
    ++state().exits;
    return 0;
}

struct hid_device_info HID_API_EXPORT *HID_API_CALL hid_enumerate(unsigned short vendor_id,
                                                                  unsigned short product_id)
{
    hid_device_info *head = nullptr;
    for (const HidStandIn::Device &d : state().devices) {
        if ((vendor_id && d.vendorId != vendor_id) || (product_id && d.productId != product_id))
            continue;
        auto *info = static_cast<hid_device_info *>(std::calloc(1, sizeof(hid_device_info)));
        info->vendor_id = d.vendorId;
        info->product_id = d.productId;
        info->next = head;
        head = info;
    }
    return head;
}

void HID_API_EXPORT HID_API_CALL hid_free_enumeration(struct hid_device_info *devs)
{
    while (devs) {
        hid_device_info *next = devs->next;
        std::free(devs);
        devs = next;
    }
}

HID_API_EXPORT hid_device *HID_API_CALL hid_open(unsigned short vendor_id, unsigned short product_id,
                                                 const wchar_t *)
{
    state().opens.append(QStringLiteral("%1:%2").arg(vendor_id).arg(product_id));
    if (indexOf(vendor_id, product_id) < 0)
        return nullptr;
    auto *dev = new hid_device{vendor_id, product_id};
    state().handles.append(dev);
    return dev;
}

void HID_API_EXPORT HID_API_CALL hid_close(hid_device *dev)
{
    if (state().handles.removeOne(dev))
        delete dev;
}

// The stand-in's devices have no device file.
struct hid_device_info HID_API_EXPORT *HID_API_CALL hid_get_device_info(hid_device *)
{
    return nullptr;
}

int HID_API_EXPORT HID_API_CALL hid_send_feature_report(hid_device *dev, const unsigned char *data,
                                                        size_t length)
{
    if (!isOpen(dev))
        return -1;
    state().sent.append(QByteArray(reinterpret_cast<const char *>(data), int(length)));
    return deviceOf(dev) ? int(length) : -1;
}

int HID_API_EXPORT HID_API_CALL hid_get_feature_report(hid_device *dev, unsigned char *data,
                                                       size_t length)
{
    if (!dev || !data || length == 0)
        return -1;
    state().reads.append(data[0]);
    HidStandIn::Device *d = deviceOf(dev);
    if (!d || d->readFails)
        return -1;
    const auto report = d->featureReports.constFind(data[0]);
    if (report == d->featureReports.constEnd())
        return -1;
    const size_t n = qMin(length, size_t(report->size()));
    std::memcpy(data, report->constData(), n);
    return int(n);
}

int HID_API_EXPORT_CALL hid_get_indexed_string(hid_device *dev, int string_index, wchar_t *string,
                                               size_t maxlen)
{
    state().strings.append(string_index);
    HidStandIn::Device *d = deviceOf(dev);
    if (!d || d->failingStrings.contains(string_index) || maxlen == 0)
        return -1;
    const std::wstring text = d->strings.value(string_index).toStdWString();
    const size_t n = qMin(maxlen - 1, text.size());
    std::wmemcpy(string, text.data(), n);
    string[n] = L'\0';
    return 0;
}

} // extern "C"
