#include "platform/data/Schema.h"

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
