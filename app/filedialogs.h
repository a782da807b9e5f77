#ifndef FILEDIALOGS_H
#define FILEDIALOGS_H

#include <QObject>

// The window's file dialogs are Qt's widget dialogs. Made once and shown
// again, they keep the names of their places ("Computer") in the language of
// the time they were made, and their columns are sized for English titles and
// a short date, so that the longer title of another language, or a longer
// date, is cut. Once a dialog shows, followLanguage() names its places anew,
// makes its columns but the name as wide as their titles and entries need,
// and gives the name the rest of the view.
class FileDialogs : public QObject
{
    Q_OBJECT

public:
    explicit FileDialogs(QObject *parent = nullptr);

    Q_INVOKABLE static void followLanguage();
};

#endif // FILEDIALOGS_H
