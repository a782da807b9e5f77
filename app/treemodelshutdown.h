#ifndef TREEMODELSHUTDOWN_H
#define TREEMODELSHUTDOWN_H

#include <QAbstractItemModel>

struct ShutdownLogNode;

// The shutdown log as a two-level tree, read once when the model is made:
// one row per window class (role "app"), under it one row per window title
// (role "window").
class TreeModelShutdown : public QAbstractItemModel
{
    Q_OBJECT

public:
    enum Roles { AppRole = 257, WindowRole = 258 };

    explicit TreeModelShutdown(QObject *parent = nullptr);
    ~TreeModelShutdown() override;

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &index) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QHash<int, QByteArray> roleNames() const override;

private:
    void initTree();
    ShutdownLogNode *nodeOf(const QModelIndex &index) const;

    ShutdownLogNode *root;
};

#endif // TREEMODELSHUTDOWN_H
