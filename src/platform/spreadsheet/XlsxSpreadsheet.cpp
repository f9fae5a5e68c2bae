#include "platform/spreadsheet/XlsxSpreadsheet.h"

#include "platform/gbk.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <algorithm>
#include <map>

namespace {

// Excel's date serials start in 1900; an earlier date is written as text.
constexpr int firstDateYear = 1900;

QString dateText(const QDate &d)
{
    return d.toString(QStringLiteral("yyyy/M/d"));
}

// Width a cell needs, in characters of the default font (a hanzi counts two).
int displayWidth(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Double:
        return int(QString::number(v.toDouble(), 'g', 15).size());
    case QMetaType::QDate:
        return int(dateText(v.toDate()).size());
    default:
        return gbk::byteLength(v.toString());
    }
}

[[noreturn]] void failWriting(const QString &path, lxw_error error)
{
    throw SpreadsheetError(QStringLiteral("无法写入工作簿文件“%1”：%2").arg(path, QString::fromUtf8(lxw_strerror(error))));
}

void removeStaleFiles(const QString &folder)
{
    const QDateTime dayAgo = QDateTime::currentDateTime().addDays(-1);
    QDir dir(folder);
    const QFileInfoList files = dir.entryInfoList({QStringLiteral("workbook-*.xlsx")}, QDir::Files);
    for (const QFileInfo &f : files) {
        if (f.lastModified() < dayAgo)
            QFile::remove(f.absoluteFilePath());
    }
}

} // namespace

XlsxSpreadsheet::XlsxSpreadsheet(const QString &folder, Opener opener)
    : m_folder(folder), m_opener(std::move(opener))
{
}

XlsxSpreadsheet::~XlsxSpreadsheet() = default;

QString XlsxSpreadsheet::findProgram()
{
    for (const char *name : {"soffice", "libreoffice"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

QString XlsxSpreadsheet::defaultFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation)).filePath(QStringLiteral("kadero-export"));
}

std::unique_ptr<SpreadsheetApp> XlsxSpreadsheet::start()
{
    const QString program = findProgram();
    if (program.isEmpty())
        throw SpreadsheetError(QStringLiteral("没有找到电子表格程序（LibreOffice Calc）。"));
    const QString folder = defaultFolder();
    if (!QDir().mkpath(folder))
        throw SpreadsheetError(QStringLiteral("无法创建文件夹“%1”。").arg(folder));
    removeStaleFiles(folder);
    // "-n" opens the file as a template: a new, untitled document that the
    // user saves where he wants, as with a workbook that was never saved.
    return std::make_unique<XlsxSpreadsheet>(folder, [program](const QString &file) {
        if (!QProcess::startDetached(program, {QStringLiteral("--calc"), QStringLiteral("-n"), file}))
            throw SpreadsheetError(QStringLiteral("无法启动电子表格程序“%1”。").arg(program));
    });
}

void XlsxSpreadsheet::writeWorkbook(const WorkbookModel::Workbook &book, const QString &path)
{
    const QByteArray file = QFile::encodeName(path);
    lxw_workbook *wb = workbook_new(file.constData());
    if (!wb)
        throw SpreadsheetError(QStringLiteral("无法创建工作簿文件“%1”。").arg(path));
    lxw_format *dateFormat = workbook_add_format(wb);
    format_set_num_format(dateFormat, "yyyy/m/d");

    lxw_error error = LXW_NO_ERROR;
    for (const WorkbookModel::Sheet &sheet : book.sheets) {
        const QByteArray name = sheet.name.toUtf8();
        error = workbook_validate_sheet_name(wb, name.constData());
        lxw_worksheet *ws = error == LXW_NO_ERROR ? workbook_add_worksheet(wb, name.constData()) : nullptr;
        if (!ws) {
            if (error == LXW_NO_ERROR)
                error = LXW_ERROR_MEMORY_MALLOC_FAILED;
            break;
        }
        std::map<int, int> widths; // column -> widest cell
        for (const auto &[pos, value] : sheet.cells) {
            const lxw_row_t row = lxw_row_t(pos.first - 1);
            const lxw_col_t col = lxw_col_t(pos.second - 1);
            if (value.typeId() == QMetaType::Double) {
                error = worksheet_write_number(ws, row, col, value.toDouble(), nullptr);
            } else if (value.typeId() == QMetaType::QDate && value.toDate().year() >= firstDateYear) {
                const QDate d = value.toDate();
                lxw_datetime dt = {d.year(), uint8_t(d.month()), uint8_t(d.day()), 0, 0, 0.0};
                error = worksheet_write_datetime(ws, row, col, &dt, dateFormat);
            } else {
                const QString text = value.typeId() == QMetaType::QDate ? dateText(value.toDate()) : value.toString();
                error = worksheet_write_string(ws, row, col, text.toUtf8().constData(), nullptr);
            }
            if (error != LXW_NO_ERROR)
                break;
            int &w = widths[pos.second];
            w = std::max(w, displayWidth(value));
        }
        if (error != LXW_NO_ERROR)
            break;
        // Wide enough that dates show instead of "###", capped for long remarks.
        for (const auto &[column, width] : widths) {
            const double chars = std::min(width + 1.5, 60.0);
            if (chars > LXW_DEF_COL_WIDTH)
                worksheet_set_column(ws, lxw_col_t(column - 1), lxw_col_t(column - 1), chars, nullptr);
        }
    }
    const lxw_error closed = workbook_close(wb);
    if (error == LXW_NO_ERROR)
        error = closed;
    if (error != LXW_NO_ERROR) {
        QFile::remove(path);
        failWriting(path, error);
    }
}

void XlsxSpreadsheet::setSheetsInNewWorkbook(int count)
{
    m_model.setSheetsInNewWorkbook(count);
}

void XlsxSpreadsheet::addWorkbook()
{
    m_model.addWorkbook();
}

void XlsxSpreadsheet::setSheetName(int workbook, int sheet, const QString &name)
{
    m_model.setSheetName(workbook, sheet, name);
}

WorksheetRef XlsxSpreadsheet::worksheet(int workbook, const QString &name)
{
    return m_model.worksheet(workbook, name);
}

void XlsxSpreadsheet::setCell(const WorksheetRef &sheet, int row, int column, const QVariant &value)
{
    m_model.setCell(sheet, row, column, value);
}

void XlsxSpreadsheet::setVisible(bool visible)
{
    m_visible = visible;
    // A shown document is the program's own from then on; it is handed over
    // again only when the workbooks changed after it was shown.
    if (!visible || m_shownRevision == m_model.revision())
        return;
    for (const WorkbookModel::Workbook &book : m_model.workbooks()) {
        QTemporaryFile file(QDir(m_folder).filePath(QStringLiteral("workbook-XXXXXX.xlsx")));
        file.setAutoRemove(false);
        if (!file.open())
            throw SpreadsheetError(QStringLiteral("无法在“%1”中创建工作簿文件。").arg(m_folder));
        const QString path = file.fileName();
        file.close();
        writeWorkbook(book, path);
        m_opener(path);
    }
    m_shownRevision = m_model.revision();
}
