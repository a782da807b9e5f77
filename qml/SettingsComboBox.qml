import QtQuick 2.15
import QtQuick.Controls 2.15

// The selectors of the settings pages: the chosen entry on a framed field
// with an arrow; the entries open below it.
ComboBox {
    id: control

    readonly property color lineColor: !enabled ? "#D5DAE3"
                                      : down || visualFocus || hovered ? "#117BEC" : "#B8C0CC"

    implicitHeight: 40
    leftPadding: 12
    rightPadding: 36

    background: Rectangle {
        implicitWidth: 140
        implicitHeight: 40
        radius: 3
        color: control.enabled ? "white" : "#F3F4F6"
        border.color: control.lineColor
    }
    contentItem: Text {
        text: control.displayText
        font: control.font
        color: control.enabled ? "#26282A" : "#A3A9B2"
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }
    onLineColorChanged: arrow.requestPaint()

    indicator: Canvas {
        id: arrow
        x: control.width - width - 12
        y: (control.height - height) / 2
        width: 12
        height: 7
        onPaint: {
            var ctx = getContext("2d")
            ctx.reset()
            ctx.strokeStyle = control.lineColor
            ctx.lineWidth = 1.6
            ctx.beginPath()
            ctx.moveTo(1, 1)
            ctx.lineTo(width / 2, height - 1)
            ctx.lineTo(width - 1, 1)
            ctx.stroke()
        }
    }
}
