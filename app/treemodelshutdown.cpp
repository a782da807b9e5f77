#include "treemodelshutdown.h"

#include "protection/shutdownlog.h"

#include <QDebug>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

// One node of the tree: its two column values and its children (owned).
struct ShutdownLogNode
{
    ShutdownLogNode(const QString &first, const QString &second, ShutdownLogNode *parent)
        : values{first, second}, parentNode(parent)
    {
        if (parent)
            parent->children.append(this);
    }
    ~ShutdownLogNode() { qDeleteAll(children); }

    // The position among the parent's children.
    int row() const
    {
        return parentNode ? int(parentNode->children.indexOf(const_cast<ShutdownLogNode *>(this))) : 0;
    }

    QVariantList values;
    ShutdownLogNode *parentNode;
    QList<ShutdownLogNode *> children;
};

TreeModelShutdown::TreeModelShutdown(QObject *parent)
    : QAbstractItemModel(parent), root(new ShutdownLogNode(QStringLiteral("app"), QStringLiteral("windows"), nullptr))
{
    initTree();
}

TreeModelShutdown::~TreeModelShutdown()
{
    delete root;
}

void TreeModelShutdown::initTree()
{
    QFile file(ShutdownLog::path());
    if (!file.open(QIODevice::ReadOnly))
        return;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (document.isNull()) {
        qWarning() << "Failed to read shutdon log:" << error.errorString();
        return;
    }
    const QJsonObject classes = document.object();
    for (auto it = classes.constBegin(); it != classes.constEnd(); ++it) {
        auto *classNode = new ShutdownLogNode(it.key(), QString(), root);
        const QJsonArray titles = it.value().toArray();
        for (const QJsonValue &title : titles)
            new ShutdownLogNode(QString(), title.toString(), classNode);
    }
}

ShutdownLogNode *TreeModelShutdown::nodeOf(const QModelIndex &index) const
{
    return index.isValid() ? static_cast<ShutdownLogNode *>(index.internalPointer()) : root;
}

QModelIndex TreeModelShutdown::index(int row, int column, const QModelIndex &parent) const
{
    if (!hasIndex(row, column, parent))
        return QModelIndex();
    ShutdownLogNode *node = nodeOf(parent);
    if (row >= node->children.size())
        return QModelIndex();
    return createIndex(row, column, node->children.at(row));
}

QModelIndex TreeModelShutdown::parent(const QModelIndex &index) const
{
    if (!index.isValid())
        return QModelIndex();
    ShutdownLogNode *parentNode = nodeOf(index)->parentNode;
    if (!parentNode || parentNode == root)
        return QModelIndex();
    return createIndex(parentNode->row(), 0, parentNode);
}

int TreeModelShutdown::rowCount(const QModelIndex &parent) const
{
    if (parent.column() > 0)
        return 0;
    return nodeOf(parent)->children.size();
}

int TreeModelShutdown::columnCount(const QModelIndex &parent) const
{
    return nodeOf(parent)->values.size();
}

QVariant TreeModelShutdown::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const ShutdownLogNode *node = nodeOf(index);
    if (role == AppRole)
        return node->values.value(0);
    if (role == WindowRole)
        return node->values.value(1);
    return QVariant();
}

Qt::ItemFlags TreeModelShutdown::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return QAbstractItemModel::flags(index);
}

QHash<int, QByteArray> TreeModelShutdown::roleNames() const
{
    return {{AppRole, "app"}, {WindowRole, "window"}};
}
