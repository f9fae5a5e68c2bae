#include "ShellFixture.h"

#include "db/Session.h"
#include "platform/Dialogs.h"
#include "platform/PasswordHash.h"
#include "shell/Commands.h"
#include "shell/TLogin.h"
#include "shell/TMain.h"
#include "support/Gui.h"
#include "support/TestRegistry.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

namespace {
const QString kWrong = QStringLiteral("用户名或密码不正确，请重新输入！");
} // namespace

// The login: the user's row, the password against its hash, the menus that rights reveal.
class TstLogin : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void userWithoutRightsSeesTheCommonCommands()
    {
        Shell shell;
        Dialogs::Script script;
        shell.addUser(QStringLiteral("u1"), QStringLiteral("张三"), QStringLiteral("财务部"), QStringLiteral("pw"));
        shell.logIn(QStringLiteral("u1"), QStringLiteral("pw"));
        QVERIFY(script.messages().isEmpty());
        TMain *m = shell.main.get();

        QCOMPARE(visibleEntries(m->menuBar()),
                 (QStringList{QStringLiteral("系统管理(&S)"), QStringLiteral("付款提醒(&T)"), QStringLiteral("窗口(&W)"),
                              QStringLiteral("关于本软件(&A)")}));
        QCOMPARE(visibleEntries(m->N_Sys),
                 (QStringList{QStringLiteral("修改密码(&P)"), QStringLiteral("-"), QStringLiteral("退出系统(&X)")}));
        QCOMPARE(visibleEntries(m->N_Window), (QStringList{QStringLiteral("平铺窗口(&T)"), QStringLiteral("层叠窗口(&C)")}));
        QVERIFY(m->Panel1->isVisible());
        QVERIFY(m->TreeView1->isVisible());
        QVERIFY(m->ToolBar1->isVisible());
        QVERIFY(m->ToolButton1->isVisible());
        QVERIFY(m->ToolButton10->isVisible());
        QVERIFY(!m->ToolButton8->isVisible());
        QVERIFY(!m->Label1->isVisible());
        QCOMPARE(m->TreeView1->topLevelItem(0)->text(0), QStringLiteral("全部合同"));
        // The login window is gone; the login itself writes no log entry.
        QVERIFY(!m->findChildWindow(QStringLiteral("系统登录")));
        QCOMPARE(shell.logRows(), 0);
    }

    void loginWindowControls()
    {
        Shell shell;
        TLogin *login = shell.login;
        QCOMPARE(login->windowTitle(), QStringLiteral("系统登录"));
        QCOMPARE(login->findChild<QLabel *>(QStringLiteral("jobNumberLabel"))->text(), QStringLiteral("工号："));
        QCOMPARE(login->findChild<QLabel *>(QStringLiteral("passwordLabel"))->text(), QStringLiteral("密码："));
        QCOMPARE(login->BitBtn1->text(), QStringLiteral("登录"));
        QCOMPARE(login->BitBtn2->text(), QStringLiteral("退出"));
        QVERIFY(login->Edit1->text().isEmpty());
        QVERIFY(login->Edit2->text().isEmpty());
        // Tab order follows the reading order.
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(login->Edit1));
        for (QWidget *next : {static_cast<QWidget *>(login->Edit2), static_cast<QWidget *>(login->BitBtn1),
                              static_cast<QWidget *>(login->BitBtn2)}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        // Only a close button in the title bar.
        const Qt::WindowFlags flags = shell.main->findChildWindow(QStringLiteral("系统登录"))->windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    }

    // The supervisor holds all fifteen rights: every menu with every item and divider.
    void fullMenusForAllRights()
    {
        Shell shell;
        Dialogs::Script script;
        shell.logIn(QStringLiteral("admin"), QStringLiteral("kadero"));
        QVERIFY(script.messages().isEmpty());
        TMain *m = shell.main.get();
        auto names = [](const QList<QAction *> &actions) {
            QStringList out;
            for (QAction *a : actions)
                if (a->isVisible())
                    out << (a->isSeparator() ? QStringLiteral("-") : a->menu() ? a->menu()->objectName() : a->objectName());
            return out;
        };
        QCOMPARE(visibleEntries(m->menuBar()),
                 (QStringList{QStringLiteral("系统管理(&S)"), QStringLiteral("基础设置(&B)"), QStringLiteral("数据录入(&W)"),
                              QStringLiteral("报表管理(&R)"), QStringLiteral("付款提醒(&T)"), QStringLiteral("窗口(&W)"),
                              QStringLiteral("关于本软件(&A)")}));
        QCOMPARE(visibleEntries(m->N_Sys),
                 (QStringList{QStringLiteral("修改密码(&P)"), QStringLiteral("-"), QStringLiteral("添加用户(&A)"),
                              QStringLiteral("权限设置(&Q)"), QStringLiteral("-"), QStringLiteral("查看日志(&L)"),
                              QStringLiteral("-"), QStringLiteral("数据备份(&B)"), QStringLiteral("-"),
                              QStringLiteral("退出系统(&X)")}));
        QCOMPARE(names(m->N_Sys->actions()),
                 (QStringList{QStringLiteral("Menu_ChangePwd"), QStringLiteral("-"), QStringLiteral("Menu_AddUser"),
                              QStringLiteral("Menu_Right"), QStringLiteral("-"), QStringLiteral("Menu_Log"),
                              QStringLiteral("-"), QStringLiteral("Menu_back"), QStringLiteral("-"),
                              QStringLiteral("Menu_Exit")}));
        QCOMPARE(visibleEntries(m->N_Base),
                 (QStringList{QStringLiteral("合同类别(&C)"), QStringLiteral("部门设置(&D)"), QStringLiteral("项目设置(&P)"),
                              QStringLiteral("-"), QStringLiteral("单位设置(&G)"), QStringLiteral("往来单位设置(&W)"),
                              QStringLiteral("-"), QStringLiteral("人员维护(&R)")}));
        QCOMPARE(names(m->N_Base->actions()),
                 (QStringList{QStringLiteral("Menu_Class"), QStringLiteral("Menu_Dept"), QStringLiteral("Menu_Project"),
                              QStringLiteral("-"), QStringLiteral("Menu_Gs"), QStringLiteral("Menu_Wldw"),
                              QStringLiteral("-"), QStringLiteral("Menu_Ren")}));
        QCOMPARE(visibleEntries(m->N_Data),
                 (QStringList{QStringLiteral("合同登记(&R)"), QStringLiteral("计划付款(&P)"), QStringLiteral("付款登记(&F)"),
                              QStringLiteral("发票登记(&T)")}));
        QCOMPARE(names(m->N_Data->actions()),
                 (QStringList{QStringLiteral("Menu_Write"), QStringLiteral("Menu_Plan"), QStringLiteral("Menu_Pay"),
                              QStringLiteral("Menu_Invoice")}));
        QCOMPARE(visibleEntries(m->N_Report),
                 (QStringList{QStringLiteral("打印合同执行情况表(&P)"), QStringLiteral("合同执行汇总(&S)")}));
        QCOMPARE(names(m->N_Report->actions()), (QStringList{QStringLiteral("Menu_Account"), QStringLiteral("Menu_Summary")}));
        QCOMPARE(names(m->N_Window->actions()), (QStringList{QStringLiteral("T1"), QStringLiteral("N2")}));
        QCOMPARE(names(m->menuBar()->actions()),
                 (QStringList{QStringLiteral("N_Sys"), QStringLiteral("N_Base"), QStringLiteral("N_Data"),
                              QStringLiteral("N_Report"), QStringLiteral("Menu_TiXin"), QStringLiteral("N_Window"),
                              QStringLiteral("N_Help")}));
    }

    // Dividers stand only between visible items, never first, last or twice.
    void dividersAroundHiddenItems_data()
    {
        QTest::addColumn<QStringList>("rights");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("entries");
        const QString sep = QStringLiteral("-");
        QTest::newRow("backup only") << QStringList{QStringLiteral("数据备份")} << QStringLiteral("N_Sys")
                                     << QStringList{QStringLiteral("修改密码(&P)"), sep, QStringLiteral("数据备份(&B)"), sep,
                                                    QStringLiteral("退出系统(&X)")};
        QTest::newRow("add users and log") << QStringList{QStringLiteral("添加用户"), QStringLiteral("查看日志")}
                                           << QStringLiteral("N_Sys")
                                           << QStringList{QStringLiteral("修改密码(&P)"), sep, QStringLiteral("添加用户(&A)"), sep,
                                                          QStringLiteral("查看日志(&L)"), sep, QStringLiteral("退出系统(&X)")};
        QTest::newRow("handlers only") << QStringList{QStringLiteral("人员维护")} << QStringLiteral("N_Base")
                                       << QStringList{QStringLiteral("人员维护(&R)")};
        QTest::newRow("classes and handlers") << QStringList{QStringLiteral("合同类别"), QStringLiteral("人员维护")}
                                              << QStringLiteral("N_Base")
                                              << QStringList{QStringLiteral("合同类别(&C)"), sep, QStringLiteral("人员维护(&R)")};
        QTest::newRow("companies and counterparties")
            << QStringList{QStringLiteral("公司设置"), QStringLiteral("往来单位设置")} << QStringLiteral("N_Base")
            << QStringList{QStringLiteral("单位设置(&G)"), QStringLiteral("往来单位设置(&W)")};
    }
    void dividersAroundHiddenItems()
    {
        QFETCH(QStringList, rights);
        QFETCH(QString, menu);
        QFETCH(QStringList, entries);
        Shell shell;
        Dialogs::Script script;
        shell.addUser(QStringLiteral("u1"), QStringLiteral("张三"), QStringLiteral("财务部"), QStringLiteral("pw"), rights);
        shell.logIn(QStringLiteral("u1"), QStringLiteral("pw"));
        QCOMPARE(visibleEntries(shell.main->findChild<QMenu *>(menu)), entries);
    }

    void eachRightRevealsItsItem_data()
    {
        QTest::addColumn<QString>("right");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("menu");
        const struct {
            const char *right, *action, *caption, *menu;
        } rows[] = {
            {"添加用户", "Menu_AddUser", "添加用户(&A)", "N_Sys"},
            {"查看日志", "Menu_Log", "查看日志(&L)", "N_Sys"},
            {"权限设置", "Menu_Right", "权限设置(&Q)", "N_Sys"},
            {"合同类别", "Menu_Class", "合同类别(&C)", "N_Base"},
            {"部门设置", "Menu_Dept", "部门设置(&D)", "N_Base"},
            {"项目设置", "Menu_Project", "项目设置(&P)", "N_Base"},
            {"公司设置", "Menu_Gs", "单位设置(&G)", "N_Base"},
            {"往来单位设置", "Menu_Wldw", "往来单位设置(&W)", "N_Base"},
            {"人员维护", "Menu_Ren", "人员维护(&R)", "N_Base"},
            {"合同登记", "Menu_Write", "合同登记(&R)", "N_Data"},
            {"计划付款登记", "Menu_Plan", "计划付款(&P)", "N_Data"},
            {"实际付款登记", "Menu_Pay", "付款登记(&F)", "N_Data"},
            {"发票登记", "Menu_Invoice", "发票登记(&T)", "N_Data"},
            {"报表管理", "Menu_Account", "打印合同执行情况表(&P)", "N_Report"},
            {"数据备份", "Menu_back", "数据备份(&B)", "N_Sys"},
        };
        for (const auto &r : rows)
            QTest::newRow(r.right) << QString::fromUtf8(r.right) << QString::fromLatin1(r.action)
                                   << QString::fromUtf8(r.caption) << QString::fromLatin1(r.menu);
    }
    void eachRightRevealsItsItem()
    {
        QFETCH(QString, right);
        QFETCH(QString, action);
        QFETCH(QString, caption);
        QFETCH(QString, menu);
        Shell shell;
        Dialogs::Script script;
        shell.addUser(QStringLiteral("u1"), QStringLiteral("张三"), QStringLiteral("财务部"), QStringLiteral("pw"), {right});
        shell.logIn(QStringLiteral("u1"), QStringLiteral("pw"));
        TMain *m = shell.main.get();
        auto *top = m->findChild<QMenu *>(menu);
        QVERIFY(top->menuAction()->isVisible());
        const QStringList items = visibleEntries(top);
        QVERIFY2(items.contains(caption), qPrintable(items.join(QLatin1Char(' '))));
        // No separator stands first, last or twice in a row.
        QVERIFY(!items.isEmpty() && items.first() != QLatin1String("-") && items.last() != QLatin1String("-"));
        QVERIFY(!items.join(QLatin1Char('|')).contains(QLatin1String("-|-")));
        // Only the items of that right are shown, of the items that need a right.
        for (const ChildCommand &c : childCommands())
            if (c.access == Access::ByRight)
                QCOMPARE(shell.item(c.action)->isVisible(), c.right == right);
    }

    void unknownRightChangesNothing()
    {
        Shell shell;
        Dialogs::Script script;
        shell.addUser(QStringLiteral("u1"), QStringLiteral("张三"), QStringLiteral("财务部"), QStringLiteral("pw"),
                      {QStringLiteral("超级权限"), QStringLiteral("公司设置 ")});
        shell.logIn(QStringLiteral("u1"), QStringLiteral("pw"));
        for (const ChildCommand &c : childCommands())
            if (c.access == Access::ByRight)
                QVERIFY2(!shell.item(c.action)->isVisible(), qPrintable(c.action));
        QVERIFY(!shell.main->N_Base->menuAction()->isVisible());
    }

    // A job number typed with Caps Lock on finds its user and every right
    // stored under it, whatever the case of the stored letters.
    void jobNumbersIgnoreLetterCase()
    {
        Shell shell;
        Dialogs::Script script;
        shell.addUser(QStringLiteral("u1"), QStringLiteral("张三"), QStringLiteral("财务部"), QStringLiteral("pw"),
                      {QStringLiteral("部门设置")});
        shell.db.insert(QStringLiteral("权限清单"), {QStringLiteral("U1"), QStringLiteral("合同类别")});
        shell.logIn(QStringLiteral("U1"), QStringLiteral("pw"));
        QVERIFY(script.messages().isEmpty());
        QCOMPARE(shell.main->Label1->text(), QStringLiteral("张三"));
        QVERIFY(shell.item("Menu_Dept")->isVisible());
        QVERIFY(shell.item("Menu_Class")->isVisible());
    }

    void wrongPasswordKeepsJobNumberAndEmptiesPassword_data()
    {
        QTest::addColumn<QString>("jobNumber");
        QTest::addColumn<QString>("password");
        QTest::newRow("wrong password") << QStringLiteral("u1") << QStringLiteral("nope");
        QTest::newRow("unknown job number") << QStringLiteral("u9") << QStringLiteral("pw");
        QTest::newRow("injection as password") << QStringLiteral("u1") << QStringLiteral("' or '1'='1");
        QTest::newRow("injection as job number") << QStringLiteral("' or '1'='1") << QStringLiteral("' or '1'='1");
        QTest::newRow("job number with a blank") << QStringLiteral("u1 ") << QStringLiteral("pw");
    }
    void wrongPasswordKeepsJobNumberAndEmptiesPassword()
    {
        QFETCH(QString, jobNumber);
        QFETCH(QString, password);
        Shell shell;
        Dialogs::Script script;
        shell.addUser(QStringLiteral("u1"), QStringLiteral("张三"), QStringLiteral("财务部"), QStringLiteral("pw"),
                      {QStringLiteral("合同登记")});
        shell.logIn(jobNumber, password);
        QCOMPARE(script.texts(), QStringList{kWrong});
        QCOMPARE(shell.login->Edit1->text(), jobNumber);
        QCOMPARE(shell.login->Edit2->text(), QString());
        QVERIFY(shell.login->Edit2->hasFocus());
        QVERIFY(shell.main->findChildWindow(QStringLiteral("系统登录")));
        QCOMPARE(shell.main->Label1->text(), QStringLiteral("Label1"));
        QVERIFY(!shell.main->ToolBar1->isVisible());
        QVERIFY(!shell.main->N_Window->menuAction()->isVisible());
        // Any number of tries.
        Gui::typeText(shell.login->Edit2, QStringLiteral("pw"));
        Gui::retype(shell.login->Edit1, QStringLiteral("u1"));
        Gui::click(shell.login->BitBtn1);
        QCOMPARE(shell.main->Label1->text(), QStringLiteral("张三"));
    }

    void enterInPasswordEditLogsIn()
    {
        Shell shell;
        Dialogs::Script script;
        shell.addUser(QStringLiteral("u1"), QStringLiteral("张三"), QStringLiteral("财务部"), QStringLiteral("pw"));
        // Enter in the job-number edit does nothing.
        Gui::focus(shell.login->Edit1);
        Gui::pressEnter(shell.login->Edit1);
        QVERIFY(script.messages().isEmpty());
        // With both edits empty, Enter in the password edit runs the login.
        Gui::focus(shell.login->Edit2);
        Gui::pressEnter(shell.login->Edit2);
        QCOMPARE(script.texts(), QStringList{kWrong});
        Gui::retype(shell.login->Edit1, QStringLiteral("u1"));
        Gui::retype(shell.login->Edit2, QStringLiteral("pw"));
        Gui::pressEnter(shell.login->Edit2);
        QCOMPARE(shell.main->Label1->text(), QStringLiteral("张三"));
        // The keyboard goes on in the main window: its access keys work.
        QApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(shell.main->TreeView1));
    }

    void clearTextPasswordLetsInOnceAndIsHashed()
    {
        Shell shell;
        Dialogs::Script script;
        shell.db.insert(QStringLiteral("用户清单"), {QStringLiteral("old"), QStringLiteral("办公室"), QStringLiteral("李四"),
                                                     QStringLiteral("女"), QStringLiteral("1234")});
        shell.logIn(QStringLiteral("old"), QStringLiteral("1234"));
        QVERIFY(script.messages().isEmpty());
        QCOMPARE(shell.main->Label1->text(), QStringLiteral("李四"));
        const QString stored = shell.db.scalar(QStringLiteral("select 密码 from 用户清单 where 工号='old'")).toString();
        QVERIFY(PasswordHash::isHash(stored));
        QVERIFY(PasswordHash::verify(stored, QStringLiteral("1234")));
        QVERIFY(!PasswordHash::verify(stored, QStringLiteral("12345")));
    }

    void statusBarAndCurrentUser()
    {
        Shell shell;
        Dialogs::Script script;
        shell.db.insert(QStringLiteral("用户清单"), {QStringLiteral("u2"), QStringLiteral(" 财务部 "), QStringLiteral(" 王五 "),
                                                     QStringLiteral("男"), PasswordHash::hash(QStringLiteral("pw"))});
        shell.logIn(QStringLiteral("u2"), QStringLiteral("pw"));
        TMain *m = shell.main.get();
        QCOMPARE(m->statusPanel(1)->text(), QStringLiteral("操作员：财务部—王五"));
        QVERIFY2(QRegularExpression(QStringLiteral("^登录时间：\\d{4}年\\d{2}月\\d{2}日 \\d{2}:\\d{2}:\\d{2}$"))
                     .match(m->statusPanel(2)->text())
                     .hasMatch(),
                 qPrintable(m->statusPanel(2)->text()));
        QCOMPARE(m->statusPanel(3)->text(), QStringLiteral("欢迎使用Kadero  V1.5.20061031（ACCESS单机版）"));
        QCOMPARE(m->statusPanel(1)->alignment(), Qt::AlignCenter);
        QCOMPARE(m->Label1->text(), QStringLiteral("王五"));
        QCOMPARE(Session::userName(), QStringLiteral("王五"));
    }

    void exitButtonEndsAtOnceWithoutLog()
    {
        Shell shell;
        Dialogs::Script script;
        Gui::click(shell.login->BitBtn2);
        QVERIFY(shell.ends.ended());
        QVERIFY(script.messages().isEmpty());
        QCOMPARE(shell.logRows(), 0);
    }

    void closingTheLoginWindowKeepsTheStateBeforeLogin()
    {
        Shell shell;
        Dialogs::Script script;
        QPointer<TLogin> login(shell.login);
        shell.main->findChildWindow(QStringLiteral("系统登录"))->close();
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(login.isNull());
        QVERIFY(!shell.main->findChildWindow(QStringLiteral("系统登录")));
        QVERIFY(!shell.ends.ended());
        QCOMPARE(visibleEntries(shell.main->N_Sys), QStringList{QStringLiteral("退出系统(&X)")});
        QVERIFY(!shell.main->ToolBar1->isVisible());
    }
};

KD_TEST(TstLogin)
#include "tst_login.moc"
