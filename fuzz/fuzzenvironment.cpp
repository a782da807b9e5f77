#include "fuzzenvironment.h"

#include "alarm/alarm.h"
#include "fakeplatform.h"
#include "teststore.h"

#include <QCoreApplication>
#include <QEvent>
#include <QDir>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace FuzzEnvironment {

namespace {

void quiet(QtMsgType, const QMessageLogContext &, const QString &) {}

} // namespace

void init(int *argc, char ***argv)
{
    static QTemporaryDir home;
    TestEnvironment::prepare(home.path());
    static QCoreApplication app(*argc, *argv);
    QCoreApplication::setApplicationName(QStringLiteral("Ambrel"));
    qInstallMessageHandler(quiet);
    static FakePlatform platform;
    const QString dir = TestStore::open();
    QDir().mkpath(dir + QStringLiteral("/data/self_test"));
    // Speed over durability: the store is thrown away with the run.
    QSqlQuery(QStringLiteral("pragma synchronous = off"));
    QSqlQuery(QStringLiteral("pragma journal_mode = memory"));
    setUp();
}

__attribute__((weak)) void setUp() {}

void tidy()
{
    // No event loop runs: what was handed to deleteLater goes here.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    static int inputs = 0;
    if (++inputs % 1000 != 0)
        return;
    Alarm::instance()->clearAlarm();
    QSqlQuery(QStringLiteral("delete from alarm"));
    QDir selfTests(Settings::instance()->dataDir() + QStringLiteral("/data/self_test"));
    selfTests.removeRecursively();
    selfTests.mkpath(selfTests.path());
}

QList<QByteArray> split(const uint8_t *data, size_t size, const QByteArray &separator)
{
    const QByteArray input(reinterpret_cast<const char *>(data), int(size));
    QList<QByteArray> parts;
    int from = 0;
    int at;
    while ((at = input.indexOf(separator, from)) >= 0) {
        parts.append(input.mid(from, at - from));
        from = at + separator.size();
    }
    parts.append(input.mid(from));
    return parts;
}

} // namespace FuzzEnvironment

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzEnvironment::init(argc, argv);
    return 0;
}
