// Figures of the device page with its power-flow picture: CPU used by the
// whole program (percent of one core, from getrusage, all threads) and the
// frames drawn per second, while the window shows a UPS on the mains, one on
// bypass (the most segments moving), and while the window is hidden to the
// tray. Each state is measured for the seconds given (30 by default) in six
// slices; the figure is their mean, with the lowest and highest slice.
//
// Without QT_QPA_PLATFORM set it runs offscreen with the software renderer,
// as the tests do; under Xvfb (QT_QPA_PLATFORM=xcb) it uses the renderer that
// QT_QUICK_BACKEND names, by default OpenGL.
//
//     build/bench/bench_devicepage [seconds] [folder]
//
// With a folder it first saves the power-flow view in each UPS state there
// (mimic-<state>.png), to compare the look of two builds.

#include "benchstore.h"
#include "fakeplatform.h"
#include "mainwindowfixture.h"
#include "protection/serviceshutdown.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFontDatabase>
#include <QQuickWindow>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

// Runs the event loop for `ms`; unlike QTest::qWait it sleeps until an event
// comes, so it adds no wake-ups of its own to the figures.
void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void putState(int status, float inputVol, float outputVol)
{
    UPSData &u = MainWindowFixture::linkedRecord();
    u.status = quint8(status);
    u.inputVol = inputVol;
    u.outputVol = outputVol;
    u.battCapacity = 100;
    u.battRemainTime = 75;
    MainWindowFixture::publish();
}

// Runs the event loop for `seconds` in six slices and prints the CPU and
// frame figures of the slices.
void measure(QQuickWindow *window, const char *what, int seconds)
{
    int frames = 0;
    const QMetaObject::Connection counting =
        QObject::connect(window, &QQuickWindow::frameSwapped, [&frames] { ++frames; });
    runFor(2000); // every animation has gone round once and is cached
    const int slices = 6;
    const int sliceMs = seconds * 1000 / slices;
    double sum = 0, low = 1e9, high = 0;
    int framesTotal = 0;
    for (int i = 0; i < slices; ++i) {
        frames = 0;
        QElapsedTimer wall;
        wall.start();
        const double cpu = cpuSeconds();
        runFor(sliceMs);
        const double percent = 100.0 * (cpuSeconds() - cpu) / (double(wall.nsecsElapsed()) / 1e9);
        sum += percent;
        low = std::min(low, percent);
        high = std::max(high, percent);
        framesTotal += frames;
    }
    QObject::disconnect(counting);
    std::printf("%-34s CPU %6.2f %% of a core (slices %.2f to %.2f), %5.1f frames/s\n", what, sum / slices,
                low, high, framesTotal / (slices * sliceMs / 1000.0));
    std::fflush(stdout);
}

void saveViews(MainWindowFixture &w, const QString &folder)
{
    struct State {
        const char *name;
        int status; // -1: not linked
        float inputVol;
    } states[] = {{"mains", 0x00, 230}, {"battery", 0x01, 0},  {"bypass", 0x04, 230},
                  {"standby", 0x10, 230}, {"fault", 0x08, 230}, {"unlinked", -1, 0}};
    QDir().mkpath(folder);
    auto *page = w.find<QQuickItem>(QStringLiteral("mimicPage"));
    for (const State &state : states) {
        MainWindowFixture::loseLink();
        if (state.status >= 0)
            putState(state.status, state.inputVol, 230);
        runFor(300);
        const QRectF area = page->mapRectToScene(QRectF(0, 0, page->width(), page->height()));
        const QImage shot = w.view().screen()->grabWindow(w.view().winId()).toImage().copy(area.toRect());
        shot.save(folder + QStringLiteral("/mimic-") + QLatin1String(state.name) + QStringLiteral(".png"));
    }
    std::printf("views saved in %s\n", qPrintable(folder));
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("QT_QUICK_BACKEND", "software");
    }
    QTemporaryDir home;
    BenchStore::useHome(home.path());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + QFile::encodeName(home.path()) + "/no-system-bus");
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Ambrel"));
    const int seconds = argc > 1 ? std::max(6, QByteArray(argv[1]).toInt()) : 30;
    FakePlatform platform;
    BenchStore::open();
    ServiceShutdown::instance()->setAmbrelOffEnable(false);

    // The program's font, from the build folder above this one.
    const int font = QFontDatabase::addApplicationFont(QCoreApplication::applicationDirPath()
                                                       + QStringLiteral("/../cfg/font.ttf"));
    if (font >= 0)
        QGuiApplication::setFont(QFont(QFontDatabase::applicationFontFamilies(font).value(0)));

    MainWindowFixture w;
    if (!w.root()) {
        std::fprintf(stderr, "the window did not load\n");
        return 1;
    }
    runFor(500);
    if (argc > 2)
        saveViews(w, QString::fromLocal8Bit(argv[2]));

    std::printf("platform %s, renderer %s, window %dx%d, %d s per state\n",
                qPrintable(QGuiApplication::platformName()),
                qPrintable(QQuickWindow::sceneGraphBackend().isEmpty() ? QStringLiteral("default (OpenGL)")
                                                                       : QQuickWindow::sceneGraphBackend()),
                w.view().width(), w.view().height(), seconds);
    QQuickWindow *window = &w.view();
    putState(0x00, 230, 230);
    measure(window, "on-line UPS on the mains, shown", seconds);
    putState(0x04, 230, 230);
    measure(window, "on-line UPS on bypass, shown", seconds);
    putState(0x00, 230, 230);
    w.view().hide();
    measure(window, "on the mains, window hidden", seconds);
    return 0;
}
