import QtQuick 2.15
import QtQuick.Controls 1.4

TableView {
    id: table
    objectName: "tableAlarm"
    style: LogTableStyle {}

    TableViewColumn { role: "dateTime"; title: qsTr("Date"); width: (table.width - 20) / 2 }
    TableViewColumn { role: "alarm"; title: qsTr("Alarm"); width: (table.width - 20) / 2 }
}
