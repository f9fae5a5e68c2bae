#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A database schema held as data: the tables with their columns in stored
// order, logical types and widths, and the indexes. The DDL and the data
// layer's conversions are derived from it.
enum class ColumnType { Text, Date, Amount, Integer };

struct ColumnDef {
    QString name;
    ColumnType type = ColumnType::Text;
    int width = 0; // in GBK bytes; 0 = no limit (text columns only)
    // Compared without regard to Latin letter case (codes that people type);
    // the stored text keeps its case.
    bool ignoresCase = false;
};

struct TableDef {
    QString name;
    QList<ColumnDef> columns;

    const ColumnDef *column(const QString &name) const;
    QStringList columnNames() const;
};

struct IndexDef {
    QString name;
    QString table;
    QStringList columns;
    bool unique = false;
};

// A code as a column that ignores case compares it: Latin letters A-Z as
// a-z, every other character as it is. For code that matches codes itself.
QString caseFolded(const QString &code);

class Schema
{
public:
    Schema(QList<TableDef> tables, QList<IndexDef> indexes);

    const QList<TableDef> &tables() const { return m_tables; }
    const QList<IndexDef> &indexes() const { return m_indexes; }
    const TableDef *table(const QString &name) const;

    // CREATE TABLE (STRICT, with type checks) and CREATE INDEX statements.
    QStringList createStatements() const;
    // The table's CREATE TABLE statement, under another name when one is given.
    QString createTableStatement(const TableDef &table, const QString &name = QString()) const;
    QString createIndexStatement(const IndexDef &index) const;

private:
    QList<TableDef> m_tables;
    QList<IndexDef> m_indexes;
};
