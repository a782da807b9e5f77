import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Controls 1.4 as C1
import QtQuick.Layouts 1.15
import Ambrel 1.0

// The alarms and events listed now, rebuilt whenever the list is shown and
// whenever their number changes while it is shown.
Popup {
    id: popup

    function rebuild() {
        alarmModel.clear()
        const entries = Alarm.allAlarm()
        for (let i = 0; i < entries.length; ++i)
            alarmModel.append({ "time": entries[i].time, "alarm": entries[i].alarm })
    }

    width: 600
    height: 380
    anchors.centerIn: parent
    modal: true
    closePolicy: Popup.NoAutoClose
    padding: 16
    onVisibleChanged: if (visible) rebuild()

    Connections {
        target: Alarm
        function onAlarmNumChanged() {
            if (popup.visible)
                popup.rebuild()
        }
    }
    ListModel {
        id: alarmModel
    }

    contentItem: ColumnLayout {
        spacing: 12
        Rectangle {
            Layout.fillWidth: true
            Layout.fillHeight: true
            border.color: "#DDE2EA"
            radius: 4
            ListView {
                id: list
                objectName: "currentAlarmList"
                anchors.fill: parent
                anchors.margins: 1
                clip: true
                model: alarmModel
                // Drawn whenever rows lie beyond the view, so that the list
                // tells that more follow.
                ScrollBar.vertical: ScrollBar {
                    objectName: "currentAlarmScrollBar"
                    policy: list.contentHeight > list.height ? ScrollBar.AlwaysOn : ScrollBar.AlwaysOff
                }
                delegate: Rectangle {
                    width: list.width
                    height: Math.max(timeText.implicitHeight, alarmText.implicitHeight) + 14
                    color: index % 2 ? "#F5F7FA" : "white"
                    Text {
                        id: timeText
                        x: 10
                        width: list.width / 3 - 20
                        anchors.verticalCenter: parent.verticalCenter
                        text: model.time
                        font.pixelSize: 13
                        elide: Text.ElideRight
                    }
                    Text {
                        id: alarmText
                        x: list.width / 3
                        width: list.width * 2 / 3 - 10
                        anchors.verticalCenter: parent.verticalCenter
                        text: model.alarm
                        font.pixelSize: 13
                        wrapMode: Text.Wrap
                    }
                }
            }
        }
        C1.Button {
            objectName: "currentAlarmSure"
            Layout.alignment: Qt.AlignRight
            text: qsTr("Sure")
            style: CommonButtonStyle {}
            onClicked: popup.close()
        }
    }
}
