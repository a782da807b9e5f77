import QtQuick 2.15
import Ambrel 1.0

Item {
    Connections {
        target: DevComm
        function onDevDataChanged() {
            const d = DevComm.devData
            loadDial.value = d.load || 0
            capacityDial.value = d.battCapacity || 0
        }
    }

    Row {
        anchors.centerIn: parent
        spacing: 120
        DevDataDial {
            id: loadDial
            objectName: "dialLoad"
            title: qsTr("UPS Load")
            maximumValue: 200
        }
        DevDataDial {
            id: capacityDial
            objectName: "dialCapacity"
            title: qsTr("Battery Capacity")
            maximumValue: 100
        }
    }
}
