#include "service/servicebase.h"

#include "platform/journallog.h"
#include "platform/servicecontrolchannel.h"
#include "platform/servicemanager.h"
#include "platform/stopsignalnotifier.h"
#include "platform/systemaccount.h"
#include "platform/trustedpath.h"
#include "service/handlerthread.h"
#include "service/serviceappeventfilter.h"
#include "service/servicebase_p.h"
#include "service/servicecontrollerhandler.h"
#include "service/servicecontrolstate.h"
#include "service/servicestarter.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QTimer>
#include <QtGlobal>

#include <cerrno>
#include <cstdio>

namespace {

ServiceBase *serviceInstance = nullptr;

// The longest service name; the service manager takes no more.
const int kMaxNameLength = 255;
// How long the start waits for the dispatcher thread.
const int kStartTimeoutMs = 20000;
// How long the end of a service run waits for the dispatcher thread.
const int kThreadEndTimeoutMs = 1000;

const char kUsage[] =
    "\n%s -[i|u|e|t|p|r|c|v|h]\n"
    "\t-i(nstall) [account] [password]\t: Install the service, optionally using given account and password\n"
    "\t-u(ninstall)\t: Uninstall the service.\n"
    "\t-e(xec)\t\t: Run as a regular application. Useful for debugging.\n"
    "\t-t(erminate)\t: Stop the service.\n"
    "\t-p(ause)\t: Pause the service.\n"
    "\t-r(esume)\t: Resume a paused service.\n"
    "\t-c(ommand) num\t: Send command code num to the service.\n"
    "\t-v(ersion)\t: Print version and status information.\n"
    "\t-h(elp)   \t: Show this help\n"
    "\tNo arguments\t: Start the service.\n";

QString checkedName(QString name)
{
    if (name.length() > kMaxNameLength) {
        qWarning("ServiceHost: 'name' is longer than 255 characters.");
        name.truncate(kMaxNameLength);
    }
    if (name.contains(QLatin1Char('\\'))) {
        qWarning("ServiceHost: 'name' contains backslashes '\\'.");
        // Every use of the name as a C string ends where the backslash stood.
        name.replace(QLatin1Char('\\'), QChar(0));
    }
    return name;
}

// The user that an account names: ".\\bob" and "HOST\\bob" name bob;
// LocalSystem and no account name the system account (empty).
QString userOf(QString account)
{
    if (!account.isEmpty() && !account.contains(QLatin1Char('\\')))
        account.prepend(QLatin1String(".\\"));
    if (account.endsWith(QLatin1String("\\LocalSystem")))
        return QString();
    return account.mid(account.lastIndexOf(QLatin1Char('\\')) + 1);
}

QByteArray local(const QString &text)
{
    return text.toLocal8Bit();
}

ServiceManager::UnitConfig unitConfig(const ServiceBasePrivate *d, const QString &account)
{
    ServiceManager::UnitConfig config;
    config.description = d->serviceDescription;
    config.executable = ServiceManager::executablePath();
    config.user = userOf(account);
    config.automatic = d->startupType == ServiceBase::AutoStartup;
    return config;
}

// Prints text with the service's name; 0.
int told(const ServiceBasePrivate *d, const char *text)
{
    printf(text, d->controller.serviceName().toLatin1().constData());
    return 0;
}

// Why a control did not reach the service; -1.
int tellNotReached(const ServiceBasePrivate *d)
{
    const char *why = !d->controller.isInstalled() ? "is not installed"
                      : !d->controller.isRunning() ? "is not running"
                                                   : "has not taken it";
    fprintf(stderr, "The service %s %s\n", d->controller.serviceName().toLatin1().constData(), why);
    return -1;
}

bool stopFromCommandLine(ServiceBasePrivate *d)
{
    if (!d->controller.stop()) {
        qErrnoWarning("The service could not be stopped.");
        return false;
    }
    told(d, "The service %s has been stopped.\n");
    return true;
}

// An upgrade in place takes effect at the next start.
void tellReplacedProgram(const ServiceBasePrivate *d)
{
    const QString name = d->controller.serviceName();
    if (!d->controller.isRunning() || !ServiceManager::runsReplacedProgram(name))
        return;
    const QByteArray program = local(ServiceManager::installedProgram(name));
    printf("The service runs an older copy of its program %s, which has been replaced: restart it for the new "
           "one to run (%s -t, then %s)\n",
           program.constData(), program.constData(), program.constData());
}

} // namespace

ServiceBasePrivate::ServiceBasePrivate(ServiceBase *q, const QString &name)
    : q_ptr(q)
    , controller(name)
{
}

void ServiceBasePrivate::setApplicationArguments(const QStringList &list)
{
    applicationArgData.clear();
    applicationArgv.clear();
    for (const QString &arg : list)
        applicationArgData.append(arg.toLocal8Bit());
    for (QByteArray &arg : applicationArgData)
        applicationArgv.append(arg.data());
    applicationArgc = applicationArgv.size();
    applicationArgv.append(nullptr);
}

ServiceBase::ServiceBase(int argc, char **argv, const QString &name)
{
    JournalLog::installIfJournal();
    serviceInstance = this;
    d_ptr = new ServiceBasePrivate(this, checkedName(name));
    for (int i = 0; i < argc; ++i)
        d_ptr->args.append(QString::fromLocal8Bit(argv[i]));
}

ServiceBase::~ServiceBase()
{
    delete d_ptr;
    serviceInstance = nullptr;
}

ServiceBase *ServiceBase::instance()
{
    return serviceInstance;
}

QString ServiceBase::serviceName() const
{
    return d_ptr->controller.serviceName();
}

QString ServiceBase::serviceDescription() const
{
    return d_ptr->serviceDescription;
}

void ServiceBase::setServiceDescription(const QString &description)
{
    d_ptr->serviceDescription = description;
}

ServiceBase::StartupType ServiceBase::startupType() const
{
    return d_ptr->startupType;
}

void ServiceBase::setStartupType(StartupType type)
{
    d_ptr->startupType = type;
}

ServiceBase::ServiceFlags ServiceBase::serviceFlags() const
{
    return d_ptr->serviceFlags;
}

void ServiceBase::setServiceFlags(ServiceFlags flags)
{
    d_ptr->serviceFlags = flags;
}

void ServiceBase::stop()
{
}

void ServiceBase::pause()
{
}

void ServiceBase::resume()
{
}

void ServiceBase::processCommand(int)
{
}

int ServiceBase::exec()
{
    ServiceBasePrivate *d = d_ptr;
    ServiceController &controller = d->controller;
    const QByteArray name = serviceName().toLatin1();
    const QString option = d->args.size() > 1 ? d->args.at(1) : QString();
    auto is = [&option](const char *shortForm, const char *longForm) {
        return option == QLatin1String(shortForm) || option == QLatin1String(longForm);
    };

    if (is("-i", "-install"))
        return installFromCommandLine();
    if (is("-u", "-uninstall")) {
        if (!controller.isInstalled()) {
            fprintf(stderr, "The service %s is not installed\n", name.constData());
            return 0;
        }
        // A service whose unit is gone would go on running.
        if (controller.isRunning() && !stopFromCommandLine(d))
            return -1;
        if (!controller.uninstall()) {
            fprintf(stderr, "The service %s could not be uninstalled\n", name.constData());
            return -1;
        }
        printf("The service %s has been uninstalled.\n", name.constData());
        return 0;
    }
    if (is("-v", "-version")) {
        const bool installed = controller.isInstalled();
        const bool running = controller.isRunning();
        // The program that the service manager runs, whichever program asks.
        const QString program = installed ? ServiceManager::installedProgram(serviceName()) : QString();
        printf("The service\n\t%s\n\t%s\n\n", name.constData(),
               local(program.isEmpty() ? d->args.value(0) : program).constData());
        printf("is %s", installed ? "installed" : "not installed");
        printf(" and %s\n\n", running ? "running" : "not running");
        tellReplacedProgram(d);
        return 0;
    }
    if (is("-e", "-exec")) {
        QStringList rest = d->args;
        rest.removeAt(1);
        const int result = runAsApplication(rest);
        if (result == -1)
            qErrnoWarning("The service could not be executed.");
        return result;
    }
    if (is("-t", "-terminate")) {
        if (!controller.isInstalled())
            return tellNotReached(d);
        if (!controller.isRunning())
            return told(d, "The service %s is not running.\n");
        return stopFromCommandLine(d) ? 0 : -1;
    }
    if (is("-p", "-pause"))
        return controller.pause() ? told(d, "The service %s has been paused.\n") : tellNotReached(d);
    if (is("-r", "-resume"))
        return controller.resume() ? told(d, "The service %s has been resumed.\n") : tellNotReached(d);
    if (is("-c", "-command")) {
        const int code = d->args.value(2).toInt();
        if (code < 0 || code > 127) {
            fprintf(stderr, "The command code %d is not one of 0 to 127: nothing is sent\n", code);
            return -1;
        }
        if (!controller.sendCommand(code))
            return tellNotReached(d);
        printf("The service %s has taken the command %d.\n", name.constData(), code);
        return 0;
    }
    if (is("-h", "-help")) {
        printf(kUsage, d->args.value(0).toLatin1().constData());
        return 0;
    }
    if (!startService()) {
        fprintf(stderr, "The service %s could not start\n", name.constData());
        return -4;
    }
    // The exit code of a service run is the process's, so that the service
    // manager sees it.
    return d->exitCode;
}

int ServiceBase::runAsApplication(QStringList args)
{
    ServiceBasePrivate *d = d_ptr;
    ServiceControlChannel::ignoreFileSizeSignal();
    // A stop signal ends the run in order, through stop(), as under the
    // service manager; before any thread exists, so that none takes it.
    ServiceControlChannel::blockStopSignals();
    d->setApplicationArguments(args);
    createApplication(d->applicationArgc, d->applicationArgv.data());
    if (!QCoreApplication::instance())
        return -1;

    // start() is the first thing the running event loop does.
    ServiceStarter starter(d);
    QTimer::singleShot(0, &starter, &ServiceStarter::slotStart);
    StopSignalNotifier stopSignals;
    QObject::connect(&stopSignals, &StopSignalNotifier::activated, &starter, &ServiceStarter::slotStop);
    const int result = executeApplication();
    delete QCoreApplication::instance();
    return result;
}

bool ServiceBase::install(const QString &account, const QString &password)
{
    // The service manager takes no password: the account is a local user.
    Q_UNUSED(password)
    if (!ServiceManager::isAvailable()) {
        errno = ENOTCONN;
        return false;
    }
    return ServiceManager::install(serviceName(), unitConfig(d_ptr, account));
}

int ServiceBase::installFromCommandLine()
{
    const QByteArray name = serviceName().toLatin1();
    const QString account = d_ptr->args.value(2);
    const ServiceManager::UnitConfig config = unitConfig(d_ptr, account);
    const QByteArray program = local(config.executable);
    // The service manager runs the program as root, or as the account:
    // whoever may replace it would run as they do.
    const QString changeable = TrustedPath::check(config.executable, 0);
    const QString refusal = config.user.isEmpty() ? QString() : SystemAccount::serviceRefusal(config.user);
    if (!changeable.isEmpty() || !refusal.isEmpty()) {
        if (!changeable.isEmpty())
            fprintf(stderr, "The service's program %s must be one that only root may change, but %s. Install "
                            "the programs where only root may write (such as /usr/local, with \"cmake --install\" "
                            "run as root) and install the service from there\n",
                    program.constData(), local(changeable).constData());
        else
            fprintf(stderr, "The service cannot run as %s: %s\n", local(config.user).constData(),
                    local(refusal).constData());
        fprintf(stderr, "The service %s could not be installed\n", name.constData());
        return -1;
    }
    if (!d_ptr->args.value(3).isEmpty())
        fprintf(stderr, "The password is not used: the service manager runs the service as the account without "
                        "one\n");

    const bool installed = d_ptr->controller.isInstalled();
    QStringList changes;
    if (installed) {
        // A unit of its own elsewhere is not overridden.
        if (!ServiceManager::installedProgram(serviceName()).isEmpty())
            changes = ServiceManager::changes(serviceName(), config);
        if (changes.isEmpty()) {
            fprintf(stderr, "The service %s is already installed\n", name.constData());
            tellReplacedProgram(d_ptr);
            return 0;
        }
    }
    if (!install(account, d_ptr->args.value(3))) {
        if (errno == ELOOP || errno == EEXIST)
            fprintf(stderr, "The unit file of the service %s is a link or no regular file (a masked service"
                            " links to /dev/null): unmask the service or remove the file first\n",
                    name.constData());
        else if (errno == EINVAL)
            fprintf(stderr, "A unit cannot hold a line break in the account or the description, nor a"
                            " backslash or a quote in the program's path %s\n",
                    program.constData());
        fprintf(stderr, "The service %s could not be installed\n", name.constData());
        return -1;
    }
    if (installed) {
        printf("The service %s has been changed:\n\t%s\n", name.constData(),
               local(changes.join(QStringLiteral("\n\t"))).constData());
        if (d_ptr->controller.isRunning())
            printf("It runs as before until it is restarted: %s -t, then %s\n", program.constData(),
                   program.constData());
    } else {
        printf("The service %s has been installed under: %s\n", name.constData(), program.constData());
    }
    const QStringList needs = config.user.isEmpty() ? QStringList() : SystemAccount::serviceNeeds(config.user);
    if (!needs.isEmpty())
        printf("It runs as %s, which needs:\n\t%s\n", local(config.user).constData(),
               local(needs.join(QStringLiteral("\n\t"))).constData());
    return 0;
}

bool ServiceBase::startService()
{
    ServiceBasePrivate *d = d_ptr;
    // Before any thread exists: from now on only the dispatcher thread
    // receives the stop signals.
    ServiceControlChannel::blockStopSignals();

    ServiceControlChannel::ignoreFileSizeSignal();

    auto *state = new ServiceControlState(d->serviceFlags);
    d->controlState = state;
    ServiceControlState::setInstance(state);
    // Started by the service manager, the service protects at once; only a
    // start from a console needs the manager's bus to ask for the service.
    if (!ServiceManager::startedByManager() && !ServiceManager::isAvailable())
        return false;

    auto *thread = new HandlerThread(d);
    thread->start();
    if (!state->startSemaphore.tryAcquire(1, kStartTimeoutMs))
        return false;
    if (!thread->success) {
        if (!thread->console)
            return false;
        return d->controller.start(d->args.mid(1));
    }

    d->setApplicationArguments(state->serviceArgs);
    createApplication(d->applicationArgc, d->applicationArgv.data());
    if (!QCoreApplication::instance())
        return false;
    QAbstractEventDispatcher::instance()->installNativeEventFilter(ServiceAppEventFilter::instance());
    state->handler = new ServiceControllerHandler(state);
    state->startSemaphore2.release();

    state->finish(executeApplication());
    d->exitCode = state->exitCode;

    thread->finish();
    thread->wait(kThreadEndTimeoutMs);
    delete state->handler;
    state->handler = nullptr;
    if (thread->isFinished())
        delete thread;
    delete QCoreApplication::instance();
    ServiceControlState::setInstance(nullptr);
    d->controlState = nullptr;
    delete state;
    return true;
}
