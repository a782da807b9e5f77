import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Controls 1.4 as C1
import Ambrel 1.0

// The message dialog of every page: an icon by imageType, the message and
// the buttons that the bits of `buttons` ask for, laid out from the right.
Dialog {
    id: dialog

    property int imageType: GlobalDataDef.MsgDialogNoIcon
    property int buttons: GlobalDataDef.MsgDialogButtonSure
    property string textMsg

    anchors.centerIn: parent
    modal: true
    closePolicy: Popup.NoAutoClose
    padding: 24

    contentItem: Row {
        spacing: 16
        Image {
            objectName: "msgIcon"
            anchors.verticalCenter: parent.verticalCenter
            visible: source.toString() !== ""
            source: {
                switch (dialog.imageType) {
                case GlobalDataDef.MsgDialogInformation: return "qrc:/res/image/information.png"
                case GlobalDataDef.MsgDialogQuestion: return "qrc:/res/image/question.png"
                case GlobalDataDef.MsgDialogWarning: return "qrc:/res/image/warning.png"
                default: return ""
                }
            }
        }
        Text {
            objectName: "msgText"
            anchors.verticalCenter: parent.verticalCenter
            width: Math.min(implicitWidth, 380)
            text: dialog.textMsg
            font.pixelSize: 14
            wrapMode: Text.Wrap
        }
    }
    footer: Item {
        implicitHeight: 54
        Row {
            anchors.right: parent.right
            anchors.rightMargin: 20
            anchors.top: parent.top
            layoutDirection: Qt.RightToLeft
            spacing: 10
            C1.Button {
                objectName: "msgSure"
                visible: dialog.buttons & GlobalDataDef.MsgDialogButtonSure
                text: qsTr("Sure")
                style: CommonButtonStyle {}
                onClicked: dialog.accept()
            }
            C1.Button {
                objectName: "msgCancel"
                visible: dialog.buttons & GlobalDataDef.MsgDialogButtonCancel
                text: qsTr("Cancel")
                style: CommonButtonStyle {}
                onClicked: dialog.reject()
            }
        }
    }
}
