#ifndef TABLEMODELSELFTEST_H
#define TABLEMODELSELFTEST_H

#include "email/historytablemodel.h"

#include <QVariantMap>

// The self-test log (table "log_self_test"), durations shown as hh:mm:ss,
// and the record file of one self-test for its chart.
class TableModelSelfTest : public HistoryTableModel
{
    Q_OBJECT

public:
    explicit TableModelSelfTest(QObject *parent = nullptr);

    // The record of the last selectLog: "time", "load" and "battCap", each a
    // list of texts; empty lists when that test's file was not found.
    Q_INVOKABLE QVariantMap selfTestData();
    // Reads the record file of the self-test in that row, then readLogFinished.
    Q_INVOKABLE void selectLog(int row);

signals:
    void readLogFinished();

protected:
    QVariant displayValue(int column, const QVariant &value) const override;

private:
    QVariantMap selfTestMap;
};

#endif // TABLEMODELSELFTEST_H
