import QtQuick 2.15
import QtQuick.Window 2.15
import QtCharts 2.3
import Ambrel 1.0

// The last input and output voltages. The series follow the record only
// while the chart can be seen (a chart redraws itself on every change, also
// out of sight); it catches up when it comes into view.
ChartView {
    id: chart

    readonly property bool seen: visible && Window.window !== null && Window.visibility !== Window.Hidden
                                 && Window.visibility !== Window.Minimized

    function refresh() {
        const d = DevComm.devData
        const input = d.inputVolList || []
        const output = d.outputVolList || []
        inputSeries.clear()
        outputSeries.clear()
        for (let i = 0; i < input.length; ++i) {
            inputSeries.append(i, input[i])
            outputSeries.append(i, output[i] || 0)
        }
    }

    onSeenChanged: if (seen) refresh()

    antialiasing: true
    legend.alignment: Qt.AlignBottom
    legend.font.pixelSize: 12
    margins.top: 4
    margins.bottom: 4
    backgroundRoundness: 0

    Connections {
        target: DevComm
        enabled: chart.seen
        function onDevDataChanged() { chart.refresh() }
    }

    ValueAxis {
        id: axisX
        min: 0
        max: 60
        tickCount: 7
        labelFormat: "%d"
        labelsFont.pixelSize: 11
    }
    ValueAxis {
        id: axisY
        min: 0
        max: 400
        tickCount: 5
        labelFormat: "%d"
        labelsFont.pixelSize: 11
    }
    LineSeries {
        id: inputSeries
        objectName: "inputSeries"
        name: qsTr("Input Voltage(V)")
        axisX: axisX
        axisY: axisY
        color: "#1388FF"
        width: 2
    }
    LineSeries {
        id: outputSeries
        objectName: "outputSeries"
        name: qsTr("Output Voltage(V)")
        axisX: axisX
        axisY: axisY
        color: "#1AE596"
        width: 2
    }
}
