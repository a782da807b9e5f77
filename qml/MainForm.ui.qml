import QtQuick 2.15
import QtQuick.Layouts 1.15

Item {
    property alias mainHeader: mainHeader
    property alias mainPanel: mainPanel
    property alias mainFooter: mainFooter

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        MainHeader {
            id: mainHeader
            Layout.fillWidth: true
            Layout.preferredHeight: 48
        }
        MainPanel {
            id: mainPanel
            objectName: "mainPanel"
            Layout.fillWidth: true
            Layout.fillHeight: true
        }
        MainFooterMenu {
            id: mainFooter
            objectName: "mainFooter"
            Layout.fillWidth: true
            Layout.preferredHeight: 76
        }
    }
}
