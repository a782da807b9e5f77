#include "service/servicebase.h"

#include "platform/servicecontrolchannel.h"
#include "platform/servicemanager.h"
#include "platform/stopsignalnotifier.h"
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

    if (is("-i", "-install")) {
        if (controller.isInstalled()) {
            fprintf(stderr, "The service %s is already installed\n", name.constData());
            return 0;
        }
        if (!install(d->args.value(2), d->args.value(3))) {
            if (errno == ELOOP || errno == EEXIST)
                fprintf(stderr, "The unit file of the service %s is a link or no regular file (a masked service"
                                " links to /dev/null): unmask the service or remove the file first\n",
                        name.constData());
            else if (errno == EINVAL)
                fprintf(stderr, "A unit cannot hold a line break in the account or the description, nor a"
                                " backslash or a quote in the program's path %s\n",
                        ServiceManager::executablePath().toLocal8Bit().constData());
            fprintf(stderr, "The service %s could not be installed\n", name.constData());
            return -1;
        }
        printf("The service %s has been installed under: %s\n", name.constData(),
               ServiceManager::executablePath().toLatin1().constData());
        return 0;
    }
    if (is("-u", "-uninstall")) {
        if (!controller.isInstalled()) {
            fprintf(stderr, "The service %s is not installed\n", name.constData());
            return 0;
        }
        if (!controller.uninstall()) {
            fprintf(stderr, "The service %s could not be uninstalled\n", name.constData());
            return -1;
        }
        printf("The service %s has been uninstalled.\n", name.constData());
        return 0;
    }
    if (is("-v", "-version")) {
        printf("The service\n\t%s\n\t%s\n\n", name.constData(), d->args.value(0).toLatin1().constData());
        printf("is %s", controller.isInstalled() ? "installed" : "not installed");
        printf(" and %s\n\n", controller.isRunning() ? "running" : "not running");
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
        if (!controller.stop())
            qErrnoWarning("The service could not be stopped.");
        return 0;
    }
    if (is("-p", "-pause")) {
        controller.pause();
        return 0;
    }
    if (is("-r", "-resume")) {
        controller.resume();
        return 0;
    }
    if (is("-c", "-command")) {
        controller.sendCommand(d->args.value(2).toInt());
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
    QString user = account;
    if (!user.isEmpty() && !user.contains(QLatin1Char('\\')))
        user.prepend(QLatin1String(".\\"));
    if (user.endsWith(QLatin1String("\\LocalSystem")))
        user.clear();

    ServiceManager::UnitConfig config;
    config.description = d_ptr->serviceDescription;
    config.executable = ServiceManager::executablePath();
    // The user's name without the machine or domain in front of it.
    config.user = user.mid(user.lastIndexOf(QLatin1Char('\\')) + 1);
    config.automatic = d_ptr->startupType == AutoStartup;
    return ServiceManager::install(serviceName(), config);
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
