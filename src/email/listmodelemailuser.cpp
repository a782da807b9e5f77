#include "listmodelemailuser.h"

#include "records/clock.h"
#include "records/database.h"

#include <QLocale>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {
const char kTimeFormat[] = "yyyy-MM-dd hh:mm:ss";
const int kUserColumnRole = Qt::UserRole; // 256: first column role
} // namespace

ListModelEMailUser::ListModelEMailUser(QObject *parent)
    : QSqlTableModel(parent, QSqlDatabase())
{
    setTable(Database::tableName(Database::EMailUser));
    setEditStrategy(QSqlTableModel::OnFieldChange);
    select();
}

void ListModelEMailUser::addUser(const QString &user)
{
    QSqlRecord rec = record();
    rec.setGenerated(QStringLiteral("id"), false);
    rec.setValue(QStringLiteral("dateTime"), QLocale::c().toString(Clock::now(), QLatin1String(kTimeFormat)));
    rec.setValue(QStringLiteral("user"), user);
    insertRecord(-1, rec);
    select();
}

void ListModelEMailUser::updateUser(int row, const QString &user)
{
    // record() of a row outside the model still has the fields, only no values.
    if (row < 0 || row >= rowCount())
        return;
    QSqlRecord rec = record(row);
    rec.setValue(QStringLiteral("user"), user);
    setRecord(row, rec);
    select();
}

void ListModelEMailUser::delUser(int row)
{
    removeRows(row, 1);
    select();
}

QVariant ListModelEMailUser::get(int row)
{
    if (row < 0 || row >= rowCount())
        return QVariant();
    return record(row).value(QStringLiteral("user"));
}

void ListModelEMailUser::clearUsers()
{
    // The model may have fetched only part of a long table, so the rows go
    // by one statement rather than through the model's rows.
    QSqlQuery query(database());
    query.exec(QStringLiteral("delete from %1").arg(tableName()));
    select();
}

QVariant ListModelEMailUser::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    if (role >= kUserColumnRole)
        return QSqlTableModel::data(this->index(index.row(), role - kUserColumnRole), Qt::DisplayRole);
    return QSqlQueryModel::data(index, role);
}

bool ListModelEMailUser::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid())
        return false;
    if (role >= kUserColumnRole)
        return QSqlTableModel::setData(this->index(index.row(), role - kUserColumnRole), value, Qt::EditRole);
    return QSqlTableModel::setData(index, value, role);
}

QHash<int, QByteArray> ListModelEMailUser::roleNames() const
{
    return Database::columnRoles(record());
}

bool ListModelEMailUser::select()
{
    return Database::instance()->select(this);
}
