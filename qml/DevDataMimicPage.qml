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
    // True while the moving segments are restarted together (see choose).
    property bool restarting: false
    readonly property var segments: [inputToUps, inputToBypass, bypassLeft, bypassRight, bypassToLoad, upsToLoad,
                                     upsToBattery, battery]

    // A segment has the size of the line it shows and sits at that line's
    // place in the picture (scripts/drawimages.py, segment_box), so that one
    // of its frames repaints only itself.
    component Segment: AnimatedImage {
        // The image and motion that the procedures of one change set; put in
        // place at its end, so that a segment set idle and then active by
        // one chain goes on moving instead of loading its image again.
        property string file
        property bool moving: false
        // In place: the segment plays while it flows and can be seen.
        property bool flowing: false
        playing: flowing && visible && page.seen && !page.restarting
    }

    // An idle segment; `shown` undefined leaves its visibility as it is.
    function idle(segment, file, shown) {
        segment.file = file
        segment.moving = false
        if (shown !== undefined)
            segment.visible = shown
    }
    function active(segment, file, shown) {
        segment.file = file
        segment.moving = true
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

    // Runs the chain for the record and puts its result in place. A segment
    // that starts to move restarts every moving one with it, so that all of
    // them step at the same moments and the window redraws once for all
    // (each animation keeps its own timer).
    function choose(d) {
        chain(d)
        let started = false
        for (const segment of segments) {
            if (segment.moving && (!segment.flowing || segment.source.toString() !== dir + segment.file))
                started = true
            segment.source = dir + segment.file
            segment.flowing = segment.moving
        }
        if (started) {
            restarting = true
            restarting = false
        }
    }
    function chain(d) {
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

    Component.onCompleted: choose({})

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
