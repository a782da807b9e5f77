import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15

Popup {
    property alias title: title
    property alias comboAction: comboAction
    property alias fieldHour: fieldHour
    property alias fieldMinute: fieldMinute
    property alias fieldSecond: fieldSecond
    property alias comboCycle: comboCycle
    property alias btnSure: btnSure
    property alias btnCancel: btnCancel
    property alias btnClose: title.closeButton

    // Plain qsTr bindings, renewed by a language change.
    property string textSelfTest10S: qsTr("Self-test for 10S")
    property string textSelfTestEOD: qsTr("Self-test to EOD")
    property string textPowerOn: qsTr("UPS Power on")
    property string textPowerOff: qsTr("Shutdown system and close UPS")
    property string textOneShoot: qsTr("One Shoot")
    property string textEveryDay: qsTr("Every day")
    property string textEveryWeek: qsTr("Every Week")
    property string textEveryMonth: qsTr("Every Month")

    modal: true
    closePolicy: Popup.NoAutoClose
    anchors.centerIn: Overlay.overlay
    width: 460
    padding: 0

    contentItem: ColumnLayout {
        spacing: 0

        PopupTitleBar {
            id: title
            closeButton.objectName: "btnCloseTaskEditor"
        }

        GridLayout {
            Layout.fillWidth: true
            Layout.margins: 20
            columns: 2
            columnSpacing: 12
            rowSpacing: 14

            Label { text: qsTr("Task Type:"); Layout.alignment: Qt.AlignRight }
            SettingsComboBox {
                id: comboAction
                objectName: "comboTaskAction"
                Layout.fillWidth: true
                model: [textSelfTest10S, textSelfTestEOD, textPowerOn, textPowerOff]
            }

            Label { text: qsTr("Execute Time:"); Layout.alignment: Qt.AlignRight }
            RowLayout {
                spacing: 4
                TextField {
                    id: fieldHour
                    objectName: "fieldHour"
                    Layout.preferredWidth: 56
                    horizontalAlignment: Text.AlignHCenter
                    validator: IntValidator { bottom: 0; top: 23 }
                }
                Label { text: ":" }
                TextField {
                    id: fieldMinute
                    objectName: "fieldMinute"
                    Layout.preferredWidth: 56
                    horizontalAlignment: Text.AlignHCenter
                    validator: IntValidator { bottom: 0; top: 59 }
                }
                Label { text: ":" }
                TextField {
                    id: fieldSecond
                    objectName: "fieldSecond"
                    Layout.preferredWidth: 56
                    horizontalAlignment: Text.AlignHCenter
                    validator: IntValidator { bottom: 0; top: 59 }
                }
            }

            Label { text: qsTr("Execute Cyle:"); Layout.alignment: Qt.AlignRight }
            SettingsComboBox {
                id: comboCycle
                objectName: "comboTaskCycle"
                Layout.fillWidth: true
                model: [textOneShoot, textEveryDay, textEveryWeek, textEveryMonth]
            }
        }

        RowLayout {
            Layout.alignment: Qt.AlignRight
            Layout.margins: 16
            spacing: 10
            Button {
                id: btnSure
                objectName: "btnTaskSure"
                text: qsTr("Sure")
                highlighted: true
            }
            Button {
                id: btnCancel
                objectName: "btnTaskCancel"
                text: qsTr("Cancel")
            }
        }
    }
}
