import QtQuick 2.15
import Ambrel 1.0

// The UPS's identity texts.
Item {
    id: page

    property var dev: ({})

    Connections {
        target: DevComm
        function onDevDataChanged() { page.dev = DevComm.devData }
    }

    Grid {
        anchors.centerIn: parent
        columns: 2
        rowSpacing: 18
        columnSpacing: 24
        verticalItemAlignment: Grid.AlignVCenter

        Text {
            text: qsTr("UPS Manufacturer:")
            font.pixelSize: 15
            color: "#4A5568"
        }
        Text {
            objectName: "infoCompName"
            text: page.dev.compName || ""
            width: 260
            font.pixelSize: 15
            font.bold: true
        }
        Text {
            text: qsTr("UPS Model:")
            font.pixelSize: 15
            color: "#4A5568"
        }
        Text {
            objectName: "infoModel"
            text: page.dev.UPSModel || ""
            width: 260
            font.pixelSize: 15
            font.bold: true
        }
        Text {
            text: qsTr("UPS Version:")
            font.pixelSize: 15
            color: "#4A5568"
        }
        Text {
            objectName: "infoVersion"
            text: page.dev.version || ""
            width: 260
            font.pixelSize: 15
            font.bold: true
        }
        Text {
            text: qsTr("UPS SN:")
            font.pixelSize: 15
            color: "#4A5568"
        }
        Text {
            objectName: "infoSn"
            text: page.dev.sn || ""
            width: 260
            font.pixelSize: 15
            font.bold: true
        }
    }
}
