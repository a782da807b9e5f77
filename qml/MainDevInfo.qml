import QtQuick 2.15
import Ambrel 1.0

// The live state of the UPS and of the shutdown countdown.
MainDevInfoForm {
    id: info

    readonly property color colorLinked: "#1388FF"
    readonly property color colorUnlinked: "#8F97A9"
    readonly property color colorAlert: "#FD323B"
    readonly property color colorBusy: "#1AE596"

    // The last record of the UPS; empty until the first change.
    property var dev: ({})
    property bool dataSeen: false
    readonly property bool online: dev.devOnline === true
    readonly property bool onBattery: dev.mainsFault == 1

    property int countdownTotal: 0
    // Seconds left; -1 while no countdown runs.
    property int countdownLeft: -1

    function pad(n) {
        return n < 10 ? "0" + n : "" + n
    }
    function hms(sec) {
        return pad(Math.floor(sec / 3600)) + ":" + pad(Math.floor(sec / 60) % 60) + ":" + pad(sec % 60)
    }
    function remainText(minutes) {
        return pad(Math.floor(minutes / 60)) + ":" + pad(minutes % 60) + ":00"
    }
    function faultText(bit) {
        return bit == 1 ? qsTr("Fault") : qsTr("Normal")
    }
    function workText() {
        if (onBattery)
            return qsTr("On Battery")
        if (dev.workState == 1 || dev.bypassStart == 1)
            return qsTr("On Bypass")
        return qsTr("On Mains")
    }
    // Colour of a tile other than the first: grey without a link.
    function tileColor(alert, alertColor) {
        return !online ? colorUnlinked : alert ? alertColor : colorLinked
    }

    Connections {
        target: DevComm
        function onDevDataChanged() {
            info.dev = DevComm.devData
            info.dataSeen = true
        }
    }
    Connections {
        target: ServiceShutdown
        function onShutdownStarted(sec) {
            info.countdownTotal = sec
            info.countdownLeft = sec > 0 ? sec : -1
        }
        function onShutdownTimeChanged(sec) {
            info.countdownLeft = sec
        }
    }

    upsPicture.source: online ? "qrc:/res/image/upsOnline.png" : "qrc:/res/image/upsOffline.png"
    statusImage.source: online ? "qrc:/res/image/devOnline.png" : "qrc:/res/image/devOffline.png"
    statusText.text: !dataSeen ? qsTr("UPS disconnect")
                               : online ? qsTr("UPS Conneted") : qsTr("UPS Disconnected")
    statusText.color: online ? colorBusy : colorUnlinked

    tileComm.value: online ? qsTr("Conneted") : qsTr("Disconnected")
    tileComm.statusColor: online ? colorLinked : colorUnlinked
    tileInput.value: online ? faultText(dev.mainsFault) : "--"
    tileInput.statusColor: tileColor(dev.mainsFault == 1, colorAlert)
    tileBattery.value: !online ? "--" : dev.battLowVol == 1 ? qsTr("Low") : qsTr("Normal")
    tileBattery.statusColor: tileColor(dev.battLowVol == 1, colorAlert)
    tileFault.value: online ? faultText(dev.UPSFault) : "--"
    tileFault.statusColor: tileColor(dev.UPSFault == 1, colorAlert)
    tileWork.value: online ? workText() : "--"
    tileWork.statusColor: tileColor(onBattery, colorAlert)
    tileSelfTest.value: !online ? "--" : dev.selfTest == 1 ? qsTr("In progress") : qsTr("No")
    tileSelfTest.statusColor: tileColor(dev.selfTest == 1, colorBusy)

    battTime.text: online ? remainText(dev.battRemainTime || 0) : "--:--:--"
    battTime.color: online ? colorLinked : colorUnlinked
    battBar.value: online ? (dev.battCapacity || 0) * 0.01 : 0

    countdownText.text: countdownLeft < 0 ? "--:--:--" : hms(countdownLeft)
    countdownText.color: countdownLeft < 0 ? colorUnlinked : colorAlert
    countdownBar.value: countdownTotal > 0 && countdownLeft >= 0 ? countdownLeft / countdownTotal : 0
}
