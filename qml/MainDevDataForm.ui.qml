import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15

Item {
    property alias tabBar: tabBar

    Rectangle {
        anchors.fill: parent
        anchors.margins: 10
        radius: 6
        color: "white"

        ColumnLayout {
            anchors.fill: parent
            anchors.margins: 8
            spacing: 4

            TabBar {
                id: tabBar
                objectName: "devDataTabs"
                Layout.preferredWidth: 640
                spacing: 0
                palette.window: "#117BEC"
                palette.windowText: "white"
                palette.dark: "#E8ECF2"
                palette.brightText: "#4A5568"

                TabButton {
                    text: qsTr("Mimic")
                }
                TabButton {
                    text: qsTr("Dial")
                }
                TabButton {
                    text: qsTr("Data")
                }
                TabButton {
                    text: qsTr("Chart")
                }
                TabButton {
                    text: qsTr("Info.")
                }
            }
            StackLayout {
                Layout.fillWidth: true
                Layout.fillHeight: true
                currentIndex: tabBar.currentIndex

                DevDataMimicPage {
                    objectName: "mimicPage"
                }
                DevDataDialPage {
                    objectName: "dialPage"
                }
                DevDataItemPage {
                    objectName: "itemPage"
                }
                DevDataChartPage {
                    objectName: "chartPage"
                }
                DevDataInfoPage {
                    objectName: "infoPage"
                }
            }
        }
    }
}
