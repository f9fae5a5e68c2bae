#include "platform/data/DatabaseBackup.h"

#include "platform/data/DbError.h"
#include "platform/data/SqlConnection.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QStringList>

#include <algorithm>
#include <memory>

#include <sqlite3.h>

namespace {

sqlite3 *handleOf(const SqlConnection &connection)
{
    if (!connection.isOpen())
        throw DbError(QStringLiteral("没有连接数据库。"));
    const QVariant v = connection.database().driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        throw DbError(QStringLiteral("当前数据库不支持在线备份。"));
    sqlite3 *handle = *static_cast<sqlite3 *const *>(v.constData());
    if (!handle)
        throw DbError(QStringLiteral("没有连接数据库。"));
    return handle;
}

QString engineText(sqlite3 *db)
{
    return QString::fromUtf8(sqlite3_errmsg(db));
}

// The destination database, closed and (unless kept) removed with its side
// files when the scope ends.
class Target
{
public:
    explicit Target(const QString &path) : m_path(path) {}
    ~Target()
    {
        if (m_db)
            sqlite3_close_v2(m_db);
        if (!m_keep) {
            for (const char *suffix : {"", "-journal", "-wal", "-shm"})
                QFile::remove(m_path + QLatin1String(suffix));
        }
    }
    Target(const Target &) = delete;
    Target &operator=(const Target &) = delete;

    sqlite3 *open()
    {
        const QByteArray name = QFile::encodeName(m_path);
        if (sqlite3_open_v2(name.constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            throw DbError(QStringLiteral("无法打开备份文件“%1”：%2").arg(m_path, describeSqlError(engineText(m_db))));
        return m_db;
    }
    void close()
    {
        const int rc = sqlite3_close(m_db);
        if (rc != SQLITE_OK)
            throw DbError(QStringLiteral("备份文件“%1”没有正常关闭：%2").arg(m_path, describeSqlError(engineText(m_db))));
        m_db = nullptr;
    }
    void keep() { m_keep = true; }

private:
    QString m_path;
    sqlite3 *m_db = nullptr;
    bool m_keep = false;
};

QStringList rowsOf(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK)
        throw DbError(describeSqlError(engineText(db)));
    QStringList rows;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
        rows << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        throw DbError(describeSqlError(engineText(db)));
    return rows;
}

} // namespace

void DatabaseBackup::copyTo(const SqlConnection &connection, const QString &targetPath, const Progress &progress,
                            int pagesPerStep)
{
    sqlite3 *source = handleOf(connection);
    if (QFileInfo::exists(targetPath))
        throw DbError(QStringLiteral("备份文件已存在，不能覆盖：%1").arg(targetPath));
    {
        // Claiming the name first: a file that appeared meanwhile is never
        // overwritten, and an unwritable folder fails here.
        QFile claim(targetPath);
        if (!claim.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            throw DbError(QStringLiteral("无法创建备份文件“%1”：%2").arg(targetPath, claim.errorString()));
    }
    Target target(targetPath);
    sqlite3 *dest = target.open();

    // Finished however the copy ends, also when the progress callback throws.
    std::unique_ptr<sqlite3_backup, int (*)(sqlite3_backup *)> backup(
        sqlite3_backup_init(dest, "main", source, "main"), sqlite3_backup_finish);
    if (!backup)
        throw DbError(QStringLiteral("无法开始备份：%1").arg(describeSqlError(engineText(dest))));
    int rc = SQLITE_OK;
    int busyRetries = 0;
    while (true) {
        rc = sqlite3_backup_step(backup.get(), std::max(1, pagesPerStep));
        if (rc == SQLITE_OK || rc == SQLITE_DONE) {
            busyRetries = 0;
            if (progress) {
                const int total = sqlite3_backup_pagecount(backup.get());
                progress(total - sqlite3_backup_remaining(backup.get()), total);
            }
            if (rc == SQLITE_DONE)
                break;
        } else if ((rc == SQLITE_BUSY || rc == SQLITE_LOCKED) && busyRetries < 100) {
            // Another process is writing: wait a little and go on.
            ++busyRetries;
            sqlite3_sleep(50);
        } else {
            break;
        }
    }
    backup.reset();
    if (rc != SQLITE_DONE)
        throw DbError(QStringLiteral("复制数据时出错：%1").arg(describeSqlError(engineText(dest))));

    // The original may keep a write-ahead log; the copy must be one file.
    const QStringList mode = rowsOf(dest, "PRAGMA journal_mode=DELETE");
    if (mode.value(0).compare(QLatin1String("delete"), Qt::CaseInsensitive) != 0)
        throw DbError(QStringLiteral("备份文件“%1”不能设为独立文件。").arg(targetPath));
    const QStringList check = rowsOf(dest, "PRAGMA integrity_check");
    if (check != QStringList{QStringLiteral("ok")})
        throw DbError(QStringLiteral("备份文件检查没有通过：%1").arg(check.join(QStringLiteral("；"))));
    target.close();
    target.keep();
}

QString DatabaseBackup::newPath(const QString &databasePath, const QString &folder, const QString &label)
{
    const QFileInfo original(databasePath);
    const QString suffix = original.suffix().isEmpty() ? QStringLiteral("db") : original.suffix();
    const QString stem = QStringLiteral("%1-%2-%3").arg(original.completeBaseName(), label,
                                                       QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    const QDir dir(folder);
    QString path = dir.filePath(stem + QLatin1Char('.') + suffix);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.filePath(QStringLiteral("%1-%2.%3").arg(stem).arg(n).arg(suffix));
    return path;
}
