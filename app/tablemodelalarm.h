#ifndef TABLEMODELALARM_H
#define TABLEMODELALARM_H

#include "email/historytablemodel.h"

// The alarm history (table "alarm"), each code shown as its text.
class TableModelAlarm : public HistoryTableModel
{
    Q_OBJECT

public:
    explicit TableModelAlarm(QObject *parent = nullptr);

    // Exports the selected rows to the workbook at a file URL.
    Q_INVOKABLE void saveAs(QUrl url);

protected:
    QVariant displayValue(int column, const QVariant &value) const override;
};

#endif // TABLEMODELALARM_H
