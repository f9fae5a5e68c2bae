#include "admin/TUser.h"
#include "admin/TRights.h"
#include "db/LedgerSchema.h"
#include "platform/Dialogs.h"
#include "platform/PasswordHash.h"
#include "platform/widgets/DBGrid.h"
#include "AdminGui.h"
#include "support/Gui.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"
#include "support/WindowTest.h"

#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using Dialogs::Kind;

// The user window: exit length checks, the add with its checks in order, the
// list without the supervisor, changing and deleting users.
class TestUser : public QObject, public WindowTest<TUser>
{
    Q_OBJECT



    void fill(const QString &job, const QString &name, const QString &password, const QString &confirm, int department)
    {
        Gui::retype(w->Edit1, job);
        Gui::retype(w->Edit2, name);
        Gui::retype(w->Edit3, password);
        Gui::retype(w->Edit4, confirm);
        w->ComboBox1->setCurrentIndex(department);
        Gui::focus(w->ComboBox1);
    }

    // The first key opens the cell's editor, the rest go into it; Enter ends it.
    void typeIntoGrid(const QString &text)
    {
        QTest::keyClicks(w->DBGrid1, text.left(1));
        QApplication::processEvents();
        Gui::typeText(QApplication::focusWidget(), text.mid(1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();
    }

    int gridRows() const { return w->DBGrid1->model()->rowCount(); }
    QStringList gridJobs() const
    {
        QStringList jobs;
        for (int r = 0; r < gridRows(); ++r)
            jobs << w->DBGrid1->model()->index(r, 0).data().toString();
        return jobs;
    }
    void addUserRow(const QString &job, const QString &name)
    {
        db->exec(QStringLiteral("insert into 用户清单(工号,部门,姓名,性别,密码) values(?,?,?,?,?)"),
                 {job, QStringLiteral("财务部"), name, QStringLiteral("男"), PasswordHash::hash(QStringLiteral("pw"))});
    }

private Q_SLOTS:
    void init()
    {
        db = std::make_unique<TestDb>();
        db->insert(QStringLiteral("部门清单"), {QStringLiteral("01"), QStringLiteral("财务部")});
        db->insert(QStringLiteral("部门清单"), {QStringLiteral("02"), QStringLiteral("工程部")});
    }
    void cleanup()
    {
        closeAll();
    }

    void opensWithDepartmentsAndDefaults()
    {
        open();
        QStringList items;
        for (int i = 0; i < w->ComboBox1->count(); ++i)
            items << w->ComboBox1->itemText(i);
        QCOMPARE(items, (QStringList{QStringLiteral("请选择部门"), QStringLiteral("财务部"), QStringLiteral("工程部")}));
        QCOMPARE(w->ComboBox1->currentIndex(), 0);
        QCOMPARE(w->ComboBox2->currentText(), QStringLiteral("男"));
        QCOMPARE(w->DBGrid1->titles(),
                 (QStringList{QStringLiteral("工号"), QStringLiteral("姓名"), QStringLiteral("部门"), QStringLiteral("性别")}));
        QCOMPARE(w->SpeedButton1->focusPolicy(), Qt::NoFocus);
        Gui::focus(w->Edit3);
        Gui::typeText(w->Edit3, QStringLiteral("abc"));
        QCOMPARE(w->Edit3->displayText(), QStringLiteral("###"));
    }

    void exitCheckCountsGbkBytes_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message"); // empty: accepted
        const QString job = QStringLiteral("工号不能大于11个字，请重新输入！");
        const QString name = QStringLiteral("姓名不能大于5个汉字，请重新输入！");
        const QString pw = QStringLiteral("密码不能大于10个字，请重新输入！");
        QTest::newRow("job of 11 ASCII passes") << "Edit1" << QStringLiteral("12345678901") << QString();
        QTest::newRow("job of 12 ASCII refused") << "Edit1" << QStringLiteral("123456789012") << job;
        QTest::newRow("job of 5 hanzi and 1 ASCII passes") << "Edit1" << QStringLiteral("一二三四五6") << QString();
        QTest::newRow("job of 6 hanzi refused") << "Edit1" << QStringLiteral("一二三四五六") << job;
        QTest::newRow("name of 5 hanzi passes") << "Edit2" << QStringLiteral("欧阳一二三") << QString();
        QTest::newRow("name of 6 hanzi refused") << "Edit2" << QStringLiteral("欧阳一二三四") << name;
        QTest::newRow("name of 10 ASCII passes") << "Edit2" << QStringLiteral("abcdefghij") << QString();
        QTest::newRow("name of 11 ASCII refused") << "Edit2" << QStringLiteral("abcdefghijk") << name;
        QTest::newRow("password of 10 passes") << "Edit3" << QStringLiteral("0123456789") << QString();
        QTest::newRow("password of 11 refused") << "Edit3" << QStringLiteral("0123456789a") << pw;
        QTest::newRow("password of 6 hanzi refused") << "Edit3" << QStringLiteral("一二三四五六") << pw;
        QTest::newRow("confirmation of 11 refused") << "Edit4" << QStringLiteral("0123456789a") << pw;
    }
    void exitCheckCountsGbkBytes()
    {
        QFETCH(QString, edit);
        QFETCH(QString, text);
        QFETCH(QString, message);
        Dialogs::Script script;
        open();
        auto *e = Gui::find<QLineEdit>(w, edit.toLatin1().constData());
        Gui::focus(e);
        Gui::typeText(e, text);
        QTest::keyClick(e, Qt::Key_Tab); // leaving the edit runs its check
        QApplication::processEvents();
        if (message.isEmpty()) {
            QCOMPARE(script.texts(), QStringList());
            QCOMPARE(e->text(), text);
        } else {
            QCOMPARE(script.texts(), QStringList{message});
            QCOMPARE(e->text(), QString());
        }
        QVERIFY(!e->hasFocus()); // the focus went where the user moved it
    }

    // The add button does not take the focus, so the edit's own check does
    // not run; the database then refuses the too long job number.
    void tooLongJobClickedDirectlyIsRefusedByTheDatabase()
    {
        Dialogs::Script script;
        open();
        fill(QStringLiteral("abc"), QStringLiteral("张三"), QString(), QString(), 1);
        Gui::focus(w->Edit1);
        Gui::typeText(w->Edit1, QStringLiteral("456789012"));
        Gui::click(w->SpeedButton1);
        QCOMPARE(script.messages().size(), 1);
        QCOMPARE(script.messages().first().kind, Kind::Error);
        QVERIFY(script.lastText().contains(QStringLiteral("工号")));
        QCOMPARE(db->count(QStringLiteral("用户清单")), 1);
        QCOMPARE(w->Edit1->text(), QStringLiteral("abc456789012"));
        QCOMPARE(w->Edit2->text(), QStringLiteral("张三"));
    }

    void addChecksInOrder_data()
    {
        QTest::addColumn<QString>("job");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("confirm");
        QTest::addColumn<int>("department");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("after"); // the four edits afterwards
        QTest::newRow("empty job first") << "" << "" << "a" << "b" << 0 << QStringLiteral("工号不能为空，请输入工号！")
                                         << QStringList{"", "", "a", "b"};
        QTest::newRow("empty name") << "u1" << "" << "a" << "b" << 0 << QStringLiteral("姓名不能为空，请输入姓名！")
                                    << QStringList{"u1", "", "a", "b"};
        QTest::newRow("passwords differ, both cleared")
            << "u1" << "张三" << "a" << "b" << 0 << QStringLiteral("您输入的两次密码不一致，请重新输入！")
            << QStringList{"u1", "张三", "", ""};
        QTest::newRow("passwords differ in case") << "u1" << "张三" << "abc" << "ABC" << 1
                                                  << QStringLiteral("您输入的两次密码不一致，请重新输入！")
                                                  << QStringList{"u1", "张三", "", ""};
        QTest::newRow("no department") << "u1" << "张三" << "a" << "a" << 0 << QStringLiteral("您没有选择部门，请重新选择！")
                                       << QStringList{"u1", "张三", "a", "a"};
        QTest::newRow("supervisor job number is a duplicate")
            << "admin" << "张三" << "a" << "a" << 1 << QStringLiteral("工号重复，请重新输入！")
            << QStringList{"", "张三", "a", "a"};
        QTest::newRow("existing job number") << "u7" << "张三" << "" << "" << 2 << QStringLiteral("工号重复，请重新输入！")
                                             << QStringList{"", "张三", "", ""};
        QTest::newRow("existing job number in capitals") << "U7" << "张三" << "" << "" << 2
                                                         << QStringLiteral("工号重复，请重新输入！")
                                                         << QStringList{"", "张三", "", ""};
        QTest::newRow("existing name") << "u1" << "李四" << "" << "" << 1 << QStringLiteral("姓名重复，请重新输入！")
                                       << QStringList{"u1", "", "", ""};
        QTest::newRow("supervisor's name") << "u1" << "系统主管" << "" << "" << 1 << QStringLiteral("姓名重复，请重新输入！")
                                           << QStringList{"u1", "", "", ""};
        QTest::newRow("existing name with a blank") << "u1" << "李四 " << "" << "" << 1
                                                    << QStringLiteral("姓名重复，请重新输入！")
                                                    << QStringList{"u1", "", "", ""};
        QTest::newRow("quote in job number is only a value")
            << "x'or'1'='1" << "李四" << "" << "" << 1 << QStringLiteral("姓名重复，请重新输入！")
            << QStringList{"x'or'1'='1", "", "", ""};
    }
    void addChecksInOrder()
    {
        QFETCH(QString, job);
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QString, confirm);
        QFETCH(int, department);
        QFETCH(QString, message);
        QFETCH(QStringList, after);
        addUserRow(QStringLiteral("u7"), QStringLiteral("李四"));
        Dialogs::Script script;
        open();
        fill(job, name, password, confirm, department);
        Gui::click(w->SpeedButton1);
        QCOMPARE(script.texts(), QStringList{message});
        QCOMPARE((QStringList{w->Edit1->text(), w->Edit2->text(), w->Edit3->text(), w->Edit4->text()}), after);
        QCOMPARE(db->count(QStringLiteral("用户清单")), 2);
        // A duplicate sends the user back to the entry that was cleared.
        if (message == QStringLiteral("工号重复，请重新输入！"))
            QVERIFY(w->Edit1->hasFocus());
        else if (message == QStringLiteral("姓名重复，请重新输入！"))
            QVERIFY(w->Edit2->hasFocus());
    }

    void departmentsAreReadWhenTheWindowOpens()
    {
        Dialogs::Script script;
        open();
        db->insert(QStringLiteral("部门清单"), {QStringLiteral("03"), QStringLiteral("采购部")});
        QCOMPARE(w->ComboBox1->findText(QStringLiteral("采购部")), -1);
        Gui::click(w->SpeedButton2); // refreshing the list of users does not read departments
        QCOMPARE(w->ComboBox1->findText(QStringLiteral("采购部")), -1);
        delete w;
        open();
        QCOMPARE(w->ComboBox1->findText(QStringLiteral("采购部")), 3);
        // The new department can be given to a user at once.
        fill(QStringLiteral("u03"), QStringLiteral("王五"), QString(), QString(), 3);
        Gui::click(w->SpeedButton1);
        QCOMPARE(script.texts(), QStringList{QStringLiteral("您已成功添加用户：王五")});
        QCOMPARE(db->scalar(QStringLiteral("select 部门 from 用户清单 where 工号='u03'")).toString(), QStringLiteral("采购部"));
    }

    void addStoresTheUserWithAHashedPassword()
    {
        Dialogs::Script script;
        open();
        w->ComboBox2->setCurrentIndex(1);
        fill(QStringLiteral(" u01"), QStringLiteral("张三"), QStringLiteral("abc"), QStringLiteral("abc"), 2);
        Gui::click(w->SpeedButton1);
        QCOMPARE(script.texts(), QStringList{QStringLiteral("您已成功添加用户：张三")});
        QCOMPARE(db->rows(QStringLiteral("select 工号,部门,姓名,性别 from 用户清单 where 工号<>'admin'")),
                 QStringList{QStringLiteral(" u01|工程部|张三|女")});
        const QString stored = db->scalar(QStringLiteral("select 密码 from 用户清单 where 姓名='张三'")).toString();
        QVERIFY(PasswordHash::isHash(stored));
        QVERIFY(PasswordHash::verify(stored, QStringLiteral("abc")));
        QVERIFY(!PasswordHash::verify(stored, QStringLiteral("abd")));
        // Cleared for the next user; the sex keeps its choice.
        QCOMPARE((QStringList{w->Edit1->text(), w->Edit2->text(), w->Edit3->text(), w->Edit4->text()}),
                 (QStringList{"", "", "", ""}));
        QCOMPARE(w->ComboBox1->currentText(), QStringLiteral("请选择部门"));
        QCOMPARE(w->ComboBox2->currentText(), QStringLiteral("女"));
        // The list is not read again until asked.
        QCOMPARE(gridRows(), 0);
        Gui::click(w->SpeedButton2);
        QCOMPARE(gridJobs(), QStringList{QStringLiteral(" u01")});
    }

    void bothPasswordsEmptyAddAUserWithAnEmptyPassword()
    {
        Dialogs::Script script;
        open();
        fill(QStringLiteral("u02"), QStringLiteral("李四"), QString(), QString(), 1);
        Gui::click(w->SpeedButton1);
        QCOMPARE(script.texts(), QStringList{QStringLiteral("您已成功添加用户：李四")});
        const QString stored = db->scalar(QStringLiteral("select 密码 from 用户清单 where 工号='u02'")).toString();
        QVERIFY(PasswordHash::isHash(stored));
        QVERIFY(PasswordHash::verify(stored, QString()));
        QVERIFY(!PasswordHash::verify(stored, QStringLiteral(" ")));
    }

    void supervisorIsNeverListed()
    {
        addUserRow(QStringLiteral("u1"), QStringLiteral("张三"));
        addUserRow(QStringLiteral("admin1"), QStringLiteral("李四"));
        open();
        QCOMPARE(gridJobs(), (QStringList{QStringLiteral("u1"), QStringLiteral("admin1")}));
        Gui::click(w->SpeedButton2);
        QCOMPARE(gridJobs(), (QStringList{QStringLiteral("u1"), QStringLiteral("admin1")}));
    }

    void modifyMakesThreeColumnsEditable()
    {
        Dialogs::Script script;
        addUserRow(QStringLiteral("u1"), QStringLiteral("Zhang"));
        addUserRow(QStringLiteral("u2"), QStringLiteral("Wang"));
        open();
        QVERIFY(!(w->DBGrid1->model()->index(0, 1).flags() & Qt::ItemIsEditable));
        w->N1->trigger();
        QVERIFY(!(w->DBGrid1->model()->index(0, 0).flags() & Qt::ItemIsEditable));
        for (int c = 1; c < 4; ++c)
            QVERIFY(w->DBGrid1->model()->index(0, c).flags() & Qt::ItemIsEditable);

        Gui::clickCell(w->DBGrid1, 0, 1);
        typeIntoGrid(QStringLiteral("Zhao"));
        Gui::clickCell(w->DBGrid1, 1, 1); // leaving the row stores it
        QCOMPARE(script.texts(), QStringList());
        QCOMPARE(db->scalar(QStringLiteral("select 姓名 from 用户清单 where 工号='u1'")).toString(), QStringLiteral("Zhao"));

        // Another user's name is refused by the unique name, and the row stays pending.
        typeIntoGrid(QStringLiteral("Zhao"));
        Gui::clickCell(w->DBGrid1, 0, 1);
        QCOMPARE(script.texts(), QStringList{QStringLiteral("“姓名”已有相同的值，不能重复保存。")});
        QCOMPARE(db->scalar(QStringLiteral("select 姓名 from 用户清单 where 工号='u2'")).toString(), QStringLiteral("Wang"));
        QCOMPARE(w->DBGrid1->currentIndex().row(), 1);
    }

    void closingDiscardsAPendingGridChange()
    {
        Dialogs::Script script;
        addUserRow(QStringLiteral("u1"), QStringLiteral("Zhang"));
        addUserRow(QStringLiteral("u2"), QStringLiteral("Wang"));
        open();
        w->N1->trigger();
        Gui::clickCell(w->DBGrid1, 0, 1);
        typeIntoGrid(QStringLiteral("Zhao"));
        QCOMPARE(w->DBGrid1->model()->index(0, 1).data().toString(), QStringLiteral("Zhao"));
        w->close();
        QTest::qWait(0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(w.isNull());
        QCOMPARE(script.texts(), QStringList());
        QCOMPARE(db->rows(QStringLiteral("select 姓名 from 用户清单 where 工号 in ('u1','u2') order by 工号")),
                 (QStringList{QStringLiteral("Zhang"), QStringLiteral("Wang")}));
    }

    void modifyWithNoUserListedDoesNothing()
    {
        Dialogs::Script script;
        open();
        w->N1->trigger();
        QCOMPARE(gridRows(), 0);
        Gui::focus(w->Edit1);
        QCOMPARE(db->count(QStringLiteral("用户清单")), 1);
        QCOMPARE(script.texts(), QStringList());
    }

    void deleteAsksThenDeletesOnlyTheUser()
    {
        addUserRow(QStringLiteral("u1"), QStringLiteral("张三"));
        addUserRow(QStringLiteral("u2"), QStringLiteral("李四"));
        db->exec(QStringLiteral("insert into 权限清单([工号],[权限名称]) values('u2','合同登记'),('u2','发票登记')"));
        Dialogs::Script script;
        script.answer(false);
        script.answer(true);
        open();
        Gui::clickCell(w->DBGrid1, 1, 0);
        w->N2->trigger();
        QCOMPARE(script.messages().size(), 1);
        QCOMPARE(script.messages()[0].kind, Kind::Confirm);
        QCOMPARE(script.messages()[0].title, QStringLiteral("Kadero"));
        QCOMPARE(script.messages()[0].text, QStringLiteral("您确定要删除所选用户吗？"));
        QCOMPARE(script.messages()[0].buttons, Dialogs::Buttons::YesNo);
        QCOMPARE(db->count(QStringLiteral("用户清单")), 3);

        w->N2->trigger();
        QCOMPARE(script.lastText(), QStringLiteral("您已成功删除用户！"));
        QCOMPARE(db->rows(QStringLiteral("select 工号 from 用户清单 order by 工号")),
                 (QStringList{QStringLiteral("admin"), QStringLiteral("u1")}));
        QCOMPARE(gridJobs(), QStringList{QStringLiteral("u1")});
        QCOMPARE(db->count(QStringLiteral("权限清单"), QStringLiteral("工号='u2'")), 2);

        // Whoever gets the job number next holds those rights at once.
        script.clear();
        fill(QStringLiteral("u2"), QStringLiteral("王五"), QString(), QString(), 1);
        Gui::click(w->SpeedButton1);
        QCOMPARE(script.texts(), QStringList{QStringLiteral("您已成功添加用户：王五")});
        // The rows a login of u2 looks up, right by right.
        QStringList held;
        for (const QString &right : ledgerRights())
            if (!db->scalar(QStringLiteral("select 工号 from 权限清单 where 工号=? and 权限名称=?"), {QStringLiteral("u2"), right})
                     .toString()
                     .isEmpty())
                held << right;
        QCOMPARE(held, (QStringList{QStringLiteral("合同登记"), QStringLiteral("发票登记")}));
        // And the rights window shows them for the new user.
        auto *rights = new TRights(ledgerRights());
        rights->show();
        QVERIFY(QTest::qWaitForWindowExposed(rights));
        QVERIFY(chooseItem(rights->ComboBox1, QStringLiteral("王五")));
        QCOMPARE(rights->ListBox1->count(), 2);
        QVERIFY(rights->CheckBoxes[9]->isChecked());
        QVERIFY(rights->CheckBoxes[12]->isChecked());
        delete rights;
    }

    void deleteWithNoUserListedShowsTheDataLayersError()
    {
        Dialogs::Script script;
        open();
        // Through the pop-up menu and its access key, as a user would.
        w->PopupMenu1->popup(w->DBGrid1->viewport()->mapToGlobal(QPoint(10, 10)));
        QVERIFY(QTest::qWaitForWindowExposed(w->PopupMenu1));
        QTest::keyClick(w->PopupMenu1, Qt::Key_D);
        QApplication::processEvents();
        QCOMPARE(script.messages().size(), 2);
        QCOMPARE(script.messages()[0].kind, Kind::Confirm);
        QCOMPARE(script.messages()[1].kind, Kind::Error);
        QCOMPARE(script.messages()[1].text, QStringLiteral("没有当前记录，无法删除。"));
        QCOMPARE(db->count(QStringLiteral("用户清单")), 1);
    }

    void noPasswordIsStoredInClear()
    {
        Dialogs::Script script;
        open();
        const QStringList passwords{QStringLiteral("secret1"), QStringLiteral("口令"), QString()};
        for (int i = 0; i < passwords.size(); ++i) {
            fill(QStringLiteral("p%1").arg(i), QStringLiteral("用户%1").arg(i), passwords[i], passwords[i], 1);
            Gui::click(w->SpeedButton1);
        }
        QCOMPARE(db->count(QStringLiteral("用户清单")), 4);
        for (const QString &stored : db->rows(QStringLiteral("select 密码 from 用户清单"))) {
            QVERIFY2(PasswordHash::isHash(stored), qPrintable(stored));
            for (const QString &p : passwords)
                if (!p.isEmpty())
                    QVERIFY(!stored.contains(p));
        }
    }
};

KD_TEST(TestUser)
#include "tst_user.moc"
