#include "platform/data/Dataset.h"
#include "platform/data/DbError.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"

#include <QSignalSpy>
#include <QTest>

// Row semantics of the dataset: pending rows stored on navigation or
// discarded, write-back by row id, refusals that leave the row pending.
class TestDataset : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDb> db;
    std::unique_ptr<Dataset> ds;

    void openPayments()
    {
        ds = std::make_unique<Dataset>(db->connection());
        ds->setTableQuery(QStringLiteral("付款情况表"), QStringLiteral("*"), QStringLiteral("order by 合同编号"));
        ds->open();
    }

private Q_SLOTS:
    void init()
    {
        db = std::make_unique<TestDb>();
        db->insert(QStringLiteral("付款情况表"), {QStringLiteral("00000001"), QDate(2026, 1, 5), 100.0, QStringLiteral("汇票"), QStringLiteral("张明"), QStringLiteral("P1"), QString()});
        db->insert(QStringLiteral("付款情况表"), {QStringLiteral("00000002"), QDate(2026, 2, 5), 200.0, QStringLiteral("现金"), QStringLiteral("李华"), QStringLiteral("P2"), QString()});
        db->insert(QStringLiteral("付款情况表"), {QStringLiteral("00000002"), QDate(2026, 2, 5), 200.0, QStringLiteral("现金"), QStringLiteral("李华"), QStringLiteral("P2"), QString()});
        openPayments();
    }
    void cleanup()
    {
        ds.reset();
        db.reset();
    }

    void opensAllRowsWithDisplayTexts()
    {
        QCOMPARE(ds->recordCount(), 3);
        QCOMPARE(ds->currentRow(), 0);
        QVERIFY(ds->canModify());
        QCOMPARE(ds->text(QStringLiteral("付款日期")), QStringLiteral("2026/1/5"));
        QCOMPARE(ds->text(QStringLiteral("付款金额")), QStringLiteral("100"));
        QCOMPARE(ds->fieldNames().first(), QStringLiteral("合同编号"));
    }

    void navigationStoresAChangedRow()
    {
        ds->setValue(QStringLiteral("付款金额"), QStringLiteral("150.5"));
        QCOMPARE(ds->state(), Dataset::Edit);
        ds->next();
        QCOMPARE(ds->state(), Dataset::Browse);
        QCOMPARE(db->scalar(QStringLiteral("select 付款金额 from 付款情况表 where 合同编号='00000001'")).toDouble(), 150.5);
    }

    void navigationDiscardsAnUnchangedNewRow()
    {
        ds->append();
        QCOMPARE(ds->recordCount(), 4);
        QCOMPARE(ds->state(), Dataset::Insert);
        ds->first();
        QCOMPARE(ds->recordCount(), 3);
        QCOMPARE(db->count(QStringLiteral("付款情况表")), 3);
    }

    void appendedRowIsStoredWithTypedValuesOnly()
    {
        ds->append();
        ds->setValue(QStringLiteral("合同编号"), QStringLiteral("00000009"));
        ds->setValue(QStringLiteral("付款日期"), QStringLiteral("2026/3/1"));
        ds->last();
        QCOMPARE(db->rows(QStringLiteral("select * from 付款情况表 where 合同编号='00000009'")),
                 QStringList{QStringLiteral("00000009|2026-03-01|<null>|<null>|<null>|<null>|<null>")});
    }

    void closeDiscardsAPendingRow()
    {
        ds->setValue(QStringLiteral("备注"), QStringLiteral("改了"));
        ds->close();
        QCOMPARE(db->count(QStringLiteral("付款情况表"), QStringLiteral("备注='改了'")), 0);
        QVERIFY(!ds->isOpen());
    }

    void deleteOfANewRowOnlyDiscardsIt()
    {
        ds->append();
        ds->setValue(QStringLiteral("合同编号"), QStringLiteral("00000009"));
        ds->remove();
        QCOMPARE(ds->recordCount(), 3);
        QCOMPARE(db->count(QStringLiteral("付款情况表")), 3);
    }

    void deleteWithNoRowIsRefused()
    {
        ds->setTableQuery(QStringLiteral("付款情况表"), QStringLiteral("*"), QStringLiteral("where 合同编号 like '%'||?||'%'"),
                          {QStringLiteral("none")});
        ds->open();
        QCOMPARE(ds->recordCount(), 0);
        try {
            ds->remove();
            QFAIL("no refusal");
        } catch (const DbError &e) {
            QCOMPARE(e.message(), QStringLiteral("没有当前记录，无法删除。"));
        }
        QCOMPARE(db->count(QStringLiteral("付款情况表")), 3);
    }

    void editWithNoRowStartsANewOne()
    {
        ds->setTableQuery(QStringLiteral("付款情况表"), QStringLiteral("*"), QStringLiteral("where 1=0"));
        ds->open();
        ds->edit();
        QCOMPARE(ds->state(), Dataset::Insert);
        QCOMPARE(ds->recordCount(), 1);
    }

    void identicalRowsChangeAndDeleteOneAtATime()
    {
        ds->moveTo(1);
        ds->setValue(QStringLiteral("备注"), QStringLiteral("第一条"));
        ds->post();
        QCOMPARE(db->rows(QStringLiteral("select 备注 from 付款情况表 where 合同编号='00000002' order by rowid")),
                 (QStringList{QStringLiteral("第一条"), QString()}));
        ds->moveTo(2);
        ds->remove();
        QCOMPARE(db->rows(QStringLiteral("select 备注 from 付款情况表 where 合同编号='00000002'")),
                 QStringList{QStringLiteral("第一条")});
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("text in an amount") << "付款金额" << "abc" << "“付款金额”不能保存“abc”：不是有效的金额，请输入数字。";
        QTest::newRow("impossible date") << "付款日期" << "2026/2/30"
                                         << "“付款日期”不能保存“2026/2/30”：不是有效的日期，请按“年/月/日”输入，例如2026/12/9。";
        QTest::newRow("too wide") << "付款方式" << "一二三四五六七八九十一"
                                  << "“付款方式”不能保存“一二三四五六七八九十一”：长度超过20个字节（一个汉字占2个字节）。";
        QTest::newRow("outside GBK") << "备注" << QStringLiteral("好\U0001F600")
                                     << QStringLiteral("“备注”不能保存“好\U0001F600”：字符“\U0001F600”不能以GBK编码保存。");
    }
    void refusals()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, message);
        const QStringList before = db->rows(QStringLiteral("select * from 付款情况表"));
        ds->setValue(field, value);
        try {
            ds->next();
            QFAIL("no refusal");
        } catch (const DbError &e) {
            QCOMPARE(e.message(), message);
        }
        QCOMPARE(ds->state(), Dataset::Edit);
        QCOMPARE(ds->currentRow(), 0);
        QCOMPARE(ds->text(field), value);
        QCOMPARE(db->rows(QStringLiteral("select * from 付款情况表")), before);
    }

    void readOnlyJoinRefusesChanges()
    {
        ds->setSql(QStringLiteral("select a.合同编号,b.合同金额 from 付款情况表 a,合同基本信息表 b where a.合同编号=b.合同编号"));
        ds->open();
        QVERIFY(!ds->canModify());
        QVERIFY_THROWS_EXCEPTION(DbError, ds->append());
    }

    void eofAndBofFollowTheCursor()
    {
        QVERIFY(ds->bof());
        QVERIFY(!ds->eof());
        int seen = 0;
        while (!ds->eof()) {
            ++seen;
            ds->next();
        }
        QCOMPARE(seen, 3);
        QCOMPARE(ds->currentRow(), 2);
    }

    void tableDatasetSortsAndRefreshKeepsTheRow()
    {
        Dataset t(db->connection());
        t.setTableName(QStringLiteral("付款情况表"));
        t.setSort(QStringLiteral("付款金额"));
        t.open();
        t.last();
        db->exec(QStringLiteral("update 付款情况表 set 备注='外部'"));
        t.refresh();
        QCOMPARE(t.currentRow(), 2);
        QCOMPARE(t.text(QStringLiteral("备注")), QStringLiteral("外部"));
    }

    void amountsShowWithoutNoise()
    {
        db->exec(QStringLiteral("delete from 付款情况表"));
        db->insert(QStringLiteral("付款情况表"), {QStringLiteral("1"), QVariant(), 0.1, QString(), QString(), QString(), QString()});
        db->insert(QStringLiteral("付款情况表"), {QStringLiteral("1"), QVariant(), 0.2, QString(), QString(), QString(), QString()});
        db->insert(QStringLiteral("付款情况表"), {QStringLiteral("1"), QVariant(), 1250000.0, QString(), QString(), QString(), QString()});
        ds->setSql(QStringLiteral("select sum(付款金额) as s from 付款情况表 where 付款金额<1"));
        ds->open();
        QCOMPARE(ds->text(QStringLiteral("s")), QStringLiteral("0.3"));
        ds->setSql(QStringLiteral("select * from 付款情况表 where 付款金额>1"));
        ds->open();
        QCOMPARE(ds->text(QStringLiteral("付款金额")), QStringLiteral("1250000"));
    }
};

KD_TEST(TestDataset)
#include "tst_dataset.moc"
