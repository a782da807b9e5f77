import QtQuick 2.15
import QtQuick.Controls 1.4

TableView {
    id: table
    objectName: "tableDevData"

    // The date takes a little more room than the six readings.
    readonly property real columnWidth: (width - 20) / 7.6

    style: LogTableStyle {}

    TableViewColumn { role: "dateTime"; title: qsTr("Date"); width: table.columnWidth * 1.6 }
    TableViewColumn { role: "inputVol"; title: qsTr("Input Voltage(V)"); width: table.columnWidth }
    TableViewColumn { role: "outputVol"; title: qsTr("Output Voltage(V)"); width: table.columnWidth }
    TableViewColumn { role: "load"; title: qsTr("UPS Load(%)"); width: table.columnWidth }
    TableViewColumn { role: "inputFreq"; title: qsTr("Input Frequency(Hz)"); width: table.columnWidth }
    TableViewColumn { role: "battVol"; title: qsTr("Battery voltage(V)"); width: table.columnWidth }
    TableViewColumn { role: "temperature"; title: qsTr("temperature(℃ )"); width: table.columnWidth }
}
