// A service for the tests of the service host. It writes one line per call
// of the host ("start", "stop", "pause", "resume", "command <code>") to its
// standard output. Its environment sets it up:
//   AMBREL_TEST_SERVICE_NAME     the service name (default "ambreltest")
//   AMBREL_TEST_SERVICE_FLAGS    the service flags, a number (default 0)
//   AMBREL_TEST_SERVICE_STARTUP  "auto" for the automatic startup type
//   AMBREL_TEST_SERVICE_EXIT     when set, start() ends the event loop with
//                                this exit code
//   AMBREL_TEST_UNIT_DIR         the folder of the unit files
//   AMBREL_TEST_RUNTIME_DIR      the folder of the runtime folders
#include "platform/servicecontrolchannel.h"
#include "platform/servicemanager.h"
#include "service/servicehost.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

namespace {

void report(const QByteArray &line)
{
    printf("%s\n", line.constData());
    fflush(stdout);
}

} // namespace

class TestService : public ServiceHost<QCoreApplication>
{
public:
    TestService(int argc, char **argv, const QString &name)
        : ServiceHost<QCoreApplication>(argc, argv, name)
    {
    }

protected:
    void start() override
    {
        report("start");
        bool ok = false;
        const int code = qEnvironmentVariableIntValue("AMBREL_TEST_SERVICE_EXIT", &ok);
        if (ok)
            QTimer::singleShot(0, application(), [code] { QCoreApplication::exit(code); });
    }
    void stop() override { report("stop"); }
    void pause() override { report("pause"); }
    void resume() override { report("resume"); }
    void processCommand(int code) override { report("command " + QByteArray::number(code)); }
};

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet("AMBREL_TEST_UNIT_DIR"))
        ServiceManager::setUnitFolder(qEnvironmentVariable("AMBREL_TEST_UNIT_DIR"));
    if (qEnvironmentVariableIsSet("AMBREL_TEST_RUNTIME_DIR"))
        ServiceControlChannel::setRuntimeBase(qEnvironmentVariable("AMBREL_TEST_RUNTIME_DIR"));
    const QString name = qEnvironmentVariableIsSet("AMBREL_TEST_SERVICE_NAME")
                             ? qEnvironmentVariable("AMBREL_TEST_SERVICE_NAME")
                             : QStringLiteral("ambreltest");
    TestService service(argc, argv, name);
    service.setServiceDescription(QStringLiteral("Ambrel test service"));
    service.setServiceFlags(ServiceBase::ServiceFlags(qEnvironmentVariableIntValue("AMBREL_TEST_SERVICE_FLAGS")));
    if (qEnvironmentVariable("AMBREL_TEST_SERVICE_STARTUP") == QLatin1String("auto"))
        service.setStartupType(ServiceBase::AutoStartup);
    return service.exec();
}
