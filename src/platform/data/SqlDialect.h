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
    // The schema version kept in the database (0 when none was ever set),
    // and the statement that sets it; it takes part in a transaction.
    virtual QString schemaVersion() const = 0;
    virtual QString setSchemaVersion(int version) const = 0;
    // The names of a table's columns, one row each; the table is bound.
    virtual QString columnNames() const = 0;
    // The names of the database's indexes, one row each.
    virtual QString indexNames() const = 0;
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
    QString schemaVersion() const override { return QStringLiteral("PRAGMA user_version"); }
    QString setSchemaVersion(int version) const override { return QStringLiteral("PRAGMA user_version=%1").arg(version); }
    QString columnNames() const override { return QStringLiteral("select name from pragma_table_info(?) order by cid"); }
    QString indexNames() const override
    {
        return QStringLiteral("select name from sqlite_master where type='index' and sql is not null");
    }
};
