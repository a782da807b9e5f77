import QtQuick 2.15
import QtQuick.Controls.Styles 1.4

ButtonStyle {
    background: Rectangle {
        implicitWidth: 46
        implicitHeight: 48
        color: control.pressed ? "#0B5CB5" : control.hovered ? "#3A93F0" : "transparent"
    }
    label: Image {
        source: control.iconSource
        fillMode: Image.Pad
    }
}
