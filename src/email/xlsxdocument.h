#ifndef XLSXDOCUMENT_H
#define XLSXDOCUMENT_H

#include <QString>
#include <QVariant>

class XlsxDocumentPrivate;

// An Excel workbook, written cell by cell and then saved. It starts with one
// worksheet ("Sheet1"); addSheet() starts the next one, and the writes go to
// the latest. Rows and columns count from 1, as in the sheet's own numbering.
// Rows are written from the top down, each once: a cell of a row above the
// last one started is refused. Only the row being written is held in memory,
// whatever the size of the sheet; the rows before it wait in a temporary
// file, and a write that finds that file failing spoils the workbook: every
// later call fails.
// After the first saveAs the workbook is complete: later writes fail, and
// a later saveAs stores the same workbook again.
class XlsxDocument
{
public:
    static constexpr int MaxRows = 1048576; // rows of a worksheet

    // Every format centres its cells horizontally and vertically.
    struct Format {
        bool thinBorder = false; // thin border on all four sides
        bool fill = false;       // solid pattern fill in fillColor
        quint32 fillColor = 0xFFFFFF; // 0xRRGGBB
    };

    XlsxDocument();
    ~XlsxDocument();
    XlsxDocument(const XlsxDocument &) = delete;
    XlsxDocument &operator=(const XlsxDocument &) = delete;

    // False when the workbook could not be set up; every call then fails.
    bool isValid() const;
    // Why the latest call that failed did: the system's error and the file
    // or folder, or what the writer refused.
    QString errorString() const;

    // Starts the next worksheet, named "Sheet2", "Sheet3" and so on; the
    // writes that follow go to it, from its row 1.
    bool addSheet();

    // A cell format; the returned handle is passed to the writes. A format
    // equal to one added before gets the same handle.
    int addFormat(const Format &format);
    int addFormat(); // centred only

    bool setColumnWidth(int column, double width);

    // format: a handle of addFormat, or -1 for the sheet's default.
    bool writeString(int row, int column, const QString &text, int format = -1);
    bool writeNumber(int row, int column, double number, int format = -1);
    // An empty cell that still shows the format (its border and fill).
    bool writeBlank(int row, int column, int format);
    // Numbers as numbers, anything else as its text; a null value or an
    // empty text gives an empty cell in the format.
    bool write(int row, int column, const QVariant &value, int format = -1);

    // Saves the workbook to path, replacing a file that is there only once
    // the whole workbook is written beside it: a save that fails leaves the
    // previous file as it was.
    bool saveAs(const QString &path);

private:
    XlsxDocumentPrivate *d;
};

#endif // XLSXDOCUMENT_H
