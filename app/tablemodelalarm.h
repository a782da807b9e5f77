#ifndef TABLEMODELALARM_H
#define TABLEMODELALARM_H

#include "email/historytablemodel.h"

// The alarm history (table "alarm"), each code shown as its text.
class TableModelAlarm : public HistoryTableModel
{
    Q_OBJECT

public:
    explicit TableModelAlarm(QObject *parent = nullptr);

    // Starts the export of the selected rows to the workbook at a file URL;
    // exportFinished tells the outcome. False when an export still runs.
    Q_INVOKABLE bool saveAs(QUrl url);

protected:
    QVariant displayValue(int column, const QVariant &value) const override;
};

#endif // TABLEMODELALARM_H
