import QtQuick 2.15
import QtQuick.Controls 2.15

// One entry of the list of history tabs.
ItemDelegate {
    id: button

    property bool selected: false

    height: 52
    highlighted: selected
    background: Rectangle {
        color: button.selected ? "#DCEBFC" : (button.hovered ? "#F0F4FA" : "white")
        Rectangle {
            width: 4
            height: parent.height
            color: "#117BEC"
            visible: button.selected
        }
    }
    contentItem: Label {
        text: button.text
        font.bold: button.selected
        color: button.selected ? "#117BEC" : "black"
        wrapMode: Text.WordWrap
        verticalAlignment: Text.AlignVCenter
    }
}
