#pragma once

#include <QString>

// The few pieces of SQL that differ between database engines.
class SqlDialect
{
public:
    virtual ~SqlDialect() = default;
    // Today's local date, comparable with a stored date column.
    virtual QString today() const = 0;
    // Whole days from `from` to `to` (negative when `to` lies before `from`).
    virtual QString daysBetween(const QString &from, const QString &to) const = 0;
    // The engine's own row identifier of a table row.
    virtual QString rowId() const = 0;
    // The month of a stored date as text "yyyy-MM", for grouping by month.
    virtual QString monthOf(const QString &date) const = 0;
};

class SqliteDialect : public SqlDialect
{
public:
    QString today() const override { return QStringLiteral("date('now','localtime')"); }
    QString daysBetween(const QString &from, const QString &to) const override
    {
        return QStringLiteral("CAST(round(julianday(%2) - julianday(%1)) AS INTEGER)").arg(from, to);
    }
    QString rowId() const override { return QStringLiteral("rowid"); }
    // Dates are stored as ISO text.
    QString monthOf(const QString &date) const override { return QStringLiteral("substr(%1,1,7)").arg(date); }
};
