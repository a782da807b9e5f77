#include "records/clock.h"
#include "records/database.h"
#include "email/listmodelemailuser.h"
#include "records/settings.h"
#include "testenvironment.h"
#include "teststore.h"

#include <QSqlQuery>

namespace {

int storedRows()
{
    QSqlQuery count(QStringLiteral("select count(*) from email_user"));
    return count.next() ? count.value(0).toInt() : -1;
}

const QString kAdded = QStringLiteral("2026-05-01 08:30:00");

} // namespace

class TestListModelEMailUser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void addUpdateDelete();
    void clearRemovesMoreRowsThanOneFetch();
    void rolesNameTheColumns();
};

void TestListModelEMailUser::initTestCase()
{
    TestStore::open();
}

void TestListModelEMailUser::init()
{
    QSqlQuery(QStringLiteral("delete from email_user"));
    Clock::setNow(QDateTime(QDate(2026, 5, 1), QTime(8, 30, 0)));
}

void TestListModelEMailUser::cleanupTestCase()
{
    Clock::setNow(QDateTime());
}

void TestListModelEMailUser::addUpdateDelete()
{
    ListModelEMailUser model;
    QVERIFY(!model.get(0).isValid());
    QVERIFY(!model.get(-1).isValid());
    model.clearUsers();
    model.delUser(0);
    model.updateUser(0, QStringLiteral("a@example.com"));
    QCOMPARE(storedRows(), 0);

    for (const char *user : {"a@example.com", "b@example.com", "a@example.com", "c@example.com"})
        model.addUser(QString::fromLatin1(user));
    QCOMPARE(model.rowCount(), 4); // duplicates are kept
    QVERIFY(!model.get(4).isValid());

    const QVariant id = model.data(model.index(1, 0), 256);
    Clock::advance(3600);
    model.updateUser(1, QStringLiteral("d@example.com"));
    QCOMPARE(model.data(model.index(1, 0), 257).toString(), kAdded);
    QCOMPARE(model.data(model.index(1, 0), 256), id);

    model.delUser(2);
    QStringList users;
    for (int row = 0; row < model.rowCount(); ++row)
        users.append(model.get(row).toString());
    QCOMPARE(users, (QStringList{"a@example.com", "d@example.com", "c@example.com"}));
    // A second model over the same table sees the rows at once.
    QCOMPARE(ListModelEMailUser().rowCount(), 3);
}

void TestListModelEMailUser::clearRemovesMoreRowsThanOneFetch()
{
    QSqlQuery insert;
    QSqlDatabase::database().transaction();
    for (int i = 0; i < 600; ++i)
        insert.exec(QStringLiteral("insert into email_user(user) values('u%1@example.com')").arg(i));
    QSqlDatabase::database().commit();

    ListModelEMailUser model;
    model.clearUsers();
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(storedRows(), 0);
}

void TestListModelEMailUser::rolesNameTheColumns()
{
    ListModelEMailUser model;
    const QHash<int, QByteArray> roles = model.roleNames();
    QCOMPARE(roles.size(), 3);
    QCOMPARE(roles.value(256), QByteArray("id"));
    QCOMPARE(roles.value(257), QByteArray("dateTime"));
    QCOMPARE(roles.value(258), QByteArray("user"));

    model.addUser(QStringLiteral("a@example.com"));
    // Column roles read their column whatever column the index names;
    // the display role keeps the base meaning.
    QCOMPARE(model.data(model.index(0, 0), 258).toString(), QStringLiteral("a@example.com"));
    QCOMPARE(model.data(model.index(0, 1), Qt::DisplayRole).toString(), kAdded);
    QVERIFY(!model.data(QModelIndex(), 258).isValid());

    QVERIFY(!model.setData(QModelIndex(), QStringLiteral("x"), 258));
    QVERIFY(model.setData(model.index(0, 0), QStringLiteral("z@example.com"), 258));
    QSqlQuery query(QStringLiteral("select user from email_user"));
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toString(), QStringLiteral("z@example.com"));
}

AMBREL_TEST_MAIN(TestListModelEMailUser)
#include "tst_listmodelemailuser.moc"
