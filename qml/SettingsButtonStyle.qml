import QtQuick 2.15
import QtQuick.Controls.Styles 1.4

// The buttons of the settings pages and their popups.
ButtonStyle {
    padding { left: 14; right: 14; top: 6; bottom: 6 }
    background: Rectangle {
        implicitWidth: 100
        implicitHeight: 40
        radius: 3
        color: !control.enabled ? "#EEF0F3"
             : control.pressed ? "#C9D0DA"
             : control.hovered ? "#D9DEE6" : "#E3E7ED"
        border.width: control.activeFocus ? 1 : 0
        border.color: "#117BEC"
    }
    label: Text {
        text: control.text
        color: control.enabled ? "#26282A" : "#A3A9B2"
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }
}
