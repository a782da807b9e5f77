import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15

Item {
    property alias tabButtons: tabButtons
    property alias dateStart: dateStart
    property alias dateEnd: dateEnd
    property alias dateTools: dateTools
    property alias btnSearch: btnSearch
    property alias btnExport: btnExport
    property alias stack: stack
    property alias devDataView: devDataView
    property alias alarmView: alarmView
    property alias closedRecordsView: closedRecordsView
    property alias selfTestView: selfTestView
    property alias busy: busy

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: 16
        spacing: 10

        RowLayout {
            Layout.fillWidth: true
            Layout.preferredHeight: 40
            spacing: 10
            Label {
                text: qsTr("Historical Data")
                font.pixelSize: 18
                font.bold: true
                Layout.fillWidth: true
            }
            RowLayout {
                id: dateTools
                spacing: 8
                Label { text: qsTr("Date Start:") }
                DateEdit {
                    id: dateStart
                    objectName: "dateStart"
                }
                Label { text: qsTr("Date End:") }
                DateEdit {
                    id: dateEnd
                    objectName: "dateEnd"
                }
                Button {
                    id: btnSearch
                    objectName: "btnSearch"
                    icon.source: "qrc:/res/image/search.png"
                    icon.color: "transparent"
                }
                Button {
                    id: btnExport
                    objectName: "btnHistoryExport"
                    icon.source: "qrc:/res/image/print.png"
                    icon.color: "transparent"
                }
            }
        }

        RowLayout {
            Layout.fillWidth: true
            Layout.fillHeight: true
            spacing: 12

            Rectangle {
                Layout.preferredWidth: 150
                Layout.fillHeight: true
                border.color: "#D5DAE3"
                Column {
                    id: tabButtons
                    anchors.fill: parent
                    anchors.margins: 1
                }
            }

            StackLayout {
                id: stack
                Layout.fillWidth: true
                Layout.fillHeight: true

                LogDevDataForm { id: devDataView }
                LogAlarmDataForm { id: alarmView }
                LogClosedRecordsForm { id: closedRecordsView }
                LogSelfTest {
                    id: selfTestView
                    objectName: "logSelfTest"
                }
            }
        }
    }

    BusyIndicator {
        id: busy
        objectName: "busyExport"
        anchors.centerIn: parent
        running: false
    }
}
