import QtQuick 2.15
import QtQuick.Layouts 1.15

Rectangle {
    property alias btnDevice: btnDevice
    property alias btnScheduleTask: btnScheduleTask
    property alias btnControl: btnControl
    property alias btnSettings: btnSettings
    property alias btnHistory: btnHistory
    property alias btnAlarm: btnAlarm
    property alias badge: badge
    property alias badgeText: badgeText

    color: "white"

    Rectangle {
        width: parent.width
        height: 1
        color: "#DDE2EA"
    }
    RowLayout {
        anchors.fill: parent
        anchors.leftMargin: 20
        anchors.rightMargin: 20
        spacing: 8

        ImageButton {
            id: btnDevice
            objectName: "footerDevice"
            Layout.fillWidth: true
            Layout.fillHeight: true
            text: qsTr("Device")
            source: "qrc:/res/image/device.png"
            sourceClicked: "qrc:/res/image/deviceClicked.png"
        }
        ImageButton {
            id: btnScheduleTask
            objectName: "footerScheduleTask"
            Layout.fillWidth: true
            Layout.fillHeight: true
            text: qsTr("Schedule Task")
            source: "qrc:/res/image/scheduleTask.png"
            sourceClicked: "qrc:/res/image/scheduleTaskClicked.png"
        }
        ImageButton {
            id: btnControl
            objectName: "footerControl"
            Layout.fillWidth: true
            Layout.fillHeight: true
            text: qsTr("UPS Control")
            source: "qrc:/res/image/upsControl.png"
            sourceClicked: "qrc:/res/image/upsControlClicked.png"
        }
        ImageButton {
            id: btnSettings
            objectName: "footerSettings"
            Layout.fillWidth: true
            Layout.fillHeight: true
            text: qsTr("Settings")
            source: "qrc:/res/image/settings.png"
            sourceClicked: "qrc:/res/image/settingsClicked.png"
        }
        ImageButton {
            id: btnHistory
            objectName: "footerHistory"
            Layout.fillWidth: true
            Layout.fillHeight: true
            text: qsTr("Historical Data")
            source: "qrc:/res/image/history.png"
            sourceClicked: "qrc:/res/image/historyClicked.png"
        }
        Rectangle {
            Layout.preferredWidth: 1
            Layout.preferredHeight: 40
            color: "#DDE2EA"
        }
        ImageButton {
            id: btnAlarm
            objectName: "footerAlarm"
            Layout.preferredWidth: 80
            Layout.fillHeight: true
            source: "qrc:/res/image/alarm.png"

            Rectangle {
                id: badge
                objectName: "alarmBadge"
                x: parent.width / 2 + 4
                y: 10
                width: Math.max(20, badgeText.implicitWidth + 10)
                height: 20
                radius: 10
                color: "#FD323B"
                Text {
                    id: badgeText
                    objectName: "alarmBadgeText"
                    anchors.centerIn: parent
                    color: "white"
                    font.pixelSize: 12
                    font.bold: true
                }
            }
        }
    }
}
