import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15

// The title bar of the pages' popups: their title and a close button.
Rectangle {
    property alias text: title.text
    property alias closeButton: closeButton

    Layout.fillWidth: true
    implicitHeight: 40
    color: "#117BEC"

    Label {
        id: title
        anchors.left: parent.left
        anchors.leftMargin: 16
        anchors.verticalCenter: parent.verticalCenter
        color: "white"
        font.pixelSize: 15
        font.bold: true
    }
    ToolButton {
        id: closeButton
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        text: "\u00D7"
        font.pixelSize: 20
    }
}
