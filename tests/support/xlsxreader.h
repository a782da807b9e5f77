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
}

#endif // XLSXREADER_H
