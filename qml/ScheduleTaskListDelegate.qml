import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15

// One scheduled task in the list: when, what, the on/off switch and its
// modify and delete buttons.
ItemDelegate {
    id: row

    signal modifyClicked()
    signal deleteClicked()

    // Plain qsTr bindings, renewed by a language change.
    property string textOneShoot: qsTr("One Shoot")
    property string textDaily: qsTr("Daily")
    property string textWeekly: qsTr("Weekly")
    property string textMonthly: qsTr("Monthly")
    property string textSelfTest10S: qsTr("Self-test for 10 secords")
    property string textSelfTestEOD: qsTr("Self-test to EOD")
    property string textPowerOn: qsTr("UPS Power on")
    property string textPowerOff: qsTr("System shutdown and close UPS")
    property string textUnknown: qsTr("Unkown code: ")
    property string textOn: qsTr("ON")
    property string textOff: qsTr("OFF")

    // The stored flag comes back from the database as a number.
    function isOn(value) {
        return value === true || value === "true" || Number(value) === 1
    }

    function cycleText(cycle) {
        switch (cycle) {
        case 0: return textOneShoot
        case 1: return textDaily
        case 2: return textWeekly
        case 3: return textMonthly
        }
        return textUnknown + cycle
    }

    function actionText(action) {
        switch (action) {
        case 0: return textSelfTest10S
        case 1: return textSelfTestEOD
        case 2: return textPowerOn
        case 3: return textPowerOff
        }
        return textUnknown + action
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
            text: checked ? row.textOn : row.textOff
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
