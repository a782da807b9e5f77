import QtQuick 2.15
import QtQuick.Controls 1.4

TreeView {
    id: tree
    objectName: "treeClosedRecords"
    style: LogTreeStyle {}

    TableViewColumn { role: "app"; title: qsTr("Application"); width: (tree.width - 20) / 3 }
    TableViewColumn { role: "window"; title: qsTr("Window"); width: (tree.width - 20) * 2 / 3 }
}
