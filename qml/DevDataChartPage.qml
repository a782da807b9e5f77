import QtQuick 2.15
import QtCharts 2.3
import Ambrel 1.0

// The last input and output voltages.
ChartView {
    id: chart

    antialiasing: true
    legend.alignment: Qt.AlignBottom
    legend.font.pixelSize: 12
    margins.top: 4
    margins.bottom: 4
    backgroundRoundness: 0

    Connections {
        target: DevComm
        function onDevDataChanged() {
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
