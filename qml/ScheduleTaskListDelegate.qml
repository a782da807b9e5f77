import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15

// One scheduled task in the list: when, what, the on/off switch and its
// modify and delete buttons.
ItemDelegate {
    id: row

    signal modifyClicked()
    signal deleteClicked()

    // The stored flag comes back from the database as a number.
    function isOn(value) {
        return value === true || value === "true" || Number(value) === 1
    }

    function cycleText(cycle) {
        switch (cycle) {
        case 0: return qsTr("One Shoot")
        case 1: return qsTr("Daily")
        case 2: return qsTr("Weekly")
        case 3: return qsTr("Monthly")
        }
        return qsTr("Unkown code: ") + cycle
    }

    function actionText(action) {
        switch (action) {
        case 0: return qsTr("Self-test for 10 secords")
        case 1: return qsTr("Self-test to EOD")
        case 2: return qsTr("UPS Power on")
        case 3: return qsTr("System shutdown and close UPS")
        }
        return qsTr("Unkown code: ") + action
    }

    objectName: "scheduleTaskRow" + index
    height: 48
    highlighted: ListView.isCurrentItem
    background: Rectangle {
        color: row.highlighted ? "#DCEBFC" : (index % 2 ? "#F6F8FB" : "white")
    }

    contentItem: RowLayout {
        spacing: 12
        Label {
            text: row.cycleText(model.cycle)
            Layout.preferredWidth: 110
            elide: Text.ElideRight
        }
        Label {
            text: model.time
            Layout.preferredWidth: 150
        }
        Label {
            text: row.actionText(model.action)
            Layout.fillWidth: true
            wrapMode: Text.WordWrap
            maximumLineCount: 2
            elide: Text.ElideRight
        }
        Switch {
            id: enableSwitch
            objectName: "enableSwitch" + index
            text: checked ? qsTr("ON") : qsTr("OFF")
            Component.onCompleted: checked = row.isOn(model.enable)
            onToggled: {
                if (checked !== row.isOn(model.enable))
                    model.enable = checked
            }
        }
        Button {
            objectName: "btnModifyTask" + index
            text: qsTr("Modify")
            onClicked: row.modifyClicked()
        }
        Button {
            objectName: "btnDeleteTask" + index
            text: qsTr("Delete")
            onClicked: row.deleteClicked()
        }
    }
}
