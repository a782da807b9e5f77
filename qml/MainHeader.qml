import QtQuick 2.15

MainHeaderForm {
    Component.onCompleted: title.text = appName
    btnMin.onClicked: window.showMinimized()
    // The program keeps running in the notification area; the field being
    // edited is finished first, as when a page is left.
    btnClose.onClicked: {
        forceActiveFocus()
        window.hide()
    }
}
