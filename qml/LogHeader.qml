import QtQuick 2.15

// A column header of the history tables and of the closed windows' tree. Its
// text uses a font that draws "℃" (the application font leaves it blank);
// other scripts fall back.
Rectangle {
    property alias text: label.text
    property alias font: label.font
    // The room left and right of the text.
    property int margin: 8

    implicitHeight: 40
    color: "#EEF1F6"

    Text {
        id: label
        objectName: "logHeader"
        anchors.fill: parent
        anchors.leftMargin: parent.margin
        anchors.rightMargin: parent.margin
        verticalAlignment: Text.AlignVCenter
        font.family: "DejaVu Sans"
        font.pixelSize: 12
        font.bold: true
        elide: Text.ElideRight
    }
    Rectangle {
        anchors.right: parent.right
        width: 1
        height: parent.height
        color: "#D5DAE3"
    }
}
