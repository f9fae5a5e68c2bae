#pragma once

#include "platform/data/Schema.h"

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class Dataset;
class SqlConnection;

// Which contracts the execution summary lists.
struct SummaryFilter {
    enum class Status { All, Overdue, PaidInFull, Overpaid, PaidNotInvoiced };

    QString project;      // a level-1 code takes its level-2 projects along; empty: every project
    QString counterparty; // empty: every counterparty
    QDate signedFrom;     // invalid: no lower bound
    QDate signedTo;       // invalid: no upper bound
    Status status = Status::All;

    // Nothing narrows the list, so the records that name no contract belong in it.
    bool listsEverything() const;
};

// Where every contract stands: planned, due by today, paid, invoiced. The
// figures come from one grouped query per record table, joined to the
// contracts on the contract number; sums and differences are kept in whole
// ten-thousandths, so every figure is exact.
namespace ExecutionSummary {

// The fields of the summary's rows. The last two are for the window's
// colours and are not shown.
enum Field {
    Number,
    Name,
    Counterparty,
    Project,
    Amount,
    Planned,
    Due,
    Paid,
    Unpaid,
    Share,
    Overdue,
    Invoiced,
    PaidNotInvoiced,
    NextDate,
    Kind,
    State,
};

// The fields' names and kinds, in the order above; the names are the column titles.
QList<ColumnDef> fields();

enum class RowKind { Contract, Stray, Totals };
// By precedence: a row that is overdue and overpaid counts as overdue.
enum class RowState { Plain, Overdue, Overpaid, PaidInFull };

// The status choices of the filter, in the order of SummaryFilter::Status.
QStringList statusNames();

// Opens `rows` on the summary: one row per contract that passes the filter,
// by contract number; then, when nothing is filtered and there are any, one
// row "无对应合同" for the plans, payments and invoices whose contract number
// matches no contract; then the totals row "合计".
void load(const SqlConnection &connection, const SummaryFilter &filter, Dataset *rows);

RowKind kindOf(const Dataset &rows, int row);
RowState stateOf(const Dataset &rows, int row);

// Payments and planned payments per month, from the month of `first` through
// the month of `last`, of the contracts listed in `rows` (and of the records
// naming no contract when that row is listed).
struct Month {
    QDate month; // its first day
    double paid = 0;
    double planned = 0;
};
QList<Month> months(const SqlConnection &connection, const Dataset &rows, const QDate &first, const QDate &last);

// The counterparties of the listed contracts with the most unpaid, most first;
// only those that are still owed something.
QList<QPair<QString, double>> topUnpaid(const Dataset &rows, int count);

} // namespace ExecutionSummary
