#include "x11windowlist.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {

const int kMaxClassLength = 255;
const int kMaxTitleLength = 511;

template<typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template<typename T>
Reply<T> reply(T *r)
{
    return Reply<T>(r, &std::free);
}

xcb_atom_t internAtom(xcb_connection_t *c, const char *name)
{
    auto r = reply(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 1, uint16_t(qstrlen(name)), name), nullptr));
    return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The whole value of a property, with its type; empty when it is missing.
QByteArray property(xcb_connection_t *c, xcb_window_t window, xcb_atom_t atom,
                    xcb_atom_t *type = nullptr)
{
    if (atom == XCB_ATOM_NONE)
        return QByteArray();
    // Long enough for any title or window list we care about (in 32-bit units).
    auto r = reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, atom, XCB_GET_PROPERTY_TYPE_ANY, 0, 1 << 20),
        nullptr));
    if (!r || r->type == XCB_ATOM_NONE)
        return QByteArray();
    if (type)
        *type = r->type;
    return QByteArray(static_cast<const char *>(xcb_get_property_value(r.get())),
                      xcb_get_property_value_length(r.get()));
}

QList<xcb_window_t> topLevelWindows(xcb_connection_t *c, xcb_window_t root, xcb_atom_t clientList)
{
    QList<xcb_window_t> windows;
    xcb_atom_t type = XCB_ATOM_NONE;
    const QByteArray list = property(c, root, clientList, &type);
    if (type == XCB_ATOM_WINDOW && list.size() >= int(sizeof(xcb_window_t))) {
        const auto *ids = reinterpret_cast<const xcb_window_t *>(list.constData());
        for (int i = 0; i < list.size() / int(sizeof(xcb_window_t)); ++i)
            windows.append(ids[i]);
        return windows;
    }
    auto tree = reply(xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr));
    if (!tree)
        return windows;
    const xcb_window_t *children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i)
        windows.append(children[i]);
    return windows;
}

bool isViewable(xcb_connection_t *c, xcb_window_t window)
{
    auto r = reply(xcb_get_window_attributes_reply(
        c, xcb_get_window_attributes(c, window), nullptr));
    return r && r->map_state == XCB_MAP_STATE_VIEWABLE;
}

// WM_CLASS holds "instance\0class\0"; the class part is the second.
QString className(xcb_connection_t *c, xcb_window_t window)
{
    const QByteArray value = property(c, window, XCB_ATOM_WM_CLASS);
    const int end = value.indexOf('\0');
    if (end < 0)
        return QString();
    QByteArray cls = value.mid(end + 1);
    const int clsEnd = cls.indexOf('\0');
    if (clsEnd >= 0)
        cls.truncate(clsEnd);
    return QString::fromLatin1(cls).left(kMaxClassLength);
}

QString title(xcb_connection_t *c, xcb_window_t window, xcb_atom_t netWmName, xcb_atom_t utf8)
{
    QByteArray value = property(c, window, netWmName);
    QString text;
    if (!value.isEmpty()) {
        text = QString::fromUtf8(value);
    } else {
        xcb_atom_t type = XCB_ATOM_NONE;
        value = property(c, window, XCB_ATOM_WM_NAME, &type);
        text = type == utf8 ? QString::fromUtf8(value) : QString::fromLatin1(value);
    }
    const int end = text.indexOf(QChar(0));
    if (end >= 0)
        text.truncate(end);
    return text.left(kMaxTitleLength);
}

} // namespace

QList<Platform::Window> X11WindowList::windows()
{
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty())
        return QList<Platform::Window>();
    return windows(display);
}

QList<Platform::Window> X11WindowList::windows(const QByteArray &displayName)
{
    QList<Platform::Window> result;
    int screenNumber = 0;
    xcb_connection_t *c = xcb_connect(displayName.constData(), &screenNumber);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return result;
    }

    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber && it.rem; ++i)
        xcb_screen_next(&it);
    if (!it.rem) {
        xcb_disconnect(c);
        return result;
    }
    const xcb_window_t root = it.data->root;

    const xcb_atom_t clientList = internAtom(c, "_NET_CLIENT_LIST");
    const xcb_atom_t netWmName = internAtom(c, "_NET_WM_NAME");
    const xcb_atom_t utf8 = internAtom(c, "UTF8_STRING");

    const QList<xcb_window_t> windows = topLevelWindows(c, root, clientList);
    for (xcb_window_t window : windows) {
        if (!isViewable(c, window))
            continue;
        Platform::Window entry;
        entry.className = className(c, window);
        if (entry.className.isEmpty())
            continue;
        entry.title = title(c, window, netWmName, utf8);
        if (entry.title.isEmpty())
            continue;
        result.append(entry);
    }
    xcb_disconnect(c);
    return result;
}
