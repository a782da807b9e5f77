import QtQuick 2.15

// A status tile: its title, and its value in the status colour, which the
// frame takes as well.
Rectangle {
    property alias title: titleText.text
    property alias value: valueText.text
    property color statusColor: "#8F97A9"

    implicitWidth: 150
    implicitHeight: 86
    radius: 6
    color: "white"
    border.width: 2
    border.color: statusColor

    Text {
        id: titleText
        anchors.top: parent.top
        anchors.topMargin: 8
        anchors.horizontalCenter: parent.horizontalCenter
        width: parent.width - 12
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.WordWrap
        maximumLineCount: 2
        font.pixelSize: 12
        color: "#4A5568"
    }
    Text {
        id: valueText
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 10
        anchors.horizontalCenter: parent.horizontalCenter
        width: parent.width - 8
        horizontalAlignment: Text.AlignHCenter
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: 11
        font.pixelSize: 17
        font.bold: true
        color: parent.statusColor
    }
}
