#include "ShellFixture.h"

#include "platform/Dialogs.h"
#include "platform/widgets/DBGrid.h"
#include "shell/Commands.h"
#include "shell/TMain.h"
#include "support/Gui.h"
#include "support/TestRegistry.h"

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

void requireCommand(const char *action)
{
    if (!findChildCommand(QString::fromLatin1(action)))
        QSKIP("the window of this command is not part of this build");
}

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
    void sameCommandTwiceOneWindowTwoEntries()
    {
        requireCommand("Menu_Class");
        Shell s;
        Dialogs::Script script;
        logInAdmin(s);
        s.main->Menu_Class->trigger();
        s.main->Menu_Class->trigger();
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

    void minimisedWindowComesBackNormalInFront()
    {
        requireCommand("Menu_Class");
        requireCommand("Menu_Dept");
        Shell s;
        Dialogs::Script script;
        logInAdmin(s);
        s.main->Menu_Class->trigger();
        QMdiSubWindow *classes = s.main->findChildWindow(QStringLiteral("合同类别设置"));
        classes->showMinimized();
        s.main->Menu_Dept->trigger();
        QCOMPARE(s.main->mdiArea()->activeSubWindow(), s.main->findChildWindow(QStringLiteral("部门设置")));
        s.main->Menu_Class->trigger();
        QVERIFY(!classes->isMinimized());
        QVERIFY(!classes->isMaximized());
        QVERIFY(classes->isVisible());
        QCOMPARE(s.main->mdiArea()->activeSubWindow(), classes);
        QCOMPARE(s.main->mdiArea()->subWindowList(QMdiArea::StackingOrder).last(), classes);
    }

    void commandsHideTheGridBoxes()
    {
        requireCommand("Menu_Class");
        Shell s;
        Dialogs::Script script;
        logInAdmin(s);
        fillGrids(s);
        QVERIFY(s.main->GroupBox1->isVisible());
        QVERIFY(s.main->ToolButton8->isVisible());
        s.main->Menu_Class->trigger();
        QApplication::processEvents();
        QVERIFY(!s.main->GroupBox1->isVisible());
        QVERIFY(!s.main->GroupBox2->isVisible());
        QVERIFY(!s.main->ToolButton8->isVisible());
    }

    void contractRegisterLeavesTheExportButton()
    {
        requireCommand("Menu_Write");
        Shell s;
        Dialogs::Script script;
        logInAdmin(s);
        fillGrids(s);
        s.main->Menu_Write->trigger();
        QApplication::processEvents();
        QVERIFY(!s.main->GroupBox1->isVisible());
        QVERIFY(s.main->ToolButton8->isVisible());
        QMdiSubWindow *sub = s.main->findChildWindow(QStringLiteral("合同基本信息录入"));
        QVERIFY(sub && sub->isMaximized());
        sub->showMinimized();
        s.main->Menu_Write->trigger();
        QVERIFY(sub->isMaximized());
    }

    void aboutBoxBeforeLoginLogsLabel1()
    {
        requireCommand("N_Help");
        Shell s;
        Dialogs::Script script;
        s.main->N_Help->trigger();
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
        s.main->N_Help->trigger();
        QCOMPARE(s.main->mdiArea()->subWindowList().size(), 2);
        QCOMPARE(s.logRows(QStringLiteral("查看帮助")), 2);
    }

    void commandsCheckTheirRightWhenTheyRun()
    {
        requireCommand("Menu_Class");
        Shell s;
        Dialogs::Script script;
        s.addUser(QStringLiteral("u1"), QStringLiteral("张三"), QStringLiteral("财务部"), QStringLiteral("pw"));
        // Before login nothing but the about box runs.
        QVERIFY(!s.main->runCommand(QStringLiteral("Menu_Class")));
        s.logIn(QStringLiteral("u1"), QStringLiteral("pw"));
        s.main->Menu_ClassClick();
        QVERIFY(!s.main->findChildWindow(QStringLiteral("合同类别设置")));
        QCOMPARE(s.logRows(), 0);
        // A right granted during the run counts at once; a revoked one too.
        s.db.insert(QStringLiteral("权限清单"), {QStringLiteral("u1"), QStringLiteral("合同类别")});
        s.main->Menu_ClassClick();
        QVERIFY(s.main->findChildWindow(QStringLiteral("合同类别设置")));
        s.db.exec(QStringLiteral("delete from 权限清单 where 工号='u1'"));
        s.main->findChildWindow(QStringLiteral("合同类别设置"))->close();
        QApplication::processEvents();
        s.main->Menu_ClassClick();
        QVERIFY(!s.main->findChildWindow(QStringLiteral("合同类别设置")));
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
        requireCommand("Menu_Pay");
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
        requireCommand("Menu_Class");
        requireCommand("Menu_Dept");
        Shell s;
        Dialogs::Script script;
        logInAdmin(s);
        s.main->Menu_Class->trigger();
        s.main->Menu_Dept->trigger();
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
