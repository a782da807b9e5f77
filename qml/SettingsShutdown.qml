import QtQuick 2.15
import QtQuick.Dialogs 1.3
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

    checkPowerControl.onToggled: ServiceShutdown.ambrelOffEnable = checkPowerControl.checked
    spinMainFaultTime.onValueModified: ServiceShutdown.mainFaultOffTime = spinMainFaultTime.value
    spinBattLowTime.onValueModified: ServiceShutdown.battLowOffTime = spinBattLowTime.value
    spinMainFaultCap.onValueModified: ServiceShutdown.mainFaultOffCap = spinMainFaultCap.value
    checkOsOff.onToggled: ServiceShutdown.osOffEnable = checkOsOff.checked
    checkExec.onToggled: ServiceShutdown.execEnable = checkExec.checked ? 1 : 0
    fieldExecFile.onEditingFinished: ServiceShutdown.execFile = fieldExecFile.text
    fieldExecTime.onEditingFinished: ServiceShutdown.execTime = parseInt(fieldExecTime.text, 10)
    checkUpsOff.onToggled: ServiceShutdown.upsOffEnable = checkUpsOff.checked
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

    FileDialog {
        id: browseDialog
        title: qsTr("Browse")
        selectExisting: true
        folder: shortcuts.desktop
        onAccepted: page.commandFileChosen(fileUrl)
    }
}
