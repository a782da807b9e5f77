import QtQuick 2.15
import QtQuick.Controls.Styles 1.4

// Headers and cells of the closed windows' tree, as the history tables have
// them.
TreeViewStyle {
    headerDelegate: LogHeader { text: styleData.value }
    itemDelegate: LogCell {}
}
