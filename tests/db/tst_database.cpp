#include "db/LedgerSchema.h"
#include "db/NewDatabase.h"
#include "db/Tdm.h"
#include "platform/PasswordHash.h"
#include "platform/data/DbError.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

// The delivered database file and the rules for opening one.
class TestDatabase : public QObject
{
    Q_OBJECT

    static QStringList columnsOf(SqlConnection *c, const QString &table)
    {
        QSqlQuery q = c->exec(QStringLiteral("select name from pragma_table_info(?) order by cid"), {table});
        QStringList names;
        while (q.next())
            names << q.value(0).toString();
        return names;
    }

    static QString openError(const QString &path, const QString &password)
    {
        Tdm dm;
        try {
            dm.openDatabase(path, password);
        } catch (const DbError &e) {
            // A refused database stays closed.
            return dm.ADOConnection1->isOpen() ? QStringLiteral("still open") : e.message();
        }
        return QString();
    }

private Q_SLOTS:
    void toolMakesTheTablesInStoredOrder()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("新账簿.db"));
        const QString tool = qEnvironmentVariable("KD_BIN_DIR") + QStringLiteral("/kadero-newdb");
        QCOMPARE(QProcess::execute(tool, {path}), 0);
        QCOMPARE(QProcess::execute(tool, {path}), 1); // never overwrites

        Tdm dm;
        dm.openDatabase(path, QString());
        SqlConnection *c = dm.ADOConnection1;
        const QStringList tables = {QStringLiteral("合同基本信息表"), QStringLiteral("计划付款情况表"), QStringLiteral("付款情况表"),
                                    QStringLiteral("发票情况表"),     QStringLiteral("合同类别表"),     QStringLiteral("部门清单"),
                                    QStringLiteral("项目清单"),       QStringLiteral("公司清单"),       QStringLiteral("对方单位清单"),
                                    QStringLiteral("经办人清单"),     QStringLiteral("用户清单"),       QStringLiteral("权限清单"),
                                    QStringLiteral("日志"),           QStringLiteral("提醒天数")};
        for (const QString &t : tables)
            QVERIFY2(!columnsOf(c, t).isEmpty(), qPrintable(t));
        QCOMPARE(columnsOf(c, QStringLiteral("计划付款情况表")).join(QLatin1Char(',')), QStringLiteral("合同编号,计划付款日期,计划付款金额,备注"));
        QCOMPARE(columnsOf(c, QStringLiteral("付款情况表")).join(QLatin1Char(',')),
                 QStringLiteral("合同编号,付款日期,付款金额,付款方式,经办人员,凭证号码,备注"));
        QCOMPARE(columnsOf(c, QStringLiteral("发票情况表")).join(QLatin1Char(',')),
                 QStringLiteral("合同编号,收票日期,发票金额,经办人员,凭证号码,备注"));
        QCOMPARE(columnsOf(c, QStringLiteral("项目清单")).join(QLatin1Char(',')), QStringLiteral("编号,项目,部门"));
        QCOMPARE(columnsOf(c, QStringLiteral("经办人清单")).join(QLatin1Char(',')), QStringLiteral("编号,姓名"));

        // The rows expected at first start.
        QCOMPARE(c->scalar(QStringLiteral("select count(*) from 提醒天数")).toInt(), 1);
        QSqlQuery u = c->exec(QStringLiteral("select 工号,姓名,密码 from 用户清单"));
        QVERIFY(u.next());
        QCOMPARE(u.value(0).toString(), QStringLiteral("admin"));
        QCOMPARE(u.value(1).toString(), QStringLiteral("系统主管"));
        QVERIFY(PasswordHash::isHash(u.value(2).toString()));
        QVERIFY(PasswordHash::verify(u.value(2).toString(), QStringLiteral("kadero")));
        QVERIFY(!u.next());
        QSqlQuery r = c->exec(QStringLiteral("select 权限名称 from 权限清单 where 工号='admin' order by rowid"));
        QStringList rights;
        while (r.next())
            rights << r.value(0).toString();
        QCOMPARE(rights, ledgerRights());
        QCOMPARE(c->scalar(QStringLiteral("select count(*) from 合同基本信息表")).toInt(), 0);
    }

    void demoLedgerHasLivingData()
    {
        TestDb db({QString(), QStringLiteral("kadero"), true, ledgerRights()});
        QVERIFY(db.count(QStringLiteral("合同基本信息表")) >= 12);
        QVERIFY(db.count(QStringLiteral("项目清单"), QStringLiteral("length(编号)=5")) >= 3);
        QVERIFY(db.count(QStringLiteral("计划付款情况表"), QStringLiteral("计划付款日期 < date('now','localtime')")) > 0);
        QVERIFY(db.count(QStringLiteral("计划付款情况表"), QStringLiteral("计划付款日期 between date('now','localtime') and date('now','localtime','+30 days')")) > 0);
        QVERIFY(db.count(QStringLiteral("付款情况表")) > 0);
        QVERIFY(db.count(QStringLiteral("发票情况表")) > 0);
        QCOMPARE(db.count(QStringLiteral("用户清单")), 3);
    }

    void databaseRulesAreEnforced_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("message");
        QTest::newRow("duplicate contract number")
            << "insert into 合同基本信息表(合同编号) values('00000001')" << "“合同编号”已有相同的值，不能重复保存。";
        QTest::newRow("duplicate job number")
            << "insert into 用户清单(工号,姓名) values('admin','某人')" << "“工号”已有相同的值，不能重复保存。";
        QTest::newRow("duplicate user name")
            << "insert into 用户清单(工号,姓名) values('x1','系统主管')" << "“姓名”已有相同的值，不能重复保存。";
        QTest::newRow("text in an amount") << "insert into 付款情况表(付款金额) values('abc')" << "“付款金额”只能保存数字。";
        QTest::newRow("unreadable date") << "insert into 付款情况表(付款日期) values('2026/12/31')" << "“付款日期”不是有效的日期。";
        QTest::newRow("impossible date") << "insert into 付款情况表(付款日期) values('2026-02-30')" << "“付款日期”不是有效的日期。";
        QTest::newRow("positional insert of the wrong width")
            << "insert into 计划付款情况表 values('1','2026-01-01','5')" << "表“计划付款情况表”有4列，但提供了3个值。";
    }
    void databaseRulesAreEnforced()
    {
        QFETCH(QString, sql);
        QFETCH(QString, message);
        TestDb db;
        db.exec(QStringLiteral("insert into 合同基本信息表(合同编号) values('00000001')"));
        // Straight to the engine, past the data layer's own checks.
        QSqlQuery q(db.connection()->database());
        QVERIFY(!q.exec(sql));
        QCOMPARE(describeSqlError(q.lastError().databaseText()), message);
    }

    void codesAreOneValueWhateverTheirLetterCase_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<bool>("unique");
        QTest::newRow("contract number") << "合同基本信息表" << "合同编号" << true;
        QTest::newRow("a contract's project") << "合同基本信息表" << "项目" << false;
        QTest::newRow("planned payment's contract") << "计划付款情况表" << "合同编号" << false;
        QTest::newRow("payment's contract") << "付款情况表" << "合同编号" << false;
        QTest::newRow("invoice's contract") << "发票情况表" << "合同编号" << false;
        QTest::newRow("project code") << "项目清单" << "编号" << false;
        QTest::newRow("job number") << "用户清单" << "工号" << true;
        QTest::newRow("right's job number") << "权限清单" << "工号" << false;
    }
    void codesAreOneValueWhateverTheirLetterCase()
    {
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(bool, unique);
        TestDb db;
        const QString insert = QStringLiteral("insert into %1(%2) values(?)").arg(table, column);
        db.exec(insert, {QStringLiteral("Ab-01x")});
        // Found as typed with Caps Lock on; stored as first typed.
        QCOMPARE(db.rows(QStringLiteral("select %2 from %1 where %2=?").arg(table, column), {QStringLiteral("AB-01X")}),
                 QStringList{QStringLiteral("Ab-01x")});
        try {
            db.exec(insert, {QStringLiteral("aB-01X")});
            QVERIFY(!unique);
        } catch (const DbError &e) {
            QVERIFY(unique);
            QCOMPARE(e.message(), QStringLiteral("“%1”已有相同的值，不能重复保存。").arg(column));
        }
    }

    void boundInsertValuesAreCheckedByColumn()
    {
        TestDb db;
        try {
            db.insert(QStringLiteral("计划付款情况表"),
                      {QStringLiteral("00000001"), QDate(2026, 12, 9), QStringLiteral("一百"), QString()});
            QFAIL("no refusal");
        } catch (const DbError &e) {
            QCOMPARE(e.message(), QStringLiteral("“计划付款金额”不能保存“一百”：不是有效的金额，请输入数字。"));
        }
        db.insert(QStringLiteral("计划付款情况表"),
                  {QStringLiteral("00000001"), QStringLiteral("2026/12/9"), QStringLiteral("12.5"), QString()});
        QCOMPARE(db.rows(QStringLiteral("select * from 计划付款情况表")), QStringList{QStringLiteral("00000001|2026-12-09|12.5|")});
    }

    void openingRefusesWhatIsNoLedger()
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath(QStringLiteral("无此文件.db"));
        QCOMPARE(openError(missing, QString()), QStringLiteral("数据库文件不存在：") + missing);
        QVERIFY(!QFile::exists(missing));

        const QString text = dir.filePath(QStringLiteral("text.db"));
        QFile f(text);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
        f.close();
        QVERIFY(openError(text, QString()).contains(QStringLiteral("文件不是有效的数据库。")));

        const QString other = dir.filePath(QStringLiteral("other.db"));
        {
            SqlConnection c;
            c.create(other);
            c.exec(QStringLiteral("create table t(x)"));
        }
        QCOMPARE(openError(other, QString()), QStringLiteral("“%1”不是本系统的数据库文件。").arg(other));
    }

    void databasePasswordIsCheckedAgainstItsHash()
    {
        QTemporaryDir dir;
        const QString locked = dir.filePath(QStringLiteral("locked.db"));
        createLedgerDatabase(locked, {QStringLiteral("s3cret"), QStringLiteral("kadero"), false, ledgerRights()});
        QCOMPARE(openError(locked, QStringLiteral("wrong")), QStringLiteral("数据库口令不正确。"));
        QCOMPARE(openError(locked, QString()), QStringLiteral("数据库口令不正确。"));
        QCOMPARE(openError(locked, QStringLiteral("s3cret")), QString());
        QFile raw(locked);
        QVERIFY(raw.open(QIODevice::ReadOnly));
        QVERIFY(!raw.readAll().contains("s3cret"));

        const QString open = dir.filePath(QStringLiteral("open.db"));
        createLedgerDatabase(open);
        QCOMPARE(openError(open, QString()), QString());
        QCOMPARE(openError(open, QStringLiteral("anything")), QStringLiteral("数据库口令不正确。"));
    }
};

KD_TEST(TestDatabase)
#include "tst_database.moc"
