#include "support/RecordingSpreadsheet.h"

#include <QDate>
#include <QLocale>

QStringList RecordingSpreadsheet::Log::matching(const QString &prefix) const
{
    QStringList list;
    for (const QString &op : operations) {
        if (op.startsWith(prefix))
            list << op;
    }
    return list;
}

RecordingSpreadsheet::RecordingSpreadsheet(Log *log) : m_log(log) {}

RecordingSpreadsheet::~RecordingSpreadsheet()
{
    m_log->operations << QStringLiteral("release");
    m_log->lastModel = m_model;
}

SpreadsheetApp::Factory RecordingSpreadsheet::factory(Log *log)
{
    return [log]() -> std::unique_ptr<SpreadsheetApp> {
        log->operations << QStringLiteral("create Excel.Application");
        if (log->failCreate)
            throw SpreadsheetError(QStringLiteral("没有找到电子表格程序。"));
        ++log->created;
        return std::make_unique<RecordingSpreadsheet>(log);
    };
}

QString RecordingSpreadsheet::describe(const QVariant &value)
{
    if (value.isNull())
        return QStringLiteral("empty");
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return QStringLiteral("number:") + QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    case QMetaType::QDate:
        return QStringLiteral("date:") + value.toDate().toString(Qt::ISODate);
    default:
        return QStringLiteral("text:") + value.toString();
    }
}

void RecordingSpreadsheet::record(const QString &operation)
{
    m_log->operations << operation;
    if (!m_log->failOn.isEmpty() && operation.startsWith(m_log->failOn))
        throw SpreadsheetError(QStringLiteral("电子表格程序拒绝了操作：") + operation);
}

void RecordingSpreadsheet::setSheetsInNewWorkbook(int count)
{
    record(QStringLiteral("SheetsInNewWorkbook=%1").arg(count));
    m_model.setSheetsInNewWorkbook(count);
}

void RecordingSpreadsheet::addWorkbook()
{
    record(QStringLiteral("Workbooks.Add"));
    m_model.addWorkbook();
}

void RecordingSpreadsheet::setSheetName(int workbook, int sheet, const QString &name)
{
    record(QStringLiteral("Workbooks(%1).Worksheets(%2).Name=%3").arg(workbook).arg(sheet).arg(name));
    m_model.setSheetName(workbook, sheet, name);
}

WorksheetRef RecordingSpreadsheet::worksheet(int workbook, const QString &name)
{
    record(QStringLiteral("Workbooks(%1).Worksheets(%2)").arg(workbook).arg(name));
    return m_model.worksheet(workbook, name);
}

void RecordingSpreadsheet::setCell(const WorksheetRef &sheet, int row, int column, const QVariant &value)
{
    record(QStringLiteral("Worksheets(%1).Cells(%2,%3)=%4").arg(sheet.sheet).arg(row).arg(column).arg(describe(value)));
    m_model.setCell(sheet, row, column, value);
}

void RecordingSpreadsheet::setVisible(bool visible)
{
    record(visible ? QStringLiteral("Visible=true") : QStringLiteral("Visible=false"));
}
