import QtQuick 2.15
import Ambrel 1.0

// The main window's frame.
Rectangle {
    id: root
    width: 1024
    height: 640
    color: "#ffffff"

    Text {
        anchors.centerIn: parent
        text: appName + " " + appVersion
    }
}
