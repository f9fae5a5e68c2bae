#include "platform/data/SchemaUpgrade.h"

#include "platform/data/DatabaseBackup.h"
#include "platform/data/Schema.h"
#include "platform/data/SqlConnection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

namespace {

QString quoted(const QString &name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

QString quotedList(const QStringList &names)
{
    QStringList out;
    for (const QString &n : names)
        out << quoted(n);
    return out.join(QLatin1Char(','));
}

QStringList firstColumn(const SqlConnection &c, const QString &sql, const QVariantList &params = {})
{
    QSqlQuery q = c.exec(sql, params);
    QStringList out;
    while (q.next())
        out << q.value(0).toString();
    return out;
}

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

SchemaEditor::SchemaEditor(const SqlConnection &connection, const Schema &schema)
    : m_connection(connection), m_schema(schema)
{
}

void SchemaEditor::rebuildTable(const QString &name)
{
    const TableDef *table = m_schema.table(name);
    if (!table)
        throw DbError(QStringLiteral("数据库结构中没有表“%1”。").arg(name));
    const SqlDialect &dialect = m_connection.dialect();
    const QStringList existing = firstColumn(m_connection, dialect.columnNames(), {table->name});
    QStringList kept = {dialect.rowId()};
    for (const ColumnDef &c : table->columns)
        if (existing.contains(c.name, Qt::CaseInsensitive))
            kept << quoted(c.name);
    const QString rebuilt = QStringLiteral("kd_rebuilt_") + table->name;
    m_connection.exec(m_schema.createTableStatement(*table, rebuilt));
    m_connection.exec(QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3")
                          .arg(quoted(rebuilt), kept.join(QLatin1Char(',')), quoted(table->name)));
    m_connection.exec(QStringLiteral("DROP TABLE %1").arg(quoted(table->name)));
    m_connection.exec(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(quoted(rebuilt), quoted(table->name)));
    for (const IndexDef &i : m_schema.indexes())
        if (i.table == table->name)
            createIndex(m_schema.createIndexStatement(i), i.table, i.columns, i.unique);
}

void SchemaEditor::createMissingIndexes()
{
    const QStringList existing = firstColumn(m_connection, m_connection.dialect().indexNames());
    for (const IndexDef &i : m_schema.indexes())
        if (!existing.contains(i.name, Qt::CaseInsensitive))
            createIndex(m_schema.createIndexStatement(i), i.table, i.columns, i.unique);
}

// A unique index that the rows do not allow is refused with the values that
// clash, so that someone can set them apart.
void SchemaEditor::createIndex(const QString &sql, const QString &table, const QStringList &columns, bool unique)
{
    try {
        m_connection.exec(sql);
        return;
    } catch (const DbError &) {
        if (!unique)
            throw;
    }
    const QString list = quotedList(columns);
    QSqlQuery clash = m_connection.exec(QStringLiteral("SELECT %1 FROM %2 GROUP BY %1 HAVING count(*) > 1 LIMIT 1")
                                            .arg(list, quoted(table)));
    if (!clash.next())
        throw DbError(QStringLiteral("不能建立索引“%1”。").arg(sql));
    QVariantList key;
    QStringList conditions;
    for (int i = 0; i < columns.size(); ++i) {
        key << clash.value(i);
        conditions << quoted(columns[i]) + QStringLiteral("=?");
    }
    clash = QSqlQuery();
    QSqlQuery rows = m_connection.exec(
        QStringLiteral("SELECT %1 FROM %2 WHERE %3").arg(list, quoted(table), conditions.join(QStringLiteral(" AND "))), key);
    QStringList values;
    while (rows.next()) {
        QStringList row;
        for (int i = 0; i < rows.record().count(); ++i)
            row << rows.value(i).toString();
        values << QStringLiteral("“%1”").arg(row.join(QLatin1Char('/')));
    }
    values.removeDuplicates();
    const QString what = QStringLiteral("表“%1”的“%2”").arg(table, columns.join(QLatin1Char('/')));
    if (values.size() == 1)
        throw DbError(QStringLiteral("%1有重复的值%2。").arg(what, values.first()));
    throw DbError(QStringLiteral("%1中%2只差字母大小写，现在算作同一个值，不能同时保存。")
                      .arg(what, values.join(QStringLiteral("和"))));
}

SchemaUpgrade::SchemaUpgrade(const SqlConnection &connection, const Schema &schema, const QList<SchemaStep> &steps)
    : m_connection(connection), m_schema(schema), m_steps(steps), m_current(versionOf(steps))
{
    m_stored = std::max(1, connection.scalar(connection.dialect().schemaVersion()).toInt());
    if (m_stored > m_current)
        throw SchemaVersionError(QStringLiteral("数据库“%1”是第%2版，比本程序新（本程序只能使用第%3版及以前的数据库），"
                                                "没有打开，也没有改动。请使用新版的程序。")
                                     .arg(shown(connection.filePath()))
                                     .arg(m_stored)
                                     .arg(m_current));
}

QString SchemaUpgrade::run() const
{
    if (m_stored >= m_current)
        return QString();
    const QString path = m_connection.filePath();
    const QString backup =
        DatabaseBackup::newPath(path, QFileInfo(path).absolutePath(), QStringLiteral("backup-v%1").arg(m_stored));
    try {
        DatabaseBackup::copyTo(m_connection, backup);
    } catch (const DbError &e) {
        throw SchemaVersionError(QStringLiteral("数据库“%1”要升级到第%2版，但升级前的备份没有成功，数据库没有改动：%3")
                                     .arg(shown(path))
                                     .arg(m_current)
                                     .arg(e.message()));
    }
    try {
        Transaction transaction(m_connection);
        SchemaEditor editor(m_connection, m_schema);
        for (const SchemaStep &step : m_steps)
            if (step.version > m_stored)
                step.apply(editor);
        m_connection.exec(m_connection.dialect().setSchemaVersion(m_current));
        transaction.commit();
    } catch (const std::exception &e) {
        // The database is as it was, so its backup would only be a duplicate.
        QFile::remove(backup);
        const auto *db = dynamic_cast<const DbError *>(&e);
        throw SchemaVersionError(QStringLiteral("数据库“%1”不能升级到第%2版，仍保持原样：%3")
                                     .arg(shown(path))
                                     .arg(m_current)
                                     .arg(db ? db->message() : QString::fromUtf8(e.what())));
    }
    return QStringLiteral("数据库已由第%1版升级到第%2版，升级前的数据已备份到：%3")
        .arg(m_stored)
        .arg(m_current)
        .arg(shown(backup));
}
