#include "ShellFixture.h"

#include "platform/Dialogs.h"
#include "platform/data/Dataset.h"
#include "platform/widgets/DBGrid.h"
#include "shell/TMain.h"
#include "support/Gui.h"
#include "support/TestRegistry.h"

#include <QDate>
#include <QGroupBox>
#include <QTest>
#include <QToolButton>
#include <QToolBar>
#include <QTreeWidget>

namespace {

QStringList treeLines(QTreeWidgetItem *item, int depth = 0)
{
    QStringList out{QString(depth * 2, QLatin1Char(' ')) + item->text(0)};
    for (int i = 0; i < item->childCount(); ++i)
        out += treeLines(item->child(i), depth + 1);
    return out;
}

QStringList treeLines(QTreeWidget *tree)
{
    QStringList out;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        out += treeLines(tree->topLevelItem(i));
    return out;
}

QTreeWidgetItem *node(QTreeWidget *tree, const QString &text)
{
    const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    if (found.isEmpty())
        qFatal("no node %s", qPrintable(text));
    return found.first();
}


// Values of one column of a grid's dataset, in row order.
QStringList column(DBGrid *grid, const QString &field)
{
    QStringList out;
    Dataset *ds = grid->dataset();
    if (!ds || !ds->isOpen())
        return out;
    const int f = ds->fieldIndex(field);
    for (int r = 0; r < ds->recordCount(); ++r)
        out << ds->text(r, f);
    return out;
}

void project(const Shell &s, const QString &code, const QString &name)
{
    s.db.insert(QStringLiteral("项目清单"), {code, name, QStringLiteral("工程部")});
}

void contract(const Shell &s, const QString &number, const QString &name, const QString &projectCode, double amount = 1000)
{
    s.db.insert(QStringLiteral("合同基本信息表"),
                {number, name, QStringLiteral("甲公司"), amount, QStringLiteral("内容"), QStringLiteral("赵六"),
                 QDate(2026, 3, 1), QDate(2026, 12, 31), QStringLiteral("采购"), projectCode, QStringLiteral("是"),
                 QString(), QStringLiteral("本公司")});
}

void payment(const Shell &s, const QString &number, double amount, const QDate &date)
{
    s.db.insert(QStringLiteral("付款情况表"), {number, date, amount, QStringLiteral("转账"), QStringLiteral("赵六"),
                                               QStringLiteral("P-1"), QString()});
}

} // namespace

// The project tree and the two grids that a click on a node fills.
class TstTree : public QObject
{
    Q_OBJECT

    static void logIn(Shell &s) { s.logIn(QStringLiteral("admin"), QStringLiteral("kadero")); }

private Q_SLOTS:
    void levelTwoCodesLandUnderTheLastLevelOne()
    {
        Shell s;
        Dialogs::Script script;
        project(s, QStringLiteral("01"), QStringLiteral("A"));
        project(s, QStringLiteral("01-01"), QStringLiteral("B"));
        project(s, QStringLiteral("02-01"), QStringLiteral("C"));
        contract(s, QStringLiteral("00000001"), QStringLiteral("钢材"), QStringLiteral("01-01"));
        contract(s, QStringLiteral("00000002"), QStringLiteral("水泥"), QStringLiteral("02-01"));
        logIn(s);
        QCOMPARE(treeLines(s.main->TreeView1),
                 (QStringList{QStringLiteral("全部合同"), QStringLiteral("  [01] A"), QStringLiteral("    [01-01] B"),
                              QStringLiteral("      [00000001]钢材"), QStringLiteral("    [02-01] C"),
                              QStringLiteral("      [00000002]水泥")}));
        QVERIFY(script.messages().isEmpty());
    }

    void oddCodes()
    {
        Shell s;
        Dialogs::Script script;
        project(s, QStringLiteral(" 01"), QStringLiteral("空格"));    // a blank and 01: two bytes
        project(s, QStringLiteral("001"), QStringLiteral("三字节"));  // no node
        project(s, QStringLiteral("01-01"), QStringLiteral("B"));
        project(s, QStringLiteral("项目"), QStringLiteral("汉字"));    // four bytes: no node
        contract(s, QStringLiteral("00000003"), QStringLiteral("三字节合同"), QStringLiteral("001"));
        contract(s, QStringLiteral("00000004"), QStringLiteral("一级合同"), QStringLiteral(" 01"));
        logIn(s);
        QCOMPARE(treeLines(s.main->TreeView1),
                 (QStringList{QStringLiteral("全部合同"), QStringLiteral("  [ 01] 空格"), QStringLiteral("    [01-01] B")}));
    }

    void smallestCodeOnLevelTwoStandsAtTheTop()
    {
        Shell s;
        Dialogs::Script script;
        project(s, QStringLiteral("01-01"), QStringLiteral("B"));
        contract(s, QStringLiteral("12000001"), QStringLiteral("甲"), QStringLiteral("01-01"));
        contract(s, QStringLiteral("12000002"), QStringLiteral("乙"), QStringLiteral("12-05"));
        contract(s, QStringLiteral("99000003"), QStringLiteral("丙"), QStringLiteral("99-01"));
        payment(s, QStringLiteral("12000002"), 50, QDate(2026, 4, 1));
        logIn(s);
        QCOMPARE(treeLines(s.main->TreeView1),
                 (QStringList{QStringLiteral("全部合同"), QStringLiteral("[01-01] B"), QStringLiteral("  [12000001]甲")}));
        // Its level decides: at the top level the click hides the grids.
        s.clickNode(QStringLiteral("[12000001]甲"));
        QVERIFY(s.main->GroupBox1->isVisible());
        s.clickNode(QStringLiteral("[01-01] B"));
        QVERIFY(!s.main->GroupBox1->isVisible());
        QVERIFY(!s.main->ToolButton8->isVisible());
        // Its contract nodes run the level-1 queries with the first two bytes of the number.
        s.clickNode(QStringLiteral("[12000001]甲"));
        QCOMPARE(column(s.main->DBGrid1, QStringLiteral("合同编号")), QStringList{QStringLiteral("12000002")});
        QCOMPARE(column(s.main->DBGrid2, QStringLiteral("合同编号")), QStringList{QStringLiteral("12000002")});
    }

    void eachLevelFillsTheGrids_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QStringList>("contracts");
        QTest::addColumn<QStringList>("payments");
        QTest::newRow("level 1") << QStringLiteral("[01] 总部")
                                 << QStringList{QStringLiteral("00000001"), QStringLiteral("00000002"), QStringLiteral("00000003")}
                                 << QStringList{QStringLiteral("00000001"), QStringLiteral("00000001"), QStringLiteral("00000002")};
        QTest::newRow("level 2") << QStringLiteral("[01-01] 一号楼")
                                 << QStringList{QStringLiteral("00000001"), QStringLiteral("00000003")}
                                 << QStringList{QStringLiteral("00000001"), QStringLiteral("00000001")};
        QTest::newRow("level 2 without payments") << QStringLiteral("[02-01] 仓库")
                                                  << QStringList{QStringLiteral("00000005")} << QStringList{};
        QTest::newRow("contract") << QStringLiteral("[00000002]电梯") << QStringList{QStringLiteral("00000002")}
                                  << QStringList{QStringLiteral("00000002")};
    }
    void eachLevelFillsTheGrids()
    {
        QFETCH(QString, node);
        QFETCH(QStringList, contracts);
        QFETCH(QStringList, payments);
        Shell s;
        Dialogs::Script script;
        project(s, QStringLiteral("01"), QStringLiteral("总部"));
        project(s, QStringLiteral("01-01"), QStringLiteral("一号楼"));
        project(s, QStringLiteral("01-02"), QStringLiteral("二号楼"));
        project(s, QStringLiteral("02"), QStringLiteral("分部"));
        project(s, QStringLiteral("02-01"), QStringLiteral("仓库"));
        contract(s, QStringLiteral("00000001"), QStringLiteral("钢材"), QStringLiteral("01-01"), 1000);
        contract(s, QStringLiteral("00000002"), QStringLiteral("电梯"), QStringLiteral("01-02"), 2000);
        contract(s, QStringLiteral("00000003"), QStringLiteral("门窗"), QStringLiteral("01-01"), 3000);
        contract(s, QStringLiteral("00000004"), QStringLiteral("一级"), QStringLiteral("01"), 4000); // listed nowhere
        contract(s, QStringLiteral("00000005"), QStringLiteral("货架"), QStringLiteral("02-01"), 5000);
        payment(s, QStringLiteral("00000002"), 200, QDate(2026, 5, 1));
        payment(s, QStringLiteral("00000001"), 100, QDate(2026, 4, 1));
        payment(s, QStringLiteral("00000001"), 150, QDate(2026, 6, 1));
        payment(s, QStringLiteral("00000004"), 400, QDate(2026, 6, 2));
        logIn(s);
        QVERIFY(!treeLines(s.main->TreeView1).join(QLatin1Char('|')).contains(QLatin1String("00000004")));
        s.clickNode(node);
        QVERIFY(script.messages().isEmpty());
        QVERIFY(s.main->GroupBox1->isVisible());
        QVERIFY(s.main->GroupBox2->isVisible());
        QVERIFY(s.main->ToolButton8->isVisible());
        QCOMPARE(column(s.main->DBGrid1, QStringLiteral("合同编号")), contracts);
        QCOMPARE(column(s.main->DBGrid2, QStringLiteral("合同编号")), payments);
        QCOMPARE(s.main->DBGrid1->model()->rowCount(), contracts.size());
        QCOMPARE(s.main->DBGrid2->model()->rowCount(), payments.size());
        // The contract amount of each payment comes from its contract.
        if (node == QLatin1String("[00000002]电梯")) {
            QCOMPARE(column(s.main->DBGrid2, QStringLiteral("合同金额")), QStringList{QStringLiteral("2000")});
            QCOMPARE(column(s.main->DBGrid2, QStringLiteral("付款金额")), QStringList{QStringLiteral("200")});
        }
    }

    void gridColumnsAndTitles()
    {
        Shell s;
        Dialogs::Script script;
        project(s, QStringLiteral("01"), QStringLiteral("A"));
        project(s, QStringLiteral("01-01"), QStringLiteral("B"));
        contract(s, QStringLiteral("00000001"), QStringLiteral("钢材"), QStringLiteral("01-01"));
        logIn(s);
        s.clickNode(QStringLiteral("[00000001]钢材"));
        QCOMPARE(s.main->GroupBox1->title(), QStringLiteral("合同基本信息"));
        QCOMPARE(s.main->GroupBox2->title(), QStringLiteral("合同付款信息"));
        QCOMPARE(s.main->DBGrid1->titles(),
                 (QStringList{QStringLiteral("合同编号"), QStringLiteral("合同名称"), QStringLiteral("对方单位"),
                              QStringLiteral("项目"), QStringLiteral("合同金额"), QStringLiteral("合同内容"),
                              QStringLiteral("签订日期"), QStringLiteral("经办人员")}));
        QCOMPARE(s.main->DBGrid2->titles(),
                 (QStringList{QStringLiteral("合同编号"), QStringLiteral("合同金额"), QStringLiteral("付款日期"),
                              QStringLiteral("付款金额"), QStringLiteral("付款方式"), QStringLiteral("经办人员"),
                              QStringLiteral("凭证号码"), QStringLiteral("备注")}));
        QVERIFY(s.main->DBGrid1->isReadOnly());
        QVERIFY(s.main->DBGrid2->isReadOnly());
        auto align = [](DBGrid *g, int c) {
            return g->model()->index(0, c).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask;
        };
        QCOMPARE(align(s.main->DBGrid1, 0), Qt::AlignHCenter);
        QCOMPARE(align(s.main->DBGrid1, 6), Qt::AlignRight);
        QCOMPARE(s.main->DBGrid1->model()->headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>(),
                 Qt::Alignment(Qt::AlignCenter));
    }

    void rootHidesBoxesAndExportButton()
    {
        Shell s;
        Dialogs::Script script;
        project(s, QStringLiteral("01-01"), QStringLiteral("B"));
        project(s, QStringLiteral("01"), QStringLiteral("A"));
        logIn(s);
        // The tool bar reads expand, collapse | refresh | export | exit, and
        // without the export button no two dividers stand together.
        auto shape = [&s] {
            QString text;
            for (QAction *a : s.main->ToolBar1->actions()) {
                if (!a->isVisible())
                    continue;
                QWidget *w = s.main->ToolBar1->widgetForAction(a);
                text += a->isSeparator() ? QStringLiteral("|") : w ? w->objectName().right(1) : QString();
            }
            return text;
        };
        QCOMPARE(shape(), QStringLiteral("|12|4|0"));
        s.clickNode(QStringLiteral("[01-01] B"));
        QVERIFY(s.main->GroupBox1->isVisible());
        QVERIFY(s.main->ToolButton8->isVisible());
        QCOMPARE(shape(), QStringLiteral("|12|4|8|0"));
        s.clickNode(QStringLiteral("全部合同"));
        QVERIFY(!s.main->GroupBox1->isVisible());
        QVERIFY(!s.main->GroupBox2->isVisible());
        QVERIFY(!s.main->ToolButton8->isVisible());
        QCOMPARE(shape(), QStringLiteral("|12|4|0"));
    }

    void onlyAMouseClickRunsTheQueries()
    {
        Shell s;
        Dialogs::Script script;
        project(s, QStringLiteral("01"), QStringLiteral("A"));
        project(s, QStringLiteral("01-01"), QStringLiteral("B"));
        contract(s, QStringLiteral("00000001"), QStringLiteral("钢材"), QStringLiteral("01-01"));
        contract(s, QStringLiteral("00000002"), QStringLiteral("水泥"), QStringLiteral("01-01"));
        logIn(s);
        s.clickNode(QStringLiteral("[00000001]钢材"));
        QCOMPARE(column(s.main->DBGrid1, QStringLiteral("合同编号")), QStringList{QStringLiteral("00000001")});
        QTest::keyClick(s.main->TreeView1, Qt::Key_Down);
        QCOMPARE(s.main->TreeView1->currentItem()->text(0), QStringLiteral("[00000002]水泥"));
        QCOMPARE(column(s.main->DBGrid1, QStringLiteral("合同编号")), QStringList{QStringLiteral("00000001")});
        // A click on the node already selected runs them again.
        s.db.exec(QStringLiteral("update 合同基本信息表 set 合同名称='改名' where 合同编号='00000002'"));
        s.clickNode(QStringLiteral("[00000002]水泥"));
        QCOMPARE(column(s.main->DBGrid1, QStringLiteral("合同名称")), QStringList{QStringLiteral("改名")});
        s.clickNode(QStringLiteral("[00000002]水泥"));
        QCOMPARE(column(s.main->DBGrid1, QStringLiteral("合同名称")), QStringList{QStringLiteral("改名")});
    }

    void refreshRebuildsWithoutLogAndKeepsGrids()
    {
        Shell s;
        Dialogs::Script script;
        project(s, QStringLiteral("01"), QStringLiteral("A"));
        project(s, QStringLiteral("01-01"), QStringLiteral("B"));
        contract(s, QStringLiteral("00000001"), QStringLiteral("钢材"), QStringLiteral("01-01"));
        logIn(s);
        s.clickNode(QStringLiteral("[01-01] B"));
        project(s, QStringLiteral("02"), QStringLiteral("新项目"));
        Gui::click(s.main->ToolButton4);
        QCOMPARE(treeLines(s.main->TreeView1),
                 (QStringList{QStringLiteral("全部合同"), QStringLiteral("  [01] A"), QStringLiteral("    [01-01] B"),
                              QStringLiteral("      [00000001]钢材"), QStringLiteral("  [02] 新项目")}));
        QCOMPARE(s.logRows(), 0);
        QVERIFY(s.main->GroupBox1->isVisible());
        QCOMPARE(column(s.main->DBGrid1, QStringLiteral("合同编号")), QStringList{QStringLiteral("00000001")});
        // Expand and collapse through their tool buttons.
        Gui::click(s.main->ToolButton2);
        QVERIFY(!s.main->TreeView1->topLevelItem(0)->isExpanded());
        Gui::click(s.main->ToolButton1);
        QVERIFY(node(s.main->TreeView1, QStringLiteral("[01-01] B"))->isExpanded());
    }
};

KD_TEST(TstTree)
#include "tst_tree.moc"
