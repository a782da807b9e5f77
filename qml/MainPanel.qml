import QtQuick 2.15
import QtQuick.Controls 1.4
import QtQuick.Layouts 1.15

// The five main pages in MainTabType order, all created at start.
TabView {
    tabsVisible: false
    frameVisible: false

    Tab {
        active: true
        ColumnLayout {
            spacing: 0
            MainDevInfo {
                objectName: "mainDevInfo"
                Layout.fillWidth: true
                Layout.preferredHeight: 226
            }
            MainDevData {
                objectName: "mainDevData"
                Layout.fillWidth: true
                Layout.fillHeight: true
            }
        }
    }
    Tab {
        active: true
        MainPanelScheduleTask {}
    }
    Tab {
        active: true
        MainPanelControl {}
    }
    Tab {
        active: true
        MainPanelSettings {}
    }
    Tab {
        active: true
        MainPanelLogData {}
    }
}
