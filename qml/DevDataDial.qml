import QtQuick 2.15
import QtQuick.Extras 1.4
import QtQuick.Controls.Styles 1.4

// A dial from 0 to maximumValue; the arc up to the value is drawn in the
// "reached" colour, the value stands under the needle with two decimals.
Item {
    id: dial

    property alias title: titleText.text
    property real value: 0
    property real maximumValue: 100
    property string unit: "%"
    readonly property color reachedColor: "#1388FF"

    implicitWidth: 230
    implicitHeight: 236

    CircularGauge {
        id: gauge
        width: 210
        height: 210
        anchors.horizontalCenter: parent.horizontalCenter
        minimumValue: 0
        maximumValue: dial.maximumValue
        value: dial.value

        style: CircularGaugeStyle {
            id: gaugeStyle
            minimumValueAngle: -135
            maximumValueAngle: 135
            tickmarkStepSize: dial.maximumValue / 10
            labelStepSize: dial.maximumValue / 5
            minorTickmarkCount: 1
            labelInset: outerRadius * 0.32

            function radians(degrees) {
                return (degrees - 90) * Math.PI / 180
            }

            background: Canvas {
                property real shown: gauge.value
                onShownChanged: requestPaint()
                onPaint: {
                    const ctx = getContext("2d")
                    ctx.reset()
                    const r = gaugeStyle.outerRadius - 6
                    ctx.lineWidth = 10
                    ctx.lineCap = "round"
                    ctx.strokeStyle = "#E3E8EF"
                    ctx.beginPath()
                    ctx.arc(width / 2, height / 2, r, gaugeStyle.radians(gaugeStyle.minimumValueAngle),
                            gaugeStyle.radians(gaugeStyle.maximumValueAngle))
                    ctx.stroke()
                    if (gauge.value > gauge.minimumValue) {
                        ctx.strokeStyle = dial.reachedColor
                        ctx.beginPath()
                        ctx.arc(width / 2, height / 2, r, gaugeStyle.radians(gaugeStyle.minimumValueAngle),
                                gaugeStyle.radians(gaugeStyle.valueToAngle(gauge.value)))
                        ctx.stroke()
                    }
                }
            }
            tickmark: Rectangle {
                implicitWidth: 2
                implicitHeight: 8
                antialiasing: true
                color: "#8F97A9"
            }
            minorTickmark: Rectangle {
                implicitWidth: 1
                implicitHeight: 4
                antialiasing: true
                color: "#B8C0CC"
            }
            tickmarkLabel: Text {
                text: styleData.value
                font.pixelSize: 11
                color: "#4A5568"
                antialiasing: true
            }
            needle: Rectangle {
                implicitWidth: 4
                implicitHeight: gaugeStyle.outerRadius * 0.62
                radius: 2
                antialiasing: true
                color: "#4A5568"
            }
            foreground: Item {
                Rectangle {
                    anchors.centerIn: parent
                    width: 14
                    height: 14
                    radius: 7
                    color: "#4A5568"
                }
            }
        }
    }
    Text {
        id: valueText
        objectName: "dialValue"
        anchors.horizontalCenter: parent.horizontalCenter
        y: gauge.height * 0.70
        text: dial.value.toFixed(2) + " " + dial.unit
        font.pixelSize: 16
        font.bold: true
        color: dial.reachedColor
    }
    Text {
        id: titleText
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        font.pixelSize: 14
        color: "#4A5568"
    }
}
