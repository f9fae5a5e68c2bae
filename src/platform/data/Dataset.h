#pragma once

#include "platform/data/Schema.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>

#include <vector>

class SqlConnection;

// Rows of a table or a query, all read at Open (a static cursor), with a
// current row and the editing states of a data-aware dataset:
//
//  - A row being edited or appended is stored when the user leaves it (First,
//    Prior, Next, Last, MoveTo, Append) if one of its values changed, and is
//    discarded otherwise. Close discards it.
//  - Rows are written back to their table by the engine's row id, so of two
//    identical rows in a table without a key only the one shown changes.
//  - A value that its column cannot take is refused when the row is stored
//    (DbError); the row then stays pending for correction.
//
// A query given as SQL text is read-only; rows that are to be written back
// come from one table, named as such (a whole table or a table query).
class Dataset : public QObject
{
    Q_OBJECT
public:
    enum State { Inactive, Browse, Edit, Insert };
    Q_ENUM(State)

    struct Field {
        ColumnDef def;      // name, logical type and width
        bool writable = false;
    };

    explicit Dataset(SqlConnection *connection, QObject *parent = nullptr);
    ~Dataset() override;

    // A dataset made before its connection exists is given it later (closing it).
    void setConnection(SqlConnection *connection);

    // A read-only query: the statement with its bound values.
    void setSql(const QString &sql, const QVariantList &params = {});
    void clearSql() { setSql(QString()); }
    // A whole table, optionally sorted on a column.
    void setTableName(const QString &table);
    void setSort(const QString &column) { m_sort = column; }
    // Rows of one table that can be written back to it:
    // select <columns> from <table> <clauses>, with the bound values.
    void setTableQuery(const QString &table, const QString &columns, const QString &clauses = QString(),
                       const QVariantList &params = {});
    // The table that rows are written back to (empty for a read-only query).
    QString updateTable() const { return m_target.name; }

    void open();
    // Opens read-only on rows the program computed, with their fields' names
    // and kinds (a computed value has no column to tell its kind). Refresh
    // and Open need a statement again.
    void openRows(const QList<ColumnDef> &fields, std::vector<QVariantList> rows);
    void close();
    void refresh();
    bool isOpen() const { return m_state != Inactive; }

    // Navigation; each first stores or discards a pending row.
    void first();
    void prior();
    void next();
    void last();
    void moveTo(int row);
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }

    int recordCount() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.empty(); }
    int currentRow() const { return m_current; }

    // Editing.
    void append();
    void edit();
    void post();
    void cancel();
    void remove(); // Delete
    // The grid lost the focus: a new row that nobody changed goes away.
    void discardUnchangedInsert();
    // Stores a changed pending row, discards an unchanged one.
    void settlePending();

    State state() const { return m_state; }
    bool isEditing() const { return m_state == Edit || m_state == Insert; }
    bool isModified() const;
    bool canModify() const { return !m_target.name.isEmpty(); }

    // Fields.
    int fieldCount() const { return int(m_fields.size()); }
    const Field &field(int index) const { return m_fields[size_t(index)]; }
    int fieldIndex(const QString &name) const;
    QStringList fieldNames() const;

    // Values of the current row (the pending values while editing); a null
    // value when there is no current row.
    QVariant value(const QString &field) const;
    QString text(const QString &field) const;
    // Values of any row; the pending values for the row being edited.
    QVariant value(int row, int column) const;
    QString text(int row, int column) const;

    // Changes a value of the current row, putting it into its edit state
    // first (with no row listed, a new row is started). Throws DbError.
    void setValue(const QString &field, const QVariant &value);
    void setValue(int column, const QVariant &value);

Q_SIGNALS:
    void aboutToReset();
    void reset();                  // rows replaced: open, close, refresh
    void currentChanged(int row);
    void stateChanged(Dataset::State state);
    void rowChanged(int row);      // values of a row changed
    void aboutToInsertRow(int row);
    void rowInserted(int row);
    void aboutToRemoveRow(int row);
    void rowRemoved(int row);

private:
    struct Row {
        qint64 rowId = 0; // 0: not stored yet
        QVariantList values;
    };

    void requireOpen() const;
    void requireWritable() const;
    void setState(State state);
    void setCurrent(int row);
    void readRows();
    void removeRowAt(int row);

    SqlConnection *m_connection;
    QString m_sql;          // a read-only query
    QString m_table;        // or rows of this table:
    QString m_columns;      //   select m_columns from m_table m_clauses
    QString m_clauses;
    QString m_sort;
    QVariantList m_params;
    TableDef m_target;      // the table rows are written back to, once open

    std::vector<Field> m_fields;
    std::vector<Row> m_rows;
    int m_current = -1;
    bool m_eof = true;
    bool m_bof = true;
    State m_state = Inactive;

    // The row being edited or appended.
    QVariantList m_buffer;
    std::vector<bool> m_changed;
    int m_returnRow = -1; // where Cancel of an append goes back to
};
