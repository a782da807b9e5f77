import QtQuick 2.15
import Ambrel 1.0

Item {
    id: page

    // The last record; null before the first data.
    property var dev: null

    function decimals(key, count) {
        return Number(dev ? dev[key] || 0 : 0).toFixed(count)
    }

    Connections {
        target: DevComm
        function onDevDataChanged() { page.dev = DevComm.devData }
    }

    Grid {
        anchors.centerIn: parent
        columns: 3
        spacing: 14
        DevDataItem {
            objectName: "itemInputVol"
            title: qsTr("Input Voltage")
            value: page.decimals("inputVol", 1)
            unit: "V"
        }
        DevDataItem {
            objectName: "itemOutputVol"
            title: qsTr("Output Voltage")
            value: page.decimals("outputVol", 1)
            unit: "V"
        }
        DevDataItem {
            objectName: "itemInputFreq"
            title: qsTr("Input Frequncy")
            value: page.decimals("inputFreq", 1)
            unit: "Hz"
        }
        DevDataItem {
            objectName: "itemBattVol"
            title: qsTr("Battery Single Voltage")
            value: page.decimals("battVol", 2)
            unit: "V"
        }
        DevDataItem {
            objectName: "itemLoad"
            title: qsTr("UPS Load")
            value: page.dev ? String(page.dev.load || 0) : page.decimals("load", 1)
            unit: "%"
        }
        DevDataItem {
            objectName: "itemTemperature"
            title: qsTr("Temperature")
            value: page.decimals("temperature", 1)
            unit: "℃"
        }
    }
}
