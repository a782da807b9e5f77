import QtQuick 2.15
import QtQuick.Controls 1.4

LogTable {
    id: table
    objectName: "tableAlarm"

    TableViewColumn { role: "dateTime"; title: qsTr("Date") }
    TableViewColumn { role: "alarm"; title: qsTr("Alarm") }
}
