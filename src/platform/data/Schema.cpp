#include "platform/data/Schema.h"

#include "platform/data/DbError.h"

#include <algorithm>

namespace {

// A name SQLite reads without quotes stays bare, so the statements keep the
// shape they are written in; any other is quoted.
QString sqlName(const QString &name)
{
    const bool bare = !name.isEmpty() && !name.front().isDigit()
                      && std::all_of(name.begin(), name.end(),
                                     [](QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); });
    return bare ? name : QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

QString marks(qsizetype count)
{
    QStringList m;
    for (qsizetype i = 0; i < count; ++i)
        m << QStringLiteral("?");
    return m.join(QLatin1Char(','));
}

QString sqlNames(const QStringList &names, const QString &suffix = QString())
{
    QStringList out;
    for (const QString &n : names)
        out << sqlName(n) + suffix;
    return out.join(QLatin1Char(','));
}

} // namespace

QString caseFolded(const QString &code)
{
    QString folded = code;
    for (QChar &c : folded)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    return folded;
}

const ColumnDef *TableDef::column(const QString &n) const
{
    for (const ColumnDef &c : columns)
        if (c.name.compare(n, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

QStringList TableDef::columnNames() const
{
    QStringList names;
    for (const ColumnDef &c : columns)
        names << c.name;
    return names;
}

Statement TableDef::insertRow() const
{
    return {QStringLiteral("insert into %1 values(%2)").arg(sqlName(name), marks(columns.size())), columns};
}

Statement TableDef::insertInto(const QStringList &names) const
{
    if (names.isEmpty())
        return {QStringLiteral("insert into %1 default values").arg(sqlName(name)), {}};
    Statement s{QStringLiteral("insert into %1(%2) values(%3)").arg(sqlName(name), sqlNames(names), marks(names.size())), {}};
    for (const QString &n : names) {
        const ColumnDef *c = column(n);
        if (!c)
            throw DbError(QStringLiteral("数据库中没有列“%1”。").arg(n));
        s.columns << *c;
    }
    return s;
}

QString TableDef::selectWithRowId(const QString &rowId, const QString &alias, const QString &selected,
                                  const QString &clauses) const
{
    QString sql = QStringLiteral("select %1 AS %2, %3 from %4").arg(rowId, alias, selected, sqlName(name));
    if (!clauses.isEmpty())
        sql += QLatin1Char(' ') + clauses;
    return sql;
}

QString TableDef::updateByRowId(const QStringList &names, const QString &rowId) const
{
    return QStringLiteral("update %1 set %2 where %3=?").arg(sqlName(name), sqlNames(names, QStringLiteral("=?")), rowId);
}

QString TableDef::deleteByRowId(const QString &rowId) const
{
    return QStringLiteral("delete from %1 where %2=?").arg(sqlName(name), rowId);
}

Schema::Schema(QList<TableDef> tables, QList<IndexDef> indexes)
    : m_tables(std::move(tables)), m_indexes(std::move(indexes))
{
}

const TableDef *Schema::table(const QString &name) const
{
    for (const TableDef &t : m_tables)
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

const TableDef &Schema::operator[](const QString &name) const
{
    if (const TableDef *t = table(name))
        return *t;
    throw DbError(QStringLiteral("数据库中没有表“%1”。").arg(name));
}

static QString columnSql(const ColumnDef &c)
{
    const QString q = QLatin1Char('"') + c.name + QLatin1Char('"');
    switch (c.type) {
    case ColumnType::Text:
        return q + (c.ignoresCase ? QStringLiteral(" TEXT COLLATE NOCASE") : QStringLiteral(" TEXT"));
    case ColumnType::Integer:
        return q + QStringLiteral(" INTEGER");
    case ColumnType::Amount:
        return q + QStringLiteral(" REAL");
    case ColumnType::Date:
        // Only a real calendar date in ISO form is accepted; the modifier makes
        // SQLite normalise 02-30 to 03-02, so an impossible day fails the check.
        return q + QStringLiteral(" TEXT CHECK (%1 IS NULL OR date(%1, '+0 days') IS %1)").arg(q);
    }
    return q;
}

QString Schema::createTableStatement(const TableDef &t, const QString &name) const
{
    QStringList cols;
    for (const ColumnDef &c : t.columns)
        cols << columnSql(c);
    return QStringLiteral("CREATE TABLE \"%1\" (%2) STRICT")
        .arg(name.isEmpty() ? t.name : name, cols.join(QStringLiteral(", ")));
}

QString Schema::createIndexStatement(const IndexDef &i) const
{
    QStringList cols;
    for (const QString &c : i.columns)
        cols << QLatin1Char('"') + c + QLatin1Char('"');
    return QStringLiteral("CREATE %1INDEX \"%2\" ON \"%3\" (%4)")
        .arg(i.unique ? QStringLiteral("UNIQUE ") : QString(), i.name, i.table, cols.join(QStringLiteral(", ")));
}

QStringList Schema::createStatements() const
{
    QStringList sql;
    for (const TableDef &t : m_tables)
        sql << createTableStatement(t);
    for (const IndexDef &i : m_indexes)
        sql << createIndexStatement(i);
    return sql;
}
