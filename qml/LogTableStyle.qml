import QtQuick 2.15
import QtQuick.Controls.Styles 1.4

// Headers and cells of the history tables (LogTable, which lays out the
// headers' lines).
TableViewStyle {
    headerDelegate: LogHeader {
        text: control.headerLines(styleData.value, width - 2 * margin).join("\n")
        font: control.headerMetrics.font
        margin: control.headerMargin
    }
    itemDelegate: LogCell {}
}
