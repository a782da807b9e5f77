import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15

Item {
    property alias title: title
    property alias listView: listView
    property alias btnAdd: btnAdd

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: 16
        spacing: 10

        RowLayout {
            Layout.fillWidth: true
            Label {
                id: title
                text: qsTr("Schedule Task")
                font.pixelSize: 18
                font.bold: true
                Layout.fillWidth: true
            }
            Button {
                id: btnAdd
                objectName: "btnAddTask"
                text: qsTr("Add Task")
                contentItem: Label {
                    text: "+  " + btnAdd.text
                    font: btnAdd.font
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                }
            }
        }

        Rectangle {
            Layout.fillWidth: true
            Layout.fillHeight: true
            border.color: "#D5DAE3"
            color: "white"

            ListView {
                id: listView
                objectName: "scheduleTaskList"
                anchors.fill: parent
                anchors.margins: 1
                clip: true
                currentIndex: -1
                highlightMoveDuration: 0
                highlight: Rectangle { color: "#DCEBFC" }
                ScrollBar.vertical: ScrollBar {}
            }
        }
    }
}
