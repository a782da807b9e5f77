import QtQuick 2.15
import QtQuick.Controls 2.15

// The switches of the settings pages: a track filled blue when on, as a
// checked box is, with a white knob, and the text beside it.
Switch {
    id: control

    indicator: Rectangle {
        x: control.leftPadding
        y: (control.height - height) / 2
        implicitWidth: 40
        implicitHeight: 22
        radius: height / 2
        color: !control.checked ? (control.enabled ? "#B8C0CC" : "#D5DAE3")
             : control.enabled ? "#117BEC" : "#B8C0CC"
        border.color: control.visualFocus || control.hovered ? "#117BEC" : color
        Rectangle {
            x: control.checked ? parent.width - width - 3 : 3
            anchors.verticalCenter: parent.verticalCenter
            width: parent.height - 6
            height: width
            radius: width / 2
            color: "white"
            Behavior on x { NumberAnimation { duration: 100 } }
        }
    }
    contentItem: Text {
        leftPadding: control.indicator.width + 8
        text: control.text
        font: control.font
        color: control.enabled ? "#26282A" : "#A3A9B2"
        verticalAlignment: Text.AlignVCenter
    }
}
