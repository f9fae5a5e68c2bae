#include "AdminGui.h"
#include "admin/TRights.h"
#include "db/LedgerSchema.h"
#include "platform/Dialogs.h"
#include "support/Gui.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"
#include "support/WindowTest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using Dialogs::Kind;

// The rights window: who is listed, what is shown for a user, and the
// confirm that replaces a user's rights as a whole or not at all.
class TestRights : public QObject, public WindowTest<TRights>
{
    Q_OBJECT


    void addUser(const QString &job, const QString &name)
    {
        db->exec(QStringLiteral("insert into 用户清单(工号,部门,姓名,性别,密码) values(?,'财务部',?,'男','')"), {job, name});
    }
    void grant(const QString &job, const QString &right)
    {
        db->exec(QStringLiteral("insert into 权限清单([工号],[权限名称]) values(?,?)"), {job, right});
    }
    QStringList stored(const QString &job) const
    {
        return db->rows(QStringLiteral("select 权限名称 from 权限清单 where 工号=? order by rowid"), {job});
    }
    QStringList listed() const
    {
        QStringList items;
        for (int i = 0; i < w->ListBox1->count(); ++i)
            items << w->ListBox1->item(i)->text();
        return items;
    }
    QStringList ticked() const
    {
        QStringList names;
        for (QCheckBox *box : w->CheckBoxes)
            if (box->isChecked())
                names << box->text();
        return names;
    }
    void setTicks(const QStringList &names)
    {
        for (QCheckBox *box : w->CheckBoxes)
            if (box->isChecked() != names.contains(box->text()))
                // On the box itself: the rest of the row is not clickable.
                QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(8, box->height() / 2));
    }
    // The menu items a login of this job number reveals, right by right.
    QStringList rightsAtLogin(const QString &job) const
    {
        QStringList found;
        for (const QString &right : ledgerRights())
            if (!db->scalar(QStringLiteral("select 工号 from 权限清单 where 工号=? and 权限名称=?"), {job, right})
                     .toString()
                     .isEmpty())
                found << right;
        return found;
    }

private Q_SLOTS:
    void init()
    {
        db = std::make_unique<TestDb>();
        addUser(QStringLiteral("u1"), QStringLiteral("张三"));
        addUser(QStringLiteral("u2"), QStringLiteral("李四"));
        grant(QStringLiteral("u1"), QStringLiteral("合同登记"));
        grant(QStringLiteral("u1"), QStringLiteral("旧的权限"));
        grant(QStringLiteral("u1"), QStringLiteral("数据备份"));
        grant(QStringLiteral("u2"), QStringLiteral("查看日志"));
    }
    void cleanup()
    {
        closeAll();
    }

    void opensWithUsersButNotTheSupervisor()
    {
        open(ledgerRights());
        QStringList names;
        for (int i = 0; i < w->ComboBox1->count(); ++i)
            names << w->ComboBox1->itemText(i);
        QCOMPARE(names, (QStringList{QStringLiteral("张三"), QStringLiteral("李四")}));
        QCOMPARE(w->ComboBox1->currentIndex(), -1);
        QCOMPARE(w->ListBox1->count(), 0);
        QCOMPARE(ticked(), QStringList());
        // Fifteen boxes captioned with the right names, three columns of five.
        QCOMPARE(w->CheckBoxes.size(), 15);
        auto *grid = qobject_cast<QGridLayout *>(w->GroupBox2->layout());
        QVERIFY(grid);
        for (int i = 0; i < 15; ++i) {
            QCOMPARE(w->CheckBoxes[i]->objectName(), QStringLiteral("CheckBox%1").arg(i + 1));
            QCOMPARE(w->CheckBoxes[i]->text(), ledgerRights()[i]);
            int row, column, rs, cs;
            grid->getItemPosition(grid->indexOf(w->CheckBoxes[i]), &row, &column, &rs, &cs);
            QCOMPARE(row, i % 5);
            QCOMPARE(column, i / 5);
        }
        QVERIFY(!(w->windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
    }

    void choosingAUserShowsTheRightsHeld()
    {
        open(ledgerRights());
        QVERIFY(chooseItem(w->ComboBox1, QStringLiteral("张三")));
        // A right name that is not among the fifteen is listed but ticks nothing.
        QCOMPARE(listed(), (QStringList{QStringLiteral("合同登记"), QStringLiteral("旧的权限"), QStringLiteral("数据备份")}));
        QCOMPARE(ticked(), (QStringList{QStringLiteral("合同登记"), QStringLiteral("数据备份")}));
        QVERIFY(chooseItem(w->ComboBox1, QStringLiteral("李四")));
        QCOMPARE(listed(), QStringList{QStringLiteral("查看日志")});
        QCOMPARE(ticked(), QStringList{QStringLiteral("查看日志")});
    }

    void confirmReplacesTheRightsAndReadsThemBack()
    {
        Dialogs::Script script;
        open(ledgerRights());
        QVERIFY(chooseItem(w->ComboBox1, QStringLiteral("张三")));
        setTicks({QStringLiteral("添加用户"), QStringLiteral("公司设置"), QStringLiteral("数据备份")});
        QCOMPARE(stored(QStringLiteral("u1")).size(), 3); // ticking alone stores nothing
        Gui::click(w->BitBtn1);
        QCOMPARE(script.texts(), QStringList{QStringLiteral("权限修改成功！")});
        const QStringList expected{QStringLiteral("添加用户"), QStringLiteral("公司设置"), QStringLiteral("数据备份")};
        QCOMPARE(stored(QStringLiteral("u1")), expected);
        QCOMPARE(listed(), expected);
        QCOMPARE(ticked(), expected);
        QCOMPARE(stored(QStringLiteral("u2")), QStringList{QStringLiteral("查看日志")});
        QCOMPARE(rightsAtLogin(QStringLiteral("u1")), expected);
    }

    void allUntickedDeletesEveryRight()
    {
        Dialogs::Script script;
        open(ledgerRights());
        QVERIFY(chooseItem(w->ComboBox1, QStringLiteral("张三")));
        setTicks({});
        Gui::click(w->BitBtn1);
        QCOMPARE(script.texts(), QStringList{QStringLiteral("权限修改成功！")});
        // The unknown right goes too; the next login finds no right at all.
        QCOMPARE(stored(QStringLiteral("u1")), QStringList());
        QCOMPARE(rightsAtLogin(QStringLiteral("u1")), QStringList());
        QCOMPARE(listed(), QStringList());
        QCOMPARE(ticked(), QStringList());
    }

    void confirmWithoutAChosenUserIsRefused()
    {
        Dialogs::Script script;
        open(ledgerRights());
        setTicks({QStringLiteral("添加用户")});
        const QStringList before = db->rows(QStringLiteral("select * from 权限清单 order by rowid"));
        Gui::click(w->BitBtn1);
        QCOMPARE(script.texts(), QStringList{QStringLiteral("请先选择用户，再确认权限！")});
        QCOMPARE(db->rows(QStringLiteral("select * from 权限清单 order by rowid")), before);
        QCOMPARE(db->count(QStringLiteral("权限清单"), QStringLiteral("工号=''")), 0);
    }

    void userDeletedMeanwhileIsRefused()
    {
        Dialogs::Script script;
        open(ledgerRights());
        QVERIFY(chooseItem(w->ComboBox1, QStringLiteral("李四")));
        db->exec(QStringLiteral("delete from 用户清单 where 工号='u2'"));
        Gui::click(w->BitBtn1);
        QCOMPARE(script.texts(), QStringList{QStringLiteral("找不到用户“李四”，请重新选择用户！")});
        QCOMPARE(stored(QStringLiteral("u2")), QStringList{QStringLiteral("查看日志")});
        QCOMPARE(db->count(QStringLiteral("权限清单"), QStringLiteral("工号=''")), 0);
    }

    void failureInTheMiddleKeepsTheOldRightsWhole()
    {
        // The database refuses the third insert of the confirm.
        db->exec(QStringLiteral("create trigger refuse_invoice before insert on 权限清单 when new.权限名称='发票登记' "
                                "begin select raise(abort, 'refused for the test'); end"));
        Dialogs::Script script;
        open(ledgerRights());
        QVERIFY(chooseItem(w->ComboBox1, QStringLiteral("张三")));
        const QStringList before = stored(QStringLiteral("u1"));
        setTicks({QStringLiteral("添加用户"), QStringLiteral("合同登记"), QStringLiteral("发票登记"), QStringLiteral("数据备份")});
        Gui::click(w->BitBtn1);
        QCOMPARE(script.messages().size(), 1);
        QCOMPARE(script.messages()[0].kind, Kind::Error);
        QVERIFY(script.lastText().contains(QStringLiteral("refused for the test")));
        QCOMPARE(stored(QStringLiteral("u1")), before);
        QCOMPARE(stored(QStringLiteral("u2")), QStringList{QStringLiteral("查看日志")});
        // The connection is usable again: a later confirm goes through.
        db->exec(QStringLiteral("drop trigger refuse_invoice"));
        script.clear();
        Gui::click(w->BitBtn1);
        QCOMPARE(script.texts(), QStringList{QStringLiteral("权限修改成功！")});
        QCOMPARE(stored(QStringLiteral("u1")).size(), 4);
    }
};

KD_TEST(TestRights)
#include "tst_rights.moc"
