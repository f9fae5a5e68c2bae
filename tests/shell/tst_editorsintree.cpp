#include "ShellFixture.h"

#include "platform/Dialogs.h"
#include "platform/widgets/DBEdit.h"
#include "platform/widgets/DBGrid.h"
#include "platform/widgets/DBLookupComboBox.h"
#include "shell/TMain.h"
#include "support/Gui.h"
#include "support/TestRegistry.h"

#include <QAction>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

// Projects and contracts entered in their windows, seen in the project tree
// once it is refreshed.
class TstEditorsInTree : public QObject
{
    Q_OBJECT

    static QWidget *open(Shell &s, QAction *command, const QString &title)
    {
        command->trigger();
        QApplication::processEvents();
        QMdiSubWindow *frame = s.main->findChildWindow(title);
        return frame ? frame->widget() : nullptr;
    }

    static void typeIntoCell(DBGrid *grid, int row, int column, const QString &text)
    {
        Gui::clickCell(grid, row, column);
        QTest::keyClick(grid, Qt::Key_F2);
        QLineEdit *editor = nullptr;
        QTRY_VERIFY((editor = grid->findChild<QLineEdit *>()) && editor->isVisible());
        editor->selectAll();
        Gui::typeText(editor, text);
        Gui::pressEnter(editor);
    }

    static QStringList treeTexts(QTreeWidget *tree)
    {
        QStringList texts;
        std::function<void(QTreeWidgetItem *)> walk = [&](QTreeWidgetItem *item) {
            texts << item->text(0);
            for (int i = 0; i < item->childCount(); ++i)
                walk(item->child(i));
        };
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            walk(tree->topLevelItem(i));
        return texts;
    }

private Q_SLOTS:
    void projectCodesAndAContractReachTheTreeAfterRefresh()
    {
        Shell s;
        Dialogs::Script script;
        s.logIn(QStringLiteral("admin"), QStringLiteral("kadero"));

        QWidget *projects = open(s, s.item("Menu_Project"), QStringLiteral("项目设置"));
        QVERIFY(projects);
        auto *grid = Gui::find<DBGrid>(projects, "DBGrid1");
        const QList<std::pair<QString, QString>> rows = {
            {QStringLiteral("1"), QStringLiteral("一字节")},
            {QStringLiteral("01-1"), QStringLiteral("四字节")},
            {QStringLiteral("05"), QStringLiteral("五期")},
            {QStringLiteral("05-01"), QStringLiteral("仓库")},
        };
        for (const auto &[code, name] : rows) {
            Gui::click(Gui::find<QPushButton>(projects, "BitBtn6")); // 增加
            const int row = grid->model()->rowCount() - 1;
            typeIntoCell(grid, row, 0, code);
            typeIntoCell(grid, row, 1, name);
        }
        Gui::click(Gui::find<QPushButton>(projects, "BitBtn2")); // 首记录 stores the last row
        QCOMPARE(s.db.rows(QStringLiteral("select 编号 from 项目清单 order by 编号")),
                 (QStringList{QStringLiteral("01-1"), QStringLiteral("05"), QStringLiteral("05-01"), QStringLiteral("1")}));

        // The contract register offers the new project code.
        QWidget *reg = open(s, s.item("Menu_Write"), QStringLiteral("合同基本信息录入"));
        QVERIFY(reg);
        Gui::click(Gui::find<QPushButton>(reg, "BitBtn1")); // 新增
        Gui::retype(Gui::find<DBEdit>(reg, "DBEdit1"), QStringLiteral("20269999"));
        Gui::retype(Gui::find<DBEdit>(reg, "DBEdit2"), QStringLiteral("仓库租赁合同"));
        auto *project = Gui::find<DBLookupComboBox>(reg, "DBLookupComboBox1");
        const int at = project->findData(QStringLiteral("05-01"));
        QVERIFY(at >= 0);
        project->setCurrentIndex(at);
        Q_EMIT project->activated(at);
        Gui::click(Gui::find<QPushButton>(reg, "BitBtn6")); // 提交
        QCOMPARE(script.lastText(), QStringLiteral("您所做的操作已保存！"));

        // Nothing reaches the tree until it is refreshed.
        QVERIFY(!treeTexts(s.main->TreeView1).contains(QStringLiteral("[05] 五期")));
        Gui::click(s.main->ToolButton4);
        const QStringList tree = treeTexts(s.main->TreeView1);
        QCOMPARE(tree, (QStringList{QStringLiteral("全部合同"), QStringLiteral("[05] 五期"), QStringLiteral("[05-01] 仓库"),
                                    QStringLiteral("[20269999]仓库租赁合同")}));
    }
};

KD_TEST(TstEditorsInTree)
#include "tst_editorsintree.moc"
