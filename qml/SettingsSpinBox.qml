import QtQuick 2.15
import QtQuick.Controls 2.15

// The spin boxes of the settings pages: the value on a framed field, as the
// selectors show theirs, between a minus and a plus.
SpinBox {
    id: control

    readonly property color lineColor: !enabled ? "#D5DAE3"
                                      : activeFocus || hovered ? "#117BEC" : "#B8C0CC"
    readonly property color signColor: enabled ? "#26282A" : "#A3A9B2"

    implicitWidth: 130
    implicitHeight: 40
    padding: 4
    leftPadding: down.indicator.width + 4
    rightPadding: up.indicator.width + 4

    background: Rectangle {
        implicitWidth: 130
        implicitHeight: 40
        radius: 3
        color: control.enabled ? "white" : "#F3F4F6"
        border.color: control.lineColor
    }
    contentItem: TextInput {
        text: control.displayText
        font: control.font
        color: control.enabled ? "#26282A" : "#A3A9B2"
        selectionColor: "#117BEC"
        selectedTextColor: "white"
        horizontalAlignment: Qt.AlignHCenter
        verticalAlignment: Qt.AlignVCenter
        readOnly: !control.editable
        validator: control.validator
        inputMethodHints: control.inputMethodHints
    }

    down.indicator: Rectangle {
        x: control.mirrored ? parent.width - width - 1 : 1
        y: 1
        width: 34
        height: parent.height - 2
        radius: 3
        color: control.down.pressed ? "#C9D0DA" : control.down.hovered ? "#E3E7ED" : "transparent"
        Rectangle {
            anchors.centerIn: parent
            width: 10
            height: 2
            color: control.signColor
        }
    }
    up.indicator: Rectangle {
        x: control.mirrored ? 1 : parent.width - width - 1
        y: 1
        width: 34
        height: parent.height - 2
        radius: 3
        color: control.up.pressed ? "#C9D0DA" : control.up.hovered ? "#E3E7ED" : "transparent"
        Rectangle {
            anchors.centerIn: parent
            width: 10
            height: 2
            color: control.signColor
        }
        Rectangle {
            anchors.centerIn: parent
            width: 2
            height: 10
            color: control.signColor
        }
    }
}
