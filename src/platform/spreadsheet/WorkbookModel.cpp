#include "platform/spreadsheet/WorkbookModel.h"

#include <QDate>

#include <cmath>

namespace {

// Numbers and dates keep their kind; anything else is stored as its text.
QVariant normalized(const QVariant &value)
{
    if (value.isNull())
        return QVariant();
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        const double number = value.toDouble();
        if (!std::isfinite(number))
            throw SpreadsheetError(QStringLiteral("单元格不能接受非有限的数值。"));
        return number;
    }
    case QMetaType::QDate:
        if (!value.toDate().isValid())
            throw SpreadsheetError(QStringLiteral("单元格不能接受无效的日期。"));
        return value.toDate();
    default:
        return value.toString();
    }
}

} // namespace

void WorkbookModel::setSheetsInNewWorkbook(int count)
{
    if (count < 1 || count > 255)
        throw SpreadsheetError(QStringLiteral("新工作簿内的工作表数必须在1到255之间（给出的是%1）。").arg(count));
    m_sheetsInNewWorkbook = count;
}

void WorkbookModel::addWorkbook()
{
    Workbook book;
    for (int i = 1; i <= m_sheetsInNewWorkbook; ++i)
        book.sheets.append(Sheet{QStringLiteral("Sheet%1").arg(i), {}});
    m_workbooks.append(book);
    ++m_revision;
}

WorkbookModel::Workbook &WorkbookModel::workbookAt(int workbook)
{
    if (workbook < 1 || workbook > m_workbooks.size())
        throw SpreadsheetError(QStringLiteral("没有第%1个工作簿。").arg(workbook));
    return m_workbooks[workbook - 1];
}

const WorkbookModel::Workbook &WorkbookModel::workbookAt(int workbook) const
{
    return const_cast<WorkbookModel *>(this)->workbookAt(workbook);
}

void WorkbookModel::setSheetName(int workbook, int sheet, const QString &name)
{
    Workbook &book = workbookAt(workbook);
    if (sheet < 1 || sheet > book.sheets.size())
        throw SpreadsheetError(QStringLiteral("工作簿%1中没有第%2个工作表。").arg(workbook).arg(sheet));
    static const QString forbidden = QStringLiteral(":\\/?*[]");
    bool bad = name.isEmpty() || name.size() > 31 || name.startsWith(QLatin1Char('\''))
        || name.endsWith(QLatin1Char('\''));
    for (const QChar ch : name)
        bad = bad || forbidden.contains(ch);
    if (bad)
        throw SpreadsheetError(QStringLiteral("工作表名称“%1”无效：名称须为1到31个字符，不能含有 : \\ / ? * [ ]，"
                                              "也不能以单引号开头或结尾。").arg(name));
    for (int i = 0; i < book.sheets.size(); ++i) {
        if (i != sheet - 1 && book.sheets[i].name.compare(name, Qt::CaseInsensitive) == 0)
            throw SpreadsheetError(QStringLiteral("工作表名称“%1”已被同一工作簿中的另一个工作表使用。").arg(name));
    }
    book.sheets[sheet - 1].name = name;
    ++m_revision;
}

WorksheetRef WorkbookModel::worksheet(int workbook, const QString &name) const
{
    const Workbook &book = workbookAt(workbook);
    for (int i = 0; i < book.sheets.size(); ++i) {
        if (book.sheets[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return {workbook, i + 1};
    }
    throw SpreadsheetError(QStringLiteral("工作簿%1中没有名为“%2”的工作表。").arg(workbook).arg(name));
}

void WorkbookModel::setCell(const WorksheetRef &ref, int row, int column, const QVariant &value)
{
    Workbook &book = workbookAt(ref.workbook);
    if (ref.sheet < 1 || ref.sheet > book.sheets.size())
        throw SpreadsheetError(QStringLiteral("工作簿%1中没有第%2个工作表。").arg(ref.workbook).arg(ref.sheet));
    if (row < 1 || row > maxRows || column < 1 || column > maxColumns)
        throw SpreadsheetError(QStringLiteral("单元格(%1, %2)超出了工作表的范围。").arg(row).arg(column));
    const QVariant v = normalized(value);
    if (v.typeId() == QMetaType::QString && v.toString().size() > maxTextLength)
        throw SpreadsheetError(QStringLiteral("单元格(%1, %2)的文字超过%3个字符。").arg(row).arg(column).arg(maxTextLength));
    auto &cells = book.sheets[ref.sheet - 1].cells;
    // An empty value clears the cell, as typing nothing into it would.
    if (v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty()))
        cells.erase({row, column});
    else
        cells[{row, column}] = v;
    ++m_revision;
}
