import QtQuick 2.15
import QtQuick.Controls.Styles 1.4

ButtonStyle {
    background: Rectangle {
        implicitWidth: 88
        implicitHeight: 30
        radius: 4
        color: !control.enabled ? "#B8C0CC"
             : control.pressed ? "#0B5CB5"
             : control.hovered ? "#3A93F0" : "#117BEC"
    }
    label: Text {
        text: control.text
        color: "white"
        font.pixelSize: 13
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }
}
