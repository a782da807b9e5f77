import QtQuick 2.15

MainHeaderForm {
    Component.onCompleted: title.text = appName
    btnMin.onClicked: window.showMinimized()
    // The program keeps running in the notification area.
    btnClose.onClicked: window.hide()
}
