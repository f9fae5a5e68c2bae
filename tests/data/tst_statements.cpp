#include "db/LedgerSchema.h"
#include "platform/data/DbError.h"
#include "support/TestRegistry.h"

#include <QTest>

// A table definition writes its statements in the shapes the windows use.
class TestStatements : public QObject
{
    Q_OBJECT

    static const TableDef &table(const char *name) { return ledgerSchema()[QString::fromUtf8(name)]; }

private Q_SLOTS:
    void tableWritesItsStatements_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("expected");
        QTest::newRow("insert by position")
            << table("计划付款情况表").insertRow().sql << QStringLiteral("insert into 计划付款情况表 values(?,?,?,?)");
        QTest::newRow("insert with a column list")
            << insertUserStatement().sql << QStringLiteral("insert into 用户清单(工号,部门,姓名,性别,密码) values(?,?,?,?,?)");
        QTest::newRow("insert of a row of defaults")
            << table("日志").insertInto({}).sql << QStringLiteral("insert into 日志 default values");
        QTest::newRow("rows read back with their row id")
            << table("付款情况表").selectWithRowId(QStringLiteral("rowid"), QStringLiteral("id"), QStringLiteral("*"),
                                                  QStringLiteral("order by 合同编号"))
            << QStringLiteral("select rowid AS id, * from 付款情况表 order by 合同编号");
        QTest::newRow("update by row id")
            << table("付款情况表").updateByRowId({QStringLiteral("备注"), QStringLiteral("付款金额")}, QStringLiteral("rowid"))
            << QStringLiteral("update 付款情况表 set 备注=?,付款金额=? where rowid=?");
        QTest::newRow("a name that needs quotes")
            << TableDef{QStringLiteral("my \"t\""), {}}.deleteByRowId(QStringLiteral("rowid"))
            << QStringLiteral("delete from \"my \"\"t\"\"\" where rowid=?");
    }
    void tableWritesItsStatements()
    {
        QFETCH(QString, statement);
        QFETCH(QString, expected);
        QCOMPARE(statement, expected);
    }

    void insertCarriesItsColumnsAndRefusesOneTheTableLacks()
    {
        const Statement s = insertRightStatement();
        QCOMPARE(s.columns.size(), 2);
        QCOMPARE(s.columns[1].name, QStringLiteral("权限名称"));
        QCOMPARE(s.columns[1].width, 20);
        try {
            table("日志").insertInto({QStringLiteral("姓名"), QStringLiteral("无此列")});
            QFAIL("no refusal");
        } catch (const DbError &e) {
            QCOMPARE(e.message(), QStringLiteral("数据库中没有列“无此列”。"));
        }
    }
};

KD_TEST(TestStatements)
#include "tst_statements.moc"
