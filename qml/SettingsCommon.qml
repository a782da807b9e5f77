import QtQuick 2.15
import Ambrel 1.0

// Link, record interval and language; settings import, export and restore;
// versions. Every change is written at once.
SettingsCommonForm {
    id: page

    property int rememberedPort: -1

    function portName() {
        return comboPort.currentText
    }

    function openCom() {
        if (!DevComm.openDevice(DevComm.COM, portName())) {
            message.show(GlobalDataDef.MsgDialogWarning,
                         qsTr("Failed to open port: ") + portName())
        }
    }

    function showLanguage() {
        checkFollowSystem.checked = Translator.autoLanguage
        comboLanguage.enabled = !Translator.autoLanguage
        if (!Translator.autoLanguage && Translator.language >= 0)
            comboLanguage.currentIndex = Translator.language
    }

    // Import and export share one file dialog.
    function openFileDialog(title, existing) {
        fileDialog.title = title
        fileDialog.nameFilters = [qsTr("Configuration files (*.conf)")]
        fileDialog.selectExisting = existing
        fileDialog.open()
    }

    function showOutcome(succeeded) {
        if (succeeded) {
            message.show(GlobalDataDef.MsgDialogInformation, qsTr("Operation finished!"))
        } else {
            message.show(GlobalDataDef.MsgDialogWarning,
                         qsTr("Operation failed!") + "\n" + PageSettingsCommon.errorString())
        }
    }

    // The file dialog's choice; also what the tests drive.
    function exportTo(url) {
        showOutcome(PageSettingsCommon.settingsSaveAs(url))
    }

    function importFrom(url) {
        showOutcome(PageSettingsCommon.settingsImport(url))
    }

    // The stored interval, after a restore or an import, on the page and
    // in the link.
    function loadSaveCycle() {
        var stored = String(Settings.getSettings(Settings.UpsDataSaveCycle))
        if (SettingsRules.accepts(Settings.UpsDataSaveCycle, stored))
            DevComm.saveCycle = parseInt(stored, 10)
        fieldSaveCycle.text = DevComm.saveCycle
    }

    comboPort.model: DevComm.comPort
    comboPort.enabled: comboCommType.currentIndex === DevComm.COM
    labelAppVersion.text: appVersion
    labelUsbVersion.text: DevComm.usbVersion
    imageLogo.source: FileUrl.fromLocalFile(appDir + "/cfg/image/logo.png")

    // Only the user's choices act: the values shown at start and after a
    // language change are not written back.
    comboCommType.onActivated: {
        if (index === DevComm.COM) {
            openCom()
        } else {
            comboPort.currentIndex = 0
            DevComm.openDevice(DevComm.USB)
        }
    }

    comboPort.onActivated: {
        if (comboCommType.currentIndex !== DevComm.COM)
            return
        DevComm.setBaud(parseInt(comboBaud.currentText, 10))
        openCom()
        rememberedPort = index
    }

    comboBaud.onActivated: {
        DevComm.setBaud(parseInt(comboBaud.currentText, 10))
        if (comboCommType.currentIndex === DevComm.COM)
            openCom()
    }

    fieldSaveCycle.onEditingFinished: {
        if (SettingsRules.accepts(Settings.UpsDataSaveCycle, fieldSaveCycle.text)) {
            DevComm.saveCycle = parseInt(fieldSaveCycle.text, 10)
        } else {
            fieldSaveCycle.text = DevComm.saveCycle
            message.show(GlobalDataDef.MsgDialogWarning, SettingsRules.rangeMessage(Settings.UpsDataSaveCycle))
        }
    }

    comboLanguage.onActivated: Translator.language = index

    checkFollowSystem.onClicked: {
        Translator.autoLanguage = checkFollowSystem.checked
        comboLanguage.enabled = !checkFollowSystem.checked
        // After a start that followed the system, the translator already
        // holds the selector's language while the system's texts show: pass
        // through Auto so that the selector's language is loaded.
        var chosen = comboLanguage.currentIndex
        Translator.language = Translator.Auto
        if (!checkFollowSystem.checked)
            Translator.language = chosen
    }

    btnImport.onClicked: openFileDialog(qsTr("Look for..."), true)
    btnExport.onClicked: openFileDialog(qsTr("Save as..."), false)
    btnRestore.onClicked: restoreQuestion.open()
    btnOpenPath.onClicked: Settings.openPath()

    Component.onCompleted: {
        comboCommType.currentIndex = DevComm.commType
        comboBaud.currentIndex = comboBaud.model.indexOf(String(DevComm.baud))
        fieldSaveCycle.text = DevComm.saveCycle
        showLanguage()
    }

    Connections {
        target: Translator
        function onLanguageChanged() {
            if (page.rememberedPort >= 0)
                comboPort.currentIndex = page.rememberedPort
            page.showLanguage()
        }
    }

    Connections {
        target: PageSettingsCommon
        function onSettingsChanged() {
            Translator.init()
            page.loadSaveCycle()
        }
    }

    DesktopFileDialog {
        id: fileDialog
        objectName: "fileDialogSettings"
        onAccepted: selectExisting ? page.importFrom(fileUrl) : page.exportTo(fileUrl)
    }

    MsgDialog {
        id: restoreQuestion
        objectName: "msgRestoreQuestion"
        imageType: GlobalDataDef.MsgDialogInformation
        buttons: GlobalDataDef.MsgDialogButtonSure | GlobalDataDef.MsgDialogButtonCancel
        textMsg: qsTr("Are you sure to restore settings?!")
        onAccepted: PageSettingsCommon.settingsRestore()
    }

    MsgDialog {
        id: message
        objectName: "msgSettingsCommon"
        buttons: GlobalDataDef.MsgDialogButtonSure

        function show(type, text) {
            imageType = type
            textMsg = text
            open()
        }
    }
}
