// The process check of the service, on a made-up /proc tree with the entries
// a live system rarely shows on cue (the service's own test watches live
// processes).
#include "platform/processtable.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestProcessTable : public QObject
{
    Q_OBJECT

private slots:
    void madeUpEntries_data();
    void madeUpEntries();
};

void TestProcessTable::madeUpEntries_data()
{
    // One process entry: directory name, "comm" content (null: missing),
    // "exe" link target (empty: no link).
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QByteArray>("comm");
    QTest::addColumn<QString>("exe");
    QTest::addColumn<bool>("found");

    QTest::newRow("name") << "101" << QByteArray("ambrel\n") << "" << true;
    QTest::newRow("name in capitals") << "102" << QByteArray("AMBREL\n") << "" << true;
    QTest::newRow("executable's file name") << "103" << QByteArray("launcher\n") << "/opt/x/Ambrel" << true;
    QTest::newRow("deleted executable") << "104" << QByteArray("x\n") << "/usr/bin/ambrel (deleted)" << true;
    QTest::newRow("the service itself") << "105" << QByteArray("ambrelsvc\n") << "/usr/bin/ambrelsvc" << false;
    QTest::newRow("name as part of a path") << "106" << QByteArray("sh\n") << "/ambrel/bin/sh" << false;
    QTest::newRow("entry vanished") << "107" << QByteArray() << "" << false;
    QTest::newRow("not a process") << "self" << QByteArray("ambrel\n") << "" << false;
    QTest::newRow("empty name") << "108" << QByteArray("") << "" << false;
}

void TestProcessTable::madeUpEntries()
{
    QFETCH(QString, entry);
    QFETCH(QByteArray, comm);
    QFETCH(QString, exe);
    QFETCH(bool, found);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    // Neighbours that match nothing, before and after.
    for (const QString &other : {QStringLiteral("1"), QStringLiteral("99999")}) {
        QVERIFY(QDir(root.path()).mkpath(other));
        QFile file(root.filePath(other + "/comm"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("init\n");
    }
    QVERIFY(QDir(root.path()).mkpath(entry));
    if (!comm.isNull()) {
        QFile file(root.filePath(entry + "/comm"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(comm);
    }
    if (!exe.isEmpty())
        QVERIFY(QFile::link(exe, root.filePath(entry + "/exe")));

    QCOMPARE(ProcessTable::hasImage(QStringLiteral("ambrel"), root.path()), found);
    QCOMPARE(ProcessTable::hasImage(QStringLiteral("Ambrel"), root.path()), found);
    QVERIFY(!ProcessTable::hasImage(QString(), root.path()));
    QVERIFY(!ProcessTable::hasImage(QStringLiteral("ambrel"), root.filePath("missing")));
}

AMBREL_TEST_MAIN(TestProcessTable)
#include "tst_processtable.moc"
