import QtQuick 2.15

// A bar filled to `value` (0 to 1).
Rectangle {
    property real value: 0
    property color barColor: "#1388FF"

    implicitWidth: 180
    implicitHeight: 12
    radius: height / 2
    color: "#E3E8EF"

    Rectangle {
        width: parent.width * Math.max(0, Math.min(1, parent.value))
        height: parent.height
        radius: parent.radius
        color: parent.barColor
    }
}
