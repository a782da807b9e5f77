// The process check of the service, and the watch that spares it, on a
// made-up /proc tree with the entries a live system rarely shows on cue (the
// service's own test watches live processes).
#include "platform/processdatahome.h"
#include "platform/processtable.h"
#include "platform/programwatch.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <unistd.h>

class TestProcessTable : public QObject
{
    Q_OBJECT

private slots:
    void madeUpEntries_data();
    void madeUpEntries();
    void watchReadsTheTableOnlyWhenTold();
    void processHoldsAFile();
    void dataHomeAsTheProcessFindsIt();
};

void TestProcessTable::madeUpEntries_data()
{
    // One process entry: directory name, "comm" content (null: missing),
    // "exe" link target (empty: no link; "PROGRAM" stands for the watched
    // file, "COPY" for a copy of it in another folder).
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QByteArray>("comm");
    QTest::addColumn<QString>("exe");
    QTest::addColumn<bool>("found");

    QTest::newRow("the program") << "101" << QByteArray("ambrel\n") << "PROGRAM" << true;
    QTest::newRow("name in capitals") << "102" << QByteArray("AMBREL\n") << "PROGRAM" << true;
    QTest::newRow("a copy elsewhere") << "103" << QByteArray("ambrel\n") << "COPY" << false;
    QTest::newRow("another program") << "104" << QByteArray("ambrel\n") << "/bin/sleep" << false;
    QTest::newRow("link unreadable") << "105" << QByteArray("ambrel\n") << "" << false;
    QTest::newRow("program replaced") << "106" << QByteArray("ambrel\n") << "PROGRAM (deleted)" << true;
    QTest::newRow("copy removed") << "107" << QByteArray("ambrel\n") << "COPY (deleted)" << false;
    // Only a process of the program's name is looked at further.
    QTest::newRow("started under another name") << "108" << QByteArray("launcher\n") << "PROGRAM" << false;
    QTest::newRow("the service itself") << "109" << QByteArray("ambrelsvc\n") << "/usr/bin/ambrelsvc" << false;
    QTest::newRow("entry vanished") << "110" << QByteArray() << "PROGRAM" << false;
    QTest::newRow("not a process") << "self" << QByteArray("ambrel\n") << "PROGRAM" << false;
}

void TestProcessTable::madeUpEntries()
{
    QFETCH(QString, entry);
    QFETCH(QByteArray, comm);
    QFETCH(QString, exe);
    QFETCH(bool, found);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString proc = root.filePath("proc");
    // The watched program, a copy of it elsewhere, and one whose name is
    // longer than the kernel keeps of a name.
    QVERIFY(QDir(root.path()).mkpath("program") && QDir(root.path()).mkpath("other"));
    const QString program = root.filePath("program/ambrel");
    const QString copy = root.filePath("other/ambrel");
    const QString longName = root.filePath("program/ambrel-desktop-program");
    for (const QString &file : {program, copy, longName}) {
        QFile binary(file);
        QVERIFY(binary.open(QIODevice::WriteOnly));
        binary.write("binary");
    }
    auto write = [&](const QString &name, const QByteArray &content) {
        QFile file(proc + '/' + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    };
    // Neighbours that match nothing, before and after.
    for (const QString &other : {QStringLiteral("1"), QStringLiteral("99999")}) {
        QVERIFY(QDir(proc).mkpath(other));
        write(other + "/comm", "init\n");
    }
    QVERIFY(QDir(proc).mkpath(entry));
    if (!comm.isNull())
        write(entry + "/comm", comm);
    if (!exe.isEmpty()) {
        exe.replace("PROGRAM", program).replace("COPY", copy);
        QVERIFY(QFile::link(exe, proc + '/' + entry + "/exe"));
    }

    const auto runs = [](const QString &executable, const QString &root) {
        return !ProcessTable::processes(executable, root).isEmpty();
    };
    QCOMPARE(runs(program, proc), found);
    // Named through a path that is not the canonical one.
    QCOMPARE(runs(root.filePath("other/../program/ambrel"), proc), found);
    QVERIFY(!runs(QString(), proc));
    QVERIFY(!runs(program, root.filePath("missing")));

    // The kernel keeps the first 15 bytes of a name.
    QVERIFY(QDir(proc).mkpath("200"));
    write("200/comm", "ambrel-desktop-\n");
    QVERIFY(QFile::link(longName, proc + "/200/exe"));
    QVERIFY(runs(longName, proc));
}

void TestProcessTable::watchReadsTheTableOnlyWhenTold()
{
    QTemporaryDir root;
    const QString program = root.filePath("ambrel");
    const QString proc = root.filePath("proc");
    QVERIFY(QFile::copy("/bin/true", program) && QDir(proc).mkpath("300"));
    QFile comm(proc + "/300/comm");
    QVERIFY(comm.open(QIODevice::WriteOnly));
    comm.write("ambrel\n");
    comm.close();
    auto setRunning = [&](bool running) {
        QFile::remove(proc + "/300/exe");
        QVERIFY(QFile::link(running ? program : QStringLiteral("/bin/sleep"), proc + "/300/exe"));
    };
    setRunning(true);

    ProgramWatch watch(program, proc);
    const auto runs = [&watch] { return !watch.processes().isEmpty(); };
    QVERIFY(runs());
    // Nothing has happened to the program file: the table is not read again
    // but at every 30th look.
    setRunning(false);
    for (int look = 1; look < 30; ++look)
        QVERIFY2(runs(), qPrintable(QString::number(look)));
    QVERIFY(!runs());

    // The file is opened (as a start does): the next two looks read.
    setRunning(true);
    QFile file(program);
    QVERIFY(file.open(QIODevice::ReadOnly));
    file.close();
    QVERIFY(runs());
    setRunning(false);
    QVERIFY(!runs());
    setRunning(true);
    QVERIFY(!runs());
}

// On the live table: only a descriptor open for reading and writing holds a file (not O_PATH, nor its
// folder), and not for a process that got its id later. A look stops at its budget, yet finds the last
// holder's descriptor within two reads.
void TestProcessTable::processHoldsAFile()
{
    using Holding = ProcessTable::Holding;
    ProcessTable::Process self;
    for (const ProcessTable::Process &process : ProcessTable::processes(QCoreApplication::applicationFilePath()))
        self = process.pid == QCoreApplication::applicationPid() ? process : self;
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath("held"));
    QVERIFY(self.started > 0 && QFile(dir.filePath("held")).open(QIODevice::WriteOnly));
    const auto look = [&](const ProcessTable::Holder &last = {}, int budget = ProcessTable::kLookBudget) {
        return ProcessTable::findHolder({self}, QFile::decodeName(path), last, budget);
    };
    QList<int> opened;
    for (const int flags : {O_PATH, O_RDONLY, O_WRONLY, O_PATH | O_RDWR})
        opened << ::open(path.constData(), flags | O_CLOEXEC);
    QCOMPARE(look().holding, Holding::No);
    const int readWrite = ::open(path.constData(), O_RDWR | O_CLOEXEC);
    const ProcessTable::Holder found = look();
    QCOMPARE(found.holding, Holding::Yes);
    QCOMPARE(found.descriptor, readWrite);
    QCOMPARE(ProcessTable::findHolder({self}, dir.path(), {}).holding, Holding::No);
    QCOMPARE(ProcessTable::findHolder({{self.pid, self.started + 1}}, QFile::decodeName(path), {}).holding,
             Holding::No);
    QVERIFY(look({}, 2).holding == Holding::No && look({}, 2).cut);
    QCOMPARE(look(found, 2).holding, Holding::Yes);
    for (const int fd : opened << readWrite)
        ::close(fd);
}

// A name that stands twice in an environment is read as the program reads
// it: the first one counts.
void TestProcessTable::dataHomeAsTheProcessFindsIt()
{
    QTemporaryDir root;
    const auto find = [&root](const QByteArrayList &variables) {
        const QByteArray environment = variables.join('\0') + '\0';
        QFile file(root.filePath("7/environ"));
        QString folder, owner;
        const bool found = QDir(root.path()).mkpath("7") && file.open(QIODevice::WriteOnly)
            && file.write(environment) == environment.size() && file.flush()
            && ProcessDataHome::find(7, &folder, &owner, root.path());
        return found ? folder : QString();
    };
    QCOMPARE(find({"XDG_DATA_HOME=/first", "HOME=/h", "XDG_DATA_HOME=/second"}), "/first");
    QCOMPARE(find({"HOME=/one", "HOME=/two"}), "/one/.local/share");
    QCOMPARE(find({"XDG_DATA_HOME=", "HOME=/h", "XDG_DATA_HOME=/late"}), "/h/.local/share");
}

AMBREL_TEST_MAIN(TestProcessTable)
#include "tst_processtable.moc"
