#include "admin/TPwd.h"
#include "db/Session.h"
#include "platform/Dialogs.h"
#include "platform/PasswordHash.h"
#include "support/Gui.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"
#include "support/WindowTest.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The password window: the old password verified against its hash, the
// checks in their order, the new password stored as a hash.
class TestPwd : public QObject, public WindowTest<TPwd>
{
    Q_OBJECT


    void type(const QString &old, const QString &fresh, const QString &again)
    {
        Gui::retype(w->Edit1, old);
        Gui::retype(w->Edit2, fresh);
        Gui::retype(w->Edit3, again);
    }
    QString storedPassword(const QString &job) const
    {
        return db->scalar(QStringLiteral("select 密码 from 用户清单 where 工号=?"), {job}).toString();
    }
    void closeWindow()
    {
        // Closing deletes the window later, as the event loop runs.
        QTest::qWait(0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private Q_SLOTS:
    void init()
    {
        db = std::make_unique<TestDb>();
        db->exec(QStringLiteral("insert into 用户清单(工号,部门,姓名,性别,密码) values(?,?,?,?,?)"),
                 {QStringLiteral("u1"), QStringLiteral("财务部"), QStringLiteral("张三"), QStringLiteral("男"),
                  PasswordHash::hash(QStringLiteral("old1"))});
        db->exec(QStringLiteral("insert into 用户清单(工号,部门,姓名,性别,密码) values(?,?,?,?,?)"),
                 {QStringLiteral("u2"), QStringLiteral("财务部"), QStringLiteral("李四"), QStringLiteral("女"),
                  PasswordHash::hash(QStringLiteral("old1"))});
        Session::setUserName(QStringLiteral("张三"));
    }
    void cleanup()
    {
        closeAll();
        Session::setUserName(QStringLiteral("Label1"));
    }

    void editsShowHashesAndStartEmpty()
    {
        open();
        for (QLineEdit *e : {w->Edit1, w->Edit2, w->Edit3}) {
            QCOMPARE(e->text(), QString());
            Gui::focus(e);
            Gui::typeText(e, QStringLiteral("ab1"));
            QCOMPARE(e->displayText(), QStringLiteral("###"));
        }
        QVERIFY(!(w->windowFlags() & Qt::WindowMinimizeButtonHint));
    }

    void wrongOldPasswordIsReportedFirst()
    {
        Dialogs::Script script;
        open();
        const QString before = storedPassword(QStringLiteral("u1"));
        type(QStringLiteral("old2"), QStringLiteral("new1"), QStringLiteral("new2"));
        Gui::click(w->BitBtn1);
        QCOMPARE(script.texts(), QStringList{QStringLiteral("原密码输入不正确，请重新输入！")});
        QCOMPARE(w->Edit1->text(), QString());
        QCOMPARE(w->Edit2->text(), QStringLiteral("new1"));
        QCOMPARE(w->Edit3->text(), QStringLiteral("new2"));
        QVERIFY(w->Edit1->hasFocus());
        QVERIFY(w->isVisible());
        QCOMPARE(storedPassword(QStringLiteral("u1")), before);
    }

    void anotherUsersPasswordDoesNotCount()
    {
        Dialogs::Script script;
        db->exec(QStringLiteral("update 用户清单 set 密码=? where 工号='u2'"), {PasswordHash::hash(QStringLiteral("his"))});
        open();
        type(QStringLiteral("his"), QStringLiteral("x"), QStringLiteral("x"));
        Gui::click(w->BitBtn1);
        QCOMPARE(script.texts(), QStringList{QStringLiteral("原密码输入不正确，请重新输入！")});
    }

    void differingNewPasswordsAreRefused()
    {
        Dialogs::Script script;
        open();
        type(QStringLiteral("old1"), QStringLiteral("new1"), QStringLiteral("New1"));
        Gui::click(w->BitBtn1);
        QCOMPARE(script.texts(), QStringList{QStringLiteral("您两次输入的新密码不一致，请重新输入！")});
        QCOMPARE(w->Edit1->text(), QStringLiteral("old1"));
        QCOMPARE(w->Edit2->text(), QString());
        QCOMPARE(w->Edit3->text(), QString());
        QVERIFY(w->Edit2->hasFocus());
        QVERIFY(PasswordHash::verify(storedPassword(QStringLiteral("u1")), QStringLiteral("old1")));
    }

    void newPasswordIsStoredAsAHash_data()
    {
        QTest::addColumn<QString>("storedBefore"); // empty: the hash of old1
        QTest::addColumn<QString>("fresh");
        QTest::newRow("ordinary") << QString() << QStringLiteral("new1");
        QTest::newRow("both new ones empty") << QString() << QString();
        QTest::newRow("longer than ten characters") << QString() << QStringLiteral("a-long-password-2026");
        QTest::newRow("hanzi") << QString() << QStringLiteral("新的口令");
        QTest::newRow("from a clear old password") << QStringLiteral("old1") << QStringLiteral("new1");
    }
    void newPasswordIsStoredAsAHash()
    {
        QFETCH(QString, storedBefore);
        QFETCH(QString, fresh);
        if (!storedBefore.isEmpty())
            db->exec(QStringLiteral("update 用户清单 set 密码=? where 工号='u1'"), {storedBefore});
        const QString other = storedPassword(QStringLiteral("u2"));
        Dialogs::Script script;
        open();
        type(QStringLiteral("old1"), fresh, fresh);
        Gui::click(w->BitBtn1);
        QCOMPARE(script.texts(), QStringList{QStringLiteral("密码修改成功，请记住您的新密码!")});
        closeWindow();
        QVERIFY(w.isNull()); // the window closed itself
        const QString stored = storedPassword(QStringLiteral("u1"));
        QVERIFY(PasswordHash::isHash(stored));
        QVERIFY(stored != fresh);
        // What the next login compares.
        QVERIFY(PasswordHash::verify(stored, fresh));
        QVERIFY(!PasswordHash::verify(stored, QStringLiteral("old1")));
        QCOMPARE(storedPassword(QStringLiteral("u2")), other);
    }

    // The login keeps the name without the blanks around it.
    void aNameStoredWithBlanksIsFound()
    {
        db->exec(QStringLiteral("update 用户清单 set 姓名=' 张三 ' where 工号='u1'"));
        Dialogs::Script script;
        open();
        type(QStringLiteral("old1"), QStringLiteral("new1"), QStringLiteral("new1"));
        Gui::click(w->BitBtn1);
        QCOMPARE(script.texts(), QStringList{QStringLiteral("密码修改成功，请记住您的新密码!")});
        QVERIFY(PasswordHash::verify(storedPassword(QStringLiteral("u1")), QStringLiteral("new1")));
        QVERIFY(PasswordHash::verify(storedPassword(QStringLiteral("u2")), QStringLiteral("old1")));
    }

    // Two names that differ only in blanks: the exact one is the user's own,
    // also when the other is stored first.
    void theExactNameComesFirst()
    {
        db->exec(QStringLiteral("update 用户清单 set 姓名='张三 ' where 工号='u1'"));
        db->exec(QStringLiteral("insert into 用户清单(工号,部门,姓名,性别,密码) values(?,?,?,?,?)"),
                 {QStringLiteral("u3"), QStringLiteral("财务部"), QStringLiteral("张三"), QStringLiteral("男"),
                  PasswordHash::hash(QStringLiteral("old1"))});
        const QString blanked = storedPassword(QStringLiteral("u1"));
        Dialogs::Script script;
        open();
        type(QStringLiteral("old1"), QStringLiteral("new1"), QStringLiteral("new1"));
        Gui::click(w->BitBtn1);
        QCOMPARE(script.texts(), QStringList{QStringLiteral("密码修改成功，请记住您的新密码!")});
        QVERIFY(PasswordHash::verify(storedPassword(QStringLiteral("u3")), QStringLiteral("new1")));
        QCOMPARE(storedPassword(QStringLiteral("u1")), blanked);
    }

    void cancelClosesWithoutChange()
    {
        Dialogs::Script script;
        open();
        const QString before = storedPassword(QStringLiteral("u1"));
        type(QStringLiteral("old1"), QStringLiteral("n"), QStringLiteral("n"));
        Gui::click(w->BitBtn2);
        closeWindow();
        QVERIFY(w.isNull());
        QCOMPARE(script.texts(), QStringList());
        QCOMPARE(storedPassword(QStringLiteral("u1")), before);
    }
};

KD_TEST(TestPwd)
#include "tst_pwd.moc"
