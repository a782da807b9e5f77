import QtQuick 2.15

// An image over a text. The selected button, and any button under the
// pointer, shows its "Clicked" image and the highlight colour.
Item {
    id: button

    property alias text: label.text
    property url source
    property url sourceClicked
    property bool selected: false
    readonly property bool highlighted: selected || area.containsMouse

    signal clicked()

    implicitWidth: Math.max(image.implicitWidth, label.implicitWidth) + 16
    implicitHeight: column.implicitHeight + 8

    Column {
        id: column
        anchors.centerIn: parent
        spacing: 4
        Image {
            id: image
            anchors.horizontalCenter: parent.horizontalCenter
            source: button.highlighted && button.sourceClicked.toString() !== ""
                    ? button.sourceClicked : button.source
        }
        Text {
            id: label
            anchors.horizontalCenter: parent.horizontalCenter
            visible: text !== ""
            color: button.highlighted ? "#117BEC" : "black"
            font.pixelSize: 13
        }
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: button.clicked()
    }
}
