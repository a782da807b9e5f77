#ifndef UIDRIVER_H
#define UIDRIVER_H

// Header only: the real main window, loaded offscreen as the program loads
// it, driven by objectName with mouse clicks and keys. Every engine warning
// is kept, so a test can insist that there is none.

#include "app/startup.h"
#include "app/translator.h"
#include "protection/servicescheduletask.h"

#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QtTest>

class UiDriver
{
public:
    UiDriver()
    {
        Startup::prepareView(&view, &tasks);
        QObject::connect(view.engine(), &QQmlEngine::warnings, [this](const QList<QQmlError> &list) {
            for (const QQmlError &error : list)
                warnings << error.toString();
        });
        view.setSource(QUrl(QStringLiteral("qrc:/qml/main.qml")));
        Translator::instance()->setEngine(view.engine());
        Translator::instance()->init();
        view.show();
        ready = QTest::qWaitForWindowExposed(&view) && view.rootObject();
    }

    ~UiDriver() { Translator::instance()->setEngine(nullptr); }

    QObject *object(const char *name) const { return find(view.rootObject(), QLatin1String(name)); }

    QQuickItem *item(const char *name) const { return qobject_cast<QQuickItem *>(object(name)); }

    // A child of a page or popup, named within it.
    static QQuickItem *child(QObject *parent, const char *name)
    {
        return parent ? qobject_cast<QQuickItem *>(find(parent, QLatin1String(name))) : nullptr;
    }

    // Searches both the object tree and the item tree: the delegates of views
    // have a parent item but no parent object.
    static QObject *find(QObject *parent, const QString &name)
    {
        QObjectList next = parent->children();
        if (auto *item = qobject_cast<QQuickItem *>(parent)) {
            for (QQuickItem *c : item->childItems()) {
                if (c->parent() != parent)
                    next << c;
            }
        }
        for (QObject *c : next) {
            if (c->objectName() == name)
                return c;
        }
        for (QObject *c : next) {
            if (QObject *found = find(c, name))
                return found;
        }
        return nullptr;
    }

    // Clicks the middle of a visible item; false when it cannot be clicked.
    bool click(QQuickItem *target)
    {
        if (!target || !target->isVisible() || !target->isEnabled())
            return false;
        const QPointF centre = target->mapToScene(QPointF(target->width() / 2, target->height() / 2));
        QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, centre.toPoint());
        return true;
    }

    bool click(const char *name) { return click(item(name)); }

    // Replaces the text of a field as the user would (ASCII) and presses Enter.
    bool type(QQuickItem *field, const QString &text)
    {
        if (!click(field))
            return false;
        QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&view, Qt::Key_Backspace);
        for (const QChar c : text)
            QTest::keyClick(&view, c.toLatin1());
        QTest::keyClick(&view, Qt::Key_Return);
        return true;
    }

    // Opens a main page by its footer button.
    bool showPage(const char *footerButton) { return click(footerButton); }

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

    // The message dialog by objectName: open, with this text.
    bool showsMessage(const char *name, const QString &text) const
    {
        QObject *dialog = object(name);
        return dialog && dialog->property("opened").toBool() && dialog->property("textMsg").toString() == text;
    }

    // Answers an open message dialog with its "Sure" or "Cancel" button.
    bool answer(const char *name, bool sure)
    {
        QObject *dialog = object(name);
        if (!dialog || !QTest::qWaitFor([dialog] { return dialog->property("opened").toBool(); }))
            return false;
        return click(child(dialog, sure ? "msgSure" : "msgCancel"))
            && QTest::qWaitFor([dialog] { return !dialog->property("visible").toBool(); });
    }

    ServiceScheduleTask tasks;
    QQuickView view;
    QStringList warnings;
    bool ready = false;
};

#endif // UIDRIVER_H
