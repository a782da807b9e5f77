#include "xlsxdocument.h"

#include "platform/savefile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QVector>

#include <xlsxwriter.h>

class XlsxDocumentPrivate
{
public:
    lxw_format *format(int handle) const
    {
        return handle >= 0 && handle < formats.size() ? formats.at(handle) : nullptr;
    }

    bool writable(int row, int column) const
    {
        return workbook && !closed && row >= 1 && column >= 1;
    }

    QTemporaryDir dir;
    QByteArray tmpDir;
    QString workPath;
    lxw_workbook *workbook = nullptr;
    lxw_worksheet *sheet = nullptr;
    QVector<lxw_format *> formats;
    QVector<XlsxDocument::Format> added; // what each of formats was made from
    bool closed = false;
    bool complete = false;
};

XlsxDocument::XlsxDocument()
    : d(new XlsxDocumentPrivate)
{
    if (!d->dir.isValid())
        return;
    d->workPath = d->dir.filePath(QStringLiteral("workbook.xlsx"));
    d->tmpDir = QFile::encodeName(d->dir.path());
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = d->tmpDir.data();
    d->workbook = workbook_new_opt(QFile::encodeName(d->workPath).constData(), &options);
    if (d->workbook)
        d->sheet = workbook_add_worksheet(d->workbook, nullptr);
    if (!d->sheet && d->workbook) {
        lxw_workbook_free(d->workbook);
        d->workbook = nullptr;
    }
}

XlsxDocument::~XlsxDocument()
{
    if (d->workbook && !d->closed)
        lxw_workbook_free(d->workbook); // never saved: nothing to write
    delete d;
}

bool XlsxDocument::isValid() const
{
    return d->workbook != nullptr;
}

int XlsxDocument::addFormat(const Format &format)
{
    if (!d->workbook || d->closed)
        return -1;
    // The writer looks an equal second format up anew at every cell.
    for (int i = 0; i < d->added.size(); ++i) {
        const Format &other = d->added.at(i);
        if (other.thinBorder == format.thinBorder && other.fill == format.fill
            && (!format.fill || (other.fillColor & 0xFFFFFF) == (format.fillColor & 0xFFFFFF)))
            return i;
    }
    lxw_format *f = workbook_add_format(d->workbook);
    if (!f)
        return -1;
    format_set_align(f, LXW_ALIGN_CENTER);
    format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
    if (format.thinBorder)
        format_set_border(f, LXW_BORDER_THIN);
    if (format.fill) {
        format_set_pattern(f, LXW_PATTERN_SOLID);
        format_set_bg_color(f, format.fillColor & 0xFFFFFF);
    }
    d->formats.append(f);
    d->added.append(format);
    return d->formats.size() - 1;
}

int XlsxDocument::addFormat()
{
    return addFormat(Format());
}

bool XlsxDocument::setColumnWidth(int column, double width)
{
    if (!d->writable(1, column))
        return false;
    const lxw_col_t col = static_cast<lxw_col_t>(column - 1);
    return worksheet_set_column(d->sheet, col, col, width, nullptr) == LXW_NO_ERROR;
}

bool XlsxDocument::writeString(int row, int column, const QString &text, int format)
{
    if (!d->writable(row, column))
        return false;
    const QByteArray utf8 = text.toUtf8();
    return worksheet_write_string(d->sheet, static_cast<lxw_row_t>(row - 1),
                                  static_cast<lxw_col_t>(column - 1), utf8.constData(),
                                  d->format(format)) == LXW_NO_ERROR;
}

bool XlsxDocument::writeNumber(int row, int column, double number, int format)
{
    if (!d->writable(row, column))
        return false;
    return worksheet_write_number(d->sheet, static_cast<lxw_row_t>(row - 1),
                                  static_cast<lxw_col_t>(column - 1), number,
                                  d->format(format)) == LXW_NO_ERROR;
}

bool XlsxDocument::writeBlank(int row, int column, int format)
{
    if (!d->writable(row, column))
        return false;
    return worksheet_write_blank(d->sheet, static_cast<lxw_row_t>(row - 1),
                                 static_cast<lxw_col_t>(column - 1), d->format(format)) == LXW_NO_ERROR;
}

bool XlsxDocument::write(int row, int column, const QVariant &value, int format)
{
    if (!d->writable(row, column))
        return false;
    // A null text is null as a variant too: both give the formatted blank.
    if (value.isNull() || (value.userType() == QMetaType::QString && value.toString().isEmpty()))
        return writeBlank(row, column, format);
    switch (value.userType()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Double:
    case QMetaType::Float:
        return writeNumber(row, column, value.toDouble(), format);
    default:
        return writeString(row, column, value.toString(), format);
    }
}

bool XlsxDocument::saveAs(const QString &path)
{
    if (!d->workbook)
        return false;
    if (!d->closed) {
        d->closed = true;
        d->complete = workbook_close(d->workbook) == LXW_NO_ERROR;
    }
    if (!d->complete)
        return false;

    QFile work(d->workPath);
    SaveFile file(path);
    if (!work.open(QIODevice::ReadOnly) || !file.open(QIODevice::WriteOnly))
        return false;
    QByteArray chunk(64 * 1024, Qt::Uninitialized);
    for (qint64 n; (n = work.read(chunk.data(), chunk.size())) != 0;) {
        if (n < 0 || file.write(chunk.constData(), n) != n) {
            file.cancelWriting();
            break;
        }
    }
    return file.finish();
}
