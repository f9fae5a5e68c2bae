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

// A statement and the columns its bound values go to, in order: the values
// are checked and converted for those columns before it runs.
struct Statement {
    QString sql;
    QList<ColumnDef> columns;
};

struct TableDef {
    QString name;
    QList<ColumnDef> columns;

    const ColumnDef *column(const QString &name) const;
    QStringList columnNames() const;

    // The table's own statements, values bound by position. Names are written
    // bare where SQLite takes them so (every name of the ledger), else quoted.
    //
    // insert into T values(?,…): one value for every column, in stored order.
    Statement insertRow() const;
    // insert into T(a,b) values(?,?): the named columns (DbError for a name
    // the table lacks); no columns give the row of default values.
    Statement insertInto(const QStringList &columns) const;
    // select <rowId> AS <alias>, <columns> from T <clauses>: its rows read
    // back with the engine's row id first, to be written back by it.
    QString selectWithRowId(const QString &rowId, const QString &alias, const QString &columns,
                            const QString &clauses) const;
    // update T set a=?,b=? where <rowId>=? and delete from T where <rowId>=?.
    QString updateByRowId(const QStringList &columns, const QString &rowId) const;
    QString deleteByRowId(const QString &rowId) const;
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
    // The table's definition; DbError for a table the schema does not hold.
    const TableDef &operator[](const QString &name) const;

    // CREATE TABLE (STRICT, with type checks) and CREATE INDEX statements.
    QStringList createStatements() const;
    // The table's CREATE TABLE statement, under another name when one is given.
    QString createTableStatement(const TableDef &table, const QString &name = QString()) const;
    QString createIndexStatement(const IndexDef &index) const;

private:
    QList<TableDef> m_tables;
    QList<IndexDef> m_indexes;
};
