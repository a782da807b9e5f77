import QtQuick 2.15
import Ambrel 1.0

// When and how the computer and the UPS are shut down. Every change goes to
// the shutdown service at once.
SettingsShutdownForm {
    id: page

    function load() {
        checkPowerControl.checked = ServiceShutdown.ambrelOffEnable
        spinMainFaultTime.value = ServiceShutdown.mainFaultOffTime
        spinBattLowTime.value = ServiceShutdown.battLowOffTime
        spinMainFaultCap.value = ServiceShutdown.mainFaultOffCap
        checkOsOff.checked = ServiceShutdown.osOffEnable
        checkExec.checked = ServiceShutdown.execEnable
        fieldExecFile.text = ServiceShutdown.execFile
        fieldExecTime.text = ServiceShutdown.execTime
        checkUpsOff.checked = ServiceShutdown.upsOffEnable
        spinUpsOffTime.value = ServiceShutdown.upsOffTime
    }

    // The file dialog's choice; also what the tests drive.
    function commandFileChosen(url) {
        fieldExecFile.text = FileUrl.toLocalFile(url)
        ServiceShutdown.execFile = fieldExecFile.text
    }

    spinMainFaultTime.from: SettingsRules.minimum(Settings.ShutdownMainFaultTime)
    spinMainFaultTime.to: SettingsRules.maximum(Settings.ShutdownMainFaultTime)
    spinBattLowTime.from: SettingsRules.minimum(Settings.ShutdownBattLowTime)
    spinBattLowTime.to: SettingsRules.maximum(Settings.ShutdownBattLowTime)
    spinMainFaultCap.from: SettingsRules.minimum(Settings.ShutdownMainFaultCap)
    spinMainFaultCap.to: SettingsRules.maximum(Settings.ShutdownMainFaultCap)
    spinUpsOffTime.from: SettingsRules.minimum(Settings.ShutdownUPSOffTime)
    spinUpsOffTime.to: SettingsRules.maximum(Settings.ShutdownUPSOffTime)

    checkPowerControl.onClicked: ServiceShutdown.ambrelOffEnable = checkPowerControl.checked
    spinMainFaultTime.onValueModified: ServiceShutdown.mainFaultOffTime = spinMainFaultTime.value
    spinBattLowTime.onValueModified: ServiceShutdown.battLowOffTime = spinBattLowTime.value
    spinMainFaultCap.onValueModified: ServiceShutdown.mainFaultOffCap = spinMainFaultCap.value
    checkOsOff.onClicked: ServiceShutdown.osOffEnable = checkOsOff.checked
    checkExec.onClicked: ServiceShutdown.execEnable = checkExec.checked ? 1 : 0
    fieldExecFile.onEditingFinished: ServiceShutdown.execFile = fieldExecFile.text
    fieldExecTime.onEditingFinished: {
        if (SettingsRules.accepts(Settings.ShutdownExecTime, fieldExecTime.text)) {
            ServiceShutdown.execTime = parseInt(fieldExecTime.text, 10)
        } else {
            fieldExecTime.text = ServiceShutdown.execTime
            message.textMsg = SettingsRules.rangeMessage(Settings.ShutdownExecTime)
            message.open()
        }
    }
    checkUpsOff.onClicked: ServiceShutdown.upsOffEnable = checkUpsOff.checked
    spinUpsOffTime.onValueModified: ServiceShutdown.upsOffTime = spinUpsOffTime.value
    btnBrowse.onClicked: browseDialog.open()

    Component.onCompleted: load()

    Connections {
        target: PageSettingsCommon
        function onSettingsChanged() {
            ServiceShutdown.onSettingsChanged()
            page.load()
        }
    }

    DesktopFileDialog {
        id: browseDialog
        title: qsTr("Browse")
        objectName: "fileDialogBrowse"
        selectExisting: true
        onAccepted: page.commandFileChosen(fileUrl)
    }

    MsgDialog {
        id: message
        objectName: "msgSettingsShutdown"
        imageType: GlobalDataDef.MsgDialogWarning
        buttons: GlobalDataDef.MsgDialogButtonSure
    }
}
