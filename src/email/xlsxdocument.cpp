#include "xlsxdocument.h"

#include "platform/savefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QVector>

#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>

class XlsxDocumentPrivate
{
public:
    lxw_format *format(int handle) const
    {
        return handle >= 0 && handle < formats.size() ? formats.at(handle) : nullptr;
    }

    // Whether a cell may be written; the reason when not (a workbook that
    // could not be set up or that lost rows keeps the reason it has).
    bool writable(int row, int column)
    {
        if (!workbook || spoiled)
            return false;
        if (closed)
            return fail(QStringLiteral("the workbook is saved already"));
        return (row >= 1 && column >= 1)
               || fail(QStringLiteral("there is no cell at row %1, column %2").arg(row).arg(column));
    }

    bool fail(const QString &reason)
    {
        error = reason;
        return false;
    }

    // The system's error of a file of the writer in the temporary folder.
    bool failInTemporaryFolder(const char *what, int systemError)
    {
        return fail(QStringLiteral("%1 in the temporary folder %2 (%3)")
                        .arg(QLatin1String(what), dir.path(), qt_error_string(systemError)));
    }

    // Runs a write of the writer into the current sheet. The first cell of a
    // row writes the row before it to the sheet's temporary file, and the
    // writer does not tell when that fails (a full temporary folder): the
    // file's error flag does.
    template<typename Write>
    bool write(Write call)
    {
        errno = 0;
        const lxw_error result = call();
        if (ferror(sheet->optimize_tmpfile)) {
            spoiled = true;
            return failInTemporaryFolder("the rows cannot be stored", errno);
        }
        return result == LXW_NO_ERROR || fail(QString::fromUtf8(lxw_strerror(result)));
    }

    // Each sheet holds its rows in a temporary file of its own.
    bool addSheet()
    {
        errno = 0;
        lxw_worksheet *next = workbook_add_worksheet(workbook, nullptr);
        if (!next)
            return failInTemporaryFolder("no worksheet can be started", errno);
        sheet = next;
        return true;
    }

    QTemporaryDir dir;
    QByteArray tmpDir;
    QString workPath;
    QString error;
    QString closeError; // why the workbook could not be put together
    lxw_workbook *workbook = nullptr;
    lxw_worksheet *sheet = nullptr; // the one being written
    QVector<lxw_format *> formats;
    QVector<XlsxDocument::Format> added; // what each of formats was made from
    bool closed = false;
    bool complete = false;
    bool spoiled = false; // rows were lost on the way to the temporary file
};

XlsxDocument::XlsxDocument()
    : d(new XlsxDocumentPrivate)
{
    if (!d->dir.isValid()) {
        d->fail(QStringLiteral("no temporary folder can be made in %1 (%2)")
                    .arg(QDir::tempPath(), d->dir.errorString()));
        return;
    }
    d->workPath = d->dir.filePath(QStringLiteral("workbook.xlsx"));
    d->tmpDir = QFile::encodeName(d->dir.path());
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = d->tmpDir.data();
    d->workbook = workbook_new_opt(QFile::encodeName(d->workPath).constData(), &options);
    if (!d->workbook) {
        d->fail(QStringLiteral("no workbook can be started"));
        return;
    }
    if (!d->addSheet()) {
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

QString XlsxDocument::errorString() const
{
    return d->error;
}

bool XlsxDocument::addSheet()
{
    return d->writable(1, 1) && d->addSheet();
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
    return d->write([&] { return worksheet_set_column(d->sheet, col, col, width, nullptr); });
}

bool XlsxDocument::writeString(int row, int column, const QString &text, int format)
{
    if (!d->writable(row, column))
        return false;
    const QByteArray utf8 = text.toUtf8();
    return d->write([&] {
        return worksheet_write_string(d->sheet, static_cast<lxw_row_t>(row - 1), static_cast<lxw_col_t>(column - 1),
                                      utf8.constData(), d->format(format));
    });
}

bool XlsxDocument::writeNumber(int row, int column, double number, int format)
{
    if (!d->writable(row, column))
        return false;
    return d->write([&] {
        return worksheet_write_number(d->sheet, static_cast<lxw_row_t>(row - 1), static_cast<lxw_col_t>(column - 1),
                                      number, d->format(format));
    });
}

bool XlsxDocument::writeBlank(int row, int column, int format)
{
    if (!d->writable(row, column))
        return false;
    return d->write([&] {
        return worksheet_write_blank(d->sheet, static_cast<lxw_row_t>(row - 1), static_cast<lxw_col_t>(column - 1),
                                     d->format(format));
    });
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
        if (d->spoiled) { // rows are missing: nothing is put together
            lxw_workbook_free(d->workbook);
            d->workbook = nullptr;
            return false;
        }
        errno = 0;
        const lxw_error result = workbook_close(d->workbook);
        d->complete = result == LXW_NO_ERROR;
        if (!d->complete) {
            d->closeError = QStringLiteral("the workbook cannot be put together in the temporary folder %1: %2")
                                .arg(d->dir.path(), QString::fromUtf8(lxw_strerror(result)));
            if (errno != 0)
                d->closeError += QStringLiteral(" (%1)").arg(qt_error_string(errno));
        }
    }
    if (!d->complete)
        return d->fail(d->closeError);

    QFile work(d->workPath);
    if (!work.open(QIODevice::ReadOnly))
        return d->fail(QStringLiteral("%1 cannot be read (%2)").arg(d->workPath, work.errorString()));
    SaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return d->fail(QStringLiteral("%1 cannot be written (%2)").arg(path, file.errorString()));
    QByteArray chunk(64 * 1024, Qt::Uninitialized);
    for (qint64 n; (n = work.read(chunk.data(), chunk.size())) != 0;) {
        if (n < 0)
            return d->fail(QStringLiteral("%1 cannot be read (%2)").arg(d->workPath, work.errorString()));
        if (file.write(chunk.constData(), n) != n)
            return d->fail(QStringLiteral("%1 cannot be written (%2)").arg(path, file.errorString()));
    }
    return file.finish() || d->fail(QStringLiteral("%1 cannot be written (%2)").arg(path, file.errorString()));
}
