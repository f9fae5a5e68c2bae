#include "ShellFixture.h"

#include "platform/Dialogs.h"
#include "platform/widgets/DBGrid.h"
#include "shell/Commands.h"
#include "shell/TMain.h"
#include "support/Gui.h"
#include "support/TestRegistry.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QDate>

namespace {

int windowsTitled(TMain *m, const QString &title)
{
    int n = 0;
    for (QMdiSubWindow *sub : m->mdiArea()->subWindowList())
        n += sub->widget() && sub->widget()->windowTitle() == title ? 1 : 0;
    return n;
}

void logInAdmin(Shell &s) { s.logIn(QStringLiteral("admin"), QStringLiteral("kadero")); }

// Shows the grid boxes and the export button by a click on a level-2 node.
void fillGrids(Shell &s)
{
    s.db.insert(QStringLiteral("项目清单"), {QStringLiteral("01"), QStringLiteral("A"), QString()});
    s.db.insert(QStringLiteral("项目清单"), {QStringLiteral("01-01"), QStringLiteral("B"), QString()});
    s.main->Menu_RefreshClick();
    s.clickNode(QStringLiteral("[01-01] B"));
}

} // namespace

// Child-window commands, the audit log and the ways to leave.
class TstCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void accessKeyWorksRightAfterLogin()
    {
        Shell s;
        Dialogs::Script script;
        logInAdmin(s);
        QApplication::processEvents();
        // Alt+T on the menu bar's own command "付款提醒(&T)", straight after the login window closed.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::AltModifier);
        QApplication::processEvents();
        QVERIFY(s.main->findChildWindow(QStringLiteral("付款提醒")));
    }

    void sameCommandTwiceOneWindowTwoEntries()
    {
        Shell s;
        Dialogs::Script script;
        logInAdmin(s);
        s.item("Menu_Class")->trigger();
        s.item("Menu_Class")->trigger();
        QCOMPARE(windowsTitled(s.main.get(), QStringLiteral("合同类别设置")), 1);
        const QStringList rows = s.db.rows(QStringLiteral("select 姓名,动作 from 日志"));
        QCOMPARE(rows, (QStringList{QStringLiteral("系统主管|合同类别设置"), QStringLiteral("系统主管|合同类别设置")}));
        const QString time = s.db.scalar(QStringLiteral("select 时间 from 日志")).toString();
        QVERIFY2(QRegularExpression(QStringLiteral("^\\d{4}年\\d{2}月\\d{2}日 \\d{2}:\\d{2}:\\d{2}$")).match(time).hasMatch(),
                 qPrintable(time));
        QMdiSubWindow *sub = s.main->findChildWindow(QStringLiteral("合同类别设置"));
        QCOMPARE(sub->x(), 130);
        // The window keeps the size it gives itself.
        std::unique_ptr<QWidget> probe(findChildCommand(QStringLiteral("Menu_Class"))->create());
        QCOMPARE(sub->widget()->size(), probe->size());
    }

    // The rights come from the command table: the rights window lists them in
    // the order of its rows, the order of the supervisor's rights.
    void rightsWindowListsTheRightsOfTheCommands()
    {
        QCOMPARE(commandRights(), ledgerRights());
        Shell s;
        Dialogs::Script script;
        logInAdmin(s);
        s.item("Menu_Right")->trigger();
        QWidget *rights = s.main->findChildWindow(QStringLiteral("权限设置"))->widget();
        QStringList boxes;
        for (int i = 1; i <= 15; ++i)
            boxes << Gui::find<QCheckBox>(rights, QStringLiteral("CheckBox%1").arg(i).toLatin1().constData())->text();
        QCOMPARE(boxes, ledgerRights());
    }

    void eachCommandOpensItsWindow_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("windowClass");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("logText");
        QTest::addColumn<int>("left"); // -1: maximised
        QTest::addColumn<int>("hides"); // 2: boxes and export button, 1: boxes only, 0: nothing
        const struct {
            const char *action, *caption, *windowClass, *title, *logText;
            int left, hides;
        } rows[] = {
            {"Menu_ChangePwd", "修改密码(&P)", "TPwd", "修改密码", "修改密码", 200, 2},
            {"Menu_AddUser", "添加用户(&A)", "TUser", "添加用户", "添加用户", 200, 2},
            {"Menu_Right", "权限设置(&Q)", "TRights", "权限设置", "权限设置", 100, 2},
            {"Menu_Log", "查看日志(&L)", "TLOG", "查看日志", "查看日志", 150, 2},
            {"Menu_back", "数据备份(&B)", "Tback", "数据备份", "数据备份", 120, 2},
            {"Menu_Class", "合同类别(&C)", "TClasses", "合同类别设置", "合同类别设置", 130, 2},
            {"Menu_Dept", "部门设置(&D)", "TDept", "部门设置", "部门设置", 130, 2},
            {"Menu_Project", "项目设置(&P)", "TProject", "项目设置", "项目设置", 130, 2},
            {"Menu_Gs", "单位设置(&G)", "TGs", "公司设置", "公司设置", 130, 2},
            {"Menu_Wldw", "往来单位设置(&W)", "TWldw", "往来单位维护", "往来单位维护", 130, 2},
            {"Menu_Ren", "人员维护(&R)", "TRen", "人员维护", "人员维护", 130, 2},
            {"Menu_Write", "合同登记(&R)", "TWrite", "合同基本信息录入", "合同基本信息录入", -1, 1},
            {"Menu_Plan", "计划付款(&P)", "TPlan", "计划付款设置", "计划付款设置", 130, 2},
            {"Menu_Pay", "付款登记(&F)", "TPay", "付款登记", "付款登记", 130, 2},
            {"Menu_Invoice", "发票登记(&T)", "TInvoice", "发票登记", "发票登记", 130, 2},
            {"Menu_Account", "打印合同执行情况表(&P)", "TReport", "报表管理", "报表管理", 130, 2},
            {"Menu_Summary", "合同执行汇总(&S)", "TSummary", "合同执行汇总", "合同执行汇总", 10, 2},
            {"Menu_TiXin", "付款提醒(&T)", "TTiXin", "付款提醒", "付款提醒", 10, 2},
            {"N_Help", "关于本软件(&A)", "TAboutBox", "关于本软件", "查看帮助", 200, 0},
        };
        for (const auto &r : rows)
            QTest::newRow(r.action) << QString::fromLatin1(r.action) << QString::fromUtf8(r.caption)
                                    << QString::fromLatin1(r.windowClass) << QString::fromUtf8(r.title)
                                    << QString::fromUtf8(r.logText) << r.left << r.hides;
    }
    void eachCommandOpensItsWindow()
    {
        QFETCH(QString, action);
        QFETCH(QString, caption);
        QFETCH(QString, windowClass);
        QFETCH(QString, title);
        QFETCH(QString, logText);
        QFETCH(int, left);
        QFETCH(int, hides);
        Shell s;
        Dialogs::Script script;
        logInAdmin(s);
        fillGrids(s);
        QVERIFY(s.main->GroupBox1->isVisible());
        QVERIFY(s.main->ToolButton8->isVisible());
        // The supervisor holds every right: the item is offered under its caption.
        auto *item = s.main->findChild<QAction *>(action);
        QVERIFY(item);
        QCOMPARE(item->text(), caption);
        QVERIFY(item->isVisible());
        item->trigger();
        QApplication::processEvents();

        QMdiSubWindow *sub = s.main->findChildWindow(title);
        QVERIFY2(sub, qPrintable(title));
        QCOMPARE(QString::fromLatin1(sub->widget()->metaObject()->className()), windowClass);
        QCOMPARE(sub->widget()->windowTitle(), title);
        if (left < 0)
            QVERIFY(sub->isMaximized());
        else
            QCOMPARE(sub->x(), left);
        QCOMPARE(s.db.rows(QStringLiteral("select 姓名,动作 from 日志")), QStringList{QStringLiteral("系统主管|") + logText});
        QCOMPARE(s.main->GroupBox1->isVisible(), hides == 0);
        QCOMPARE(s.main->GroupBox2->isVisible(), hides == 0);
        QCOMPARE(s.main->ToolButton8->isVisible(), hides < 2);
    }

    void minimisedWindowComesBackNormalInFront()
    {
        Shell s;
        Dialogs::Script script;
        logInAdmin(s);
        s.item("Menu_Class")->trigger();
        QMdiSubWindow *classes = s.main->findChildWindow(QStringLiteral("合同类别设置"));
        classes->showMinimized();
        s.item("Menu_Dept")->trigger();
        QCOMPARE(s.main->mdiArea()->activeSubWindow(), s.main->findChildWindow(QStringLiteral("部门设置")));
        s.item("Menu_Class")->trigger();
        QVERIFY(!classes->isMinimized());
        QVERIFY(!classes->isMaximized());
        QVERIFY(classes->isVisible());
        QCOMPARE(s.main->mdiArea()->activeSubWindow(), classes);
        QCOMPARE(s.main->mdiArea()->subWindowList(QMdiArea::StackingOrder).last(), classes);
    }

    void maximisedWindowComesBackNormal()
    {
        Shell s;
        Dialogs::Script script;
        logInAdmin(s);
        s.item("Menu_Class")->trigger();
        QMdiSubWindow *classes = s.main->findChildWindow(QStringLiteral("合同类别设置"));
        classes->showMaximized();
        QApplication::processEvents();
        QVERIFY(classes->isMaximized());
        s.item("Menu_Class")->trigger();
        QApplication::processEvents();
        QVERIFY(!classes->isMaximized());
        QVERIFY(!classes->isMinimized());
        QCOMPARE(s.main->mdiArea()->activeSubWindow(), classes);
        QCOMPARE(windowsTitled(s.main.get(), QStringLiteral("合同类别设置")), 1);
        QCOMPARE(s.logRows(QStringLiteral("合同类别设置")), 2);
    }

    void logEntryKeepsQuotesInTheName()
    {
        Shell s;
        Dialogs::Script script;
        s.addUser(QStringLiteral("u1"), QStringLiteral("O'王"), QStringLiteral("财务部"), QStringLiteral("pw"));
        s.logIn(QStringLiteral("u1"), QStringLiteral("pw"));
        s.item("Menu_ChangePwd")->trigger();
        QVERIFY(s.main->findChildWindow(QStringLiteral("修改密码")));
        QCOMPARE(s.db.rows(QStringLiteral("select 姓名,动作 from 日志")), QStringList{QStringLiteral("O'王|修改密码")});
    }

    void commandsHideTheGridBoxes()
    {
        Shell s;
        Dialogs::Script script;
        logInAdmin(s);
        fillGrids(s);
        QVERIFY(s.main->GroupBox1->isVisible());
        QVERIFY(s.main->ToolButton8->isVisible());
        s.item("Menu_Class")->trigger();
        QApplication::processEvents();
        QVERIFY(!s.main->GroupBox1->isVisible());
        QVERIFY(!s.main->GroupBox2->isVisible());
        QVERIFY(!s.main->ToolButton8->isVisible());
    }

    void contractRegisterLeavesTheExportButton()
    {
        Shell s;
        Dialogs::Script script;
        logInAdmin(s);
        fillGrids(s);
        s.item("Menu_Write")->trigger();
        QApplication::processEvents();
        QVERIFY(!s.main->GroupBox1->isVisible());
        QVERIFY(s.main->ToolButton8->isVisible());
        QMdiSubWindow *sub = s.main->findChildWindow(QStringLiteral("合同基本信息录入"));
        QVERIFY(sub && sub->isMaximized());
        sub->showMinimized();
        s.item("Menu_Write")->trigger();
        QVERIFY(sub->isMaximized());
    }

    void aboutBoxBeforeLoginLogsLabel1()
    {
        Shell s;
        Dialogs::Script script;
        s.item("N_Help")->trigger();
        QVERIFY(s.main->findChildWindow(QStringLiteral("关于本软件")));
        QCOMPARE(s.db.rows(QStringLiteral("select 姓名,动作 from 日志")), QStringList{QStringLiteral("Label1|查看帮助")});
        // The about box hides nothing and leaves the login window in place.
        QVERIFY(s.main->findChildWindow(QStringLiteral("系统登录")));
        // Its "确定" closes it, frame and all; the next use makes a new one.
        auto *ok = s.main->findChildWindow(QStringLiteral("关于本软件"))->findChild<QPushButton *>(QStringLiteral("OKButton"));
        QVERIFY(ok);
        Gui::click(ok);
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(s.main->mdiArea()->subWindowList().size(), 1);
        QVERIFY(!s.main->findChildWindow(QStringLiteral("关于本软件")));
        s.item("N_Help")->trigger();
        QCOMPARE(s.main->mdiArea()->subWindowList().size(), 2);
        QCOMPARE(s.logRows(QStringLiteral("查看帮助")), 2);
    }

    void commandsCheckTheirRightWhenTheyRun_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("right");
        QTest::addColumn<QString>("title");
        QTest::newRow("contract classes") << "Menu_Class" << "合同类别" << "合同类别设置";
        QTest::newRow("execution summary, with the report right") << "Menu_Summary" << "报表管理" << "合同执行汇总";
    }
    void commandsCheckTheirRightWhenTheyRun()
    {
        QFETCH(QString, action);
        QFETCH(QString, right);
        QFETCH(QString, title);
        Shell s;
        Dialogs::Script script;
        s.addUser(QStringLiteral("u1"), QStringLiteral("张三"), QStringLiteral("财务部"), QStringLiteral("pw"));
        // Before login nothing but the about box runs.
        QVERIFY(!s.main->runCommand(action));
        s.logIn(QStringLiteral("u1"), QStringLiteral("pw"));
        auto *item = s.main->findChild<QAction *>(action);
        QVERIFY(!item->isVisible());
        item->trigger();
        QVERIFY(!s.main->findChildWindow(title));
        QCOMPARE(s.logRows(), 0);
        // A right granted during the run counts at once; a revoked one too.
        s.db.insert(QStringLiteral("权限清单"), {QStringLiteral("u1"), right});
        item->trigger();
        QVERIFY(s.main->findChildWindow(title));
        QCOMPARE(s.db.rows(QStringLiteral("select 姓名,动作 from 日志")), QStringList{QStringLiteral("张三|") + title});
        s.db.exec(QStringLiteral("delete from 权限清单 where 工号='u1'"));
        s.main->findChildWindow(title)->close();
        QApplication::processEvents();
        item->trigger();
        QVERIFY(!s.main->findChildWindow(title));
        QCOMPARE(s.logRows(), 1);
    }

    void paymentGridDoubleClickNeedsThePaymentRight_data()
    {
        QTest::addColumn<bool>("holder");
        QTest::newRow("holder") << true;
        QTest::newRow("not a holder") << false;
    }
    void paymentGridDoubleClickNeedsThePaymentRight()
    {
        QFETCH(bool, holder);
        Shell s;
        Dialogs::Script script;
        QStringList rights{QStringLiteral("合同登记")};
        if (holder)
            rights << QStringLiteral("实际付款登记");
        s.addUser(QStringLiteral("u1"), QStringLiteral("张三"), QStringLiteral("财务部"), QStringLiteral("pw"), rights);
        s.logIn(QStringLiteral("u1"), QStringLiteral("pw"));
        fillGrids(s);
        QTest::mouseDClick(s.main->DBGrid2->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
        QApplication::processEvents();
        QCOMPARE(bool(s.main->findChildWindow(QStringLiteral("付款登记"))), holder);
        QCOMPARE(s.logRows(QStringLiteral("付款登记")), holder ? 1 : 0);
        QCOMPARE(s.main->GroupBox2->isVisible(), !holder);
    }

    void exitWays_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("entries");
        QTest::newRow("menu, OK") << QStringLiteral("menu") << true << 1;
        QTest::newRow("menu, Cancel") << QStringLiteral("menu") << false << 0;
        QTest::newRow("close box, OK") << QStringLiteral("close") << true << 1;
        QTest::newRow("close box, Cancel") << QStringLiteral("close") << false << 0;
        QTest::newRow("tool bar, OK") << QStringLiteral("toolbar") << true << 0;
        QTest::newRow("tool bar, Cancel") << QStringLiteral("toolbar") << false << 0;
    }
    void exitWays()
    {
        QFETCH(QString, way);
        QFETCH(bool, ok);
        QFETCH(int, entries);
        Shell s;
        Dialogs::Script script;
        logInAdmin(s);
        script.answer(ok);
        if (way == QLatin1String("menu")) {
            s.main->Menu_Exit->trigger();
            // The program ends without a second question.
            if (ok)
                QVERIFY(s.main->close());
        } else if (way == QLatin1String("close")) {
            QCOMPARE(s.main->close(), ok);
        } else {
            Gui::click(s.main->ToolButton10);
        }
        QCOMPARE(script.messages().size(), 1);
        QCOMPARE(script.messages()[0].title, QStringLiteral("确认退出系统"));
        QCOMPARE(script.messages()[0].text, QStringLiteral("您确定要退出Kadero吗？"));
        QCOMPARE(script.messages()[0].buttons, Dialogs::Buttons::OkCancel);
        QCOMPARE(s.ends.ended(), ok);
        QCOMPARE(s.logRows(), entries);
        if (entries)
            QCOMPARE(s.db.rows(QStringLiteral("select 姓名,动作 from 日志")), QStringList{QStringLiteral("系统主管|退出系统")});
        QCOMPARE(s.main->isVisible(), !ok || way == QLatin1String("toolbar"));
    }

    void exitBeforeLoginLogsLabel1()
    {
        Shell s;
        Dialogs::Script script;
        s.main->Menu_Exit->trigger();
        QVERIFY(s.ends.ended());
        QCOMPARE(s.db.rows(QStringLiteral("select 姓名,动作 from 日志")), QStringList{QStringLiteral("Label1|退出系统")});
    }

    void exitStaysWhenTheEntryCannotBeWritten()
    {
        Shell s;
        Dialogs::Script script;
        s.db.exec(QStringLiteral("drop table 日志"));
        s.main->Menu_Exit->trigger();
        QVERIFY(!s.ends.ended());
        QCOMPARE(script.messages().size(), 2);
        QCOMPARE(script.messages()[1].kind, Dialogs::Kind::Error);
        QVERIFY(!s.main->close());
        QVERIFY(s.main->isVisible());
    }

    void exitWithoutAnyConnectionStillEnds()
    {
        Shell s;
        Dialogs::Script script;
        s.db.connection()->close();
        QVERIFY(s.main->close());
        QVERIFY(s.ends.ended());
        QCOMPARE(script.messages().size(), 1);
    }

    void tileAndCascadeWriteNoEntry()
    {
        Shell s;
        Dialogs::Script script;
        logInAdmin(s);
        s.item("Menu_Class")->trigger();
        s.item("Menu_Dept")->trigger();
        const int before = s.logRows();
        s.main->T1->trigger();
        QMdiSubWindow *a = s.main->findChildWindow(QStringLiteral("合同类别设置"));
        QMdiSubWindow *b = s.main->findChildWindow(QStringLiteral("部门设置"));
        QVERIFY(!a->geometry().intersects(b->geometry()));
        s.main->N2->trigger();
        QVERIFY(a->geometry().intersects(b->geometry()));
        QVERIFY(a->pos() != b->pos());
        QCOMPARE(s.logRows(), before);
    }
};

KD_TEST(TstCommands)
#include "tst_commands.moc"
