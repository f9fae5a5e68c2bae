#include "platform/Dialogs.h"
#include "platform/data/Dataset.h"
#include "support/RecordingSpreadsheet.h"
#include "platform/widgets/DBGrid.h"
#include "reports/TTiXin.h"
#include "support/Gui.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTest>

#include <memory>

namespace {

// "合同编号 剩余天数" of every listed row, sorted by contract number.
QStringList listed(TTiXin *w)
{
    QStringList out;
    for (int r = 0; r < w->ADOQuery1->recordCount(); ++r)
        out << w->ADOQuery1->text(r, 0) + QLatin1Char(' ') + w->ADOQuery1->text(r, 3);
    out.sort();
    return out;
}

} // namespace

// The payment reminders: which planned payments are due, the lead days
// saved and re-run, and lead days that are no whole number refused.
class TestTiXin : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDb> db;

    // Planned payments dated today plus the given number of days, one per
    // contract "D<offset>".
    void plan(const QList<int> &offsets)
    {
        for (int d : offsets)
            db->insert(QStringLiteral("计划付款情况表"),
                       {QStringLiteral("D%1").arg(d), QDate::currentDate().addDays(d), 100.0 + d, QStringLiteral("第%1天").arg(d)});
    }

    std::unique_ptr<TTiXin> open()
    {
        auto w = std::make_unique<TTiXin>();
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        w->show();
        QApplication::processEvents();
        return w;
    }

    void setStoredDays(const QVariant &days) { db->exec(QStringLiteral("update 提醒天数 set 天数=?"), {days}); }

private Q_SLOTS:
    void init()
    {
        db = std::make_unique<TestDb>();
        plan({-40, -6, -5, -4, -1, 0, 1, 29, 30, 31});
    }
    void cleanup() { db.reset(); }

    void opensWithTheStoredDaysAndItsList()
    {
        Dialogs::Script script;
        setStoredDays(3);
        auto w = open();
        QCOMPARE(w->windowTitle(), QStringLiteral("付款提醒"));
        QCOMPARE(w->Edit1->text(), QStringLiteral("3"));
        QCOMPARE(w->DBGrid1->titles(), QStringList({"合同编号", "计划付款日期", "计划付款金额", "剩余天数", "备注"}));
        QCOMPARE(listed(w.get()), QStringList({"D-1 -1", "D-4 -4", "D-40 -40", "D-5 -5", "D-6 -6", "D0 0", "D1 1"}));
        // Dates show in the short date format, amounts in general number format.
        auto *delegate = qobject_cast<QStyledItemDelegate *>(w->DBGrid1->itemDelegate());
        QVERIFY(delegate);
        for (int r = 0; r < w->ADOQuery1->recordCount(); ++r) {
            const int offset = w->ADOQuery1->text(r, 3).toInt();
            const QString date = delegate->displayText(w->DBGrid1->model()->index(r, 1).data(), QLocale());
            QCOMPARE(date, QDate::currentDate().addDays(offset).toString(QStringLiteral("yyyy/M/d")));
            QCOMPARE(w->DBGrid1->model()->index(r, 2).data().toString(), QString::number(100 + offset));
        }
        QVERIFY(script.messages().isEmpty());
    }

    void leadDays_data()
    {
        QTest::addColumn<QString>("days");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("0: today and earlier")
            << "0" << QStringList({"D-1 -1", "D-4 -4", "D-40 -40", "D-5 -5", "D-6 -6", "D0 0"});
        QTest::newRow("30: one due in 30 days, not in 31")
            << "30" << QStringList({"D-1 -1", "D-4 -4", "D-40 -40", "D-5 -5", "D-6 -6", "D0 0", "D1 1", "D29 29", "D30 30"});
        QTest::newRow("-5: five or more days ago") << "-5" << QStringList({"D-40 -40", "D-5 -5", "D-6 -6"});
        QTest::newRow("blanks around the number") << " 1 " << QStringList({"D-1 -1", "D-4 -4", "D-40 -40", "D-5 -5", "D-6 -6", "D0 0", "D1 1"});
    }
    void leadDays()
    {
        QFETCH(QString, days);
        QFETCH(QStringList, expected);
        Dialogs::Script script;
        auto w = open();
        Gui::retype(w->Edit1, days);
        Gui::click(w->SpeedButton2);
        QCOMPARE(listed(w.get()), expected);
        QVERIFY(script.messages().isEmpty());
    }

    void aPaidPlannedPaymentStaysListed()
    {
        Dialogs::Script script;
        db->insert(QStringLiteral("付款情况表"), {QStringLiteral("D-4"), QDate::currentDate().addDays(-4), 96.0,
                                                 QStringLiteral("现金"), QStringLiteral("张明"), QStringLiteral("P1"), QString()});
        setStoredDays(0);
        auto w = open();
        QVERIFY(listed(w.get()).contains(QStringLiteral("D-4 -4")));
    }

    void confirmSavesAndSaysSoButDoesNotRerun()
    {
        Dialogs::Script script;
        setStoredDays(0);
        auto w = open();
        const QStringList before = listed(w.get());
        Gui::retype(w->Edit1, QStringLiteral("7"));
        Gui::click(w->SpeedButton1);
        QCOMPARE(script.texts(), QStringList({"提前提醒天数设置已为：7天！"}));
        QCOMPARE(db->rows(QStringLiteral("select 天数 from 提醒天数")), QStringList({"7"}));
        QCOMPARE(listed(w.get()), before);
    }

    void refreshUsesTheTypedValueAndReopeningTheSavedOne()
    {
        Dialogs::Script script;
        setStoredDays(0);
        auto w = open();
        Gui::retype(w->Edit1, QStringLiteral("30"));
        Gui::click(w->SpeedButton2);
        QVERIFY(listed(w.get()).contains(QStringLiteral("D30 30")));
        QCOMPARE(db->rows(QStringLiteral("select 天数 from 提醒天数")), QStringList({"0"}));
        w.reset();
        auto again = open();
        QCOMPARE(again->Edit1->text(), QStringLiteral("0"));
        QVERIFY(!listed(again.get()).contains(QStringLiteral("D30 30")));
        QVERIFY(script.messages().isEmpty());
    }

    void notAWholeNumberIsRefused_data()
    {
        QTest::addColumn<QString>("days");
        QTest::newRow("letters") << "abc";
        QTest::newRow("a statement") << "7 or 1=1";
        QTest::newRow("a fraction") << "1.5";
        QTest::newRow("empty") << "";
        QTest::newRow("a quote") << "7'";
    }
    void notAWholeNumberIsRefused()
    {
        QFETCH(QString, days);
        Dialogs::Script script;
        setStoredDays(2);
        auto w = open();
        const QStringList before = listed(w.get());
        QVERIFY(!before.isEmpty());
        Gui::retype(w->Edit1, days);
        Gui::click(w->SpeedButton1);
        QCOMPARE(listed(w.get()), before); // saving does not re-run the list
        Gui::click(w->SpeedButton2);
        const QString refusal = QStringLiteral("提前提醒天数必须是整数（可以为负数），请重新输入！");
        QCOMPARE(script.texts(), QStringList({refusal, refusal}));
        QCOMPARE(script.messages().first().kind, Dialogs::Kind::Warning);
        QCOMPARE(db->rows(QStringLiteral("select 天数 from 提醒天数")), QStringList({"2"}));
        QCOMPARE(listed(w.get()), QStringList());
        QCOMPARE(w->DBGrid1->model()->rowCount(), 0);
        QCOMPARE(w->Edit1->text(), days);
    }

    void anEmptyStoredValueStillOpensTheWindow()
    {
        Dialogs::Script script;
        setStoredDays(QVariant());
        auto w = open();
        QVERIFY(w->isVisible());
        QCOMPARE(w->Edit1->text(), QString());
        QCOMPARE(w->ADOQuery1->recordCount(), 0);
        QCOMPARE(script.texts(), QStringList({"提前提醒天数必须是整数（可以为负数），请重新输入！"}));
    }

    void anEmptySettingsTableStillShowsTheMessage()
    {
        Dialogs::Script script;
        db->exec(QStringLiteral("delete from 提醒天数"));
        auto w = open();
        Gui::retype(w->Edit1, QStringLiteral("5"));
        Gui::click(w->SpeedButton1);
        QCOMPARE(script.lastText(), QStringLiteral("提前提醒天数设置已为：5天！"));
        QCOMPARE(db->count(QStringLiteral("提醒天数")), 0);
    }

    // The pop-up command exports the list as shown; without a spreadsheet
    // program it stays silent.
    void exportThroughThePopUpMenu_data()
    {
        QTest::addColumn<bool>("spreadsheetMissing");
        QTest::newRow("exported") << false;
        QTest::newRow("no spreadsheet program: no message") << true;
    }
    void exportThroughThePopUpMenu()
    {
        QFETCH(bool, spreadsheetMissing);
        RecordingSpreadsheet::Log log;
        log.failCreate = spreadsheetMissing;
        SpreadsheetApp::ScopedFactory factory(RecordingSpreadsheet::factory(&log));
        Dialogs::Script script;
        setStoredDays(-5);
        auto w = open();
        w->PopupMenu1->popup(w->DBGrid1->viewport()->mapToGlobal(QPoint(10, 10)));
        QVERIFY(QTest::qWaitForWindowExposed(w->PopupMenu1));
        QTest::keyClick(w->PopupMenu1, Qt::Key_O);
        QApplication::processEvents();
        QCOMPARE(script.texts(), QStringList());
        if (spreadsheetMissing) {
            QCOMPARE(log.operations, QStringList({"create Excel.Application"}));
            return;
        }
        QCOMPARE(log.created, 1);
        QCOMPARE(log.matching(QStringLiteral("Workbooks(1).Worksheets(1).Name=")),
                 QStringList({"Workbooks(1).Worksheets(1).Name=DBGrid1"}));
        QCOMPARE(log.matching(QStringLiteral("Worksheets(1).Cells(1,")),
                 QStringList({"Worksheets(1).Cells(1,1)=text:合同编号", "Worksheets(1).Cells(1,2)=text:计划付款日期",
                              "Worksheets(1).Cells(1,3)=text:计划付款金额", "Worksheets(1).Cells(1,4)=text:剩余天数",
                              "Worksheets(1).Cells(1,5)=text:备注"}));
        // A title row and the three rows listed (-40, -6 and -5 days).
        QStringList numbers;
        for (int row = 2; row <= 4; ++row)
            for (const QString &op : log.matching(QStringLiteral("Worksheets(1).Cells(%1,1)=").arg(row)))
                numbers << op.section(QLatin1Char('='), 1);
        numbers.sort();
        QCOMPARE(numbers, QStringList({"text:D-40", "text:D-5", "text:D-6"}));
        QVERIFY(log.matching(QStringLiteral("Worksheets(1).Cells(5,")).isEmpty());
        QVERIFY(log.operations.contains(QStringLiteral("Visible=true")));
    }

    void controlsAsTheUserSeesThem()
    {
        Dialogs::Script script;
        auto w = open();
        QCOMPARE(w->Label1->text(), QStringLiteral("请提前"));
        QCOMPARE(w->Label2->text(), QStringLiteral("天通知我"));
        QCOMPARE(w->Label3->text(), QStringLiteral("按右键可导出数据至Excel"));
        QCOMPARE(w->Label3->palette().color(QPalette::WindowText), QColor(Qt::red));
        QCOMPARE(w->DBGrid1->palette().color(QPalette::Text), QColor(Qt::red));
        QCOMPARE(w->DBGrid1->model()->data(w->DBGrid1->model()->index(0, 0), Qt::TextAlignmentRole).value<Qt::Alignment>(),
                 Qt::Alignment(Qt::AlignCenter));
        QCOMPARE(w->ExcelO1->text(), QStringLiteral("导出到Excel(&O)"));
        QVERIFY(w->PopupMenu1->actions().contains(w->ExcelO1));
        QVERIFY(!(w->windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(w->windowFlags() & Qt::WindowCloseButtonHint);
    }
};

KD_TEST(TestTiXin)
#include "tst_tixin.moc"
