#include "platform/data/SqlConnection.h"

#include "platform/data/DbError.h"
#include "platform/data/Values.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlRecord>
#include <QUrl>

namespace {

QAtomicInt g_counter;

QString quotedName(const QString &s)
{
    QString n = s;
    n.remove(QLatin1Char('"')).remove(QLatin1Char('[')).remove(QLatin1Char(']'));
    return n;
}

} // namespace

QString describeSqlError(const QString &engineText)
{
    const QString t = engineText.trimmed();
    QRegularExpressionMatch m;
    if ((m = QRegularExpression(QStringLiteral("UNIQUE constraint failed: [^.]+\\.(\\S+)")).match(t)).hasMatch())
        return QStringLiteral("“%1”已有相同的值，不能重复保存。").arg(quotedName(m.captured(1)));
    if ((m = QRegularExpression(QStringLiteral("CHECK constraint failed: \"?([^\" ]+)")).match(t)).hasMatch())
        return QStringLiteral("“%1”不是有效的日期。").arg(quotedName(m.captured(1)));
    if ((m = QRegularExpression(QStringLiteral("cannot store (\\w+) value in (\\w+) column [^.]+\\.(\\S+)")).match(t)).hasMatch())
        return QStringLiteral("“%1”只能保存%2。")
            .arg(quotedName(m.captured(3)),
                 m.captured(2) == QLatin1String("INTEGER") ? QStringLiteral("整数") : QStringLiteral("数字"));
    if ((m = QRegularExpression(QStringLiteral("table (\\S+) has (\\d+) columns but (\\d+) values were supplied")).match(t)).hasMatch())
        return QStringLiteral("表“%1”有%2列，但提供了%3个值。").arg(quotedName(m.captured(1)), m.captured(2), m.captured(3));
    if ((m = QRegularExpression(QStringLiteral("no such table: (\\S+)")).match(t)).hasMatch())
        return QStringLiteral("数据库中没有表“%1”。").arg(quotedName(m.captured(1)));
    if ((m = QRegularExpression(QStringLiteral("no such column: (\\S+)")).match(t)).hasMatch())
        return QStringLiteral("数据库中没有列“%1”。").arg(quotedName(m.captured(1)));
    if (t.contains(QLatin1String("database is locked")) || t.contains(QLatin1String("database is busy")))
        return QStringLiteral("数据库正被其他程序使用，请稍后再试。");
    if (t.contains(QLatin1String("readonly database")) || t.contains(QLatin1String("read-only")))
        return QStringLiteral("数据库文件只读，不能保存。");
    if (t.contains(QLatin1String("disk is full")) || t.contains(QLatin1String("database or disk is full")))
        return QStringLiteral("磁盘已满，不能保存。");
    if (t.contains(QLatin1String("not a database")))
        return QStringLiteral("文件不是有效的数据库。");
    return QStringLiteral("数据库错误：%1").arg(t);
}

SqlConnection::SqlConnection(QObject *parent)
    : QObject(parent),
      m_name(QStringLiteral("kadero-%1").arg(g_counter.fetchAndAddRelaxed(1))),
      m_dialect(std::make_unique<SqliteDialect>())
{
}

SqlConnection::~SqlConnection()
{
    close();
}

// WAL with full sync: a committed row survives a crash or a power loss. Only
// the journal mode is written into the file.
static void setSynchronous(QSqlDatabase &db)
{
    QSqlQuery(db).exec(QStringLiteral("PRAGMA synchronous=FULL"));
}

static void useWriteAheadLog(QSqlDatabase &db)
{
    QSqlQuery(db).exec(QStringLiteral("PRAGMA journal_mode=WAL"));
}

void SqlConnection::open(const QString &filePath)
{
    close();
    const QFileInfo info(filePath);
    if (filePath.trimmed().isEmpty() || !info.isFile())
        throw DbError(QStringLiteral("数据库文件不存在：%1").arg(filePath));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    // mode=rw: an existing file only, never a new empty one.
    db.setDatabaseName(QUrl::fromLocalFile(info.absoluteFilePath()).toString(QUrl::FullyEncoded)
                       + QStringLiteral("?mode=rw"));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=8000"));
    if (!db.open()) {
        const QString text = db.lastError().databaseText();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        throw DbError(QStringLiteral("无法打开数据库“%1”：%2").arg(filePath, describeSqlError(text)));
    }
    QSqlQuery probe(db);
    if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
        const QString text = probe.lastError().databaseText();
        probe = QSqlQuery();
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        throw DbError(QStringLiteral("无法打开数据库“%1”：%2").arg(filePath, describeSqlError(text)));
    }
    probe = QSqlQuery();
    setSynchronous(db);
    m_path = info.absoluteFilePath();
}

void SqlConnection::prepareForWriting()
{
    QSqlDatabase db = database();
    useWriteAheadLog(db);
}

void SqlConnection::create(const QString &filePath)
{
    close();
    if (QFileInfo::exists(filePath))
        throw DbError(QStringLiteral("文件已存在：%1").arg(filePath));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(filePath);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=8000"));
    if (!db.open()) {
        const QString text = db.lastError().databaseText();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        throw DbError(QStringLiteral("无法创建数据库“%1”：%2").arg(filePath, text));
    }
    setSynchronous(db);
    useWriteAheadLog(db);
    m_path = QFileInfo(filePath).absoluteFilePath();
}

void SqlConnection::close()
{
    if (!QSqlDatabase::contains(m_name))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
    m_path.clear();
}

bool SqlConnection::isOpen() const
{
    return QSqlDatabase::contains(m_name) && QSqlDatabase::database(m_name, false).isOpen();
}

QSqlDatabase SqlConnection::database() const
{
    return QSqlDatabase::database(m_name, false);
}

QSqlQuery SqlConnection::exec(const QString &sql, const QVariantList &params) const
{
    if (!isOpen())
        throw DbError(QStringLiteral("没有连接数据库。"));
    QSqlQuery q(database());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw DbError(describeSqlError(q.lastError().databaseText()));
    for (const QVariant &v : params)
        q.addBindValue(v.typeId() == QMetaType::QDate ? QVariant(v.toDate().toString(Qt::ISODate)) : v);
    if (!q.exec())
        throw DbError(describeSqlError(q.lastError().databaseText()));
    return q;
}

QSqlQuery SqlConnection::exec(const Statement &statement, const QVariantList &params) const
{
    // A count that does not match is left for the engine to report.
    if (statement.columns.size() != params.size())
        return exec(statement.sql, params);
    QVariantList values;
    for (qsizetype i = 0; i < params.size(); ++i)
        values << storageValue(statement.columns[i], params[i]);
    return exec(statement.sql, values);
}

QVariant SqlConnection::scalar(const QString &sql, const QVariantList &params) const
{
    QSqlQuery q = exec(sql, params);
    return q.next() ? q.value(0) : QVariant();
}

Transaction::Transaction(const SqlConnection &connection) : m_connection(connection)
{
    m_connection.exec(QStringLiteral("BEGIN IMMEDIATE"));
}

Transaction::~Transaction()
{
    if (m_done)
        return;
    QSqlQuery q(m_connection.database());
    q.exec(QStringLiteral("ROLLBACK"));
}

void Transaction::commit()
{
    m_connection.exec(QStringLiteral("COMMIT"));
    m_done = true;
}
