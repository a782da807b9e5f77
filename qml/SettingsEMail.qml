import QtQuick 2.15
import Ambrel 1.0

// The mail settings: sender, server, receivers and the daily report. Every
// change goes to the e-mail service at once.
SettingsEMailForm {
    id: page

    property bool testPending: false

    function load() {
        switchEnable.checked = ServiceEMail.enable
        fieldSenderName.text = ServiceEMail.senderName
        fieldSenderAddress.text = ServiceEMail.senderAddress
        fieldServerAddress.text = ServiceEMail.serverAddress
        fieldServerPort.text = ServiceEMail.serverPort
        comboEncrypt.currentIndex = ServiceEMail.encrypt
        checkAuth.checked = ServiceEMail.authEnable
        radioDaily.checked = ServiceEMail.dailyEnable
        spinHour.value = ServiceEMail.dailyHour
        spinMinute.value = ServiceEMail.dailyMinute
        spinSecond.value = ServiceEMail.dailySecond
    }

    function showMessage(type, text) {
        message.imageType = type
        message.textMsg = text
        if (!message.opened)
            message.open()
    }

    body.enabled: switchEnable.checked
    btnTestMail.enabled: switchEnable.checked
    btnAuthSettings.enabled: switchEnable.checked && checkAuth.checked
    spinHour.enabled: radioDaily.checked
    spinMinute.enabled: radioDaily.checked
    spinSecond.enabled: radioDaily.checked
    btnModifyUser.enabled: listReceivers.currentIndex >= 0
    btnDeleteUser.enabled: listReceivers.currentIndex >= 0
    listReceivers.model: listModelEMailUser

    switchEnable.onToggled: ServiceEMail.enable = switchEnable.checked
    fieldSenderName.onEditingFinished: ServiceEMail.senderName = fieldSenderName.text
    fieldSenderAddress.onEditingFinished: {
        if (SettingsRules.accepts(Settings.EMailSenderAddress, fieldSenderAddress.text)) {
            ServiceEMail.senderAddress = fieldSenderAddress.text
        } else {
            fieldSenderAddress.text = ServiceEMail.senderAddress
            showMessage(GlobalDataDef.MsgDialogWarning, qsTr("E-Mail address is invalid!"))
        }
    }
    fieldServerAddress.onEditingFinished: ServiceEMail.serverAddress = fieldServerAddress.text
    fieldServerPort.onEditingFinished: {
        if (SettingsRules.accepts(Settings.EMailServerPort, fieldServerPort.text)) {
            ServiceEMail.serverPort = parseInt(fieldServerPort.text, 10)
        } else {
            fieldServerPort.text = ServiceEMail.serverPort
            showMessage(GlobalDataDef.MsgDialogWarning, SettingsRules.rangeMessage(Settings.EMailServerPort))
        }
    }
    // Only the user's choice is written: a retranslation rebuilds the items.
    comboEncrypt.onActivated: ServiceEMail.encrypt = index
    checkAuth.onClicked: ServiceEMail.authEnable = checkAuth.checked
    radioDaily.onToggled: ServiceEMail.dailyEnable = radioDaily.checked
    spinHour.onValueModified: ServiceEMail.dailyHour = spinHour.value
    spinMinute.onValueModified: ServiceEMail.dailyMinute = spinMinute.value
    spinSecond.onValueModified: ServiceEMail.dailySecond = spinSecond.value

    btnAuthSettings.onClicked: popupSender.open()
    btnTestMail.onClicked: {
        testPending = true
        ServiceEMail.sendTestEMail()
        showMessage(GlobalDataDef.MsgDialogInformation, qsTr("Sending test E-Mail..."))
    }
    btnAddUser.onClicked: popupUser.openForAdd()
    btnModifyUser.onClicked: popupUser.openForModify(listReceivers.currentIndex,
                                                     listModelEMailUser.get(listReceivers.currentIndex))
    btnDeleteUser.onClicked: {
        listModelEMailUser.delUser(listReceivers.currentIndex)
        listReceivers.currentIndex = -1
    }

    Component.onCompleted: load()

    Connections {
        target: PageSettingsCommon
        function onSettingsChanged() {
            ServiceEMail.onSettingsChanged()
            page.load()
        }
    }

    Connections {
        target: Translator
        function onLanguageChanged() { comboEncrypt.currentIndex = ServiceEMail.encrypt }
    }

    Connections {
        target: ServiceEMail
        enabled: page.testPending
        function onEmailFinished() {
            page.testPending = false
            page.showMessage(GlobalDataDef.MsgDialogInformation, qsTr("E-Mail has been sent."))
        }
        function onEmailFailed(msg) {
            page.testPending = false
            page.showMessage(GlobalDataDef.MsgDialogWarning, qsTr("Failed to send test E-Mail!"))
        }
    }

    PopupAddEMailUser {
        id: popupUser
        objectName: "popupAddEMailUser"
        onUserAccepted: {
            if (row >= 0)
                listModelEMailUser.updateUser(row, user)
            else
                listModelEMailUser.addUser(user)
            listReceivers.currentIndex = -1
        }
    }

    PopupSetEMailSender {
        id: popupSender
        objectName: "popupSetEMailSender"
    }

    MsgDialog {
        id: message
        objectName: "msgSettingsEMail"
        buttons: GlobalDataDef.MsgDialogButtonSure
    }
}
