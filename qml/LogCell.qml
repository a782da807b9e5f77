import QtQuick 2.15

// A cell of the history tables and of the closed windows' tree, in the font
// of their headers.
Text {
    leftPadding: 8
    verticalAlignment: Text.AlignVCenter
    text: styleData.value !== undefined ? styleData.value : ""
    color: styleData.textColor
    font.family: "DejaVu Sans"
    font.pixelSize: 12
    elide: styleData.elideMode
}
