import QtQuick 2.15

// One reading: its title over its value and unit.
Rectangle {
    property alias title: titleText.text
    property alias value: valueText.text
    property alias unit: unitText.text

    implicitWidth: 280
    implicitHeight: 96
    radius: 6
    color: "#F5F8FC"
    border.color: "#DDE2EA"

    Text {
        id: titleText
        x: 16
        y: 12
        width: parent.width - 32
        elide: Text.ElideRight
        font.pixelSize: 13
        color: "#4A5568"
    }
    Row {
        x: 16
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 14
        spacing: 6
        Text {
            id: valueText
            font.pixelSize: 28
            font.bold: true
            color: "#1388FF"
        }
        Text {
            id: unitText
            anchors.baseline: valueText.baseline
            // The application font draws "℃" as a blank.
            font.family: "DejaVu Sans"
            font.pixelSize: 15
            color: "#4A5568"
        }
    }
}
