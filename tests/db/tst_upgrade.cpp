#include "db/LedgerSchema.h"
#include "db/NewDatabase.h"
#include "db/Tdm.h"
#include "platform/data/DbError.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The tables and indexes of a database file.
QStringList structureOf(const SqlConnection &c)
{
    return queryRows(c, QStringLiteral("select type,name,tbl_name,sql from sqlite_master order by name"));
}

// Every ledger row of a database file, after a statement that changes it.
QStringList rowsAt(const QString &path, const QString &change = QString())
{
    SqlConnection c;
    c.open(path);
    if (!change.isEmpty())
        c.exec(change);
    return ledgerRows(c) << queryRows(c, QStringLiteral("PRAGMA user_version"));
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Opens a ledger the program's way or kadero-newdb's; returns what the user
// is told (the notice, or the refusal).
QString openLedger(bool byTool, const QString &path)
{
    if (byTool) {
        QProcess tool;
        tool.start(qEnvironmentVariable("KD_BIN_DIR") + QStringLiteral("/kadero-newdb"), {path, QStringLiteral("--upgrade")});
        tool.waitForFinished();
        return QString::fromUtf8(tool.exitCode() == 0 ? tool.readAllStandardOutput() : tool.readAllStandardError()).trimmed();
    }
    Tdm dm;
    try {
        dm.openDatabase(path, QString());
    } catch (const SchemaVersionError &e) {
        return e.message();
    }
    return dm.upgradeNotice();
}

} // namespace

// Ledgers made by earlier versions of the schema keep working: each is backed
// up and upgraded when opened; a ledger newer than the program is refused.
class TestUpgrade : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString path;

    QStringList filesBeside() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }

    static void byTheProgramAndTheTool()
    {
        QTest::addColumn<bool>("tool");
        QTest::newRow("program") << false;
        QTest::newRow("kadero-newdb") << true;
    }

private Q_SLOTS:
    void init()
    {
        dir.remove();
        QVERIFY(QDir().mkpath(dir.path()));
        path = dir.filePath(QStringLiteral("ledger.db"));
    }

    void aLedgerOfVersion1IsBackedUpThenUpgraded_data() { byTheProgramAndTheTool(); }
    void aLedgerOfVersion1IsBackedUpThenUpgraded()
    {
        QFETCH(bool, tool);
        databaseFromDump(QStringLiteral("db/ledger-v1.sql"), path);
        QStringList before = rowsAt(path);
        const QString notice = openLedger(tool, path);
        const QStringList files = filesBeside();
        QCOMPARE(files.size(), 2);
        const QString backup = dir.filePath(files.first());
        QVERIFY2(QRegularExpression(QStringLiteral("^ledger-backup-v1-\\d{8}-\\d{6}\\.db$")).match(files.first()).hasMatch(),
                 qPrintable(files.first()));
        QCOMPARE(notice, QStringLiteral("数据库已由第1版升级到第2版，升级前的数据已备份到：") + QDir::toNativeSeparators(backup));

        // The backup as it was, the ledger with every row and a new one's structure.
        QCOMPARE(rowsAt(backup), before);
        QStringList upgraded = rowsAt(path);
        QCOMPARE(upgraded.takeLast(), QStringLiteral("2"));
        before.removeLast();
        QCOMPARE(upgraded, before);
        const QString freshPath = dir.filePath(QStringLiteral("fresh.db"));
        createLedgerDatabase(freshPath);
        SqlConnection fresh, ledger;
        fresh.open(freshPath);
        ledger.open(path);
        QCOMPARE(structureOf(ledger), structureOf(fresh));
        fresh.close();
        ledger.close();
        // Once upgraded, an opening says nothing and backs nothing up.
        QCOMPARE(openLedger(false, path), QString());
        QCOMPARE(filesBeside().size(), 3);
    }

    void aNewerLedgerIsRefusedAndLeftByteForByte_data() { byTheProgramAndTheTool(); }
    void aNewerLedgerIsRefusedAndLeftByteForByte()
    {
        QFETCH(bool, tool);
        createLedgerDatabase(path);
        {
            // As a copy made by a later program: one file, no write-ahead log.
            SqlConnection c;
            c.open(path);
            c.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
            c.exec(QStringLiteral("PRAGMA user_version=3"));
        }
        const QByteArray bytes = bytesOf(path);
        QCOMPARE(openLedger(tool, path),
                 QStringLiteral("数据库“%1”是第3版，比本程序新（本程序只能使用第2版及以前的数据库），没有打开，也没有改动。"
                                "请使用新版的程序。")
                     .arg(QDir::toNativeSeparators(path)));
        QCOMPARE(bytesOf(path), bytes);
        QCOMPARE(filesBeside(), QStringList{QStringLiteral("ledger.db")});
    }

    // Contract numbers that differ only in letter case were two values in
    // version 1 and are one from version 2.
    void anUpgradeTheRowsDoNotAllowLeavesTheLedgerAsItWas()
    {
        databaseFromDump(QStringLiteral("db/ledger-v1.sql"), path);
        const QStringList before =
            rowsAt(path, QStringLiteral("insert into 合同基本信息表(合同编号) values('ab000001'),('AB000001')"));
        QCOMPARE(openLedger(false, path),
                 QStringLiteral("数据库“%1”不能升级到第2版，仍保持原样：表“合同基本信息表”的“合同编号”中“ab000001”和"
                                "“AB000001”只差字母大小写，现在算作同一个值，不能同时保存。")
                     .arg(QDir::toNativeSeparators(path)));
        QCOMPARE(filesBeside(), QStringList{QStringLiteral("ledger.db")});
        QCOMPARE(rowsAt(path), before);
    }
};

KD_TEST(TestUpgrade)
#include "tst_upgrade.moc"
