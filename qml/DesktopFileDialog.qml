import QtQuick 2.15
import QtQuick.Dialogs 1.3
import Ambrel 1.0

// The file dialogs of the pages: they open in the desktop folder and speak
// the language in force, with columns as wide as its texts need.
FileDialog {
    // Given each time it shows: the widget file dialog ignores a folder set
    // before and would open in the working directory.
    folder: visible ? shortcuts.desktop : ""
    onVisibleChanged: {
        if (visible)
            FileDialogs.followLanguage()
    }
}
