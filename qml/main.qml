import QtQuick 2.15
import Qt.labs.platform 1.1 as Platform
import Ambrel 1.0

// The window body: dragged from any free spot, hidden to the notification
// area by its close button, brought back by the tray icon or a shutdown.
Rectangle {
    id: root
    width: 972
    height: 660
    visible: true
    color: "#F2F4F8"

    function showWindow() {
        window.show()
        window.raise()
        window.requestActivate()
    }

    MouseArea {
        property point pressPos

        anchors.fill: parent
        acceptedButtons: Qt.LeftButton
        onPressed: pressPos = Qt.point(mouse.x, mouse.y)
        onPositionChanged: {
            window.setX(window.x + mouse.x - pressPos.x)
            window.setY(window.y + mouse.y - pressPos.y)
        }
    }

    MainForm {
        id: form
        anchors.fill: parent
        mainFooter.onAlarmClicked: popupCurrentAlarm.open()
    }

    // A field writes what was typed into it when its editing is finished:
    // by Enter, or when it loses the focus. A hidden field keeps the focus,
    // so leaving its page, hiding the window and the end of the program take
    // the focus away, which finishes the editing with the checks of Enter.
    function finishEditing() {
        root.forceActiveFocus()
    }

    Connections {
        target: Qt.application
        function onAboutToQuit() { root.finishEditing() }
    }

    // Footer and pages follow each other both ways.
    Connections {
        target: form.mainFooter
        function onCurrentIndexChanged() {
            root.finishEditing()
            form.mainPanel.currentIndex = form.mainFooter.currentIndex
        }
    }
    Connections {
        target: form.mainPanel
        function onCurrentIndexChanged() { form.mainFooter.currentIndex = form.mainPanel.currentIndex }
    }

    PopupCurrentAlarm {
        id: popupCurrentAlarm
        objectName: "popupCurrentAlarm"
    }

    MsgDialog {
        id: shutdownDialog
        objectName: "shutdownDialog"
        imageType: GlobalDataDef.MsgDialogWarning
        buttons: GlobalDataDef.MsgDialogButtonSure
        textMsg: qsTr("Shutdown event activated!")
    }

    Connections {
        target: ServiceShutdown
        // A countdown called off (sec 0) takes its warning away.
        function onShutdownStarted(sec) {
            if (sec > 0) {
                root.showWindow()
                shutdownDialog.open()
            } else {
                shutdownDialog.close()
            }
        }
    }

    // Told once when the history cannot be kept any more (a damaged
    // database file, a full disk, another program holding it locked), taken
    // away when it can be again.
    MsgDialog {
        id: databaseDialog
        objectName: "databaseDialog"
        imageType: GlobalDataDef.MsgDialogWarning
        buttons: GlobalDataDef.MsgDialogButtonSure
        textMsg: qsTr("Readings, alarms and tasks cannot be kept: the database reports \"%1\".").arg(Database.failure)
                 + (Database.dropped > 0 ? "\n" + qsTr("Rows dropped while it was locked: %1").arg(Database.dropped) : "")
    }

    function showDatabaseState() {
        if (Database.failure !== "")
            databaseDialog.open()
        else
            databaseDialog.close()
    }

    Component.onCompleted: {
        // Smaller, the countdown bar would cover the tabs and the mimic
        // picture would lose its battery.
        window.minimumWidth = width
        window.minimumHeight = height
        // Once the window holds the document, to have a place for the dialog.
        Qt.callLater(showDatabaseState)
    }

    Connections {
        target: Database
        function onFailureChanged() { root.showDatabaseState() }
    }

    Platform.SystemTrayIcon {
        objectName: "trayIcon"
        icon.source: "qrc:/res/image/" + appIcon
        // Always shown where the desktop has a notification area; without
        // one a second start of the program shows the hidden window.
        visible: available
        tooltip: DevComm.devData.devOnline === true ? qsTr("UPS Conneted") : qsTr("UPS Disconnect")
        onActivated: {
            if (reason === Platform.SystemTrayIcon.DoubleClick)
                root.showWindow()
        }

        // Opened by a context click on the icon.
        menu: Platform.Menu {
            Platform.MenuItem {
                objectName: "trayShow"
                text: qsTr("Show")
                onTriggered: root.showWindow()
            }
            Platform.MenuSeparator {}
            Platform.MenuItem {
                text: qsTr("Quit")
                onTriggered: Qt.quit()
            }
        }
    }
}
