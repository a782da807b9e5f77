import QtQuick 2.15
import QtQuick.Controls.Styles 1.4

// Headers and cells of the history tables. Their texts use a font that
// draws "℃" (the application font leaves it blank); other scripts fall back.
TableViewStyle {
    headerDelegate: Rectangle {
        implicitHeight: 40
        color: "#EEF1F6"
        Text {
            anchors.fill: parent
            anchors.leftMargin: 8
            verticalAlignment: Text.AlignVCenter
            text: styleData.value
            font.family: "DejaVu Sans"
            font.pixelSize: 12
            font.bold: true
            wrapMode: Text.WordWrap
            maximumLineCount: 2
            elide: Text.ElideRight
        }
        Rectangle {
            anchors.right: parent.right
            width: 1
            height: parent.height
            color: "#D5DAE3"
        }
    }
    itemDelegate: Text {
        leftPadding: 8
        verticalAlignment: Text.AlignVCenter
        text: styleData.value !== undefined ? styleData.value : ""
        color: styleData.textColor
        font.family: "DejaVu Sans"
        font.pixelSize: 12
        elide: styleData.elideMode
    }
}
