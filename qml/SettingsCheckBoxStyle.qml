import QtQuick 2.15
import QtQuick.Controls.Styles 1.4

// The check boxes of the settings pages: a box filled blue with a white tick
// when checked; `bold` for the boxes that head a section.
CheckBoxStyle {
    property bool bold: false

    // Box and text are placed by hand: the stock panel lays them out with a
    // layout item, which reports a binding loop when a retranslation changes
    // the text.
    panel: Item {
        implicitWidth: box.width + 8 + label.implicitWidth + 12
        implicitHeight: 32

        Rectangle {
            id: box
            x: 6
            anchors.verticalCenter: parent.verticalCenter
            width: 20
            height: 20
            radius: 3
            color: !control.checked ? "white" : control.enabled ? "#117BEC" : "#B8C0CC"
            border.color: control.checked ? color
                        : !control.enabled ? "#C9D0DA"
                        : control.activeFocus || control.hovered ? "#117BEC" : "#8C96A3"
            Canvas {
                anchors.fill: parent
                opacity: control.checked ? 1 : 0
                onPaint: {
                    var ctx = getContext("2d")
                    ctx.reset()
                    ctx.strokeStyle = "white"
                    ctx.lineWidth = 2.2
                    ctx.beginPath()
                    ctx.moveTo(width * 0.22, height * 0.52)
                    ctx.lineTo(width * 0.42, height * 0.72)
                    ctx.lineTo(width * 0.78, height * 0.30)
                    ctx.stroke()
                }
            }
        }
        Text {
            id: label
            x: box.x + box.width + 8
            anchors.verticalCenter: parent.verticalCenter
            text: control.text
            color: control.enabled ? "#26282A" : "#A3A9B2"
            font.bold: bold
        }
    }
}
