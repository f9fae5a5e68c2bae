#include "platform/data/Dataset.h"

#include "platform/data/DbError.h"
#include "platform/data/SqlConnection.h"
#include "platform/data/Values.h"

#include <QSqlField>
#include <QSqlRecord>

#include <optional>

namespace {

const QString kRowIdAlias = QStringLiteral("__kd_rowid");

ColumnType typeOf(const QSqlField &f)
{
    switch (f.metaType().id()) {
    case QMetaType::Double:
        return ColumnType::Amount;
    case QMetaType::Int:
    case QMetaType::LongLong:
        return ColumnType::Integer;
    default:
        return ColumnType::Text;
    }
}

// A column of a join or a computed result has no table of its own: a name that
// means one kind of value in every table that has it (付款日期 is always a
// date) is shown as that kind.
ColumnType typeByName(const Schema &schema, const QString &name, ColumnType fallback)
{
    std::optional<ColumnType> found;
    for (const TableDef &t : schema.tables()) {
        const ColumnDef *c = t.column(name);
        if (!c)
            continue;
        if (found && *found != c->type)
            return fallback;
        found = c->type;
    }
    return found.value_or(fallback);
}

} // namespace

Dataset::Dataset(SqlConnection *connection, QObject *parent) : QObject(parent), m_connection(connection) {}

Dataset::~Dataset() = default;

void Dataset::setConnection(SqlConnection *connection)
{
    close();
    m_connection = connection;
}

void Dataset::setSql(const QString &sql, const QVariantList &params)
{
    close();
    m_sql = sql;
    m_params = params;
    m_table.clear();
}

void Dataset::setTableName(const QString &table)
{
    setTableQuery(table, QStringLiteral("*"));
}

void Dataset::setTableQuery(const QString &table, const QString &columns, const QString &clauses,
                            const QVariantList &params)
{
    close();
    m_table = table;
    m_columns = columns;
    m_clauses = clauses;
    m_params = params;
    m_sql.clear();
}

void Dataset::readRows()
{
    if (!m_connection)
        throw DbError(QStringLiteral("没有连接数据库。"));
    if (m_sql.trimmed().isEmpty() && m_table.isEmpty())
        throw DbError(QStringLiteral("没有设置查询语句。"));
    const Schema *schema = m_connection->schema();
    const TableDef *def = schema && !m_table.isEmpty() ? schema->table(m_table) : nullptr;
    // A table the schema does not hold can still have its rows deleted.
    const TableDef target = def ? *def : TableDef{m_table, {}};
    const bool withRowId = !m_table.isEmpty();
    QString statement = m_sql;
    if (withRowId) {
        QString clauses = m_clauses;
        if (!m_sort.isEmpty())
            clauses += (clauses.isEmpty() ? QString() : QStringLiteral(" ")) + QStringLiteral("order by ") + m_sort;
        statement = target.selectWithRowId(m_connection->dialect().rowId(), kRowIdAlias, m_columns, clauses);
    }
    QSqlQuery q = m_connection->exec(statement, m_params);

    const QSqlRecord rec = q.record();
    const int first = withRowId ? 1 : 0;

    std::vector<Field> fields;
    for (int i = first; i < rec.count(); ++i) {
        Field f;
        const ColumnDef *c = def ? def->column(rec.fieldName(i)) : nullptr;
        if (c) {
            f.def = *c;
            f.def.name = rec.fieldName(i);
            f.writable = true;
        } else {
            f.def.name = rec.fieldName(i);
            f.def.type = schema ? typeByName(*schema, f.def.name, typeOf(rec.field(i))) : typeOf(rec.field(i));
        }
        fields.push_back(f);
    }

    std::vector<Row> rows;
    const int n = rec.count();
    while (q.next()) {
        Row r;
        r.values.reserve(n - first);
        if (withRowId)
            r.rowId = q.value(0).toLongLong();
        for (int i = first; i < n; ++i)
            r.values.append(q.value(i));
        rows.push_back(std::move(r));
    }

    Q_EMIT aboutToReset();
    m_fields = std::move(fields);
    m_rows = std::move(rows);
    m_target = withRowId ? target : TableDef();
    Q_EMIT reset();
}

void Dataset::open()
{
    if (isOpen())
        return;
    readRows();
    m_current = -1;
    setState(Browse);
    setCurrent(m_rows.empty() ? -1 : 0);
    m_bof = true;
    m_eof = m_rows.empty();
}

void Dataset::openRows(const QList<ColumnDef> &fields, std::vector<QVariantList> rows)
{
    close();
    m_sql.clear();
    m_params.clear();
    m_table.clear();
    Q_EMIT aboutToReset();
    for (const ColumnDef &def : fields)
        m_fields.push_back({def, false});
    m_rows.reserve(rows.size());
    for (QVariantList &values : rows)
        m_rows.push_back({0, std::move(values)});
    Q_EMIT reset();
    setState(Browse);
    setCurrent(m_rows.empty() ? -1 : 0);
    m_bof = true;
    m_eof = m_rows.empty();
}

void Dataset::close()
{
    if (m_state == Inactive)
        return;
    Q_EMIT aboutToReset();
    m_rows.clear();
    m_fields.clear();
    m_buffer.clear();
    m_changed.clear();
    m_target = TableDef();
    m_state = Inactive;
    m_current = -1;
    m_eof = m_bof = true;
    Q_EMIT reset();
    Q_EMIT stateChanged(m_state);
    Q_EMIT currentChanged(-1);
}

void Dataset::refresh()
{
    requireOpen();
    settlePending();
    const qint64 id = m_current >= 0 ? m_rows[size_t(m_current)].rowId : 0;
    const int old = m_current;
    readRows();
    int row = -1;
    for (size_t i = 0; id && i < m_rows.size(); ++i)
        if (m_rows[i].rowId == id)
            row = int(i);
    if (row < 0 && !m_rows.empty())
        row = std::clamp(old, 0, int(m_rows.size()) - 1);
    m_current = -1;
    setCurrent(row);
    m_eof = m_bof = m_rows.empty();
}

void Dataset::requireOpen() const
{
    if (m_state == Inactive)
        throw DbError(QStringLiteral("数据集没有打开，不能执行此操作。"));
}

void Dataset::requireWritable() const
{
    if (!canModify())
        throw DbError(QStringLiteral("这些数据只能查看，不能修改。"));
}

void Dataset::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    Q_EMIT stateChanged(state);
}

void Dataset::setCurrent(int row)
{
    if (m_current == row)
        return;
    m_current = row;
    Q_EMIT currentChanged(row);
}

void Dataset::settlePending()
{
    if (!isEditing())
        return;
    if (isModified())
        post();
    else
        cancel();
}

void Dataset::moveTo(int row)
{
    requireOpen();
    if (row == m_current)
        return;
    settlePending();
    if (m_rows.empty())
        return;
    setCurrent(std::clamp(row, 0, int(m_rows.size()) - 1));
    m_eof = m_bof = false;
}

void Dataset::first()
{
    requireOpen();
    settlePending();
    setCurrent(m_rows.empty() ? -1 : 0);
    m_bof = true;
    m_eof = m_rows.empty();
}

void Dataset::last()
{
    requireOpen();
    settlePending();
    setCurrent(int(m_rows.size()) - 1);
    m_eof = true;
    m_bof = m_rows.empty();
}

void Dataset::next()
{
    requireOpen();
    settlePending();
    if (m_current + 1 < int(m_rows.size())) {
        setCurrent(m_current + 1);
        m_eof = m_bof = false;
    } else {
        m_eof = true;
    }
}

void Dataset::prior()
{
    requireOpen();
    settlePending();
    if (m_current > 0) {
        setCurrent(m_current - 1);
        m_eof = m_bof = false;
    } else {
        m_bof = true;
    }
}

void Dataset::append()
{
    requireOpen();
    requireWritable();
    settlePending();
    const int row = int(m_rows.size());
    m_returnRow = m_current;
    Q_EMIT aboutToInsertRow(row);
    Row r;
    for (size_t i = 0; i < m_fields.size(); ++i)
        r.values.append(QVariant());
    m_rows.push_back(r);
    m_buffer = r.values;
    m_changed.assign(m_fields.size(), false);
    Q_EMIT rowInserted(row);
    setState(Insert);
    setCurrent(row);
    m_eof = m_bof = false;
}

void Dataset::edit()
{
    requireOpen();
    requireWritable();
    if (isEditing())
        return;
    if (m_current < 0) {
        append();
        return;
    }
    m_buffer = m_rows[size_t(m_current)].values;
    m_changed.assign(m_fields.size(), false);
    setState(Edit);
}

bool Dataset::isModified() const
{
    if (!isEditing())
        return false;
    for (bool c : m_changed)
        if (c)
            return true;
    return false;
}

void Dataset::post()
{
    requireOpen();
    if (!isEditing())
        return;
    Row &row = m_rows[size_t(m_current)];
    QStringList columns;
    QVariantList values;
    QVariantList stored = m_buffer;
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (!m_changed[i])
            continue;
        stored[qsizetype(i)] = storageValue(m_fields[i].def, m_buffer[qsizetype(i)]);
        columns << m_fields[i].def.name;
        values << stored[qsizetype(i)];
    }
    if (m_state == Insert) {
        // The values are converted already, as they are kept in the row.
        QSqlQuery q = m_connection->exec(m_target.insertInto(columns).sql, values);
        row.rowId = q.lastInsertId().toLongLong();
    } else if (!columns.isEmpty()) {
        values << row.rowId;
        QSqlQuery q = m_connection->exec(m_target.updateByRowId(columns, m_connection->dialect().rowId()), values);
        if (q.numRowsAffected() != 1)
            throw DbError(QStringLiteral("这条记录已被删除，修改没有保存。"));
    }
    row.values = stored;
    m_buffer.clear();
    m_changed.clear();
    setState(Browse);
    Q_EMIT rowChanged(m_current);
}

void Dataset::cancel()
{
    if (!isEditing())
        return;
    if (m_state == Insert) {
        const int row = m_current;
        m_buffer.clear();
        m_changed.clear();
        setState(Browse);
        removeRowAt(row);
        int back = m_returnRow < 0 ? 0 : m_returnRow;
        m_current = -1;
        setCurrent(m_rows.empty() ? -1 : std::min(back, int(m_rows.size()) - 1));
        return;
    }
    m_buffer.clear();
    m_changed.clear();
    setState(Browse);
    Q_EMIT rowChanged(m_current);
}

void Dataset::discardUnchangedInsert()
{
    if (m_state == Insert && !isModified())
        cancel();
}

void Dataset::removeRowAt(int row)
{
    Q_EMIT aboutToRemoveRow(row);
    m_rows.erase(m_rows.begin() + row);
    Q_EMIT rowRemoved(row);
}

void Dataset::remove()
{
    requireOpen();
    if (m_state == Insert) {
        cancel();
        return;
    }
    if (m_current < 0)
        throw DbError(QStringLiteral("没有当前记录，无法删除。"));
    requireWritable();
    cancel();
    const int row = m_current;
    m_connection->exec(m_target.deleteByRowId(m_connection->dialect().rowId()), {m_rows[size_t(row)].rowId});
    removeRowAt(row);
    m_current = -1;
    setCurrent(m_rows.empty() ? -1 : std::min(row, int(m_rows.size()) - 1));
    m_eof = m_bof = m_rows.empty();
}

int Dataset::fieldIndex(const QString &name) const
{
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].def.name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

QStringList Dataset::fieldNames() const
{
    QStringList names;
    for (const Field &f : m_fields)
        names << f.def.name;
    return names;
}

QVariant Dataset::value(int row, int column) const
{
    if (row < 0 || row >= int(m_rows.size()) || column < 0 || column >= int(m_fields.size()))
        return QVariant();
    if (row == m_current && isEditing())
        return m_buffer[column];
    return m_rows[size_t(row)].values[column];
}

QString Dataset::text(int row, int column) const
{
    if (column < 0 || column >= int(m_fields.size()))
        return QString();
    const QVariant v = value(row, column);
    // A value typed but not yet stored shows as typed.
    if (row == m_current && isEditing() && m_changed[size_t(column)] && v.typeId() == QMetaType::QString)
        return v.toString();
    return displayText(m_fields[size_t(column)].def, v);
}

QVariant Dataset::value(const QString &field) const
{
    const int column = fieldIndex(field);
    if (column < 0 && isOpen())
        throw DbError(QStringLiteral("找不到字段“%1”。").arg(field));
    return value(m_current, column);
}

QString Dataset::text(const QString &field) const
{
    const int column = fieldIndex(field);
    if (column < 0 && isOpen())
        throw DbError(QStringLiteral("找不到字段“%1”。").arg(field));
    return text(m_current, column);
}

void Dataset::setValue(const QString &field, const QVariant &v)
{
    const int column = fieldIndex(field);
    if (column < 0)
        throw DbError(QStringLiteral("找不到字段“%1”。").arg(field));
    setValue(column, v);
}

void Dataset::setValue(int column, const QVariant &v)
{
    requireOpen();
    requireWritable();
    if (!m_fields[size_t(column)].writable)
        throw DbError(QStringLiteral("“%1”不能修改。").arg(m_fields[size_t(column)].def.name));
    if (!isEditing())
        edit();
    m_buffer[column] = v;
    m_changed[size_t(column)] = true;
    Q_EMIT rowChanged(m_current);
}
