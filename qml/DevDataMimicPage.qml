import QtQuick 2.15
import QtQuick.Window 2.15
import Ambrel 1.0

// The power flow: eight segments placed on a fixed background, each idle (a
// still image) or active (an animated image, playing). On every change of the
// record a chain of procedures below sets them. An active segment plays only
// while the picture can be seen: not while another view or page is shown,
// nor while the window is hidden to the tray or minimised.
Item {
    id: page

    readonly property string dir: "qrc:/res/image/mimic/"
    readonly property bool seen: visible && Window.window !== null && Window.visibility !== Window.Hidden
                                 && Window.visibility !== Window.Minimized

    // A segment has the size of the line it shows and sits at that line's
    // place in the picture (scripts/drawimages.py, segment_box), so that one
    // of its frames repaints only itself.
    component Segment: AnimatedImage {
        // Set by the procedures; the segment plays while it flows and can be seen.
        property bool flowing: false
        playing: flowing && visible && page.seen
    }

    // An idle segment; `shown` undefined leaves its visibility as it is.
    function idle(segment, file, shown) {
        segment.flowing = false
        segment.source = dir + file
        if (shown !== undefined)
            segment.visible = shown
    }
    function active(segment, file, shown) {
        segment.source = dir + file
        segment.flowing = true
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
    // Input to bypass is hidden, as after any chain but bypass input, so
    // that a failure looks the same whatever ran before it.
    function mainsFault() {
        idle(inputToBypass, "partInputToBypass.gif", false)
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
    // Input to bypass stays as the chain before set it: hidden after mains
    // input, shown and playing after bypass input.
    function batteryCharging() {
        active(inputToUps, "partInputToUPSOn.gif", true)
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
        Segment {
            id: inputToUps
            objectName: "mimicInputToUPS"
            x: 93
            y: 132
        }
        Segment {
            id: inputToBypass
            objectName: "mimicInputToBypass"
            x: 147
            y: 42
        }
        Segment {
            id: bypassLeft
            objectName: "mimicBypassLeft"
            x: 147
            y: 42
        }
        Segment {
            id: bypassRight
            objectName: "mimicBypassRight"
            x: 425
            y: 42
        }
        Segment {
            id: bypassToLoad
            objectName: "mimicBypassToLoad"
            x: 667
            y: 42
        }
        Segment {
            id: upsToLoad
            objectName: "mimicUPSToLoad"
            x: 457
            y: 132
        }
        Segment {
            id: upsToBattery
            objectName: "mimicUPSToBattery"
            x: 407
            y: 172
        }
        Segment {
            id: battery
            objectName: "mimicBattery"
            x: 380
            y: 200
        }
    }
}
