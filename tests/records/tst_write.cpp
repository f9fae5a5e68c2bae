#include "records/TWrite.h"

#include "platform/Dialogs.h"
#include "platform/data/Dataset.h"
#include "platform/data/Format.h"
#include "support/RecordingSpreadsheet.h"
#include "platform/widgets/DBComboBox.h"
#include "platform/widgets/DBEdit.h"
#include "platform/widgets/DBGrid.h"
#include "platform/widgets/DBLookupComboBox.h"
#include "platform/widgets/DateTimePicker.h"
#include "support/Gui.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <memory>

// The contract register driven through its controls: the number check, the
// lock of the panel, dates written only when picked, rows stored or dropped
// by navigation, closing and deleting.
class TestWrite : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDb> db;
    QPointer<TWrite> w;

    static const QString kSaved;
    static const QString kBadNumber;

    void seed()
    {
        db->insert(QStringLiteral("合同类别表"), {QStringLiteral("01"), QStringLiteral("工程类")});
        db->insert(QStringLiteral("合同类别表"), {QStringLiteral("02"), QStringLiteral("采购类")});
        db->insert(QStringLiteral("项目清单"), {QStringLiteral("01"), QStringLiteral("一号工程"), QStringLiteral("工程部")});
        db->insert(QStringLiteral("项目清单"), {QStringLiteral("01-01"), QStringLiteral("一期"), QStringLiteral("工程部")});
        db->insert(QStringLiteral("公司清单"), {QStringLiteral("01"), QStringLiteral("本公司")});
        db->insert(QStringLiteral("公司清单"), {QStringLiteral("02"), QStringLiteral("分公司")});
        db->insert(QStringLiteral("对方单位清单"), {QStringLiteral("01"), QStringLiteral("华兴建设")});
        db->insert(QStringLiteral("对方单位清单"), {QStringLiteral("02"), QStringLiteral("东方物资")});
        db->insert(QStringLiteral("经办人清单"), {QStringLiteral("01"), QStringLiteral("张明")});
        db->insert(QStringLiteral("经办人清单"), {QStringLiteral("02"), QStringLiteral("李华")});
        db->insert(QStringLiteral("合同基本信息表"),
                   {QStringLiteral("20250001"), QStringLiteral("办公楼施工"), QStringLiteral("华兴建设"), 100000.0,
                    QStringLiteral("主体施工"), QStringLiteral("张明"), QDate(2025, 3, 1), QDate(2026, 3, 1),
                    QStringLiteral("工程类"), QStringLiteral("01-01"), QStringLiteral("是"), QString(),
                    QStringLiteral("本公司")});
        db->insert(QStringLiteral("合同基本信息表"),
                   {QStringLiteral("20250002"), QStringLiteral("钢材采购"), QStringLiteral("东方物资"), 5000.5,
                    QStringLiteral("钢材"), QStringLiteral("李华"), QDate(2025, 4, 2), QDate(2025, 10, 2),
                    QStringLiteral("采购类"), QStringLiteral("01"), QStringLiteral("否"), QStringLiteral("分批"),
                    QStringLiteral("本公司")});
    }

    void openWindow()
    {
        w = new TWrite;
        w->resize(1100, 700);
        w->show();
        QApplication::setActiveWindow(w);
        QApplication::processEvents();
    }

    void closeWindow()
    {
        if (w)
            w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }

    // The register's controls and dataset, by their component names.
    DBEdit *edit(const char *name) const { return Gui::find<DBEdit>(w, name); }
    QPushButton *button(const char *name) const { return Gui::find<QPushButton>(w, name); }
    DateTimePicker *picker(const char *name) const { return Gui::find<DateTimePicker>(w, name); }
    DBLookupComboBox *lookup(const char *name) const { return Gui::find<DBLookupComboBox>(w, name); }
    DBGrid *grid() const { return Gui::find<DBGrid>(w, "DBGrid1"); }
    Dataset *contractsTable() const { return Gui::find<Dataset>(w, "ADOTable1"); }

    int contracts() const { return db->count(QStringLiteral("合同基本信息表")); }

    QStringList contract(const QString &number) const
    {
        return db->rows(QStringLiteral("select * from 合同基本信息表 where 合同编号=?"), {number});
    }

    QString datesOf(const QString &number) const
    {
        return db->rows(QStringLiteral("select 签订日期, 到期日期 from 合同基本信息表 where 合同编号=?"), {number})
            .value(0);
    }

    // Chooses an item of a drop-down list with the arrow keys, as a user does
    // without the mouse.
    static void choose(QComboBox *combo, const QString &text)
    {
        Gui::focus(combo);
        if (combo->currentText() == text)
            return;
        QTest::keyClick(combo, Qt::Key_Home);
        for (int i = 0; i <= combo->count() && combo->currentText() != text; ++i)
            QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(combo->currentText(), text);
    }

    // A date chosen in the picker's drop-down calendar.
    static void pick(DateTimePicker *picker, const QDate &date)
    {
        QVERIFY(picker->isVisible());
        picker->calendarWidget()->setSelectedDate(date);
        QApplication::processEvents();
    }

    static void tab()
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QApplication::processEvents();
    }

    QList<QWidget *> panelControls() const
    {
        return {edit("DBEdit1"), edit("DBEdit2"), lookup("DBLookupComboBox2"), lookup("DBLookupComboBox1"), Gui::find<DBComboBox>(w, "DBComboBox2"),
                lookup("DBLookupComboBox3"), lookup("DBLookupComboBox4"), edit("DBEdit4"), lookup("DBLookupComboBox5"), edit("DBEdit5"),
                edit("DBEdit3"), edit("DBEdit6"), edit("DBEdit7"), button("BitBtn6")};
    }

    void verifyPanel(bool open) const
    {
        for (QWidget *c : panelControls())
            QVERIFY2(c->isEnabled() == open, qPrintable(c->objectName()));
    }

private Q_SLOTS:
    void init()
    {
        db = std::make_unique<TestDb>();
        seed();
        openWindow();
    }

    void cleanup()
    {
        closeWindow();
        delete w;
        db.reset();
    }

    void opensLockedWithTheGridTitled()
    {
        QCOMPARE(w->windowTitle(), QStringLiteral("合同基本信息录入"));
        verifyPanel(false);
        QVERIFY(!picker("DateTimePicker1")->isVisible());
        QVERIFY(!picker("DateTimePicker2")->isVisible());
        QCOMPARE(grid()->titles(),
                 (QStringList{QStringLiteral("合同编号"), QStringLiteral("合同名称"), QStringLiteral("对方单位"),
                              QStringLiteral("合同金额"), QStringLiteral("合同内容"), QStringLiteral("经办人"),
                              QStringLiteral("签订日期"), QStringLiteral("到期日期"), QStringLiteral("类别"),
                              QStringLiteral("项目"), QStringLiteral("审计"), QStringLiteral("备注")}));
        QCOMPARE(grid()->model()->rowCount(), 2);
        // The panel shows the current contract, the project as its code.
        QCOMPARE(edit("DBEdit1")->text(), QStringLiteral("20250001"));
        QCOMPARE(lookup("DBLookupComboBox1")->currentText(), QStringLiteral("01-01"));
        QCOMPARE(edit("DBEdit3")->text(), QStringLiteral("2025/3/1"));
        QCOMPARE(lookup("DBLookupComboBox1")->toolTip(), QStringLiteral("请选择项目"));
        QCOMPARE(Gui::find<DBComboBox>(w, "DBComboBox2")->itemText(0), QStringLiteral("是"));
        QCOMPARE(Gui::find<DBComboBox>(w, "DBComboBox2")->itemText(1), QStringLiteral("否"));
    }

    void tabOrderFollowsThePanel()
    {
        Dialogs::Script script;
        Gui::click(button("BitBtn9"));
        Gui::focus(edit("DBEdit1"));
        QStringList visited;
        for (int i = 0; i < 12; ++i) {
            tab();
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, (QStringList{QStringLiteral("DBEdit2"), QStringLiteral("DBLookupComboBox2"),
                                       QStringLiteral("DBLookupComboBox1"), QStringLiteral("DBComboBox2"),
                                       QStringLiteral("DBLookupComboBox3"), QStringLiteral("DBLookupComboBox4"),
                                       QStringLiteral("DBEdit4"), QStringLiteral("DBLookupComboBox5"),
                                       QStringLiteral("DBEdit5"), QStringLiteral("DBEdit3"), QStringLiteral("DBEdit7"),
                                       QStringLiteral("DBEdit6")}));
        tab();
        QCOMPARE(QApplication::focusWidget(), button("BitBtn6"));
        QVERIFY(script.messages().isEmpty());
    }

    void numberCheck_data()
    {
        QTest::addColumn<QString>("number"); // empty: the proposal is kept
        QTest::addColumn<bool>("accepted");
        QTest::newRow("proposal of seven zeros") << QString() << false;
        QTest::newRow("eight digits") << QStringLiteral("20260001") << true;
        QTest::newRow("four Chinese characters") << QStringLiteral("工程合同") << true;
        QTest::newRow("letters and Chinese, eight bytes") << QStringLiteral("HT合同01") << true;
        QTest::newRow("five Chinese characters") << QStringLiteral("建设工程合同").left(5) << false;
        QTest::newRow("seven ASCII characters") << QStringLiteral("2026001") << false;
        QTest::newRow("nine ASCII characters") << QStringLiteral("202600001") << false;
    }

    void numberCheck()
    {
        QFETCH(QString, number);
        QFETCH(bool, accepted);
        Dialogs::Script script;
        Gui::click(button("BitBtn1"));
        verifyPanel(true);
        QCOMPARE(edit("DBEdit1")->text(), TWrite::kProposedNumber);
        if (!number.isEmpty()) {
            Gui::retype(edit("DBEdit1"), number);
            QCOMPARE(edit("DBEdit1")->text(), number);
        }
        const QString typed = edit("DBEdit1")->text();
        Gui::click(button("BitBtn6"));

        if (accepted) {
            QCOMPARE(script.texts(), QStringList{kSaved});
            QCOMPARE(contracts(), 3);
            QCOMPARE(db->count(QStringLiteral("合同基本信息表"), QStringLiteral("合同编号=?"), {typed}), 1);
            verifyPanel(false);
        } else {
            QCOMPARE(script.texts(), QStringList{kBadNumber});
            QCOMPARE(contracts(), 2);
            verifyPanel(true);
            QCOMPARE(contractsTable()->state(), Dataset::Insert);
            QVERIFY(edit("DBEdit1")->hasFocus());
            QCOMPARE(edit("DBEdit1")->selectedText(), typed);
        }
    }

    void fullEntryStoresEveryColumn()
    {
        Dialogs::Script script;
        Gui::click(button("BitBtn1"));
        Gui::retype(edit("DBEdit1"), QStringLiteral("20260001"));
        Gui::focus(edit("DBEdit2"));
        Gui::typeText(edit("DBEdit2"), QStringLiteral("新建仓库"));
        choose(lookup("DBLookupComboBox2"), QStringLiteral("采购类"));
        choose(lookup("DBLookupComboBox1"), QStringLiteral("01-01"));
        Gui::focus(Gui::find<DBComboBox>(w, "DBComboBox2"));
        Gui::typeText(Gui::find<DBComboBox>(w, "DBComboBox2"), QStringLiteral("部分"));
        choose(lookup("DBLookupComboBox3"), QStringLiteral("分公司"));
        choose(lookup("DBLookupComboBox4"), QStringLiteral("东方物资"));
        Gui::focus(edit("DBEdit4"));
        Gui::typeText(edit("DBEdit4"), QStringLiteral("250000.5"));
        choose(lookup("DBLookupComboBox5"), QStringLiteral("李华"));
        Gui::focus(edit("DBEdit5"));
        Gui::typeText(edit("DBEdit5"), QStringLiteral("仓库土建"));

        // Tabbing into the signing date shows its picker over it, set to today.
        tab();
        QCOMPARE(QApplication::focusWidget(), edit("DBEdit3"));
        QVERIFY(picker("DateTimePicker1")->isVisible());
        QCOMPARE(picker("DateTimePicker1")->geometry(), edit("DBEdit3")->geometry());
        QCOMPARE(picker("DateTimePicker1")->date(), QDate::currentDate());
        pick(picker("DateTimePicker1"), QDate(2026, 5, 1));
        QVERIFY(!picker("DateTimePicker1")->isVisible());
        QCOMPARE(edit("DBEdit3")->text(), QStringLiteral("2026/5/1"));

        tab();
        QCOMPARE(QApplication::focusWidget(), edit("DBEdit7"));
        QVERIFY(picker("DateTimePicker2")->isVisible());
        QCOMPARE(picker("DateTimePicker2")->date(), QDate::currentDate());
        pick(picker("DateTimePicker2"), QDate(2027, 4, 30));
        QCOMPARE(edit("DBEdit7")->text(), QStringLiteral("2027/4/30"));
        tab();
        QCOMPARE(QApplication::focusWidget(), edit("DBEdit6"));
        Gui::typeText(edit("DBEdit6"), QStringLiteral("加急"));
        Gui::click(button("BitBtn6"));

        QCOMPARE(script.texts(), QStringList{kSaved});
        QCOMPARE(contract(QStringLiteral("20260001")),
                 QStringList{QStringLiteral("20260001|新建仓库|东方物资|250000.5|仓库土建|李华|2026-05-01|2027-04-30|"
                                            "采购类|01-01|部分|加急|分公司")});
        verifyPanel(false);
        QVERIFY(!picker("DateTimePicker1")->isVisible());
        QVERIFY(!picker("DateTimePicker2")->isVisible());
        QCOMPARE(picker("DateTimePicker1")->date(), QDate::currentDate());
        // The grid lists the new contract as stored, and the panel shows it.
        QCOMPARE(grid()->model()->rowCount(), 3);
        QCOMPARE(edit("DBEdit1")->text(), QStringLiteral("20260001"));
        QCOMPARE(edit("DBEdit4")->text(), QStringLiteral("250000.5"));
    }

    void gridClickSubmits_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("clickedRow");
        QTest::newRow("valid number, other row") << QStringLiteral("20260001") << 0;
        QTest::newRow("valid number, own row") << QStringLiteral("20260001") << 2;
        QTest::newRow("short number, other row") << QStringLiteral("2026001") << 0;
        QTest::newRow("short number, own row") << QStringLiteral("2026001") << 2;
    }

    void gridClickSubmits()
    {
        QFETCH(QString, number);
        QFETCH(int, clickedRow);
        const bool valid = number.size() == 8;
        Dialogs::Script script;
        Gui::click(button("BitBtn1"));
        Gui::retype(edit("DBEdit1"), number);
        Gui::focus(edit("DBEdit2"));
        Gui::typeText(edit("DBEdit2"), QStringLiteral("围墙"));
        Gui::clickCell(grid(), clickedRow, 1);

        if (valid) {
            QCOMPARE(script.texts(), QStringList{kSaved});
            QCOMPARE(contract(number).size(), 1);
            verifyPanel(false);
            QCOMPARE(contractsTable()->currentRow(), clickedRow);
        } else {
            QCOMPARE(script.texts(), QStringList{kBadNumber});
            QCOMPARE(contracts(), 2);
            verifyPanel(true);
            QCOMPARE(contractsTable()->state(), Dataset::Insert);
            QCOMPARE(edit("DBEdit1")->selectedText(), number);
            QCOMPARE(edit("DBEdit2")->text(), QStringLiteral("围墙"));
        }
    }

    void doubleClickWithAShortNumberStoresNothing()
    {
        Dialogs::Script script;
        Gui::click(button("BitBtn1"));
        Gui::retype(edit("DBEdit2"), QStringLiteral("围墙"));
        const QRect cell = grid()->visualRect(grid()->model()->index(0, 1));
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        QApplication::processEvents();
        QVERIFY(!script.texts().isEmpty());
        QCOMPARE(script.texts().filter(kBadNumber).size(), script.texts().size());
        QCOMPARE(contracts(), 2);
        QCOMPARE(contractsTable()->state(), Dataset::Insert);
        QCOMPARE(edit("DBEdit1")->text(), TWrite::kProposedNumber);
    }

    void clickWhileLockedOnlyMoves()
    {
        Dialogs::Script script;
        Gui::clickCell(grid(), 1, 1);
        QVERIFY(script.messages().isEmpty());
        QCOMPARE(edit("DBEdit1")->text(), QStringLiteral("20250002"));
        verifyPanel(false);
    }

    void navigationDuringEntry_data()
    {
        QTest::addColumn<bool>("newRow");
        QTest::addColumn<QString>("name"); // empty: nothing typed
        QTest::addColumn<QString>("step");
        QTest::addColumn<int>("expectedContracts");
        QTest::newRow("changed new row, first") << true << QStringLiteral("围墙") << "BitBtn2" << 3;
        QTest::newRow("changed new row, prior") << true << QStringLiteral("围墙") << "BitBtn3" << 3;
        QTest::newRow("untouched new row, first") << true << QString() << "BitBtn2" << 2;
        QTest::newRow("untouched new row, last") << true << QString() << "BitBtn5" << 2;
        QTest::newRow("untouched new row, new again") << true << QString() << "BitBtn1" << 2;
        QTest::newRow("changed contract, next") << false << QStringLiteral("办公楼装修") << "BitBtn4" << 2;
    }

    void navigationDuringEntry()
    {
        QFETCH(bool, newRow);
        QFETCH(QString, name);
        QFETCH(QString, step);
        QFETCH(int, expectedContracts);
        Dialogs::Script script;
        Gui::click(newRow ? button("BitBtn1") : button("BitBtn9"));
        if (newRow && !name.isEmpty())
            Gui::retype(edit("DBEdit1"), QStringLiteral("20260001"));
        if (!name.isEmpty())
            Gui::retype(edit("DBEdit2"), name);
        Gui::click(button(qPrintable(step)));

        QVERIFY(script.messages().isEmpty());
        QCOMPARE(contracts(), expectedContracts);
        if (!name.isEmpty()) {
            const QString number = newRow ? QStringLiteral("20260001") : QStringLiteral("20250001");
            QCOMPARE(db->scalar(QStringLiteral("select 合同名称 from 合同基本信息表 where 合同编号=?"), {number}).toString(),
                     name);
        }
        // The panel stays open on the row that became current.
        QVERIFY(button("BitBtn6")->isEnabled());
        const int listed = grid()->model()->rowCount();
        QCOMPARE(listed, step == QLatin1String("BitBtn1") ? expectedContracts + 1 : expectedContracts);
    }

    void closingDuringEntryStoresNothing_data()
    {
        QTest::addColumn<bool>("newRow");
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("new contract, close button") << true << false;
        QTest::newRow("new contract, close box") << true << true;
        QTest::newRow("changed contract, close button") << false << false;
    }

    void closingDuringEntryStoresNothing()
    {
        QFETCH(bool, newRow);
        QFETCH(bool, closeBox);
        Dialogs::Script script;
        const QStringList before = contract(QStringLiteral("20250001"));
        Gui::click(newRow ? button("BitBtn1") : button("BitBtn9"));
        if (newRow)
            Gui::retype(edit("DBEdit1"), QStringLiteral("20260001"));
        Gui::retype(edit("DBEdit2"), QStringLiteral("未提交的名称"));
        Gui::focus(edit("DBEdit3"));
        pick(picker("DateTimePicker1"), QDate(2030, 1, 1));
        if (closeBox)
            w->close();
        else
            Gui::click(button("BitBtn10"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        QVERIFY(w.isNull());
        QVERIFY(script.messages().isEmpty());
        QCOMPARE(contracts(), 2);
        QCOMPARE(contract(QStringLiteral("20250001")), before);
    }

    void deleteLeavesTheContractsRecords_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("confirmed") << true;
        QTest::newRow("cancelled") << false;
    }

    void deleteLeavesTheContractsRecords()
    {
        QFETCH(bool, ok);
        const QString number = QStringLiteral("20250001");
        db->insert(QStringLiteral("计划付款情况表"), {number, QDate(2025, 6, 1), 30000.0, QString()});
        db->insert(QStringLiteral("付款情况表"),
                   {number, QDate(2025, 6, 5), 30000.0, QStringLiteral("汇票"), QStringLiteral("张明"),
                    QStringLiteral("P1"), QString()});
        db->insert(QStringLiteral("发票情况表"),
                   {number, QDate(2025, 6, 3), 30000.0, QStringLiteral("张明"), QStringLiteral("F1"), QString()});
        Dialogs::Script script;
        script.answer(ok);
        QCOMPARE(edit("DBEdit1")->text(), number);
        Gui::click(button("BitBtn7"));

        QCOMPARE(script.messages().size(), 1);
        QCOMPARE(script.messages().first().kind, Dialogs::Kind::Confirm);
        QCOMPARE(script.messages().first().title, QStringLiteral("确定删除"));
        QCOMPARE(script.messages().first().text, QStringLiteral("您确定要删除当前记录吗？"));
        QCOMPARE(script.messages().first().buttons, Dialogs::Buttons::OkCancel);
        QCOMPARE(contract(number).size(), ok ? 0 : 1);
        QCOMPARE(contracts(), ok ? 1 : 2);
        QCOMPARE(grid()->model()->rowCount(), ok ? 1 : 2);
        for (const char *table : {"计划付款情况表", "付款情况表", "发票情况表"})
            QCOMPARE(db->count(QString::fromUtf8(table), QStringLiteral("合同编号=?"), {number}), 1);
        verifyPanel(false);
    }

    void deleteWithNoContractShowsTheRefusal()
    {
        closeWindow();
        db->exec(QStringLiteral("delete from 合同基本信息表"));
        openWindow();
        Dialogs::Script script;
        Gui::click(button("BitBtn7"));
        QCOMPARE(script.texts(), (QStringList{QStringLiteral("您确定要删除当前记录吗？"), QStringLiteral("没有当前记录，无法删除。")}));
        QCOMPARE(script.messages().last().kind, Dialogs::Kind::Error);
    }

    void listsAreReadOnceAtOpening_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("combo");
        QTest::addColumn<QString>("entry");
        QTest::newRow("class") << "合同类别表" << "DBLookupComboBox2" << "服务类";
        QTest::newRow("project") << "项目清单" << "DBLookupComboBox1" << "02";
        QTest::newRow("company") << "公司清单" << "DBLookupComboBox3" << "第三分公司";
        QTest::newRow("counterparty") << "对方单位清单" << "DBLookupComboBox4" << "南方建材";
        QTest::newRow("handler") << "经办人清单" << "DBLookupComboBox5" << "王强";
    }

    void listsAreReadOnceAtOpening()
    {
        QFETCH(QString, table);
        QFETCH(QString, combo);
        QFETCH(QString, entry);
        if (table == QStringLiteral("项目清单"))
            db->insert(table, {entry, QStringLiteral("二号工程"), QStringLiteral("工程部")});
        else
            db->insert(table, {QStringLiteral("09"), entry});
        auto offered = [&] {
            auto *c = w->findChild<DBLookupComboBox *>(combo);
            return c && c->findText(entry) >= 0;
        };
        QVERIFY(!offered());
        closeWindow();
        openWindow();
        QVERIFY(offered());
    }

    void editingKeepsStoredDates_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("date edits never entered") << "untouched";
        QTest::newRow("pickers shown but not used") << "shown";
        QTest::newRow("date picked for the row before") << "pickedBefore";
    }

    void editingKeepsStoredDates()
    {
        QFETCH(QString, how);
        Dialogs::Script script;
        const QString first = QStringLiteral("20250001");
        const QString second = QStringLiteral("20250002");
        const QString secondDates = datesOf(second);
        Gui::click(button("BitBtn9"));
        if (how == QLatin1String("pickedBefore")) {
            Gui::focus(edit("DBEdit3"));
            pick(picker("DateTimePicker1"), QDate(2025, 3, 9));
            Gui::click(button("BitBtn4")); // stores the first contract, the second becomes current
            QCOMPARE(edit("DBEdit1")->text(), second);
        } else {
            Gui::click(button("BitBtn4"));
        }
        Gui::retype(edit("DBEdit2"), QStringLiteral("钢材采购二期"));
        if (how == QLatin1String("shown")) {
            Gui::focus(edit("DBEdit3"));
            QVERIFY(picker("DateTimePicker1")->isVisible());
            Gui::focus(edit("DBEdit7"));
            QVERIFY(picker("DateTimePicker2")->isVisible());
        }
        Gui::click(button("BitBtn6"));

        QCOMPARE(script.texts(), QStringList{kSaved});
        QCOMPARE(db->scalar(QStringLiteral("select 合同名称 from 合同基本信息表 where 合同编号=?"), {second}).toString(),
                 QStringLiteral("钢材采购二期"));
        QCOMPARE(datesOf(second), secondDates);
        QCOMPARE(datesOf(first), how == QLatin1String("pickedBefore") ? QStringLiteral("2025-03-09|2026-03-01")
                                                                      : QStringLiteral("2025-03-01|2026-03-01"));
    }

    void pickedDateOfAnExistingContractIsStored()
    {
        Dialogs::Script script;
        Gui::click(button("BitBtn9"));
        Gui::focus(edit("DBEdit7"));
        pick(picker("DateTimePicker2"), QDate(2026, 9, 30));
        Gui::click(button("BitBtn6"));
        QCOMPARE(script.texts(), QStringList{kSaved});
        QCOMPARE(datesOf(QStringLiteral("20250001")), QStringLiteral("2025-03-01|2026-09-30"));
    }

    void dateChangedInThePickerFromTheKeyboard()
    {
        Dialogs::Script script;
        Gui::click(button("BitBtn9"));
        Gui::focus(edit("DBEdit3"));
        DateTimePicker *signing = picker("DateTimePicker1");
        QTest::mouseClick(signing, Qt::LeftButton, Qt::NoModifier, QPoint(12, signing->height() / 2));
        QCOMPARE(signing->date(), QDate::currentDate());
        QCOMPARE(QApplication::focusWidget(), signing);
        QTest::keyClick(signing, Qt::Key_Up);
        QApplication::processEvents();
        const QDate chosen = signing->date();
        QVERIFY(chosen != QDate::currentDate());
        QVERIFY(!signing->isVisible());
        QCOMPARE(edit("DBEdit3")->text(), Format::date(chosen));
        // The focus goes on to the expiry date, which shows its own picker.
        QCOMPARE(QApplication::focusWidget(), edit("DBEdit7"));
        QVERIFY(picker("DateTimePicker2")->isVisible());
        Gui::click(button("BitBtn6"));
        QCOMPARE(script.texts(), QStringList{kSaved});
        QCOMPARE(datesOf(QStringLiteral("20250001")), Format::isoDate(chosen) + QStringLiteral("|2026-03-01"));
    }

    void reenteringADateEditSetsItsPickerToToday()
    {
        Dialogs::Script script;
        Gui::click(button("BitBtn9"));
        Gui::focus(edit("DBEdit3"));
        pick(picker("DateTimePicker1"), QDate(2025, 2, 1));
        QCOMPARE(edit("DBEdit3")->text(), QStringLiteral("2025/2/1"));
        Gui::focus(edit("DBEdit6"));
        Gui::focus(edit("DBEdit3"));
        QVERIFY(picker("DateTimePicker1")->isVisible());
        QCOMPARE(picker("DateTimePicker1")->date(), QDate::currentDate());
        Gui::click(button("BitBtn6"));
        // The date picked before re-entering is the one the row keeps.
        QCOMPARE(datesOf(QStringLiteral("20250001")), QStringLiteral("2025-02-01|2026-03-01"));
    }

    void duplicateNumberIsRefused()
    {
        Dialogs::Script script;
        Gui::click(button("BitBtn1"));
        Gui::retype(edit("DBEdit1"), QStringLiteral("20250002"));
        Gui::retype(edit("DBEdit2"), QStringLiteral("重复的合同"));
        Gui::click(button("BitBtn6"));

        QCOMPARE(script.texts(), QStringList{QStringLiteral("“合同编号”已有相同的值，不能重复保存。")});
        QCOMPARE(contracts(), 2);
        QCOMPARE(contract(QStringLiteral("20250002")).value(0).section(QLatin1Char('|'), 1, 1), QStringLiteral("钢材采购"));
        verifyPanel(true);
        QCOMPARE(edit("DBEdit1")->selectedText(), QStringLiteral("20250002"));

        script.clear();
        Gui::retype(edit("DBEdit1"), QStringLiteral("20250003"));
        Gui::click(button("BitBtn6"));
        QCOMPARE(script.texts(), QStringList{kSaved});
        QCOMPARE(contracts(), 3);
        QCOMPARE(contract(QStringLiteral("20250003")).value(0).section(QLatin1Char('|'), 1, 1), QStringLiteral("重复的合同"));
    }

    void amountThatIsNoNumberIsRefused()
    {
        Dialogs::Script script;
        Gui::click(button("BitBtn1"));
        Gui::retype(edit("DBEdit1"), QStringLiteral("20260001"));
        Gui::retype(edit("DBEdit4"), QStringLiteral("12万"));
        Gui::click(button("BitBtn6"));

        QCOMPARE(script.texts(), QStringList{QStringLiteral("“合同金额”不能保存“12万”：不是有效的金额，请输入数字。")});
        QCOMPARE(script.messages().first().kind, Dialogs::Kind::Error);
        QCOMPARE(contracts(), 2);
        verifyPanel(true);
        QCOMPARE(edit("DBEdit1")->text(), QStringLiteral("20260001"));
        QCOMPARE(edit("DBEdit4")->text(), QStringLiteral("12万"));

        script.clear();
        Gui::retype(edit("DBEdit4"), QStringLiteral("120000"));
        Gui::click(button("BitBtn6"));
        QCOMPARE(script.texts(), QStringList{kSaved});
        QCOMPARE(db->scalar(QStringLiteral("select 合同金额 from 合同基本信息表 where 合同编号='20260001'")).toDouble(),
                 120000.0);
    }

    void exportWritesTheGridWithItsTitles_data()
    {
        QTest::addColumn<bool>("startFails");
        QTest::newRow("spreadsheet program started") << false;
        QTest::newRow("no spreadsheet program") << true;
    }

    void exportWritesTheGridWithItsTitles()
    {
        QFETCH(bool, startFails);
        Dialogs::Script script;
        RecordingSpreadsheet::Log log;
        log.failCreate = startFails;
        SpreadsheetApp::ScopedFactory factory(RecordingSpreadsheet::factory(&log));
        QCOMPARE(Gui::find<QAction>(w, "EXCELE1")->text(), QStringLiteral("导出到EXCEL(&E)"));
        Gui::find<QAction>(w, "EXCELE1")->trigger();

        QVERIFY(script.messages().isEmpty());
        if (startFails) {
            QVERIFY(log.matching(QStringLiteral("Worksheets")).isEmpty());
            return;
        }
        const QStringList ops = log.operations;
        QVERIFY(ops.contains(QStringLiteral("Workbooks(1).Worksheets(1).Name=DBGrid1")));
        QVERIFY(ops.contains(QStringLiteral("Worksheets(1).Cells(1,6)=text:经办人")));
        QVERIFY(ops.contains(QStringLiteral("Worksheets(1).Cells(1,11)=text:审计")));
        QVERIFY(ops.contains(QStringLiteral("Worksheets(1).Cells(2,1)=text:20250001")));
        QVERIFY(ops.contains(QStringLiteral("Visible=true")));
    }
};

const QString TestWrite::kSaved = QStringLiteral("您所做的操作已保存！");
const QString TestWrite::kBadNumber = QStringLiteral("合同编号必须为8位，请重新输入");

KD_TEST(TestWrite)
#include "tst_write.moc"
