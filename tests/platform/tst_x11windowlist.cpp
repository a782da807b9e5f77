// The window list of an X display, on an Xvfb of the test's own, and the
// shutdown log written from it.
#include "platform/linuxplatform.h"
#include "protection/shutdownlog.h"
#include "testenvironment.h"
#include "platform/x11windowlist.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include <xcb/xcb.h>

#include <cstdlib>

class TestX11WindowList : public QObject
{
    Q_OBJECT

    QProcess xvfb;
    QByteArray display;
    xcb_connection_t *c = nullptr;
    xcb_window_t root = 0;

    xcb_atom_t atom(const char *name)
    {
        xcb_intern_atom_reply_t *r = xcb_intern_atom_reply(
            c, xcb_intern_atom(c, 0, uint16_t(qstrlen(name)), name), nullptr);
        const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(r);
        return a;
    }
    void sync() { std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr)); }
    void setText(xcb_window_t w, xcb_atom_t property, xcb_atom_t type, const QByteArray &text)
    {
        if (!text.isNull())
            xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, property, type, 8, uint32_t(text.size()),
                                text.constData());
    }
    xcb_window_t makeWindow(const QByteArray &instanceAndClass, const QByteArray &wmName,
                            const QByteArray &netWmName = QByteArray(), bool map = true)
    {
        const xcb_window_t w = xcb_generate_id(c);
        xcb_create_window(c, XCB_COPY_FROM_PARENT, w, root, 0, 0, 50, 50, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        setText(w, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, instanceAndClass);
        setText(w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, wmName);
        setText(w, atom("_NET_WM_NAME"), atom("UTF8_STRING"), netWmName);
        if (map)
            xcb_map_window(c, w);
        sync();
        return w;
    }

private slots:
    void initTestCase()
    {
        // -displayfd: the server picks a free display and writes its number.
        xvfb.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "320x240x24"});
        QVERIFY(xvfb.waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(xvfb.canReadLine(), 20000);
        display = ':' + xvfb.readLine().trimmed();
        c = xcb_connect(display.constData(), nullptr);
        QVERIFY(!xcb_connection_has_error(c));
        root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    }

    void cleanupTestCase()
    {
        if (c)
            xcb_disconnect(c);
        xvfb.terminate();
        if (!xvfb.waitForFinished(5000)) {
            xvfb.kill();
            xvfb.waitForFinished(5000);
        }
    }

    void noDisplayGivesEmptyList()
    {
        const QByteArray saved = qgetenv("DISPLAY");
        qunsetenv("DISPLAY");
        QVERIFY(LinuxPlatform().visibleWindows().isEmpty());
        if (!saved.isNull())
            qputenv("DISPLAY", saved);
        // A display nobody serves.
        QVERIFY(X11WindowList::windows(":4095").isEmpty());
    }

    void silentDisplayDoesNotHoldUp()
    {
        // A display that takes the connection and never answers.
        QTcpServer silent;
        int number = 90;
        while (number < 200 && !silent.listen(QHostAddress::LocalHost, quint16(6000 + number)))
            ++number;
        QVERIFY(silent.isListening());
        const QByteArray saved = qgetenv("DISPLAY");
        qputenv("DISPLAY", "127.0.0.1:" + QByteArray::number(number));
        QElapsedTimer waited;
        waited.start();
        const QList<Platform::Window> windows = LinuxPlatform().visibleWindows();
        qputenv("DISPLAY", saved);
        QVERIFY(windows.isEmpty());
        QVERIFY2(waited.elapsed() < 10000, qPrintable(QString::number(waited.elapsed())));
    }

    void rootChildrenVisibleAndTitled()
    {
        makeWindow(QByteArray("term\0Term\0", 10), "A");
        makeWindow(QByteArray("hidden\0Hidden\0", 14), "H", QByteArray(), false);
        makeWindow(QByteArray("untitled\0NoTitle\0", 17), QByteArray());
        makeWindow(QByteArray("term\0Term\0", 10), "old name", "B \xc3\xbc");
        makeWindow(QByteArray("onlyinstance\0", 13), "no class");
        makeWindow(QByteArray(), "no WM_CLASS");
        makeWindow(QByteArray("a\0Alpha\0", 8), "Y");

        // The log as the system writes it: classes in order, titles in stacking
        // order, _NET_WM_NAME (UTF-8) before WM_NAME.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("shutdown.log"));
        qputenv("DISPLAY", display);
        ShutdownLog::write(path, LinuxPlatform().visibleWindows());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()),
                 QStringLiteral("{\n    \"Alpha\": [\n        \"Y\"\n    ],\n"
                                "    \"Term\": [\n        \"A\",\n        \"B \u00fc\"\n    ]\n}\n"));
    }

    void clientListTakesPrecedence()
    {
        const xcb_window_t first = makeWindow(QByteArray("z\0Zeta\0", 7), "Z");
        const xcb_window_t second = makeWindow(QByteArray("b\0Beta\0", 7), "Y2");
        const xcb_window_t hidden = makeWindow(QByteArray("h\0Alpha\0", 8), "X", QByteArray(), false);
        // What a window manager would publish: its own order, one hidden client.
        const xcb_window_t list[] = {second, hidden, first};
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, root, atom("_NET_CLIENT_LIST"),
                            XCB_ATOM_WINDOW, 32, 3, list);
        sync();
        const QList<Platform::Window> windows = X11WindowList::windows(display);
        xcb_delete_property(c, root, atom("_NET_CLIENT_LIST"));
        sync();
        QCOMPARE(windows.size(), 2);
        QCOMPARE(windows.at(0).title, QStringLiteral("Y2"));
        QCOMPARE(windows.at(1).title, QStringLiteral("Z"));
    }
};

AMBREL_TEST_MAIN(TestX11WindowList)
#include "tst_x11windowlist.moc"
