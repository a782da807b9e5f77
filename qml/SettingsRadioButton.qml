import QtQuick 2.15
import QtQuick.Controls 2.15

// The radio buttons of the settings pages: a round box framed as the check
// boxes are, with a blue dot when chosen, and the text beside it.
RadioButton {
    id: control

    indicator: Rectangle {
        x: control.leftPadding
        y: (control.height - height) / 2
        implicitWidth: 20
        implicitHeight: 20
        radius: width / 2
        color: "white"
        border.color: !control.enabled ? "#C9D0DA"
                    : control.checked || control.visualFocus || control.hovered ? "#117BEC" : "#8C96A3"
        Rectangle {
            anchors.centerIn: parent
            width: 10
            height: 10
            radius: width / 2
            color: control.enabled ? "#117BEC" : "#B8C0CC"
            visible: control.checked
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
