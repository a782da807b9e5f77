import QtQuick 2.15
import QtQuick.Layouts 1.15

Item {
    property alias upsPicture: upsPicture
    property alias statusImage: statusImage
    property alias statusText: statusText
    property alias tileComm: tileComm
    property alias tileInput: tileInput
    property alias tileBattery: tileBattery
    property alias tileFault: tileFault
    property alias tileWork: tileWork
    property alias tileSelfTest: tileSelfTest
    property alias battTime: battTime
    property alias battBar: battBar
    property alias countdownText: countdownText
    property alias countdownBar: countdownBar

    Rectangle {
        anchors.fill: parent
        anchors.margins: 10
        anchors.bottomMargin: 0
        radius: 6
        color: "white"

        RowLayout {
            anchors.fill: parent
            anchors.leftMargin: 16
            anchors.rightMargin: 16
            spacing: 16

            Image {
                id: upsPicture
                objectName: "upsPicture"
                Layout.alignment: Qt.AlignVCenter
                source: "qrc:/res/image/upsOffline.png"
            }
            Column {
                Layout.preferredWidth: 96
                Layout.alignment: Qt.AlignVCenter
                spacing: 8
                Image {
                    id: statusImage
                    objectName: "statusImage"
                    source: "qrc:/res/image/devOffline.png"
                }
                Text {
                    id: statusText
                    objectName: "statusText"
                    width: parent.width
                    wrapMode: Text.WordWrap
                    font.pixelSize: 14
                    font.bold: true
                    color: "#8F97A9"
                }
            }
            GridLayout {
                Layout.alignment: Qt.AlignVCenter
                columns: 3
                rowSpacing: 10
                columnSpacing: 10

                DevInfoItem {
                    id: tileComm
                    objectName: "tileComm"
                    title: qsTr("UPS Communication")
                }
                DevInfoItem {
                    id: tileInput
                    objectName: "tileInput"
                    title: qsTr("Input Status")
                }
                DevInfoItem {
                    id: tileBattery
                    objectName: "tileBattery"
                    title: qsTr("Battery Voltage")
                }
                DevInfoItem {
                    id: tileFault
                    objectName: "tileFault"
                    title: qsTr("UPS Fault")
                }
                DevInfoItem {
                    id: tileWork
                    objectName: "tileWork"
                    title: qsTr("Work Status")
                }
                DevInfoItem {
                    id: tileSelfTest
                    objectName: "tileSelfTest"
                    title: qsTr("UPS Self-Test")
                }
            }
            ColumnLayout {
                Layout.fillWidth: true
                Layout.alignment: Qt.AlignVCenter
                spacing: 6

                Text {
                    Layout.fillWidth: true
                    text: qsTr("Battery Remaining Time")
                    wrapMode: Text.WordWrap
                    font.pixelSize: 13
                    color: "#4A5568"
                }
                Text {
                    id: battTime
                    objectName: "battTime"
                    font.pixelSize: 24
                    font.bold: true
                    color: "#1388FF"
                }
                DevInfoProgressBar {
                    id: battBar
                    objectName: "battBar"
                    Layout.fillWidth: true
                }
                Item {
                    Layout.preferredHeight: 10
                }
                Text {
                    Layout.fillWidth: true
                    text: qsTr("System Shutdown CountDown")
                    wrapMode: Text.WordWrap
                    font.pixelSize: 13
                    color: "#4A5568"
                }
                Text {
                    id: countdownText
                    objectName: "countdownText"
                    font.pixelSize: 24
                    font.bold: true
                }
                DevInfoProgressBar {
                    id: countdownBar
                    objectName: "countdownBar"
                    Layout.fillWidth: true
                    barColor: "#FD323B"
                }
            }
        }
    }
}
