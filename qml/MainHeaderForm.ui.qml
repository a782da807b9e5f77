import QtQuick 2.15
import QtQuick.Controls 1.4

Rectangle {
    property alias title: title
    property alias btnMin: btnMin
    property alias btnClose: btnClose

    color: "#117BEC"

    Image {
        id: logo
        x: 14
        anchors.verticalCenter: parent.verticalCenter
        source: "qrc:/res/image/Ambrel.png"
        sourceSize.width: 28
        sourceSize.height: 28
    }
    Text {
        id: title
        anchors.left: logo.right
        anchors.leftMargin: 10
        anchors.verticalCenter: parent.verticalCenter
        color: "white"
        font.pixelSize: 18
        font.bold: true
    }
    Row {
        anchors.right: parent.right
        anchors.top: parent.top
        Button {
            id: btnMin
            objectName: "btnMinimize"
            iconSource: "qrc:/res/image/minimize.png"
            style: MainHeaderButtonStyle {}
        }
        Button {
            id: btnClose
            objectName: "btnClose"
            iconSource: "qrc:/res/image/close.png"
            style: MainHeaderButtonStyle {}
        }
    }
}
