#ifndef XLSXREADER_H
#define XLSXREADER_H

#include <QJsonObject>
#include <QString>

// Reads a workbook back with a real reader (openpyxl, through
// tests/support/xlsxdump.py) and gives it as JSON: {"sheets": [{"name",
// "maxRow", "maxColumn", "widths": {"1": w, ...}, "rows": [[cell, ...]]}]},
// each cell {"value", "type", "horizontal", "vertical", "border", "fill",
// "fillColor"}. An empty object when the file cannot be read.
namespace XlsxReader {
QJsonObject read(const QString &path, QString *error = nullptr);

// For workbooks too large for that: writes the values of every sheet to the
// text file `out`, read in openpyxl's read-only mode: a line "sheet<TAB>name"
// before each sheet, then a line per row, its values as Python prints them,
// separated by tabs. False when the workbook cannot be read.
bool writeValues(const QString &path, const QString &out);
}

#endif // XLSXREADER_H
