#include "admin/TLOG.h"
#include "platform/Dialogs.h"
#include "platform/widgets/DBGrid.h"
#include "support/Gui.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"
#include "support/WindowTest.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The log viewer: newest first, searched by name or by action.
class TestLog : public QObject, public WindowTest<TLOG>
{
    Q_OBJECT


    void log(const QVariant &name, const QString &time, const QVariant &action)
    {
        db->exec(QStringLiteral("insert into 日志(姓名,时间,动作) values(?,?,?)"), {name, time, action});
    }
    // Each row of the grid as "姓名|时间|动作".
    QStringList gridRows() const
    {
        QStringList rows;
        const QAbstractItemModel *m = w->DBGrid1->model();
        for (int r = 0; r < m->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < m->columnCount(); ++c)
                cells << m->index(r, c).data().toString();
            rows << cells.join(QLatin1Char('|'));
        }
        return rows;
    }

private Q_SLOTS:
    void init()
    {
        db = std::make_unique<TestDb>();
        // Written out of order; the text of the time sorts by time.
        log(QStringLiteral("张三"), QStringLiteral("2026年01月05日 09:05:07"), QStringLiteral("部门设置"));
        log(QStringLiteral("李四"), QStringLiteral("2027年01月01日 00:00:00"), QStringLiteral("合同登记"));
        log(QStringLiteral("张小明"), QStringLiteral("2026年01月05日 08:59:59"), QStringLiteral("权限设置"));
        log(QVariant(), QStringLiteral("2026年03月01日 10:00:00"), QStringLiteral("付款登记"));
        log(QStringLiteral("王五"), QStringLiteral("2026年12月31日 23:59:59"), QVariant());
        log(QStringLiteral("明%子"), QStringLiteral("2026年02月01日 10:00:00"), QStringLiteral("退出系统"));
    }
    void cleanup()
    {
        closeAll();
    }

    void opensWithEveryEntryNewestFirst()
    {
        open();
        QCOMPARE(w->DBGrid1->titles(), (QStringList{QStringLiteral("姓名"), QStringLiteral("时间"), QStringLiteral("动作")}));
        QCOMPARE(w->ComboBox1->currentText(), QStringLiteral("姓名"));
        QCOMPARE(gridRows(), (QStringList{
                                 QStringLiteral("李四|2027年01月01日 00:00:00|合同登记"),
                                 QStringLiteral("王五|2026年12月31日 23:59:59|"),
                                 QStringLiteral("|2026年03月01日 10:00:00|付款登记"),
                                 QStringLiteral("明%子|2026年02月01日 10:00:00|退出系统"),
                                 QStringLiteral("张三|2026年01月05日 09:05:07|部门设置"),
                                 QStringLiteral("张小明|2026年01月05日 08:59:59|权限设置"),
                             }));
        QCOMPARE(w->DBGrid1->currentIndex().row(), 0);
    }

    void search_data()
    {
        QTest::addColumn<QString>("by");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("times"); // the matching entries, as shown
        QTest::newRow("action 设置, newest first")
            << "操作" << "设置" << QStringList{"2026年01月05日 09:05:07", "2026年01月05日 08:59:59"};
        QTest::newRow("one hanzi of a name") << "姓名" << "张"
                                            << QStringList{"2026年01月05日 09:05:07", "2026年01月05日 08:59:59"};
        QTest::newRow("part in the middle of a name") << "姓名" << "小" << QStringList{"2026年01月05日 08:59:59"};
        QTest::newRow("empty name search skips a null name")
            << "姓名" << ""
            << QStringList{"2027年01月01日 00:00:00", "2026年12月31日 23:59:59", "2026年02月01日 10:00:00",
                           "2026年01月05日 09:05:07", "2026年01月05日 08:59:59"};
        QTest::newRow("empty action search skips a null action")
            << "操作" << ""
            << QStringList{"2027年01月01日 00:00:00", "2026年03月01日 10:00:00", "2026年02月01日 10:00:00",
                           "2026年01月05日 09:05:07", "2026年01月05日 08:59:59"};
        QTest::newRow("a typed wildcard stays a wildcard") << "姓名" << "张%明" << QStringList{"2026年01月05日 08:59:59"};
        QTest::newRow("a quote is only a value") << "姓名" << "' or '1'='1" << QStringList{};
        QTest::newRow("nothing found") << "操作" << "报表" << QStringList{};
    }
    void search()
    {
        QFETCH(QString, by);
        QFETCH(QString, text);
        QFETCH(QStringList, times);
        Dialogs::Script script;
        open();
        w->ComboBox1->setCurrentIndex(w->ComboBox1->findText(by));
        Gui::retype(w->Edit1, text);
        Gui::click(w->BitBtn1);
        QStringList shown;
        for (const QString &row : gridRows())
            shown << row.section(QLatin1Char('|'), 1, 1);
        QCOMPARE(shown, times);
        QCOMPARE(script.texts(), QStringList());
    }

    void enterInTheSearchTextSearches()
    {
        open();
        w->ComboBox1->setCurrentIndex(1);
        Gui::focus(w->Edit1);
        Gui::typeText(w->Edit1, QStringLiteral("登记"));
        QCOMPARE(gridRows().size(), 6); // typing alone does not search
        Gui::pressEnter(w->Edit1);
        QCOMPARE(gridRows(), (QStringList{QStringLiteral("李四|2027年01月01日 00:00:00|合同登记"),
                                          QStringLiteral("|2026年03月01日 10:00:00|付款登记")}));
        QCOMPARE(w->Edit1->text(), QStringLiteral("登记"));
        QVERIFY(w->Edit1->hasFocus());
    }
};

KD_TEST(TestLog)
#include "tst_log.moc"
