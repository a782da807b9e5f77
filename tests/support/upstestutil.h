#ifndef UPSTESTUTIL_H
#define UPSTESTUTIL_H

// Helpers of the UPS link tests; header only, so it compiles against the
// build (desktop or service) that each test links.

#include "alarm/alarm.h"
#include "records/database.h"
#include "link/devcomm.h"
#include "link/megatec.h"
#include "records/settings.h"
#include "testenvironment.h"
#include "teststore.h"

#include <QByteArray>
#include <QDir>
#include <QList>
#include <QSqlQuery>

namespace UpsTestUtil {

// Prepares the data directory (with "/data/self_test"), the settings and the
// database of a test program; returns the data directory.
inline QString prepareStore()
{
    const QString dir = TestStore::open();
    QDir().mkpath(dir + QStringLiteral("/data/self_test"));
    return dir;
}

// Hands `reply` to the parser once `command` (without CR) comes off the queue,
// within 20 commands; returns what the parser returned, else false.
inline bool feed(Megatec &megatec, const QByteArray &command, const QByteArray &reply)
{
    for (int i = 0; i < 20; ++i) {
        if (megatec.nextCommand() == command + '\r')
            return megatec.parseData(reply);
    }
    return false;
}

// The codes of the "alarm" table rows, oldest first.
inline QList<int> alarmRows()
{
    QList<int> codes;
    QSqlQuery query(QStringLiteral("select alarm from alarm order by id"));
    while (query.next())
        codes.append(query.value(0).toInt());
    return codes;
}

// The values of these keys of a devData map, as texts (floats to 7 digits).
inline QStringList values(const QVariantMap &data, const QStringList &keys)
{
    QStringList list;
    for (const QString &key : keys) {
        const QVariant v = data.value(key);
        list.append(v.userType() == QMetaType::Float ? QString::number(v.toFloat(), 'g', 7) : v.toString());
    }
    return list;
}

// Runs the link's poll tick directly.
inline void poll(DevComm *link, int times = 1)
{
    for (int i = 0; i < times; ++i)
        QMetaObject::invokeMethod(link, "onTimerPollingTimeout", Qt::DirectConnection);
}

// The first argument of every signal a spy caught, as int.
inline QList<int> firstArguments(const QList<QList<QVariant>> &caught)
{
    QList<int> values;
    for (const QList<QVariant> &arguments : caught)
        values.append(arguments.value(0).toInt());
    return values;
}

inline int rowCount(const QString &table)
{
    QSqlQuery query(QStringLiteral("select count(*) from %1").arg(table));
    return query.next() ? query.value(0).toInt() : -1;
}

#ifndef AMBREL_SERVICE
// Whether the alarm list shows an entry with the text of this code.
inline bool listed(int code)
{
    const QString text = Alarm::instance()->alarmText(code);
    const QVariantList entries = Alarm::instance()->allAlarm();
    for (const QVariant &entry : entries) {
        if (entry.toMap().value(QStringLiteral("alarm")).toString() == text)
            return true;
    }
    return false;
}

// Empties the alarm list and the "alarm" table.
inline void clearAlarms()
{
    Alarm::instance()->clearAlarm();
    QSqlQuery query(QStringLiteral("delete from alarm"));
}
#endif

} // namespace UpsTestUtil

#endif // UPSTESTUTIL_H
