import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Controls 1.4 as C1
import QtQuick.Layouts 1.15

Flickable {
    property alias comboCommType: comboCommType
    property alias comboPort: comboPort
    property alias comboBaud: comboBaud
    property alias fieldSaveCycle: fieldSaveCycle
    property alias comboLanguage: comboLanguage
    property alias checkFollowSystem: checkFollowSystem
    property alias btnImport: btnImport
    property alias btnExport: btnExport
    property alias btnRestore: btnRestore
    property alias btnOpenPath: btnOpenPath
    property alias labelAppVersion: labelAppVersion
    property alias labelUsbVersion: labelUsbVersion
    property alias imageLogo: imageLogo

    // A plain qsTr binding, renewed by a language change.
    property string textVersion: qsTr(" version:")

    clip: true
    contentWidth: width
    contentHeight: content.height + 16
    boundsBehavior: Flickable.StopAtBounds
    ScrollBar.vertical: ScrollBar {}

    ColumnLayout {
        id: content
        width: parent.width - 16
        spacing: 8

        Label {
            text: qsTr("Base Parameter")
            font.bold: true
            font.pixelSize: 15
        }
        GridLayout {
            Layout.fillWidth: true
            Layout.leftMargin: 12
            columns: 3
            columnSpacing: 10
            rowSpacing: 6

            Label { text: qsTr("UPS Communication Type:") }
            SettingsComboBox {
                id: comboCommType
                objectName: "comboCommType"
                Layout.preferredWidth: 160
                model: ["USB", "COM"]
            }
            Item { Layout.fillWidth: true }

            Label { text: qsTr("COM port:") }
            SettingsComboBox {
                id: comboPort
                objectName: "comboPort"
                Layout.preferredWidth: 160
            }
            SettingsComboBox {
                id: comboBaud
                objectName: "comboBaud"
                Layout.preferredWidth: 110
                model: ["2400", "4800", "9600", "14400", "19200", "38400"]
            }

            Label { text: qsTr("Record data interval(Sec):") }
            TextField {
                id: fieldSaveCycle
                objectName: "fieldSaveCycle"
                Layout.preferredWidth: 160
                placeholderText: "1~600"
                // The range is checked when editing ends.
                validator: RegularExpressionValidator { regularExpression: /[0-9]{0,9}/ }
            }
            Item { Layout.fillWidth: true }

            Label { text: qsTr("Language:") }
            SettingsComboBox {
                id: comboLanguage
                objectName: "comboLanguage"
                Layout.preferredWidth: 160
                model: ["English", "中文简体 ", "Français", "Русский"]
            }
            C1.CheckBox {
                id: checkFollowSystem
                objectName: "checkFollowSystem"
                style: SettingsCheckBoxStyle {}
                activeFocusOnPress: true
                text: qsTr("Following System Language")
                Layout.fillWidth: true
            }
        }

        Label {
            text: qsTr("Settings Management")
            font.bold: true
            font.pixelSize: 15
            Layout.topMargin: 8
        }
        GridLayout {
            Layout.fillWidth: true
            Layout.leftMargin: 12
            columns: 2
            columnSpacing: 10
            rowSpacing: 6

            Label { text: qsTr("Settings Import:") }
            C1.Button {
                id: btnImport
                objectName: "btnImport"
                style: SettingsButtonStyle {}
                activeFocusOnPress: true
                text: qsTr("Look for...")
            }
            Label { text: qsTr("Settings Export:") }
            C1.Button {
                id: btnExport
                objectName: "btnExport"
                style: SettingsButtonStyle {}
                activeFocusOnPress: true
                text: qsTr("Save as...")
            }
            RowLayout {
                Layout.columnSpan: 2
                spacing: 10
                C1.Button {
                    id: btnRestore
                    objectName: "btnRestore"
                    style: SettingsButtonStyle {}
                    activeFocusOnPress: true
                    text: qsTr("Restore Default Settings")
                }
                C1.Button {
                    id: btnOpenPath
                    objectName: "btnOpenPath"
                    style: SettingsButtonStyle {}
                    activeFocusOnPress: true
                    text: qsTr("Open Path")
                }
            }
        }

        Label {
            text: qsTr("Version Information")
            font.bold: true
            font.pixelSize: 15
            Layout.topMargin: 8
        }
        RowLayout {
            Layout.fillWidth: true
            Layout.leftMargin: 12
            spacing: 16
            GridLayout {
                columns: 2
                columnSpacing: 10
                rowSpacing: 6
                Label {
                    text: appName + textVersion
                }
                Label {
                    id: labelAppVersion
                    objectName: "labelAppVersion"
                }
                Label { text: qsTr("USB HID version:") }
                Label {
                    id: labelUsbVersion
                    objectName: "labelUsbVersion"
                }
            }
            Image {
                id: imageLogo
                objectName: "imageLogo"
                Layout.preferredHeight: 48
                Layout.preferredWidth: 160
                fillMode: Image.PreserveAspectFit
            }
        }
    }
}
