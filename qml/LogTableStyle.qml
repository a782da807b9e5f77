import QtQuick 2.15
import QtQuick.Controls.Styles 1.4

// Headers and cells of the history tables (LogTable, which lays out the
// headers' lines). Their texts use a font that draws "℃" (the application
// font leaves it blank); other scripts fall back.
TableViewStyle {
    headerDelegate: Rectangle {
        implicitHeight: 40
        color: "#EEF1F6"
        Text {
            objectName: "logHeader"
            anchors.fill: parent
            anchors.leftMargin: control.headerMargin
            anchors.rightMargin: control.headerMargin
            verticalAlignment: Text.AlignVCenter
            text: control.headerLines(styleData.value, width).join("\n")
            font: control.headerMetrics.font
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
