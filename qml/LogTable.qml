import QtQuick 2.15
import QtQuick.Controls 1.4

// A table of the history page. Its columns share the width by their `share`
// (1 unless a column declares one), each at least as wide as its header
// needs: a header that is too wide for one line takes two, split at the blank
// outside brackets that leaves the wider line narrowest, so that a unit such
// as "(V)" stays whole. Columns that need more than the table has scroll
// sideways.
TableView {
    id: table

    readonly property FontMetrics headerMetrics: FontMetrics {
        font.family: "DejaVu Sans"
        font.pixelSize: 12
        font.bold: true
    }
    // The room left and right of a header's text.
    readonly property int headerMargin: 8
    // Renewed when the table's width or a header's text changes.
    readonly property var columnWidths: fitColumns(viewport.width, columnCount)

    function headerLines(title, room) {
        var best = [title]
        var widest = headerMetrics.advanceWidth(title)
        if (widest <= room)
            return best
        var depth = 0
        for (var i = 0; i < title.length; ++i) {
            var c = title.charAt(i)
            if (c === "(")
                ++depth
            else if (c === ")")
                depth = Math.max(depth - 1, 0)
            else if (c === " " && depth === 0) {
                var lines = [title.slice(0, i).trim(), title.slice(i + 1).trim()]
                var wider = Math.max(headerMetrics.advanceWidth(lines[0]), headerMetrics.advanceWidth(lines[1]))
                if (lines[0] && lines[1] && wider < widest) {
                    best = lines
                    widest = wider
                }
            }
        }
        return best
    }

    function headerWidth(title) {
        var lines = headerLines(title, 0)
        var widest = 0
        for (var i = 0; i < lines.length; ++i)
            widest = Math.max(widest, headerMetrics.advanceWidth(lines[i]))
        return Math.ceil(widest) + 2 * headerMargin
    }

    // Columns that need more than their share get what they need; the
    // others share the rest.
    function fitColumns(room, count) {
        var need = [], share = [], fixed = []
        for (var i = 0; i < count; ++i) {
            var column = getColumn(i)
            need.push(headerWidth(column.title))
            share.push(column.share || 1)
            fixed.push(false)
        }
        var unit = 0
        for (var changed = true; changed; ) {
            var left = room, shares = 0
            for (i = 0; i < count; ++i) {
                if (fixed[i])
                    left -= need[i]
                else
                    shares += share[i]
            }
            unit = shares > 0 ? Math.max(left, 0) / shares : 0
            changed = false
            for (i = 0; i < count; ++i) {
                if (!fixed[i] && need[i] > unit * share[i]) {
                    fixed[i] = true
                    changed = true
                }
            }
        }
        var widths = []
        for (i = 0; i < count; ++i)
            widths.push(fixed[i] ? need[i] : Math.floor(unit * share[i]))
        return widths
    }

    onColumnWidthsChanged: {
        for (var i = 0; i < columnWidths.length; ++i)
            getColumn(i).width = columnWidths[i]
    }

    style: LogTableStyle {}
}
