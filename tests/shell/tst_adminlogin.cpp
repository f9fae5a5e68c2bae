#include "ShellFixture.h"

#include "admin/TPwd.h"
#include "admin/TRights.h"
#include "admin/TUser.h"
#include "db/Session.h"
#include "platform/Dialogs.h"
#include "shell/Commands.h"
#include "shell/TLogin.h"
#include "shell/TMain.h"
#include "support/Gui.h"
#include "support/TestRegistry.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

// What the administration windows store decides the next login: a user added
// and given rights in their windows logs in and sees those menus; a password
// changed in its window is the one the login takes.
class TstAdminLogin : public QObject
{
    Q_OBJECT

    static void choose(QComboBox *combo, const QString &text)
    {
        const int at = combo->findText(text);
        QVERIFY2(at >= 0, qPrintable(text));
        Gui::focus(combo);
        while (combo->currentIndex() != at)
            QTest::keyClick(combo, combo->currentIndex() < at ? Qt::Key_Down : Qt::Key_Up);
        QApplication::processEvents();
    }

    static void addUser(const QString &job, const QString &name, const QString &password)
    {
        TUser users;
        users.show();
        QVERIFY(QTest::qWaitForWindowExposed(&users));
        Gui::retype(users.Edit1, job);
        Gui::retype(users.Edit2, name);
        Gui::retype(users.Edit3, password);
        Gui::retype(users.Edit4, password);
        choose(users.ComboBox1, QStringLiteral("财务部"));
        Gui::click(users.SpeedButton1);
    }

private Q_SLOTS:
    void userAddedAndGivenRightsSeesThemAtTheNextLogin()
    {
        Shell s;
        Dialogs::Script script;
        s.db.insert(QStringLiteral("部门清单"), {QStringLiteral("02"), QStringLiteral("财务部")});
        addUser(QStringLiteral("u9"), QStringLiteral("赵敏"), QStringLiteral("pw9"));
        {
            TRights rights(commandRights());
            rights.show();
            QVERIFY(QTest::qWaitForWindowExposed(&rights));
            choose(rights.ComboBox1, QStringLiteral("赵敏"));
            for (QCheckBox *box : rights.CheckBoxes)
                if (box->text() == QStringLiteral("实际付款登记") || box->text() == QStringLiteral("公司设置"))
                    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
            Gui::click(rights.BitBtn1);
        }
        QCOMPARE(script.texts(), (QStringList{QStringLiteral("您已成功添加用户：赵敏"), QStringLiteral("权限修改成功！")}));

        s.logIn(QStringLiteral("u9"), QStringLiteral("pw9"));
        QCOMPARE(s.main->Label1->text(), QStringLiteral("赵敏"));
        QVERIFY(s.item("Menu_Pay")->isVisible());
        QVERIFY(s.item("Menu_Gs")->isVisible());
        QVERIFY(!s.item("Menu_Write")->isVisible());
        QVERIFY(!s.item("Menu_AddUser")->isVisible());
    }

    void changedPasswordIsTheOneTheLoginTakes()
    {
        Shell s;
        Dialogs::Script script;
        s.db.insert(QStringLiteral("部门清单"), {QStringLiteral("02"), QStringLiteral("财务部")});
        addUser(QStringLiteral("u8"), QStringLiteral("钱七"), QStringLiteral("old"));
        Session::setUserName(QStringLiteral("钱七"));
        {
            auto *pwd = new TPwd;
            pwd->show();
            QVERIFY(QTest::qWaitForWindowExposed(pwd));
            Gui::retype(pwd->Edit1, QStringLiteral("old"));
            Gui::retype(pwd->Edit2, QStringLiteral("新密码"));
            Gui::retype(pwd->Edit3, QStringLiteral("新密码"));
            Gui::click(pwd->BitBtn1);
        }
        QCOMPARE(script.lastText(), QStringLiteral("密码修改成功，请记住您的新密码!"));
        Session::setUserName(QStringLiteral("Label1"));

        s.logIn(QStringLiteral("u8"), QStringLiteral("old"));
        QCOMPARE(script.lastText(), QStringLiteral("用户名或密码不正确，请重新输入！"));
        s.logIn(QStringLiteral("u8"), QStringLiteral("新密码"));
        QCOMPARE(s.main->Label1->text(), QStringLiteral("钱七"));
    }
};

KD_TEST(TstAdminLogin)
#include "tst_adminlogin.moc"
