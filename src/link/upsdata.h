#ifndef UPSDATA_H
#define UPSDATA_H

#include <QtGlobal>

// The live picture of the UPS, filled by the serial replies or the USB
// reports and all zero after a reset.
struct UPSData
{
    float inputVol;        // V
    float inputFaultVol;   // V (kept, not published)
    float outputVol;       // V
    quint16 load;          // percent
    float inputFreq;       // Hz
    float battVol;         // V
    float temperature;     // degrees Celsius
    float battCapacity;    // percent
    quint16 battRemainTime; // minutes
    float btSecondValue;   // second value of the BT reply (kept, not published)
    // Bit 0 mains fault, 1 battery low, 2 bypass (boost/buck on a standby UPS),
    // 3 UPS fault, 4 standby type, 5 self-test running, 6 shutdown active, 7 buzzer.
    quint8 status;
    char compName[16];
    char UPSModel[21];
    char version[11];
    char sn[24];
    float ratingOutputVol; // V
    quint16 ratingCurrent; // as the UPS reports it
    float ratingBattVol;   // V
    float ratingFreq;      // Hz
};

#endif // UPSDATA_H
