import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Controls 1.4 as C1
import QtQuick.Layouts 1.15
import Ambrel 1.0

// Adds a mail receiver or modifies one; an invalid address keeps it open.
Popup {
    id: popup

    property int row: -1
    // Plain qsTr bindings, renewed by a language change.
    property string textAdd: qsTr("Add")
    property string textModify: qsTr("Modify")

    signal userAccepted(int row, string user)

    function openForAdd() {
        row = -1
        fieldUser.text = ""
        open()
    }

    function openForModify(userRow, user) {
        row = userRow
        fieldUser.text = user
        open()
    }

    modal: true
    closePolicy: Popup.NoAutoClose
    anchors.centerIn: Overlay.overlay
    width: 460
    padding: 0

    contentItem: ColumnLayout {
        spacing: 0

        PopupTitleBar {
            text: popup.row < 0 ? popup.textAdd : popup.textModify
            closeButton.objectName: "btnCloseUserPopup"
            closeButton.onClicked: popup.close()
        }

        RowLayout {
            Layout.margins: 20
            spacing: 10
            Label { text: qsTr("E-Mail Receiver:") }
            TextField {
                id: fieldUser
                objectName: "fieldReceiver"
                Layout.fillWidth: true
                validator: RegularExpressionValidator { regularExpression: new RegExp(SettingsRules.addressPattern) }
            }
        }

        C1.Button {
            objectName: "btnUserAccept"
            style: SettingsButtonStyle {}
            activeFocusOnPress: true
            Layout.alignment: Qt.AlignRight
            Layout.margins: 16
            text: popup.row < 0 ? popup.textAdd : popup.textModify
            onClicked: {
                if (!SettingsRules.isAddress(fieldUser.text)) {
                    invalid.open()
                    return
                }
                popup.userAccepted(popup.row, fieldUser.text)
                popup.close()
            }
        }
    }

    MsgDialog {
        id: invalid
        objectName: "msgReceiverInvalid"
        imageType: GlobalDataDef.MsgDialogWarning
        buttons: GlobalDataDef.MsgDialogButtonSure
        textMsg: qsTr("E-Mail address is invalid!")
    }
}
