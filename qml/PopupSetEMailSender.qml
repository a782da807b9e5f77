import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Controls 1.4 as C1
import QtQuick.Layouts 1.15
import Ambrel 1.0

// The account and password with which the mail server is logged into.
Popup {
    id: popup

    modal: true
    closePolicy: Popup.NoAutoClose
    anchors.centerIn: Overlay.overlay
    width: 460
    padding: 0

    onAboutToShow: {
        fieldAccount.text = ServiceEMail.authAccount
        fieldPassword.text = ServiceEMail.authPassword
    }

    contentItem: ColumnLayout {
        spacing: 0

        PopupTitleBar {
            text: qsTr("E-Mail Sender")
            closeButton.objectName: "btnCloseSenderPopup"
            closeButton.onClicked: popup.close()
        }

        GridLayout {
            Layout.fillWidth: true
            Layout.margins: 20
            columns: 2
            columnSpacing: 10
            rowSpacing: 10
            Label { text: qsTr("Account:") }
            TextField {
                id: fieldAccount
                objectName: "fieldAuthAccount"
                Layout.fillWidth: true
                validator: RegularExpressionValidator { regularExpression: new RegExp(SettingsRules.addressPattern) }
            }
            Label { text: qsTr("Password:") }
            TextField {
                id: fieldPassword
                objectName: "fieldAuthPassword"
                Layout.fillWidth: true
                echoMode: TextInput.Password
            }
        }

        C1.Button {
            objectName: "btnSenderSure"
            style: SettingsButtonStyle {}
            activeFocusOnPress: true
            Layout.alignment: Qt.AlignRight
            Layout.margins: 16
            text: qsTr("Sure")
            onClicked: {
                if (!SettingsRules.isAddress(fieldAccount.text)) {
                    invalid.open()
                    return
                }
                ServiceEMail.authAccount = fieldAccount.text
                ServiceEMail.authPassword = fieldPassword.text
                popup.close()
            }
        }
    }

    MsgDialog {
        id: invalid
        objectName: "msgAccountInvalid"
        imageType: GlobalDataDef.MsgDialogWarning
        buttons: GlobalDataDef.MsgDialogButtonSure
        textMsg: qsTr("User account is invalid!")
    }
}
