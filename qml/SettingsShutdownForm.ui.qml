import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Controls 1.4 as C1
import QtQuick.Layouts 1.15

Flickable {
    property alias checkPowerControl: checkPowerControl
    property alias spinMainFaultTime: spinMainFaultTime
    property alias spinBattLowTime: spinBattLowTime
    property alias spinMainFaultCap: spinMainFaultCap
    property alias checkOsOff: checkOsOff
    property alias checkExec: checkExec
    property alias fieldExecFile: fieldExecFile
    property alias btnBrowse: btnBrowse
    property alias fieldExecTime: fieldExecTime
    property alias checkUpsOff: checkUpsOff
    property alias spinUpsOffTime: spinUpsOffTime

    clip: true
    contentWidth: width
    contentHeight: content.height + 16
    boundsBehavior: Flickable.StopAtBounds
    ScrollBar.vertical: ScrollBar {}

    ColumnLayout {
        id: content
        width: parent.width - 16
        spacing: 6

        C1.CheckBox {
            id: checkPowerControl
            objectName: "checkPowerControl"
            style: SettingsCheckBoxStyle { bold: true }
            activeFocusOnPress: true
            text: qsTr("Ambrel power control")
        }

        GridLayout {
            Layout.fillWidth: true
            Layout.leftMargin: 28
            columns: 3
            columnSpacing: 10
            rowSpacing: 4
            enabled: checkPowerControl.checked

            Label {
                text: qsTr("After main AC fault, shutdown system in(0~2880)")
                Layout.fillWidth: true
                wrapMode: Text.WordWrap
            }
            SettingsSpinBox {
                id: spinMainFaultTime
                objectName: "spinMainFaultTime"
                editable: true
            }
            Label { text: qsTr("minute(s)") }

            Label {
                text: qsTr("If low battery occurred, shutdown system in(0~600)")
                Layout.fillWidth: true
                wrapMode: Text.WordWrap
            }
            SettingsSpinBox {
                id: spinBattLowTime
                objectName: "spinBattLowTime"
                editable: true
            }
            Label { text: qsTr("minute(s)") }

            Label {
                text: qsTr("After main AC fault, shutdown system when battery capacity lower than(1~100)")
                Layout.fillWidth: true
                wrapMode: Text.WordWrap
            }
            SettingsSpinBox {
                id: spinMainFaultCap
                objectName: "spinMainFaultCap"
                editable: true
            }
            Label { text: "%" }

            C1.CheckBox {
                id: checkOsOff
                objectName: "checkOsOff"
                style: SettingsCheckBoxStyle {}
                activeFocusOnPress: true
                Layout.columnSpan: 3
                text: qsTr("Shutdown OS")
            }
            C1.CheckBox {
                id: checkExec
                objectName: "checkExec"
                style: SettingsCheckBoxStyle {}
                activeFocusOnPress: true
                Layout.columnSpan: 3
                text: qsTr("Command file to execute:")
            }
        }

        GridLayout {
            Layout.fillWidth: true
            Layout.leftMargin: 56
            columns: 3
            columnSpacing: 10
            rowSpacing: 4
            enabled: checkPowerControl.checked && checkExec.checked

            Label { text: qsTr("Command file:") }
            TextField {
                id: fieldExecFile
                objectName: "fieldExecFile"
                Layout.fillWidth: true
            }
            C1.Button {
                id: btnBrowse
                objectName: "btnBrowse"
                style: SettingsButtonStyle {}
                activeFocusOnPress: true
                text: qsTr("Browse")
            }

            Label { text: qsTr("Max. execution time:") }
            RowLayout {
                Layout.columnSpan: 2
                spacing: 10
                TextField {
                    id: fieldExecTime
                    objectName: "fieldExecTime"
                    Layout.preferredWidth: 80
                    placeholderText: "1~30"
                    // The range is checked when editing ends.
                    validator: RegularExpressionValidator { regularExpression: /[0-9]{0,9}/ }
                }
                Label { text: qsTr("minute(s)") }
            }
        }

        C1.CheckBox {
            id: checkUpsOff
            objectName: "checkUpsOff"
            style: SettingsCheckBoxStyle { bold: true }
            activeFocusOnPress: true
            Layout.topMargin: 8
            text: qsTr("UPS Power Off")
        }
        RowLayout {
            Layout.fillWidth: true
            Layout.leftMargin: 28
            spacing: 10
            enabled: checkUpsOff.checked
            Label { text: qsTr("Times need (1~9)") }
            SettingsSpinBox {
                id: spinUpsOffTime
                objectName: "spinUpsOffTime"
                editable: true
            }
            Label {
                text: qsTr("minute(s) before UPS turns off")
                Layout.fillWidth: true
                wrapMode: Text.WordWrap
            }
        }
    }
}
