#include "reports/ExecutionSummary.h"

#include "platform/data/Dataset.h"
#include "platform/data/SqlConnection.h"
#include "platform/gbk.h"

#include <QHash>
#include <QMap>
#include <QSet>
#include <QSqlQuery>

#include <algorithm>
#include <cmath>

namespace ExecutionSummary {

namespace {

const QString kStray = QStringLiteral("无对应合同");
const QString kTotals = QStringLiteral("合计");

// Amounts are exact to 0.0001: in whole ten-thousandths they add and
// subtract without floating-point error.
qint64 units(const QVariant &amount)
{
    return amount.isNull() ? 0 : std::llround(amount.toDouble() * 10000.0);
}

double amountOf(qint64 units)
{
    return double(units) / 10000.0;
}

struct Figures {
    qint64 amount = 0;
    qint64 planned = 0;
    qint64 due = 0;
    qint64 paid = 0;
    qint64 invoiced = 0;
    QString next; // ISO date of the next planned payment after today

    qint64 unpaid() const { return amount - paid; }
    qint64 overdue() const { return std::max<qint64>(due - paid, 0); }
    qint64 paidNotInvoiced() const { return std::max<qint64>(paid - invoiced, 0); }

    bool isOverdue() const { return due > paid; }
    bool isOverpaid() const { return paid > amount; }
    // A contract without an amount is never paid in full.
    bool isPaidInFull() const { return amount > 0 && paid == amount; }

    RowState state() const
    {
        if (isOverdue())
            return RowState::Overdue;
        if (isOverpaid())
            return RowState::Overpaid;
        if (isPaidInFull())
            return RowState::PaidInFull;
        return RowState::Plain;
    }

    void add(const Figures &o)
    {
        amount += o.amount;
        planned += o.planned;
        due += o.due;
        paid += o.paid;
        invoiced += o.invoiced;
        if (!o.next.isEmpty() && (next.isEmpty() || o.next < next))
            next = o.next;
    }
};

bool passes(const Figures &f, SummaryFilter::Status status)
{
    using S = SummaryFilter::Status;
    switch (status) {
    case S::All:
        return true;
    case S::Overdue:
        return f.isOverdue();
    case S::PaidInFull:
        return f.isPaidInFull();
    case S::Overpaid:
        return f.isOverpaid();
    case S::PaidNotInvoiced:
        return f.paidNotInvoiced() > 0;
    }
    return true;
}

// The figures of the record tables by contract number, joined as the grouped
// queries are read. An index into a vector keeps the table small. Numbers
// match whatever the case of their letters, as the database compares them.
class ByContract
{
public:
    explicit ByContract(int expected)
    {
        m_index.reserve(expected);
        m_figures.reserve(size_t(expected));
    }

    // Reads one grouped query (contract number first) into the figures.
    template <typename Take>
    void read(const SqlConnection &connection, const QString &sql, Take take)
    {
        QSqlQuery q = connection.exec(sql);
        while (q.next()) {
            const QString number = caseFolded(q.value(0).toString());
            auto it = m_index.constFind(number);
            if (it == m_index.cend()) {
                it = m_index.insert(number, m_figures.size());
                m_figures.emplace_back();
            }
            take(m_figures[size_t(*it)], q);
        }
    }

    // The figures of a contract, which no longer count as naming no contract.
    Figures take(const QString &number)
    {
        const auto it = m_index.constFind(caseFolded(number));
        if (it == m_index.cend())
            return {};
        const Figures f = m_figures[size_t(*it)];
        m_index.erase(it);
        return f;
    }

    bool isEmpty() const { return m_index.isEmpty(); }
    // The figures of every contract number not taken.
    Figures rest() const
    {
        Figures sum;
        for (const qsizetype at : m_index)
            sum.add(m_figures[size_t(at)]);
        return sum;
    }

private:
    QHash<QString, qsizetype> m_index;
    std::vector<Figures> m_figures;
};

QVariantList rowOf(const QString &number, const QString &name, const QString &counterparty, const QString &project,
                   const Figures &f, RowKind kind)
{
    // No share of a contract without an amount.
    const QVariant share = f.amount != 0 ? QVariant(std::round(double(f.paid) * 10000.0 / double(f.amount)) / 100.0)
                                         : QVariant();
    return {number,
            name,
            counterparty,
            project,
            amountOf(f.amount),
            amountOf(f.planned),
            amountOf(f.due),
            amountOf(f.paid),
            amountOf(f.unpaid()),
            share,
            amountOf(f.overdue()),
            amountOf(f.invoiced),
            amountOf(f.paidNotInvoiced()),
            f.next.isEmpty() ? QVariant() : QVariant(f.next),
            int(kind),
            int(f.state())};
}

// The conditions on the contracts and their values.
QString contractConditions(const SummaryFilter &filter, QVariantList *params)
{
    QStringList where;
    if (!filter.project.isEmpty()) {
        if (gbk::byteLength(filter.project) == 2) {
            // A part of a code compares as text, so its letters are folded here.
            where << QStringLiteral("(项目=? or lower(substr(项目,1,3))=lower(?))");
            *params << filter.project << filter.project + QLatin1Char('-');
        } else {
            where << QStringLiteral("项目=?");
            *params << filter.project;
        }
    }
    if (!filter.counterparty.isEmpty()) {
        where << QStringLiteral("对方单位=?");
        *params << filter.counterparty;
    }
    if (filter.signedFrom.isValid()) {
        where << QStringLiteral("签订日期>=?");
        *params << filter.signedFrom;
    }
    if (filter.signedTo.isValid()) {
        where << QStringLiteral("签订日期<=?");
        *params << filter.signedTo;
    }
    return where.isEmpty() ? QString() : QStringLiteral(" where ") + where.join(QStringLiteral(" and "));
}

qint64 unitsAt(const Dataset &rows, int row, Field field)
{
    return units(rows.value(row, field));
}

} // namespace

QList<ColumnDef> fields()
{
    const auto text = [](const char *name) { return ColumnDef{QString::fromUtf8(name), ColumnType::Text, 0}; };
    const auto amount = [](const char *name) { return ColumnDef{QString::fromUtf8(name), ColumnType::Amount, 0}; };
    return {text("合同编号"),
            text("合同名称"),
            text("对方单位"),
            text("项目"),
            amount("合同金额"),
            amount("计划付款合计"),
            amount("截至今日应付"),
            amount("已付金额"),
            amount("未付金额"),
            amount("付款比例"),
            amount("逾期未付"),
            amount("已开票金额"),
            amount("已付未开票"),
            {QStringLiteral("下次计划付款日期"), ColumnType::Date, 0},
            {QStringLiteral("行类别"), ColumnType::Integer, 0},
            {QStringLiteral("状态"), ColumnType::Integer, 0}};
}

QStringList statusNames()
{
    return {QStringLiteral("全部"), QStringLiteral("有逾期"), QStringLiteral("已付清"), QStringLiteral("超付"),
            QStringLiteral("已付未开票")};
}

void load(const SqlConnection &connection, const SummaryFilter &filter, Dataset *rows)
{
    // A subquery, so that today's date is worked out once and not for every row.
    const QString today = QStringLiteral("(select %1)").arg(connection.dialect().today());
    ByContract byContract(connection.scalar(QStringLiteral("select count(*) from 合同基本信息表")).toInt());
    byContract.read(connection,
                    QStringLiteral("select 合同编号,sum(计划付款金额),sum(case when 计划付款日期<=%1 then 计划付款金额 end),"
                                   "min(case when 计划付款日期>%1 then 计划付款日期 end) from 计划付款情况表 group by 合同编号")
                        .arg(today),
                    [](Figures &f, const QSqlQuery &q) {
                        f.planned = units(q.value(1));
                        f.due = units(q.value(2));
                        f.next = q.value(3).toString();
                    });
    byContract.read(connection, QStringLiteral("select 合同编号,sum(付款金额) from 付款情况表 group by 合同编号"),
                    [](Figures &f, const QSqlQuery &q) { f.paid = units(q.value(1)); });
    byContract.read(connection, QStringLiteral("select 合同编号,sum(发票金额) from 发票情况表 group by 合同编号"),
                    [](Figures &f, const QSqlQuery &q) { f.invoiced = units(q.value(1)); });

    QVariantList params;
    const QString where = contractConditions(filter, &params);
    QSqlQuery q = connection.exec(
        QStringLiteral("select 合同编号,合同名称,对方单位,项目,合同金额 from 合同基本信息表%1 order by 合同编号").arg(where), params);
    std::vector<QVariantList> out;
    Figures totals;
    while (q.next()) {
        const QString number = q.value(0).toString();
        Figures f = byContract.take(number);
        f.amount = units(q.value(4));
        if (!passes(f, filter.status))
            continue;
        totals.add(f);
        out.push_back(rowOf(number, q.value(1).toString(), q.value(2).toString(), q.value(3).toString(), f,
                            RowKind::Contract));
    }
    // What is left names no contract, unless the filter set contracts aside.
    if (filter.listsEverything() && !byContract.isEmpty()) {
        const Figures stray = byContract.rest();
        totals.add(stray);
        out.push_back(rowOf(kStray, QString(), QString(), QString(), stray, RowKind::Stray));
    }
    QVariantList sum = rowOf(kTotals, QString(), QString(), QString(), totals, RowKind::Totals);
    // Rows clipped at zero add up row by row, not from the totals.
    qint64 overdue = 0, notInvoiced = 0;
    for (const QVariantList &r : out) {
        overdue += units(r[Overdue]);
        notInvoiced += units(r[PaidNotInvoiced]);
    }
    sum[Overdue] = amountOf(overdue);
    sum[PaidNotInvoiced] = amountOf(notInvoiced);
    sum[State] = int(RowState::Plain);
    out.push_back(std::move(sum));
    rows->openRows(fields(), std::move(out));
}

RowKind kindOf(const Dataset &rows, int row)
{
    return RowKind(rows.value(row, Kind).toInt());
}

RowState stateOf(const Dataset &rows, int row)
{
    return RowState(rows.value(row, State).toInt());
}

QList<Month> months(const SqlConnection &connection, const Dataset &rows, const QDate &first, const QDate &last)
{
    const QDate from(first.year(), first.month(), 1);
    const QDate to = QDate(last.year(), last.month(), 1).addMonths(1);
    QSet<QString> listed;
    bool everything = false;
    for (int r = 0; r < rows.recordCount(); ++r) {
        const RowKind kind = kindOf(rows, r);
        if (kind == RowKind::Contract)
            listed.insert(caseFolded(rows.value(r, Number).toString()));
        everything = everything || kind == RowKind::Stray;
    }

    QMap<QString, std::pair<qint64, qint64>> byMonth; // "yyyy-MM": paid, planned
    const SqlDialect &dialect = connection.dialect();
    const auto add = [&](const QString &table, const char *dateColumn, const char *amountColumn, bool paid) {
        const QString month = dialect.monthOf(QString::fromUtf8(dateColumn));
        QSqlQuery q = connection.exec(QStringLiteral("select 合同编号,%1,sum(%2) from %3 where %4>=? and %4<? "
                                                     "group by 合同编号,%1")
                                          .arg(month, QString::fromUtf8(amountColumn), table, QString::fromUtf8(dateColumn)),
                                      {from, to});
        while (q.next()) {
            if (!everything && !listed.contains(caseFolded(q.value(0).toString())))
                continue;
            auto &figures = byMonth[q.value(1).toString()];
            (paid ? figures.first : figures.second) += units(q.value(2));
        }
    };
    add(QStringLiteral("付款情况表"), "付款日期", "付款金额", true);
    add(QStringLiteral("计划付款情况表"), "计划付款日期", "计划付款金额", false);

    QList<Month> out;
    for (QDate m = from; m < to; m = m.addMonths(1)) {
        const auto figures = byMonth.value(m.toString(QStringLiteral("yyyy-MM")));
        out.append({m, amountOf(figures.first), amountOf(figures.second)});
    }
    return out;
}

QList<QPair<QString, double>> topUnpaid(const Dataset &rows, int count)
{
    QHash<QString, qint64> byCounterparty;
    for (int r = 0; r < rows.recordCount(); ++r)
        if (kindOf(rows, r) == RowKind::Contract)
            byCounterparty[rows.value(r, Counterparty).toString()] += unitsAt(rows, r, Unpaid);
    QList<QPair<QString, qint64>> owed;
    for (auto it = byCounterparty.cbegin(); it != byCounterparty.cend(); ++it)
        if (it.value() > 0)
            owed.append({it.key(), it.value()});
    std::sort(owed.begin(), owed.end(), [](const auto &a, const auto &b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    });
    QList<QPair<QString, double>> out;
    for (qsizetype i = 0; i < owed.size() && i < count; ++i)
        out.append({owed[i].first, amountOf(owed[i].second)});
    return out;
}

} // namespace ExecutionSummary

bool SummaryFilter::listsEverything() const
{
    return project.isEmpty() && counterparty.isEmpty() && !signedFrom.isValid() && !signedTo.isValid()
           && status == Status::All;
}
