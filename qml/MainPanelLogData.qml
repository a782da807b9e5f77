import QtQuick 2.15
import QtQuick.Controls 2.15
import Ambrel 1.0

// Stored readings, alarms, the windows closed at the last shutdown and the
// UPS self-tests, by a range of days, with the export of readings and alarms.
MainPanelLogDataForm {
    id: page
    objectName: "mainPanelLogData"

    property int currentTab: 0
    // An export runs: the busy indicator turns and no other export starts.
    property bool exporting: false

    // Each text is a plain qsTr binding of its own, which a language change
    // renews; expressions built from them follow.
    property string textData: qsTr("Data")
    property string textAlarm: qsTr("Alarm")
    property string textClosedRecords: qsTr("Closed Records")
    property string textSelfTest: qsTr("Self-test")

    signal btnDateClicked(string dateS, string dateE)

    function search() {
        var dateS = dateStart.dateText
        var dateE = dateEnd.dateText
        if (currentTab === 0)
            tableModelDevData.selectDate(dateS, dateE)
        else if (currentTab === 1)
            tableModelAlarm.selectDate(dateS, dateE)
        else if (currentTab === 3)
            btnDateClicked(dateS, dateE)
    }

    // The file dialog's choice; also what the tests drive. The model writes
    // the workbook off the main thread and tells the outcome.
    function exportTo(url) {
        if (exporting)
            return
        var model = currentTab === 0 ? tableModelDevData : tableModelAlarm
        if (model.saveAs(url))
            exporting = true
        else
            failed.open()
    }

    function exportDone(succeeded) {
        exporting = false
        if (succeeded)
            finished.open()
        else
            failed.open()
    }

    stack.currentIndex: currentTab
    btnExport.visible: currentTab === 0 || currentTab === 1
    btnExport.enabled: !exporting
    busy.running: exporting
    dateTools.visible: currentTab !== 2
    btnSearch.onClicked: search()
    btnExport.onClicked: {
        exportDialog.title = qsTr("Save as...")
        exportDialog.nameFilters = [qsTr("Excel files (*.xlsx)")]
        exportDialog.open()
    }

    devDataView.model: tableModelDevData
    alarmView.model: tableModelAlarm
    closedRecordsView.model: treeModelShutdown
    selfTestView.model: tableModelSelfTest

    onBtnDateClicked: selfTestView.selectDate(dateS, dateE)

    // The closed windows are shown unfolded.
    Component.onCompleted: {
        for (var row = 0; row < treeModelShutdown.rowCount(); ++row)
            closedRecordsView.expand(treeModelShutdown.index(row, 0))
    }

    Repeater {
        parent: page.tabButtons
        model: [page.textData, page.textAlarm, page.textClosedRecords, page.textSelfTest]
        delegate: LogDataButton {
            objectName: "logTab" + index
            width: page.tabButtons.width
            text: modelData
            selected: page.currentTab === index
            onClicked: page.currentTab = index
        }
    }

    TableModelDevData {
        id: tableModelDevData
        onExportFinished: page.exportDone(succeeded)
    }
    TableModelAlarm {
        id: tableModelAlarm
        onExportFinished: page.exportDone(succeeded)
    }
    TreeModelShutdown { id: treeModelShutdown }
    TableModelSelfTest { id: tableModelSelfTest }

    DesktopFileDialog {
        id: exportDialog
        selectExisting: false
        onAccepted: page.exportTo(fileUrl)
    }

    MsgDialog {
        id: finished
        objectName: "msgExportFinished"
        imageType: GlobalDataDef.MsgDialogInformation
        buttons: GlobalDataDef.MsgDialogButtonSure
        textMsg: qsTr("Operation finished!")
    }

    MsgDialog {
        id: failed
        objectName: "msgExportFailed"
        imageType: GlobalDataDef.MsgDialogWarning
        buttons: GlobalDataDef.MsgDialogButtonSure
        textMsg: qsTr("Operation failed!")
    }
}
