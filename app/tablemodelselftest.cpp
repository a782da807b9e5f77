#include "tablemodelselftest.h"

#include "records/database.h"
#include "records/settings.h"

#include <QDateTime>
#include <QFile>
#include <QLocale>

namespace {
const int kDateTimeColumn = 1;
const int kDurationColumn = 2;
} // namespace

TableModelSelfTest::TableModelSelfTest(QObject *parent)
    : HistoryTableModel(Database::LogSelfTest, parent)
{
}

QVariantMap TableModelSelfTest::selfTestData()
{
    return selfTestMap;
}

void TableModelSelfTest::selectLog(int row)
{
    const QLocale english(QLocale::English);
    const QString stamp = QSqlTableModel::data(index(row, kDateTimeColumn), Qt::DisplayRole).toString();
    const QDateTime dateTime = english.toDateTime(stamp, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    QFile file(Settings::instance()->dataDir() + QStringLiteral("/data/self_test/")
               + english.toString(dateTime, QStringLiteral("yyyyMMddhhmmss")) + QStringLiteral(".txt"));
    // No record to read (no such row, or its file is missing): an empty
    // record, so nothing of an earlier test is shown for this one.
    QStringList time, load, battCap;
    if (file.open(QIODevice::ReadOnly)) {
        while (!file.atEnd()) {
            const QStringList parts = QString::fromUtf8(file.readLine()).split(QLatin1Char(','));
            if (parts.size() < 3)
                continue;
            time.append(parts.at(0));
            load.append(parts.at(1));
            battCap.append(parts.at(2));
        }
    }
    selfTestMap.insert(QStringLiteral("time"), time);
    selfTestMap.insert(QStringLiteral("load"), load);
    selfTestMap.insert(QStringLiteral("battCap"), battCap);
    emit readLogFinished();
}

QVariant TableModelSelfTest::displayValue(int column, const QVariant &value) const
{
    if (column != kDurationColumn)
        return value;
    const int s = value.toInt();
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg((s / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}
