#ifndef LISTMODELEMAILUSER_H
#define LISTMODELEMAILUSER_H

#include <QSqlTableModel>

// The mail receivers: the rows of the table "email_user", one per address.
// Every edit is written to the table at once and followed by a new select().
class ListModelEMailUser : public QSqlTableModel
{
    Q_OBJECT

public:
    explicit ListModelEMailUser(QObject *parent = nullptr);

    Q_INVOKABLE void addUser(const QString &user);
    Q_INVOKABLE void updateUser(int row, const QString &user);
    Q_INVOKABLE void delUser(int row);
    Q_INVOKABLE QVariant get(int row);

    // Removes every receiver.
    void clearUsers();

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QHash<int, QByteArray> roleNames() const override;
    // Selected again once the store is free when another program holds it locked.
    bool select() override;
};

#endif // LISTMODELEMAILUSER_H
