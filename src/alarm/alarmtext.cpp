#include "alarm.h"

#include <QCoreApplication>

// The texts of every alarm code. They are English source texts, translated
// at the time of the call in the context "Alarm".

namespace {

struct CodeText {
    int code;
    const char *text;
};

const char *const kCodeTexts[] = {
    QT_TRANSLATE_NOOP("Alarm", "Communication lost"), // CommLost
    QT_TRANSLATE_NOOP("Alarm", "Communication established"), // CommNormal
    QT_TRANSLATE_NOOP("Alarm", "Input voltage fault"), // MainsFault
    QT_TRANSLATE_NOOP("Alarm", "Input voltage returns to normal"), // MainsNormal
    QT_TRANSLATE_NOOP("Alarm", "Battery voltage low"), // BattVolLow
    QT_TRANSLATE_NOOP("Alarm", "Battery voltage returns to normal"), // BattVolNormal
    QT_TRANSLATE_NOOP("Alarm", "Bypass supply"), // BypassSupply
    QT_TRANSLATE_NOOP("Alarm", "Rectifier supply"), // RecSupply
    QT_TRANSLATE_NOOP("Alarm", "UPS fault"), // UPSFault
    QT_TRANSLATE_NOOP("Alarm", "UPS returns to normal"), // UPSNormal
    QT_TRANSLATE_NOOP("Alarm", "UPS backup"), // Online
    QT_TRANSLATE_NOOP("Alarm", "UPS online"), // Standby
    QT_TRANSLATE_NOOP("Alarm", "In self-test"), // SelfTest
    QT_TRANSLATE_NOOP("Alarm", "Self-test finished"), // SelfTestFinished
    QT_TRANSLATE_NOOP("Alarm", "In power off"), // InPowerOff
    QT_TRANSLATE_NOOP("Alarm", "UPS returns from power off"), // NotInPowerOff
    QT_TRANSLATE_NOOP("Alarm", "Buzzer open"), // BuzzerOn
    QT_TRANSLATE_NOOP("Alarm", "Buzzer silent"), // BuzzerOff
    QT_TRANSLATE_NOOP("Alarm", "Boost or buck activated"), // BoostOrBuck
    QT_TRANSLATE_NOOP("Alarm", "UPS returns from boost or buck"), // BoostOrBuckReturn
    QT_TRANSLATE_NOOP("Alarm", "On boost"), // OnBoost
    QT_TRANSLATE_NOOP("Alarm", "On Buck"), // OnBuck
};

const CodeText kFamily1Texts[] = {
    {0x00, QT_TRANSLATE_NOOP("Alarm", "Input phase sequence error")},
    {0x01, QT_TRANSLATE_NOOP("Alarm", "Input voltage high")},
    {0x02, QT_TRANSLATE_NOOP("Alarm", "Input voltage low")},
    {0x03, QT_TRANSLATE_NOOP("Alarm", "Input voltage abnormal")},
    {0x04, QT_TRANSLATE_NOOP("Alarm", "Input N missing")},
    {0x05, QT_TRANSLATE_NOOP("Alarm", "Input frequency abnormal")},
    {0x10, QT_TRANSLATE_NOOP("Alarm", "+DC bus over voltage")},
    {0x11, QT_TRANSLATE_NOOP("Alarm", "-DC bus over voltage")},
    {0x12, QT_TRANSLATE_NOOP("Alarm", "DC bus OV HW CKT")},
    {0x13, QT_TRANSLATE_NOOP("Alarm", "DC Bus over voltage")},
    {0x14, QT_TRANSLATE_NOOP("Alarm", "+DC bus low voltage(output on)")},
    {0x15, QT_TRANSLATE_NOOP("Alarm", "-DC bus low voltage(output on)")},
    {0x16, QT_TRANSLATE_NOOP("Alarm", "+DC bus voltage low(output off)")},
    {0x17, QT_TRANSLATE_NOOP("Alarm", "-DC bus voltage low(output off)")},
    {0x18, QT_TRANSLATE_NOOP("Alarm", "DC bus voltage low")},
    {0x19, QT_TRANSLATE_NOOP("Alarm", "DC bus delta")},
    {0x1A, QT_TRANSLATE_NOOP("Alarm", "DC bus delta(line)")},
    {0x1B, QT_TRANSLATE_NOOP("Alarm", "DC bus delta(on battery)")},
    {0x1C, QT_TRANSLATE_NOOP("Alarm", "+DC bus soft start fail(line)")},
    {0x1D, QT_TRANSLATE_NOOP("Alarm", "-DC Bus soft start fail(Line)")},
    {0x1E, QT_TRANSLATE_NOOP("Alarm", "+DC bus soft start fail(battery)")},
    {0x1F, QT_TRANSLATE_NOOP("Alarm", "-DC bus soft start fail(battery)")},
    {0x20, QT_TRANSLATE_NOOP("Alarm", "+DC bus discharge fail")},
    {0x21, QT_TRANSLATE_NOOP("Alarm", "-DC bus discharge fail")},
    {0x22, QT_TRANSLATE_NOOP("Alarm", "Rectifier fault")},
    {0x23, QT_TRANSLATE_NOOP("Alarm", "Rectifier over current")},
    {0x30, QT_TRANSLATE_NOOP("Alarm", "Inverter output low")},
    {0x31, QT_TRANSLATE_NOOP("Alarm", "Inverter output high")},
    {0x32, QT_TRANSLATE_NOOP("Alarm", "Inverter hardware CKT")},
    {0x33, QT_TRANSLATE_NOOP("Alarm", "Inverter fault")},
    {0x34, QT_TRANSLATE_NOOP("Alarm", "Output relay weld close")},
    {0x35, QT_TRANSLATE_NOOP("Alarm", "Output relay weld open")},
    {0x36, QT_TRANSLATE_NOOP("Alarm", "Inverter overload")},
    {0x37, QT_TRANSLATE_NOOP("Alarm", "Inverter overload time out")},
    {0x38, QT_TRANSLATE_NOOP("Alarm", "Inverter DC over voltage")},
    {0x39, QT_TRANSLATE_NOOP("Alarm", "Output meas mismatch")},
    {0x3A, QT_TRANSLATE_NOOP("Alarm", "Inverter soft start fail")},
    {0x3B, QT_TRANSLATE_NOOP("Alarm", "Soft start fail")},
    {0x40, QT_TRANSLATE_NOOP("Alarm", "Output short circuit")},
    {0x41, QT_TRANSLATE_NOOP("Alarm", "Output over voltage")},
    {0x42, QT_TRANSLATE_NOOP("Alarm", "Output severe over voltage")},
    {0x43, QT_TRANSLATE_NOOP("Alarm", "Output low voltage")},
    {0x44, QT_TRANSLATE_NOOP("Alarm", "Output overload")},
    {0x50, QT_TRANSLATE_NOOP("Alarm", "Battery reversed connection")},
    {0x51, QT_TRANSLATE_NOOP("Alarm", "+Battery over voltage")},
    {0x52, QT_TRANSLATE_NOOP("Alarm", "-Battery over voltage")},
    {0x53, QT_TRANSLATE_NOOP("Alarm", "+Battery disconnected")},
    {0x54, QT_TRANSLATE_NOOP("Alarm", "-Battery disconnected")},
    {0x55, QT_TRANSLATE_NOOP("Alarm", "+Battery low pre alarm")},
    {0x56, QT_TRANSLATE_NOOP("Alarm", "-Battery low pre alarm")},
    {0x57, QT_TRANSLATE_NOOP("Alarm", "+Battery low voltage")},
    {0x58, QT_TRANSLATE_NOOP("Alarm", "-Battery low voltage")},
    {0x59, QT_TRANSLATE_NOOP("Alarm", "RBC needs replacement")},
    {0x5A, QT_TRANSLATE_NOOP("Alarm", "+Charger error")},
    {0x5B, QT_TRANSLATE_NOOP("Alarm", "-Charger error")},
    {0x5C, QT_TRANSLATE_NOOP("Alarm", "+Charger over voltage")},
    {0x5D, QT_TRANSLATE_NOOP("Alarm", "-Charger over voltage")},
    {0x5E, QT_TRANSLATE_NOOP("Alarm", "+Charger low voltage")},
    {0x5F, QT_TRANSLATE_NOOP("Alarm", "-Charger low voltage")},
    {0x60, QT_TRANSLATE_NOOP("Alarm", "Charger meas mismatch")},
    {0x70, QT_TRANSLATE_NOOP("Alarm", "Bypass phase sequence error")},
    {0x71, QT_TRANSLATE_NOOP("Alarm", "Bypass over current")},
    {0x72, QT_TRANSLATE_NOOP("Alarm", "Bypass voltage abnormal")},
    {0x73, QT_TRANSLATE_NOOP("Alarm", "Bypass frequency abnormal")},
    {0x74, QT_TRANSLATE_NOOP("Alarm", "Bypass overload")},
    {0x75, QT_TRANSLATE_NOOP("Alarm", "Bypass overload time out")},
    {0x76, QT_TRANSLATE_NOOP("Alarm", "PDU activated")},
    {0x77, QT_TRANSLATE_NOOP("Alarm", "Bypass not available")},
    {0x78, QT_TRANSLATE_NOOP("Alarm", "Bypass unable to trace")},
    {0x80, QT_TRANSLATE_NOOP("Alarm", "Battery over temperature critical")},
    {0x81, QT_TRANSLATE_NOOP("Alarm", "Battery low temperature")},
    {0x82, QT_TRANSLATE_NOOP("Alarm", "Battery over temperature(>50℃ charging)")},
    {0x83, QT_TRANSLATE_NOOP("Alarm", "Battery temp sensor disconnected")},
    {0x84, QT_TRANSLATE_NOOP("Alarm", "Fan inoperative")},
    {0x85, QT_TRANSLATE_NOOP("Alarm", "Fan logic power supply fault")},
    {0x86, QT_TRANSLATE_NOOP("Alarm", "Fuse blown")},
    {0x87, QT_TRANSLATE_NOOP("Alarm", "Heat sink 1 over temperature")},
    {0x88, QT_TRANSLATE_NOOP("Alarm", "Heat sink 2 over temperature")},
    {0x89, QT_TRANSLATE_NOOP("Alarm", "Inverter over temperature")},
    {0x8A, QT_TRANSLATE_NOOP("Alarm", "Ambient over temperature")},
    {0x8B, QT_TRANSLATE_NOOP("Alarm", "Ambient low temperature")},
    {0x90, QT_TRANSLATE_NOOP("Alarm", "Bypass SCR/relay short circuit")},
    {0x91, QT_TRANSLATE_NOOP("Alarm", "Bypass SCR/relay open circuit")},
    {0x92, QT_TRANSLATE_NOOP("Alarm", "Bkfeed relay weld close")},
    {0x93, QT_TRANSLATE_NOOP("Alarm", "Bkfeed relay weld open")},
    {0x94, QT_TRANSLATE_NOOP("Alarm", "Logic power supply error")},
    {0x95, QT_TRANSLATE_NOOP("Alarm", "EEPROM fault")},
    {0x96, QT_TRANSLATE_NOOP("Alarm", "RAM error")},
    {0x97, QT_TRANSLATE_NOOP("Alarm", "Parallel communication error")},
    {0x98, QT_TRANSLATE_NOOP("Alarm", "Internal communication error")},
    {0x99, QT_TRANSLATE_NOOP("Alarm", "CPLD fault")},
    {0x9A, QT_TRANSLATE_NOOP("Alarm", "MCU reseted")},
    {0x9B, QT_TRANSLATE_NOOP("Alarm", "Bkfeed relay locked")},
    {0x9C, QT_TRANSLATE_NOOP("Alarm", "BMS communication error")},
    {0xA0, QT_TRANSLATE_NOOP("Alarm", "Parallel relay error")},
    {0xA1, QT_TRANSLATE_NOOP("Alarm", "Parallel connect error")},
    {0xA2, QT_TRANSLATE_NOOP("Alarm", "Parallel current sharing error")},
    {0xA3, QT_TRANSLATE_NOOP("Alarm", "Parallel overload")},
    {0xA4, QT_TRANSLATE_NOOP("Alarm", "Parallel communication error")},
    {0xB0, QT_TRANSLATE_NOOP("Alarm", "Button error")},
    {0xB8, QT_TRANSLATE_NOOP("Alarm", "EPO activated")},
    {0xB9, QT_TRANSLATE_NOOP("Alarm", "Firmware mismatch")},
    {0xBA, QT_TRANSLATE_NOOP("Alarm", "Firmware upgrading")},
    {0xC0, QT_TRANSLATE_NOOP("Alarm", "AVR is running too long")},
    {0xC1, QT_TRANSLATE_NOOP("Alarm", "AVR time is up")},
    {0xC2, QT_TRANSLATE_NOOP("Alarm", "Battery load time is too long")},
};

const CodeText kFamily2Texts[] = {
    {0x00, QT_TRANSLATE_NOOP("Alarm", "Rectifier over temperature")},
    {0x01, QT_TRANSLATE_NOOP("Alarm", "Rectifier parallel signal error")},
    {0x02, QT_TRANSLATE_NOOP("Alarm", "Rectifier over current")},
    {0x03, QT_TRANSLATE_NOOP("Alarm", "Rectifier logic power supply error")},
    {0x04, QT_TRANSLATE_NOOP("Alarm", "Input SCR inoperable")},
    {0x05, QT_TRANSLATE_NOOP("Alarm", "Discharge SCR error")},
    {0x06, QT_TRANSLATE_NOOP("Alarm", "Charge SCR error")},
    {0x07, QT_TRANSLATE_NOOP("Alarm", "Fan inoperable")},
    {0x08, QT_TRANSLATE_NOOP("Alarm", "Fan power supply error")},
    {0x09, QT_TRANSLATE_NOOP("Alarm", "Charger over temperature")},
    {0x0A, QT_TRANSLATE_NOOP("Alarm", "Rectifier DC bus soft start error")},
    {0x0B, QT_TRANSLATE_NOOP("Alarm", "Charger fault")},
    {0x0C, QT_TRANSLATE_NOOP("Alarm", "PFC communication fault")},
    {0x0D, QT_TRANSLATE_NOOP("Alarm", "Rectifier initializing fault")},
    {0x0E, QT_TRANSLATE_NOOP("Alarm", "Rectifier power block not connected")},
    {0x0F, QT_TRANSLATE_NOOP("Alarm", "Rectifier fault")},
    {0x10, QT_TRANSLATE_NOOP("Alarm", "Battery charging over voltage")},
    {0x11, QT_TRANSLATE_NOOP("Alarm", "Rectifier CPLD clock source fault")},
    {0x12, QT_TRANSLATE_NOOP("Alarm", "Charger over current")},
    {0x20, QT_TRANSLATE_NOOP("Alarm", "Inverter fault")},
    {0x21, QT_TRANSLATE_NOOP("Alarm", "Inverter IGBT short circuit")},
    {0x22, QT_TRANSLATE_NOOP("Alarm", "Inverter relay short circuit")},
    {0x23, QT_TRANSLATE_NOOP("Alarm", "Inverter relay broken")},
    {0x24, QT_TRANSLATE_NOOP("Alarm", "Inverter parallel signal fault")},
    {0x25, QT_TRANSLATE_NOOP("Alarm", "Output short circuit")},
    {0x26, QT_TRANSLATE_NOOP("Alarm", "Inverter communication fault")},
    {0x27, QT_TRANSLATE_NOOP("Alarm", "Inverter initializing fault")},
    {0x28, QT_TRANSLATE_NOOP("Alarm", "Inverter self-test error")},
    {0x29, QT_TRANSLATE_NOOP("Alarm", "Inverter DC offset over voltage")},
    {0x2A, QT_TRANSLATE_NOOP("Alarm", "Inverter DC bus abnormal")},
    {0x2B, QT_TRANSLATE_NOOP("Alarm", "Inverter PM not connected")},
    {0x2C, QT_TRANSLATE_NOOP("Alarm", "Inverter APS fault")},
    {0x2D, QT_TRANSLATE_NOOP("Alarm", "Inverter over temperature")},
    {0x2E, QT_TRANSLATE_NOOP("Alarm", "Inverter load sharing error")},
    {0x2F, QT_TRANSLATE_NOOP("Alarm", "Inverter parallel wire connection error")},
    {0x30, QT_TRANSLATE_NOOP("Alarm", "UPS mode incorrect")},
    {0x31, QT_TRANSLATE_NOOP("Alarm", "Inverter fuse blown")},
    {0x32, QT_TRANSLATE_NOOP("Alarm", "Inverter CPLD clock source fault")},
    {0x33, QT_TRANSLATE_NOOP("Alarm", "Bypass SCR short circuit")},
    {0x34, QT_TRANSLATE_NOOP("Alarm", "Bypass SCR broken")},
    {0x35, QT_TRANSLATE_NOOP("Alarm", "Backfeed on bypass")},
    {0x40, QT_TRANSLATE_NOOP("Alarm", "Input wire error")},
    {0x41, QT_TRANSLATE_NOOP("Alarm", "Input N missing detection")},
    {0x42, QT_TRANSLATE_NOOP("Alarm", "Battery over voltage")},
    {0x43, QT_TRANSLATE_NOOP("Alarm", "Battery EOD warning")},
    {0x44, QT_TRANSLATE_NOOP("Alarm", "Battery reversed")},
    {0x45, QT_TRANSLATE_NOOP("Alarm", "Battery EOD")},
    {0x46, QT_TRANSLATE_NOOP("Alarm", "Battery voltage low")},
    {0x47, QT_TRANSLATE_NOOP("Alarm", "No battery")},
    {0x48, QT_TRANSLATE_NOOP("Alarm", "Input Reversed")},
    {0x49, QT_TRANSLATE_NOOP("Alarm", "Input N missing")},
    {0x4A, QT_TRANSLATE_NOOP("Alarm", "Input frequency out of tol.")},
    {0x4B, QT_TRANSLATE_NOOP("Alarm", "Input voltage out of tol.")},
    {0x4C, QT_TRANSLATE_NOOP("Alarm", "PFC communication abnormal")},
    {0x4D, QT_TRANSLATE_NOOP("Alarm", "Input unavailable")},
    {0x4E, QT_TRANSLATE_NOOP("Alarm", "Rectifier setting incorrect")},
    {0x4F, QT_TRANSLATE_NOOP("Alarm", "Mains unable to trace in 1:1 mode")},
    {0x50, QT_TRANSLATE_NOOP("Alarm", "Mains relay short circuit")},
    {0x51, QT_TRANSLATE_NOOP("Alarm", "Mains relay broken")},
    {0x60, QT_TRANSLATE_NOOP("Alarm", "Inverter parallel signal abnormal")},
    {0x61, QT_TRANSLATE_NOOP("Alarm", "Inverter overload")},
    {0x62, QT_TRANSLATE_NOOP("Alarm", "Inverter out of sync.")},
    {0x63, QT_TRANSLATE_NOOP("Alarm", "Output abnormal")},
    {0x64, QT_TRANSLATE_NOOP("Alarm", "Bypass overload")},
    {0x65, QT_TRANSLATE_NOOP("Alarm", "Inverter communication abnormal")},
    {0x66, QT_TRANSLATE_NOOP("Alarm", "Inverter setting incorrect")},
    {0x67, QT_TRANSLATE_NOOP("Alarm", "Bypass input relay short circuit")},
    {0x68, QT_TRANSLATE_NOOP("Alarm", "Bypass input relay broken")},
    {0x69, QT_TRANSLATE_NOOP("Alarm", "Bypass unable to trace")},
    {0x6A, QT_TRANSLATE_NOOP("Alarm", "Bypass unavailable")},
    {0x6B, QT_TRANSLATE_NOOP("Alarm", "Bypass switch too frequent")},
    {0x6C, QT_TRANSLATE_NOOP("Alarm", "Bypass reversed")},
    {0x70, QT_TRANSLATE_NOOP("Alarm", "Battery self-test error")},
    {0x71, QT_TRANSLATE_NOOP("Alarm", "No battery temperature sensor")},
    {0x72, QT_TRANSLATE_NOOP("Alarm", "Battery over temperature")},
    {0x73, QT_TRANSLATE_NOOP("Alarm", "Monitor EEPROM error")},
    {0x74, QT_TRANSLATE_NOOP("Alarm", "Parallel CAN abnormal")},
    {0x75, QT_TRANSLATE_NOOP("Alarm", "Battery over temperature critical")},
    {0x76, QT_TRANSLATE_NOOP("Alarm", "Ambient temperature >40℃ or < -20℃")},
    {0x77, QT_TRANSLATE_NOOP("Alarm", "Battery temperature low")},
    {0x78, QT_TRANSLATE_NOOP("Alarm", "Need to check battery")},
};

const int kFamily1 = 0x10000;
const int kFamily2 = 0x20000;
const int kReturnOffset = 500;
const char kReturnPrefix[] = QT_TRANSLATE_NOOP("Alarm", "Returned from: ");

QString translated(const char *text)
{
    return QCoreApplication::translate("Alarm", text);
}

template <int N>
const char *findText(const CodeText (&table)[N], int offset)
{
    for (const CodeText &entry : table) {
        if (entry.code == offset)
            return entry.text;
    }
    return nullptr;
}

} // namespace

QString Alarm::alarmText(int code) const
{
    if (code < kFamily1) {
        if (code < 0 || code >= int(sizeof(kCodeTexts) / sizeof(kCodeTexts[0])))
            return QString();
        return translated(kCodeTexts[code]);
    }

    const int base = code >= kFamily2 ? kFamily2 : kFamily1;
    int offset = code - base;
    bool isReturn = false;
    if (offset >= kReturnOffset) {
        isReturn = true;
        offset -= kReturnOffset;
    }

    const char *text = base == kFamily2 ? findText(kFamily2Texts, offset)
                                        : findText(kFamily1Texts, offset);
    if (!text)
        return QString();
    return isReturn ? translated(kReturnPrefix) + translated(text) : translated(text);
}
