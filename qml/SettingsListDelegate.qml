import QtQuick 2.15
import QtQuick.Controls 2.15

// A row of a list on the settings pages; the view's current row is marked.
ItemDelegate {
    id: row

    width: ListView.view ? ListView.view.width : implicitWidth
    height: 30
    highlighted: ListView.isCurrentItem

    background: Rectangle {
        color: row.highlighted ? "#DCEBFC" : row.hovered ? "#F0F5FC" : "transparent"
    }
    contentItem: Text {
        text: row.text
        font: row.font
        color: row.enabled ? "#26282A" : "#A3A9B2"
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }
}
