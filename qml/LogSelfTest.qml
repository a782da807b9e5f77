import QtQuick 2.15
import QtQuick.Controls 1.4
import QtQuick.Layouts 1.15
import QtCharts 2.15
import Ambrel 1.0

// The self-tests of a range of days and the chart of the selected one.
ColumnLayout {
    id: view

    property alias model: table.model
    property alias seriesLoad: seriesLoad
    property alias seriesBattCap: seriesBattCap
    // The chart's last drawn length in seconds; 60 until a record is drawn.
    property real chartEnd: 60

    function selectDate(dateS, dateE) {
        table.model.selectDate(dateS, dateE)
        table.model.selectLog(0)
    }

    // The step between the lines of the time axis: 1, 2 or 5 times a power
    // of ten, the smallest that makes at most ten steps. Whole steps from 0
    // give every line a whole number of seconds for its label.
    function timeStep(length) {
        if (!(length > 10))
            return 1
        for (var step = 1; ; step *= 10) {
            if (length <= 10 * step)
                return step
            if (length <= 20 * step)
                return 2 * step
            if (length <= 50 * step)
                return 5 * step
        }
    }

    function redraw() {
        var record = table.model.selfTestData()
        seriesLoad.clear()
        seriesBattCap.clear()
        var time = record.time || []
        if (time.length === 0)
            return
        chartEnd = parseFloat(time[time.length - 1])
        for (var i = 0; i < time.length; ++i) {
            seriesLoad.append(parseFloat(time[i]), parseFloat(record.load[i]))
            seriesBattCap.append(parseFloat(time[i]), parseFloat(record.battCap[i]))
        }
    }

    spacing: 6

    LogTable {
        id: table
        objectName: "tableSelfTest"
        Layout.fillWidth: true
        Layout.preferredHeight: 150
        onClicked: model.selectLog(row)

        TableViewColumn { role: "dateTime"; title: qsTr("Date") }
        TableViewColumn { role: "duration"; title: qsTr("Duration") }
        TableViewColumn { role: "count"; title: qsTr("Count") }
    }

    Connections {
        target: table.model
        function onReadLogFinished() { view.redraw() }
    }

    ChartView {
        id: chart
        objectName: "chartSelfTest"
        Layout.fillWidth: true
        Layout.fillHeight: true
        antialiasing: true
        legend.alignment: Qt.AlignBottom
        margins { top: 4; bottom: 4; left: 4; right: 4 }

        ValueAxis {
            id: axisX
            min: 0
            max: view.chartEnd
            tickType: ValueAxis.TicksDynamic
            tickAnchor: 0
            tickInterval: view.timeStep(view.chartEnd)
            labelFormat: "%d"
        }
        ValueAxis {
            id: axisY
            min: 0
            max: 200
            labelFormat: "%d"
        }
        LineSeries {
            id: seriesLoad
            name: qsTr("Load(%)")
            axisX: axisX
            axisY: axisY
        }
        LineSeries {
            id: seriesBattCap
            name: qsTr("Battery Capacity(%)")
            axisX: axisX
            axisY: axisY
        }
    }
}
