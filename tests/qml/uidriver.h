#ifndef UIDRIVER_H
#define UIDRIVER_H

// Header only: the main window fixture with what the page tests do besides
// clicking: typing into fields, picking combo box entries and answering
// message dialogs. The recording platform stands in for the real one, so a
// scheduled or configured shutdown that a page starts reaches nothing.

#include "fakeplatform.h"
#include "mainwindowfixture.h"

struct PlatformStandIn
{
    FakePlatform platform;
};

class UiDriver : private PlatformStandIn, public MainWindowFixture
{
public:
    UiDriver()
    {
        Translator::instance()->init();
        ready = QTest::qWaitForWindowExposed(&view()) && root();
    }

    using MainWindowFixture::click;

    QObject *object(const char *name) const { return find(QLatin1String(name)); }
    QQuickItem *item(const char *name) const { return find<QQuickItem>(QLatin1String(name)); }

    // Clicks the middle of an item; false when it is hidden or disabled.
    bool click(QQuickItem *target)
    {
        if (!target || !target->isVisible() || !target->isEnabled())
            return false;
        const QPointF middle = target->mapToScene(QPointF(target->width() / 2, target->height() / 2));
        QTest::mouseClick(&view(), Qt::LeftButton, Qt::NoModifier, middle.toPoint());
        return true;
    }

    // Replaces the text of a field as the user would (ASCII) and, if enter, presses Enter.
    bool type(QQuickItem *field, const QString &text, bool enter = true)
    {
        if (!click(field))
            return false;
        QTest::keyClick(&view(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&view(), Qt::Key_Backspace);
        for (const QChar c : text)
            QTest::keyClick(&view(), c.toLatin1());
        if (enter)
            QTest::keyClick(&view(), Qt::Key_Return);
        return true;
    }

    // Picks an entry of a combo box through its popup.
    bool choose(QQuickItem *combo, int index)
    {
        if (!click(combo))
            return false;
        QObject *popup = combo->property("popup").value<QObject *>();
        if (!popup || !QTest::qWaitFor([popup] { return popup->property("opened").toBool(); }))
            return false;
        QQuickItem *list = popup->property("contentItem").value<QQuickItem *>();
        QMetaObject::invokeMethod(list, "positionViewAtIndex", Q_ARG(int, index), Q_ARG(int, 0));
        QQuickItem *entry = nullptr;
        QMetaObject::invokeMethod(list, "itemAtIndex", Q_RETURN_ARG(QQuickItem *, entry), Q_ARG(int, index));
        return click(entry) && QTest::qWaitFor([popup] { return !popup->property("visible").toBool(); });
    }

    // Whether the message dialog of this objectName is open with this text.
    bool showsMessage(const char *name, const QString &text) const
    {
        QObject *dialog = object(name);
        return dialog && dialog->property("opened").toBool() && dialog->property("textMsg").toString() == text;
    }

    // Waits for the message dialog and answers it with "Sure" or "Cancel".
    bool answer(const char *name, bool sure)
    {
        QObject *dialog = object(name);
        if (!dialog || !QTest::qWaitFor([dialog] { return dialog->property("opened").toBool(); }))
            return false;
        return click(dialog->findChild<QQuickItem *>(sure ? "msgSure" : "msgCancel"))
            && QTest::qWaitFor([dialog] { return !dialog->property("visible").toBool(); });
    }

    bool ready = false;
};

#endif // UIDRIVER_H
