import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Controls 1.4 as C1
import QtQuick.Layouts 1.15

Flickable {
    property alias switchEnable: switchEnable
    property alias body: body
    property alias fieldSenderName: fieldSenderName
    property alias fieldSenderAddress: fieldSenderAddress
    property alias fieldServerAddress: fieldServerAddress
    property alias fieldServerPort: fieldServerPort
    property alias comboEncrypt: comboEncrypt
    property alias checkAuth: checkAuth
    property alias btnAuthSettings: btnAuthSettings
    property alias btnTestMail: btnTestMail
    property alias listReceivers: listReceivers
    property alias btnAddUser: btnAddUser
    property alias btnModifyUser: btnModifyUser
    property alias btnDeleteUser: btnDeleteUser
    property alias radioDaily: radioDaily
    property alias spinHour: spinHour
    property alias spinMinute: spinMinute
    property alias spinSecond: spinSecond

    // Plain qsTr bindings, renewed by a language change.
    property string textEMail: qsTr("E-Mail")
    property string textOn: qsTr("ON")
    property string textOff: qsTr("OFF")
    property string textNone: qsTr("None")

    clip: true
    contentWidth: width
    contentHeight: content.height + 16
    boundsBehavior: Flickable.StopAtBounds
    ScrollBar.vertical: ScrollBar {}

    ColumnLayout {
        id: content
        width: parent.width - 16
        spacing: 8

        RowLayout {
            Layout.fillWidth: true
            SettingsSwitch {
                id: switchEnable
                objectName: "switchEMail"
                text: textEMail + "  " + (checked ? textOn : textOff)
                font.bold: true
                Layout.fillWidth: true
            }
            C1.Button {
                id: btnTestMail
                objectName: "btnTestMail"
                style: SettingsButtonStyle {}
                activeFocusOnPress: true
                text: qsTr("Send Test Mail")
            }
        }

        ColumnLayout {
            id: body
            Layout.fillWidth: true
            spacing: 8

            Label {
                text: qsTr("Sender Information")
                font.bold: true
                font.pixelSize: 15
            }
            GridLayout {
                Layout.fillWidth: true
                Layout.leftMargin: 12
                columns: 4
                columnSpacing: 10
                rowSpacing: 6

                Label { text: qsTr("Sender Name:") }
                TextField {
                    id: fieldSenderName
                    objectName: "fieldSenderName"
                    Layout.fillWidth: true
                    Layout.preferredWidth: 60
                }
                Label { text: qsTr("Sender Address:") }
                TextField {
                    id: fieldSenderAddress
                    objectName: "fieldSenderAddress"
                    Layout.fillWidth: true
                    Layout.preferredWidth: 60
                }

                Label { text: qsTr("Server Address:") }
                TextField {
                    id: fieldServerAddress
                    objectName: "fieldServerAddress"
                    Layout.fillWidth: true
                    Layout.preferredWidth: 60
                }
                Label { text: qsTr("Server Port:") }
                TextField {
                    id: fieldServerPort
                    objectName: "fieldServerPort"
                    Layout.fillWidth: true
                    Layout.preferredWidth: 60
                    text: "25"
                    // The range is checked when editing ends.
                    validator: RegularExpressionValidator { regularExpression: /[0-9]{0,9}/ }
                }

                Label { text: qsTr("Encrypt:") }
                SettingsComboBox {
                    id: comboEncrypt
                    objectName: "comboEncrypt"
                    Layout.fillWidth: true
                    Layout.preferredWidth: 60
                    model: [textNone, "STARTTLS", "SSL/TLS"]
                }
                C1.CheckBox {
                    id: checkAuth
                    objectName: "checkAuth"
                    style: SettingsCheckBoxStyle {}
                    activeFocusOnPress: true
                    text: qsTr("Account authentication:")
                }
                C1.Button {
                    id: btnAuthSettings
                    objectName: "btnAuthSettings"
                    style: SettingsButtonStyle {}
                    activeFocusOnPress: true
                    text: qsTr("Settings")
                }
            }

            Label {
                text: qsTr("E-mail Address")
                font.bold: true
                font.pixelSize: 15
            }
            RowLayout {
                Layout.fillWidth: true
                Layout.leftMargin: 12
                spacing: 10
                Rectangle {
                    Layout.fillWidth: true
                    Layout.preferredHeight: 110
                    border.color: "#D5DAE3"
                    clip: true
                    ListView {
                        id: listReceivers
                        objectName: "listReceivers"
                        anchors.fill: parent
                        anchors.margins: 1
                        currentIndex: -1
                        ScrollBar.vertical: ScrollBar {}
                        delegate: SettingsListDelegate {
                            objectName: "receiverRow" + index
                            text: model.user
                            onClicked: listReceivers.currentIndex = index
                        }
                    }
                }
                ColumnLayout {
                    Layout.alignment: Qt.AlignTop
                    Layout.fillWidth: false
                    Layout.preferredWidth: 130
                    spacing: 4
                    C1.Button {
                        id: btnAddUser
                        objectName: "btnAddUser"
                        style: SettingsButtonStyle {}
                        activeFocusOnPress: true
                        Layout.fillWidth: true
                        text: qsTr("Add")
                    }
                    C1.Button {
                        id: btnModifyUser
                        objectName: "btnModifyUser"
                        style: SettingsButtonStyle {}
                        activeFocusOnPress: true
                        Layout.fillWidth: true
                        text: qsTr("Modify")
                    }
                    C1.Button {
                        id: btnDeleteUser
                        objectName: "btnDeleteUser"
                        style: SettingsButtonStyle {}
                        activeFocusOnPress: true
                        Layout.fillWidth: true
                        text: qsTr("Delete")
                    }
                }
            }

            SettingsRadioButton {
                id: radioDaily
                objectName: "radioDaily"
                Layout.leftMargin: 12
                autoExclusive: false
                text: qsTr("Daily Report Send Time(HH:MM:SS): ")
            }
            RowLayout {
                Layout.leftMargin: 48
                spacing: 6
                SettingsSpinBox {
                    id: spinHour
                    objectName: "spinDailyHour"
                    from: 0
                    to: 23
                    editable: true
                }
                Label { text: ":" }
                SettingsSpinBox {
                    id: spinMinute
                    objectName: "spinDailyMinute"
                    from: 0
                    to: 59
                    editable: true
                }
                Label { text: ":" }
                SettingsSpinBox {
                    id: spinSecond
                    objectName: "spinDailySecond"
                    from: 0
                    to: 59
                    editable: true
                }
            }
        }
    }
}
