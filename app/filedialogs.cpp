#include "filedialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QSplitter>
#include <QTreeView>

namespace {

// The places on the left show their names whole: the files beside them give
// up what the places need.
void fitPlaces(QFileDialog *dialog)
{
    auto *splitter = dialog->findChild<QSplitter *>(QStringLiteral("splitter"));
    auto *places = dialog->findChild<QAbstractItemView *>(QStringLiteral("sidebar"));
    if (!splitter || !places || splitter->count() != 2 || splitter->widget(0) != places)
        return;
    QList<int> sizes = splitter->sizes();
    const int need = places->sizeHintForColumn(0) + places->width() - places->viewport()->width();
    if (need <= sizes.at(0))
        return;
    sizes[1] -= need - sizes.at(0);
    sizes[0] = need;
    splitter->setSizes(sizes);
}

} // namespace

FileDialogs::FileDialogs(QObject *parent)
    : QObject(parent)
{
}

void FileDialogs::followLanguage()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        auto *dialog = qobject_cast<QFileDialog *>(window);
        auto *files = dialog ? dialog->findChild<QTreeView *>(QStringLiteral("treeView")) : nullptr;
        if (!files || !dialog->isVisible())
            continue;
        dialog->setSidebarUrls(dialog->sidebarUrls());
        fitPlaces(dialog);
        // The entries come in from another thread: the sections follow them.
        QHeaderView *header = files->header();
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
}
