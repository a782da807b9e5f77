import QtQuick 2.15
import QtQuick.Controls 1.4

LogTable {
    id: table
    objectName: "tableDevData"

    // The date takes a little more room than the six readings.
    TableViewColumn { role: "dateTime"; title: qsTr("Date"); property real share: 1.6 }
    TableViewColumn { role: "inputVol"; title: qsTr("Input Voltage(V)") }
    TableViewColumn { role: "outputVol"; title: qsTr("Output Voltage(V)") }
    TableViewColumn { role: "load"; title: qsTr("UPS Load(%)") }
    TableViewColumn { role: "inputFreq"; title: qsTr("Input Frequency(Hz)") }
    TableViewColumn { role: "battVol"; title: qsTr("Battery voltage(V)") }
    TableViewColumn { role: "temperature"; title: qsTr("temperature(℃ )") }
}
