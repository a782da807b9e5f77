import QtQuick 2.15
import Ambrel 1.0

// The user's scheduled UPS tasks: list, editor and the delete question.
MainPanelScheduleTaskForm {
    id: page

    property int rowToDelete: -1

    listView.model: listModelScheduleTask
    listView.delegate: ScheduleTaskListDelegate {
        width: page.listView.width
        onClicked: page.listView.currentIndex = index
        onModifyClicked: {
            page.listView.currentIndex = index
            popupTask.openForModify(index, model.cycle, model.time, model.action)
        }
        onDeleteClicked: {
            page.listView.currentIndex = index
            page.rowToDelete = index
            deleteQuestion.open()
        }
    }

    btnAdd.onClicked: popupTask.openForAdd()

    PopupAddScheduleTask {
        id: popupTask
        objectName: "popupAddScheduleTask"
        onTaskAccepted: {
            if (row < 0)
                listModelScheduleTask.addTask(task)
            else
                listModelScheduleTask.updateTask(row, task)
        }
    }

    MsgDialog {
        id: deleteQuestion
        objectName: "msgDeleteTask"
        imageType: GlobalDataDef.MsgDialogQuestion
        buttons: GlobalDataDef.MsgDialogButtonSure | GlobalDataDef.MsgDialogButtonCancel
        textMsg: qsTr("Are you sure to delete this task?")
        onAccepted: listModelScheduleTask.delTask(page.rowToDelete)
    }
}
