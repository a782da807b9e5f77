import QtQuick 2.15
import Ambrel 1.0

// The power flow: eight segments stacked on a fixed background, each idle (a
// still image) or active (an animated image, playing). On every change of the
// record a chain of procedures below sets them.
Item {
    id: page

    readonly property string dir: "qrc:/res/image/mimic/"

    // An idle segment; `shown` undefined leaves its visibility as it is.
    function idle(segment, file, shown) {
        segment.playing = false
        segment.source = dir + file
        if (shown !== undefined)
            segment.visible = shown
    }
    function active(segment, file, shown) {
        segment.source = dir + file
        segment.playing = true
        if (shown !== undefined)
            segment.visible = shown
    }

    function initial() {
        idle(upsToLoad, "partUPSToLoad.gif")
        idle(inputToBypass, "partInputToBypass.gif", false)
        idle(bypassLeft, "partBypassLeft.gif")
        idle(bypassRight, "partBypassRight.gif")
        idle(bypassToLoad, "partBypassToLoad.gif", false)
        idle(inputToUps, "partInputToUPS.gif")
        batteryIdle()
    }
    function batteryIdle() {
        idle(upsToBattery, "partBatt.gif")
        idle(battery, "battery.png")
    }
    function upsOutputIdle() {
        idle(upsToLoad, "partUPSToLoad.gif")
    }
    function bypassOutputIdle() {
        idle(bypassRight, "partBypassRight.gif")
        idle(bypassToLoad, "partBypassToLoad.gif", false)
    }
    function mainsFault() {
        idle(inputToBypass, "partInputToBypass.gif")
        idle(inputToUps, "partInputToUPS.gif")
        idle(bypassLeft, "partBypassLeft.gif")
        idle(bypassRight, "partBypassRight.gif")
        idle(bypassToLoad, "partBypassToLoad.gif", false)
        idle(battery, "battery.png")
    }
    function batterySupplies() {
        active(upsToBattery, "partBattDischarge.gif")
        active(upsToLoad, "partUPSToLoadOn.gif")
    }
    function batteryCharging() {
        active(inputToUps, "partInputToUPSOn.gif", true)
        idle(inputToBypass, "partInputToBypass.gif", false)
        active(upsToBattery, "partBattCharge.gif")
        active(battery, "battCharging.gif")
    }
    function bypassInput() {
        active(inputToBypass, "partInputToBypassOn.gif", true)
        active(bypassLeft, "partBypassLeftOn.gif")
        idle(inputToUps, "partInputToUPS.gif")
        idle(upsToLoad, "partUPSToLoad.gif")
    }
    function bypassOutput() {
        active(bypassRight, "partBypassRightOn.gif")
        active(bypassToLoad, "partBypassToLoadOn.gif", true)
    }
    function mainsInput() {
        active(inputToUps, "partInputToUPSOn.gif", true)
        idle(inputToBypass, "partInputToBypass.gif", false)
        idle(bypassToLoad, "partBypassToLoad.gif", false)
        idle(bypassLeft, "partBypassLeft.gif")
        idle(bypassRight, "partBypassRight.gif")
    }
    function mainsOutput() {
        active(upsToLoad, "partUPSToLoadOn.gif")
    }

    function choose(d) {
        if (d.devOnline !== true) {
            initial()
            return
        }
        const output = d.outputVol >= 50
        if (d.mainsFault == 1) {
            mainsFault()
            if (d.battLowVol != 1 && output) {
                batterySupplies()
            } else {
                batteryIdle()
                upsOutputIdle()
            }
        } else if (d.workState == 1) {
            if (d.selfTest == 1) {
                mainsFault()
                batterySupplies()
            } else {
                bypassInput()
                if (output)
                    bypassOutput()
                else
                    bypassOutputIdle()
                batteryCharging()
            }
        } else if (d.inputVol >= 50) {
            if (d.bypassStart == 1) {
                bypassInput()
                if (output)
                    bypassOutput()
                else
                    bypassOutputIdle()
            } else {
                mainsInput()
                if (output)
                    mainsOutput()
                else
                    upsOutputIdle()
            }
            batteryCharging()
        }
    }

    Component.onCompleted: initial()

    Connections {
        target: DevComm
        function onDevDataChanged() { page.choose(DevComm.devData) }
    }

    Item {
        anchors.centerIn: parent
        width: background.implicitWidth
        height: background.implicitHeight

        Image {
            id: background
            source: page.dir + "background.png"
        }
        AnimatedImage {
            id: inputToUps
            objectName: "mimicInputToUPS"
        }
        AnimatedImage {
            id: inputToBypass
            objectName: "mimicInputToBypass"
        }
        AnimatedImage {
            id: bypassLeft
            objectName: "mimicBypassLeft"
        }
        AnimatedImage {
            id: bypassRight
            objectName: "mimicBypassRight"
        }
        AnimatedImage {
            id: bypassToLoad
            objectName: "mimicBypassToLoad"
        }
        AnimatedImage {
            id: upsToLoad
            objectName: "mimicUPSToLoad"
        }
        AnimatedImage {
            id: upsToBattery
            objectName: "mimicUPSToBattery"
        }
        AnimatedImage {
            id: battery
            objectName: "mimicBattery"
            x: 380
            y: 200
        }
    }
}
