#include "reports/ExportGridsToExcel.h"

#include "db/Tdm.h"
#include "platform/Dialogs.h"
#include "platform/data/Dataset.h"
#include "platform/data/SqlConnection.h"
#include "platform/spreadsheet/SpreadsheetApp.h"
#include "platform/widgets/DBGrid.h"

#include <QApplication>
#include <QDate>
#include <QHeaderView>

#include <cmath>
#include <optional>

namespace {

// The wait cursor for as long as the export runs, however it ends.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { restore(); }
    void restore()
    {
        if (m_active)
            QApplication::restoreOverrideCursor();
        m_active = false;
    }

private:
    bool m_active = true;
};

// The logical type of a dataset field. A column of a join is typed by the
// engine, which keeps dates as text; it takes the type that the ledger's
// columns of that name agree on, so a payment date stays a date.
ColumnType kindOf(const Dataset::Field &field)
{
    if (field.writable || field.def.type != ColumnType::Text || !dm || !dm->ADOConnection1)
        return field.def.type;
    const Schema *schema = dm->ADOConnection1->schema();
    if (!schema)
        return field.def.type;
    std::optional<ColumnType> found;
    for (const TableDef &table : schema->tables()) {
        if (const ColumnDef *c = table.column(field.def.name)) {
            if (found && *found != c->type)
                return ColumnType::Text;
            found = c->type;
        }
    }
    return found.value_or(ColumnType::Text);
}

// A cell: text stays text (leading zeros kept), amounts and whole numbers
// are numbers, dates are dates, and a null is an empty cell.
QVariant cellValue(const Dataset &ds, int field, ColumnType kind)
{
    const int row = ds.currentRow();
    const QVariant v = ds.value(row, field);
    if (field < 0 || v.isNull())
        return QVariant();
    bool ok = false;
    switch (kind) {
    case ColumnType::Amount: {
        const double number = v.toDouble(&ok);
        // Amounts are exact to 0.0001; this hides floating-point noise.
        if (ok && std::isfinite(number))
            return std::round(number * 10000.0) / 10000.0;
        break;
    }
    case ColumnType::Integer: {
        const qlonglong number = v.toLongLong(&ok);
        if (ok)
            return number;
        break;
    }
    case ColumnType::Date: {
        const QDate d = v.typeId() == QMetaType::QDate ? v.toDate() : QDate::fromString(v.toString(), Qt::ISODate);
        if (d.isValid())
            return d;
        break;
    }
    case ColumnType::Text:
        break;
    }
    return ds.text(row, field);
}

struct ExportColumn {
    QString title;
    int field = -1;
    ColumnType kind = ColumnType::Text;
};

// The grid's columns as the user sees them ordered, hidden ones included.
QList<ExportColumn> columnsOf(const DBGrid &grid, const Dataset &ds)
{
    QList<ExportColumn> columns;
    const DatasetModel *model = grid.datasetModel();
    if (!model)
        return columns;
    const QHeaderView *header = grid.horizontalHeader();
    for (int visual = 0; visual < model->columnCount(); ++visual) {
        const int logical = header ? header->logicalIndex(visual) : visual;
        ExportColumn c;
        c.title = model->headerData(logical, Qt::Horizontal).toString();
        c.field = model->fieldOf(logical);
        if (c.field >= 0)
            c.kind = kindOf(ds.field(c.field));
        columns << c;
    }
    return columns;
}

} // namespace

void ExportGridsToExcel(const QList<DBGrid *> &grids, bool reportStartFailure)
{
    WaitCursor wait;
    std::unique_ptr<SpreadsheetApp> app;
    try {
        app = SpreadsheetApp::create();
    } catch (...) {
        wait.restore();
        if (reportStartFailure)
            Dialogs::information(QStringLiteral("没有安装Excel，请安装后再试一次！"));
        return;
    }

    app->setSheetsInNewWorkbook(int(grids.size()));
    app->addWorkbook();
    for (int i = 0; i < grids.size(); ++i) {
        DBGrid *grid = grids[i];
        const QString name = grid->objectName();
        app->setSheetName(1, i + 1, name);
        const WorksheetRef sheet = app->worksheet(1, name);

        Dataset *ds = grid->dataset();
        if (!ds || !ds->isOpen())
            return;
        // Walked while attached to its grid, so the grid's current row follows
        // and rests on the last record.
        ds->first();
        const QList<ExportColumn> columns = columnsOf(*grid, *ds);
        for (int c = 0; c < columns.size(); ++c)
            app->setCell(sheet, 1, c + 1, columns[c].title);
        int r = 1;
        while (!ds->eof()) {
            for (int c = 0; c < columns.size(); ++c)
                app->setCell(sheet, r + 1, c + 1, cellValue(*ds, columns[c].field, columns[c].kind));
            ++r;
            ds->next();
        }
        app->setVisible(true);
    }
}
