import QtQuick 2.15
import Ambrel 1.0

MainFooterMenuForm {
    // The selected page, a MainTabType.
    property int currentIndex: GlobalDataDef.MainTabDevice

    signal alarmClicked()

    function select(index) {
        if (currentIndex !== index)
            currentIndex = index
    }

    btnDevice.selected: currentIndex === GlobalDataDef.MainTabDevice
    btnDevice.onClicked: select(GlobalDataDef.MainTabDevice)
    btnScheduleTask.selected: currentIndex === GlobalDataDef.MainTabLogWork
    btnScheduleTask.onClicked: select(GlobalDataDef.MainTabLogWork)
    btnControl.selected: currentIndex === GlobalDataDef.MainTabControl
    btnControl.onClicked: select(GlobalDataDef.MainTabControl)
    btnSettings.selected: currentIndex === GlobalDataDef.MainTabSetting
    btnSettings.onClicked: select(GlobalDataDef.MainTabSetting)
    btnHistory.selected: currentIndex === GlobalDataDef.MainTabLogData
    btnHistory.onClicked: select(GlobalDataDef.MainTabLogData)

    btnAlarm.onClicked: alarmClicked()
    badge.visible: Alarm.alarmNum > 0
    badgeText.text: Alarm.alarmNum
}
