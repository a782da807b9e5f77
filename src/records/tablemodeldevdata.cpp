#include "tablemodeldevdata.h"

namespace {
enum Column {
    InputVol = 2,
    OutputVol = 3,
    InputFreq = 5,
    BattVol = 6,
    Temperature = 7
};
} // namespace

QVariant TableModelDevData::cellText(int column, const QVariant &value)
{
    switch (column) {
    case InputVol:
    case OutputVol:
    case InputFreq:
    case Temperature:
        return QString::number(value.toFloat(), 'f', 1);
    case BattVol:
        return QString::number(value.toFloat(), 'f', 2);
    default:
        return value;
    }
}
