#include "support/TestDb.h"

#include "db/LedgerSchema.h"

#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>

const QStringList &ledgerRights()
{
    static const QStringList rights = {
        QStringLiteral("添加用户"), QStringLiteral("权限设置"), QStringLiteral("查看日志"),
        QStringLiteral("合同类别"), QStringLiteral("部门设置"), QStringLiteral("项目设置"),
        QStringLiteral("公司设置"), QStringLiteral("往来单位设置"), QStringLiteral("人员维护"),
        QStringLiteral("合同登记"), QStringLiteral("计划付款登记"), QStringLiteral("实际付款登记"),
        QStringLiteral("发票登记"), QStringLiteral("报表管理"), QStringLiteral("数据备份")};
    return rights;
}

NewDatabaseOptions deliveredLedger()
{
    NewDatabaseOptions options;
    options.supervisorRights = ledgerRights();
    return options;
}

TestDb::TestDb(const NewDatabaseOptions &options)
{
    m_path = m_dir.filePath(QStringLiteral("ledger.db"));
    createLedgerDatabase(m_path, options);
    m_dm = std::make_unique<Tdm>();
    m_dm->openDatabase(m_path, options.databasePassword);
}

TestDb::~TestDb() = default;

void TestDb::exec(const QString &sql, const QVariantList &params) const
{
    connection()->exec(sql, params);
}

QVariant TestDb::scalar(const QString &sql, const QVariantList &params) const
{
    return connection()->scalar(sql, params);
}

int TestDb::count(const QString &table, const QString &where, const QVariantList &params) const
{
    QString sql = QStringLiteral("select count(*) from ") + table;
    if (!where.isEmpty())
        sql += QStringLiteral(" where ") + where;
    return scalar(sql, params).toInt();
}

QStringList TestDb::rows(const QString &sql, const QVariantList &params) const
{
    return queryRows(*connection(), sql, params);
}

QStringList queryRows(const SqlConnection &connection, const QString &sql, const QVariantList &params)
{
    QSqlQuery q = connection.exec(sql, params);
    QStringList out;
    while (q.next()) {
        QStringList values;
        for (int i = 0; i < q.record().count(); ++i)
            values << (q.value(i).isNull() ? QStringLiteral("<null>") : q.value(i).toString());
        out << values.join(QLatin1Char('|'));
    }
    return out;
}

void TestDb::insert(const QString &table, const QVariantList &values) const
{
    connection()->exec(ledgerSchema()[table].insertRow(), values);
}

void databaseFromDump(const QString &dump, const QString &path)
{
    QFile sql(qEnvironmentVariable("KD_SOURCE_DIR") + QStringLiteral("/tests/") + dump);
    if (!sql.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(sql.fileName()));
    QProcess sqlite;
    sqlite.start(QStringLiteral("sqlite3"), {QStringLiteral("-bail"), path});
    sqlite.write(sql.readAll() + "\nPRAGMA journal_mode=WAL;\n");
    sqlite.closeWriteChannel();
    if (!sqlite.waitForFinished() || sqlite.exitCode() != 0)
        qFatal("sqlite3 could not load %s: %s", qPrintable(dump), sqlite.readAllStandardError().constData());
}

QStringList ledgerRows(const SqlConnection &connection)
{
    QStringList out;
    for (const TableDef &t : ledgerSchema().tables())
        for (const QString &row : queryRows(connection, QStringLiteral("select rowid,* from \"%1\" order by rowid").arg(t.name)))
            out << t.name + QLatin1Char(':') + row;
    return out;
}
