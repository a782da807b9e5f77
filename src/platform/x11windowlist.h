#ifndef X11WINDOWLIST_H
#define X11WINDOWLIST_H

#include "platform.h"

// The visible top-level windows of an X display.
//
// The windows are those of the window manager's _NET_CLIENT_LIST when it has
// one, else the children of the root window, in that list's order. A window
// counts when it is viewable, its WM_CLASS has a class part and it has a
// title (_NET_WM_NAME, else WM_NAME). Class names are cut to 255 characters
// and titles to 511.
class X11WindowList
{
public:
    // The windows of the display named by DISPLAY; empty without a display.
    static QList<Platform::Window> windows();

    // The windows of the named display (e.g. ":5").
    static QList<Platform::Window> windows(const QByteArray &displayName);
};

#endif // X11WINDOWLIST_H
