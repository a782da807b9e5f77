import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15

Item {
    property alias radioSelfTest10S: radioSelfTest10S
    property alias radioSelfTestEOD: radioSelfTestEOD
    property alias radioSelfTestCustom: radioSelfTestCustom
    property alias spinSelfTestMinutes: spinSelfTestMinutes
    property alias radioSelfTestCancel: radioSelfTestCancel
    property alias radioCloseOutput: radioCloseOutput
    property alias spinCloseMinutes: spinCloseMinutes
    property alias radioCancelClose: radioCancelClose
    property alias radioBuzzer: radioBuzzer
    property alias btnSure: btnSure

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: 16
        spacing: 10

        Label {
            text: qsTr("UPS Control")
            font.pixelSize: 18
            font.bold: true
        }

        Rectangle {
            Layout.fillWidth: true
            Layout.fillHeight: true
            border.color: "#D5DAE3"
            color: "white"

            ButtonGroup { id: choices }

            ColumnLayout {
                anchors.left: parent.left
                anchors.top: parent.top
                anchors.margins: 24
                spacing: 6

                RadioButton {
                    id: radioSelfTest10S
                    objectName: "radioSelfTest10S"
                    text: qsTr("UPS Self-test for 10S")
                    ButtonGroup.group: choices
                }
                RadioButton {
                    id: radioSelfTestEOD
                    objectName: "radioSelfTestEOD"
                    text: qsTr("UPS Self-test to EOD")
                    ButtonGroup.group: choices
                }
                RowLayout {
                    spacing: 8
                    RadioButton {
                        id: radioSelfTestCustom
                        objectName: "radioSelfTestCustom"
                        text: qsTr("UPS Self-test for(1~99)")
                        ButtonGroup.group: choices
                    }
                    SpinBox {
                        id: spinSelfTestMinutes
                        objectName: "spinSelfTestMinutes"
                        from: 1
                        to: 99
                        value: 1
                        editable: true
                    }
                    Label { text: qsTr("minute(s)") }
                }
                RadioButton {
                    id: radioSelfTestCancel
                    objectName: "radioSelfTestCancel"
                    text: qsTr("UPS Self-test cancel")
                    ButtonGroup.group: choices
                }
                RowLayout {
                    spacing: 8
                    RadioButton {
                        id: radioCloseOutput
                        objectName: "radioCloseOutput"
                        text: qsTr("UPS close output in(0~9)")
                        ButtonGroup.group: choices
                    }
                    SpinBox {
                        id: spinCloseMinutes
                        objectName: "spinCloseMinutes"
                        from: 0
                        to: 9
                        value: 0
                        editable: true
                    }
                    Label { text: qsTr("minute(s)") }
                }
                RadioButton {
                    id: radioCancelClose
                    objectName: "radioCancelClose"
                    text: qsTr("Cancel UPS close output")
                    ButtonGroup.group: choices
                }
                RadioButton {
                    id: radioBuzzer
                    objectName: "radioBuzzer"
                    text: qsTr("UPS buzzer toggle")
                    ButtonGroup.group: choices
                }
                Button {
                    id: btnSure
                    objectName: "btnControlSure"
                    Layout.topMargin: 16
                    Layout.preferredWidth: 120
                    text: qsTr("Sure")
                    highlighted: true
                }
            }
        }
    }
}
