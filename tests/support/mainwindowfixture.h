#ifndef MAINWINDOWFIXTURE_H
#define MAINWINDOWFIXTURE_H

// Header only: compiled with the QML tests, which link the desktop program's
// classes (ambrelapp).

#include "app/startup.h"
#include "app/translator.h"
#include "link/devcomm.h"
#include "link/devcomm_p.h"
#include "link/megatec.h"
#include "protection/servicescheduletask.h"

#include <QQmlEngine>
#include <QQmlError>
#include <QQuickItem>
#include <QQuickView>
#include <QSet>
#include <QStringList>
#include <QtTest>

// The program's main window, made as the program makes it: the application
// font, the real singletons and context properties, "qrc:/qml/main.qml", the
// translator given the engine, the view shown. It records every warning of the QML
// engine; tests find items by objectName (also inside popups) and click them
// through the window like a user.
class MainWindowFixture
{
public:
    MainWindowFixture()
    {
        Startup::applyApplicationFont();
        Startup::prepareView(&m_view, &m_tasks);
        QObject::connect(m_view.engine(), &QQmlEngine::warnings, [this](const QList<QQmlError> &list) {
            for (const QQmlError &error : list)
                m_warnings.append(error.toString());
        });
        m_view.setSource(QUrl(QStringLiteral("qrc:/qml/main.qml")));
        Translator::instance()->setEngine(m_view.engine());
        m_view.show();
    }
    ~MainWindowFixture() { Translator::instance()->setEngine(nullptr); }

    QQuickView &view() { return m_view; }
    QQmlEngine *engine() { return m_view.engine(); }
    QQuickItem *root() const { return m_view.rootObject(); }
    // Every warning of the QML engine since the window was made.
    QStringList warnings() const { return m_warnings; }

    // The object of this objectName anywhere in the window, popups included.
    template<typename T = QObject>
    T *find(const QString &name) const
    {
        QSet<QObject *> seen;
        return qobject_cast<T *>(findIn(m_view.contentItem(), name, seen));
    }
    QVariant value(const QString &name, const char *property) const
    {
        const QObject *object = find(name);
        return object ? object->property(property) : QVariant();
    }

    // Clicks the middle of a visible item; false when there is none.
    bool click(const QString &name)
    {
        QQuickItem *item = find<QQuickItem>(name);
        if (!item || !item->isVisible())
            return false;
        const QPointF middle = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
        QTest::mouseClick(&m_view, Qt::LeftButton, Qt::NoModifier, middle.toPoint());
        return true;
    }

    // The UPS record as the link publishes it. linkedRecord() marks the link
    // as answering and returns the record to fill; publish() hands it to the
    // pages; loseLink() resets it as a lost link does.
    static Megatec *protocol() { return DevCommPrivate::protocol(DevComm::instance()); }
    static UPSData &linkedRecord()
    {
        protocol()->setOnline(true);
        return *protocol()->upsData();
    }
    static void publish()
    {
        protocol()->updateData();
        protocol()->updateInfo();
        emit DevComm::instance()->devDataChanged();
    }
    static void loseLink()
    {
        protocol()->reset();
        emit DevComm::instance()->devDataChanged();
    }

private:
    static QObject *findIn(QObject *object, const QString &name, QSet<QObject *> &seen)
    {
        if (!object || seen.contains(object))
            return nullptr;
        seen.insert(object);
        if (object->objectName() == name)
            return object;
        for (QObject *child : object->children()) {
            if (QObject *found = findIn(child, name, seen))
                return found;
        }
        // Popups show their items in the window's overlay, outside the
        // object tree of the document that declares them.
        if (auto *item = qobject_cast<QQuickItem *>(object)) {
            for (QQuickItem *child : item->childItems()) {
                if (QObject *found = findIn(child, name, seen))
                    return found;
            }
        }
        return nullptr;
    }

    ServiceScheduleTask m_tasks;
    QQuickView m_view;
    QStringList m_warnings;
};

#endif // MAINWINDOWFIXTURE_H
