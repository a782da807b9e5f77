import QtQuick 2.15
import Ambrel 1.0

// The editor of one scheduled task, for a new task or for a listed one.
PopupAddScheduleTaskForm {
    id: popup

    // Row being modified; -1 for a new task.
    property int row: -1
    // Plain qsTr bindings, renewed by a language change.
    property string textAdd: qsTr("Add Schedule Task")
    property string textModify: qsTr("Modify Schedule Task")

    // row < 0: task is {cycle, time, action, enable}; else {cycle, time, action}.
    signal taskAccepted(int row, var task)

    function openForAdd() {
        row = -1
        comboCycle.currentIndex = 0
        comboAction.currentIndex = 0
        fieldHour.text = "00"
        fieldMinute.text = "00"
        fieldSecond.text = "00"
        open()
    }

    // time is the task's next run, "yyyy-MM-dd hh:mm:ss".
    function openForModify(taskRow, cycle, time, action) {
        row = taskRow
        comboCycle.currentIndex = cycle
        comboAction.currentIndex = action
        var parts = String(time).substring(String(time).indexOf(" ") + 1).split(":")
        fieldHour.text = parts[0] || "00"
        fieldMinute.text = parts[1] || "00"
        fieldSecond.text = parts[2] || "00"
        open()
    }

    function twoDigits(field) {
        var value = parseInt(field.text, 10) || 0
        return (value < 10 ? "0" : "") + value
    }

    function timeText() {
        return twoDigits(fieldHour) + ":" + twoDigits(fieldMinute) + ":" + twoDigits(fieldSecond)
    }

    title.text: row < 0 ? textAdd : textModify

    btnSure.onClicked: {
        // A task at a time that does not exist would never run.
        if (!SettingsRules.isTimeOfDay(timeText())) {
            invalidTime.open()
            return
        }
        var task = { cycle: comboCycle.currentIndex, time: timeText(),
                     action: comboAction.currentIndex }
        if (row < 0)
            task.enable = true
        taskAccepted(row, task)
        close()
    }
    btnCancel.onClicked: close()
    btnClose.onClicked: close()

    MsgDialog {
        id: invalidTime
        objectName: "msgTaskTimeInvalid"
        imageType: GlobalDataDef.MsgDialogWarning
        buttons: GlobalDataDef.MsgDialogButtonSure
        textMsg: qsTr("Invalid time! Hours 0~23, minutes and seconds 0~59.")
    }
}
