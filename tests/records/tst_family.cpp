#include "platform/Dialogs.h"
#include "platform/data/Dataset.h"
#include "platform/widgets/DBGrid.h"
#include "platform/widgets/DBLookupComboBox.h"
#include "platform/widgets/DateTimePicker.h"
#include "records/TInvoice.h"
#include "records/TPay.h"
#include "records/TPlan.h"
#include "support/Gui.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <memory>

using Gui::find;

namespace {

// The three windows of the family and the table each one keeps.
struct Family {
    QString table;
    QString dateColumn;
    QString amountColumn;
    int columnCount;
};

Family familyOf(const QString &window)
{
    if (window == QLatin1String("TPlan"))
        return {QStringLiteral("计划付款情况表"), QStringLiteral("计划付款日期"), QStringLiteral("计划付款金额"), 4};
    if (window == QLatin1String("TPay"))
        return {QStringLiteral("付款情况表"), QStringLiteral("付款日期"), QStringLiteral("付款金额"), 7};
    return {QStringLiteral("发票情况表"), QStringLiteral("收票日期"), QStringLiteral("发票金额"), 6};
}

RecordWindow *makeWindow(const QString &window)
{
    if (window == QLatin1String("TPlan"))
        return new TPlan;
    if (window == QLatin1String("TPay"))
        return new TPay;
    return new TInvoice;
}

// A window shown as the user sees it; deleted at the end unless it closed itself.
struct Opened {
    QPointer<RecordWindow> w;
    explicit Opened(const QString &window) : w(makeWindow(window))
    {
        w->show();
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w))
            qWarning("window not active");
    }
    ~Opened() { delete w.data(); }
    RecordWindow *operator->() const { return w; }
    DBGrid *grid() const { return find<DBGrid>(w, "DBGrid1"); }
    Dataset *query() const { return find<Dataset>(w, "ADOQuery1"); }
    QLineEdit *edit(const char *name) const { return find<QLineEdit>(w, name); }
    QPushButton *button(const char *name) const { return find<QPushButton>(w, name); }
    DBLookupComboBox *contracts() const { return find<DBLookupComboBox>(w, "DBLookupComboBox1"); }
    DateTimePicker *picker() const { return find<DateTimePicker>(w, "DateTimePicker1"); }

    // The texts of one grid column, top to bottom.
    QStringList column(int c) const
    {
        QStringList out;
        QAbstractItemModel *m = grid()->model();
        for (int r = 0; r < m->rowCount(); ++r)
            out << m->data(m->index(r, c)).toString();
        return out;
    }
    // The editor open on a grid cell, if any.
    QLineEdit *cellEditor() const
    {
        QLineEdit *e = grid()->viewport()->findChild<QLineEdit *>();
        return e && e->isVisible() ? e : nullptr;
    }
    // A click on a cell that should open its editor (after the double-click
    // interval, as the grid tells a click from a double click).
    QLineEdit *clickToEdit(int row, int column) const
    {
        Gui::clickCell(grid(), row, column);
        if (!QTest::qWaitFor([&] { return cellEditor() != nullptr; }, 3000))
            qWarning("no cell editor opened");
        return cellEditor();
    }
    bool typeIntoCell(int row, int column, const QString &text) const
    {
        QLineEdit *editor = clickToEdit(row, column);
        if (editor)
            Gui::retype(editor, text);
        return editor != nullptr;
    }
};

// Row values of a record table in stored order, one text per row.
QVariantList row(const QString &number, const QDate &date, double amount, const QString &window)
{
    const QString remark = QStringLiteral("备注") + number.right(1);
    if (window == QLatin1String("TPlan"))
        return {number, date, amount, remark};
    if (window == QLatin1String("TPay"))
        return {number, date, amount, QStringLiteral("现金"), QStringLiteral("张明"), QStringLiteral("P1"), remark};
    return {number, date, amount, QStringLiteral("张明"), QStringLiteral("V1"), remark};
}

void addWindows()
{
    QTest::addColumn<QString>("window");
    for (const char *w : {"TPlan", "TPay", "TInvoice"})
        QTest::newRow(w) << QString::fromLatin1(w);
}

Dialogs::Message confirmAdd()
{
    return {Dialogs::Kind::Confirm, QStringLiteral("确认增加"), QStringLiteral("您确定要增加记录吗？"),
            Dialogs::Buttons::OkCancel};
}

bool sameMessage(const Dialogs::Message &a, const Dialogs::Message &b)
{
    return a.kind == b.kind && a.title == b.title && a.text == b.text;
}

QString addedMessage(const QString &window)
{
    if (window == QLatin1String("TPay"))
        return QStringLiteral("付款记录增加成功！");
    if (window == QLatin1String("TInvoice"))
        return QStringLiteral("发票已成功登记！");
    return QString();
}

} // namespace

// The planned payments, payments and invoices windows, driven through their
// controls: what reaches the table, what is shown, what is kept.
class TestFamily : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDb> db;

    void seed(const QString &window, const QStringList &numbers)
    {
        const Family f = familyOf(window);
        int i = 0;
        for (const QString &n : numbers) {
            db->insert(f.table, row(n, QDate(2026, 3, 1 + i), 100.0 * (i + 1), window));
            ++i;
        }
    }

private Q_SLOTS:
    void init() { db = std::make_unique<TestDb>(); }
    void cleanup() { db.reset(); }

    void opensWithSortedRowsAndItsColumns_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("TPlan") << QStringLiteral("TPlan") << QStringLiteral("计划付款设置")
                               << QStringList{QStringLiteral("合同编号"), QStringLiteral("计划付款日期"),
                                              QStringLiteral("计划付款金额"), QStringLiteral("备注")};
        QTest::newRow("TPay") << QStringLiteral("TPay") << QStringLiteral("付款登记")
                              << QStringList{QStringLiteral("合同编号"), QStringLiteral("付款日期"),
                                             QStringLiteral("付款金额"), QStringLiteral("付款方式"),
                                             QStringLiteral("经办人员"), QStringLiteral("凭证号码"),
                                             QStringLiteral("备注")};
        QTest::newRow("TInvoice") << QStringLiteral("TInvoice") << QStringLiteral("发票登记")
                                  << QStringList{QStringLiteral("合同编号"), QStringLiteral("收票日期"),
                                                 QStringLiteral("发票金额"), QStringLiteral("经办人员"),
                                                 QStringLiteral("凭证号码"), QStringLiteral("备注")};
    }
    void opensWithSortedRowsAndItsColumns()
    {
        QFETCH(QString, window);
        QFETCH(QString, title);
        QFETCH(QStringList, titles);
        seed(window, {QStringLiteral("00000003"), QStringLiteral("00000001"), QStringLiteral("00000002")});
        Opened w(window);
        QCOMPARE(w->windowTitle(), title);
        QCOMPARE(w.grid()->titles(), titles);
        QVERIFY(w.grid()->isReadOnly());
        QCOMPARE(w.column(0), (QStringList{QStringLiteral("00000001"), QStringLiteral("00000002"),
                                           QStringLiteral("00000003")}));
        QCOMPARE(w.column(1).first(), QStringLiteral("2026/3/2"));
        QCOMPARE(find<QComboBox>(w.w, "ComboBox1")->currentText(), QStringLiteral("合同编号"));
        QCOMPARE(w.picker()->date(), QDate::currentDate());
        QVERIFY(w.contracts()->keyValue().isEmpty());
    }

    void planColumnWidthsAfterEveryListing()
    {
        seed(QStringLiteral("TPlan"), {QStringLiteral("00000001")});
        Opened w(QStringLiteral("TPlan"));
        auto widths = [&] {
            QList<int> out;
            for (int c = 0; c < 4; ++c)
                out << w.grid()->columnWidth(c);
            return out;
        };
        const QList<int> expected{80, 100, 100, 160};
        QCOMPARE(widths(), expected);
        w.grid()->setColumnWidth(3, 300);
        Gui::click(w.button("BitBtn1"));
        QCOMPARE(widths(), expected);
    }

    void searchFindsTheNumberAnywhere_data()
    {
        addWindows();
    }
    void searchFindsTheNumberAnywhere()
    {
        QFETCH(QString, window);
        Dialogs::Script script;
        seed(window, {QStringLiteral("22222222"), QStringLiteral("01000000"), QStringLiteral("10000000"),
                      QStringLiteral("00010000"), QStringLiteral("20000001")});
        Opened w(window);

        // Enter in the search text; the result keeps the table's order.
        Gui::focus(w.edit("Edit1"));
        Gui::typeText(w.edit("Edit1"), QStringLiteral("01"));
        Gui::pressEnter(w.edit("Edit1"));
        QCOMPARE(w.column(0), (QStringList{QStringLiteral("01000000"), QStringLiteral("00010000"),
                                           QStringLiteral("20000001")}));

        // The button, a wildcard acting as one, and a quote that is only a character.
        Gui::retype(w.edit("Edit1"), QStringLiteral("2_2"));
        Gui::click(w.button("BitBtn1"));
        QCOMPARE(w.column(0), QStringList{QStringLiteral("22222222")});
        Gui::retype(w.edit("Edit1"), QStringLiteral("0'1"));
        Gui::click(w.button("BitBtn1"));
        QCOMPARE(w.column(0), QStringList());
        QVERIFY(script.messages().isEmpty());

        // An empty search lists every row, unsorted.
        Gui::retype(w.edit("Edit1"), QString());
        Gui::click(w.button("BitBtn1"));
        QCOMPARE(w.column(0).size(), 5);
        QCOMPARE(w.column(0).first(), QStringLiteral("22222222"));
    }

    void addWithoutChosenContract_data()
    {
        addWindows();
    }
    void addWithoutChosenContract()
    {
        QFETCH(QString, window);
        const Family f = familyOf(window);
        Dialogs::Script script;
        db->exec(QStringLiteral("insert into 合同基本信息表(合同编号) values('00000001')"));
        seed(window, {QStringLiteral("00000003"), QStringLiteral("00000001")});
        Opened w(window);

        // A narrowed list and a date picked by the user before the add.
        Gui::retype(w.edit("Edit1"), QStringLiteral("03"));
        Gui::click(w.button("BitBtn1"));
        QCOMPARE(w.query()->recordCount(), 1);
        w.picker()->setDate(QDate(2026, 5, 20));
        Gui::retype(w.edit("Edit3"), QStringLiteral("1500.5"));
        Gui::retype(w.edit("Edit4"), QStringLiteral("首付款"));
        Gui::click(w.button("BitBtn11"));

        QCOMPARE(db->rows(QStringLiteral("select * from %1 where 合同编号 = ''").arg(f.table)).size(), 1);
        const QStringList stored = db->rows(
            QStringLiteral("select %1, %2, 备注 from %3 where 合同编号 = ''").arg(f.dateColumn, f.amountColumn, f.table));
        QCOMPARE(stored, QStringList{QStringLiteral("2026-05-20|1500.5|首付款")});

        QList<Dialogs::Message> expected{confirmAdd()};
        if (!addedMessage(window).isEmpty())
            expected << Dialogs::Message{Dialogs::Kind::Information, QString(), addedMessage(window),
                                         Dialogs::Buttons::Ok};
        QCOMPARE(script.messages().size(), expected.size());
        for (int i = 0; i < expected.size(); ++i)
            QVERIFY2(sameMessage(script.messages()[i], expected[i]), qPrintable(script.messages()[i].text));

        // Emptied and re-listed: every row, unsorted, the new one last; picker on today.
        QVERIFY(w.edit("Edit1")->text().isEmpty());
        QVERIFY(w.edit("Edit3")->text().isEmpty());
        QVERIFY(w.edit("Edit4")->text().isEmpty());
        QCOMPARE(w.picker()->date(), QDate::currentDate());
        QCOMPARE(w.column(0), (QStringList{QStringLiteral("00000003"), QStringLiteral("00000001"), QString()}));
    }

    void addKeepsTheChosenContract_data()
    {
        addWindows();
    }
    void addKeepsTheChosenContract()
    {
        QFETCH(QString, window);
        const Family f = familyOf(window);
        Dialogs::Script script;
        db->exec(QStringLiteral("insert into 合同基本信息表(合同编号) values('00000001'),('00000002')"));
        Opened w(window);
        QCOMPARE(w.contracts()->count(), 2);
        Gui::focus(w.contracts());
        QTest::keyClick(w.contracts(), Qt::Key_Down);
        QTest::keyClick(w.contracts(), Qt::Key_Down);
        QCOMPARE(w.contracts()->keyValue(), QStringLiteral("00000002"));
        for (const char *amount : {"10", "20.25"}) {
            Gui::retype(w.edit("Edit3"), QString::fromLatin1(amount));
            Gui::click(w.button("BitBtn11"));
        }
        QCOMPARE(w.contracts()->keyValue(), QStringLiteral("00000002"));
        QCOMPARE(db->rows(QStringLiteral("select 合同编号, %1 from %2").arg(f.amountColumn, f.table)),
                 (QStringList{QStringLiteral("00000002|10"), QStringLiteral("00000002|20.25")}));
        QCOMPARE(w.column(0).size(), 2);
    }

    void refusedOrCancelledAddChangesNothing_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("refusal");
        for (const char *w : {"TPlan", "TPay", "TInvoice"}) {
            const QString window = QString::fromLatin1(w);
            const Family f = familyOf(window);
            QTest::addRow("%s refused amount", w)
                << window << true << QStringLiteral("12元")
                << QStringLiteral("“%1”不能保存“12元”：不是有效的金额，请输入数字。").arg(f.amountColumn);
            QTest::addRow("%s cancelled", w) << window << false << QStringLiteral("35") << QString();
        }
    }
    void refusedOrCancelledAddChangesNothing()
    {
        QFETCH(QString, window);
        QFETCH(bool, answer);
        QFETCH(QString, amount);
        QFETCH(QString, refusal);
        const Family f = familyOf(window);
        Dialogs::Script script;
        seed(window, {QStringLiteral("00000001"), QStringLiteral("00000002")});
        Opened w(window);
        Gui::retype(w.edit("Edit1"), QStringLiteral("02"));
        Gui::pressEnter(w.edit("Edit1"));
        QCOMPARE(w.column(0), QStringList{QStringLiteral("00000002")});
        // Written behind the window's back: a re-read list would show it.
        seed(window, {QStringLiteral("00000002")});
        Gui::retype(w.edit("Edit3"), amount);
        Gui::retype(w.edit("Edit4"), QStringLiteral("留着"));
        w.picker()->setDate(QDate(2026, 7, 1));

        script.answer(answer);
        Gui::click(w.button("BitBtn11"));

        QCOMPARE(db->count(f.table), 3);
        QList<Dialogs::Message> expected{confirmAdd()};
        if (!refusal.isEmpty())
            expected << Dialogs::Message{Dialogs::Kind::Error, QString(), refusal, Dialogs::Buttons::Ok};
        QCOMPARE(script.texts().size(), expected.size());
        for (int i = 0; i < expected.size(); ++i)
            QVERIFY2(sameMessage(script.messages()[i], expected[i]), qPrintable(script.messages()[i].text));
        QCOMPARE(w.edit("Edit1")->text(), QStringLiteral("02"));
        QCOMPARE(w.edit("Edit3")->text(), amount);
        QCOMPARE(w.edit("Edit4")->text(), QStringLiteral("留着"));
        QCOMPARE(w.picker()->date(), QDate(2026, 7, 1));
        QCOMPARE(w.column(0), QStringList{QStringLiteral("00000002")});
    }

    void paymentMethodIsTheOneChosenLast()
    {
        Dialogs::Script script;
        Opened w(QStringLiteral("TPay"));
        auto *method = find<QComboBox>(w.w, "ComboBox2");
        QCOMPARE(method->count(), 5);
        auto add = [&](const char *amount) {
            Gui::retype(w.edit("Edit3"), QString::fromLatin1(amount));
            Gui::click(w.button("BitBtn11"));
        };
        add("1");
        Gui::focus(method);
        QTest::keyClick(method, Qt::Key_Down);
        QTest::keyClick(method, Qt::Key_Down);
        add("2");
        add("3");
        QCOMPARE(db->rows(QStringLiteral("select 付款金额, 付款方式 from 付款情况表")),
                 (QStringList{QStringLiteral("1|汇票"), QStringLiteral("2|现金"), QStringLiteral("3|现金")}));
        QCOMPARE(method->currentText(), QStringLiteral("现金"));
    }

    void freeTextsStoredExactlyAsTyped_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("handler");
        QTest::addColumn<QString>("voucher");
        QTest::addColumn<QString>("remark");
        for (const char *w : {"TPay", "TInvoice"}) {
            const QString window = QString::fromLatin1(w);
            QTest::addRow("%s typed", w) << window << QStringLiteral(" 不在清单里的人 ")
                                         << QStringLiteral("记-0012") << QStringLiteral("第二期 款");
            QTest::addRow("%s empty", w) << window << QString() << QString() << QString();
        }
    }
    void freeTextsStoredExactlyAsTyped()
    {
        QFETCH(QString, window);
        QFETCH(QString, handler);
        QFETCH(QString, voucher);
        QFETCH(QString, remark);
        const Family f = familyOf(window);
        Dialogs::Script script;
        db->exec(QStringLiteral("insert into 经办人清单 values('01','张明')"));
        Opened w(window);
        Gui::retype(w.edit("Edit3"), QStringLiteral("8"));
        Gui::retype(w.edit("Edit5"), handler);
        Gui::retype(w.edit("Edit6"), voucher);
        Gui::retype(w.edit("Edit4"), remark);
        Gui::click(w.button("BitBtn11"));
        QCOMPARE(db->rows(QStringLiteral("select 合同编号, 经办人员, 凭证号码, 备注, typeof(经办人员), typeof(凭证号码),"
                                         " typeof(备注) from %1").arg(f.table)),
                 QStringList{QStringLiteral("|%1|%2|%3|text|text|text").arg(handler, voucher, remark)});
        QVERIFY(w.edit("Edit5")->text().isEmpty());
        QVERIFY(w.edit("Edit6")->text().isEmpty());
    }

    void severalInvoicesOfOneContractAreSeveralRows()
    {
        Dialogs::Script script;
        db->exec(QStringLiteral("insert into 合同基本信息表(合同编号) values('00000005')"));
        Opened w(QStringLiteral("TInvoice"));
        Gui::focus(w.contracts());
        QTest::keyClick(w.contracts(), Qt::Key_Down);
        for (const char *amount : {"100", "100", "250.5"}) {
            Gui::retype(w.edit("Edit3"), QString::fromLatin1(amount));
            Gui::click(w.button("BitBtn11"));
        }
        QCOMPARE(script.texts().count(QStringLiteral("发票已成功登记！")), 3);
        QCOMPARE(db->count(QStringLiteral("发票情况表"), QStringLiteral("合同编号='00000005'")), 3);
        QCOMPARE(db->scalar(QStringLiteral("select sum(发票金额) from 发票情况表 where 合同编号='00000005'")).toDouble(),
                 450.5);
        QCOMPARE(w.column(0).size(), 3);
    }

    void navigationButtonsMoveTheCurrentRow()
    {
        seed(QStringLiteral("TPlan"), {QStringLiteral("00000002"), QStringLiteral("00000001"), QStringLiteral("00000003")});
        Opened w(QStringLiteral("TPlan"));
        auto current = [&] { return w.query()->text(QStringLiteral("合同编号")); };
        QCOMPARE(current(), QStringLiteral("00000001"));
        Gui::click(w.button("BitBtn5"));
        QCOMPARE(current(), QStringLiteral("00000003"));
        QCOMPARE(w.grid()->currentIndex().row(), 2);
        Gui::click(w.button("BitBtn3"));
        QCOMPARE(current(), QStringLiteral("00000002"));
        Gui::click(w.button("BitBtn2"));
        QCOMPARE(current(), QStringLiteral("00000001"));
        Gui::click(w.button("BitBtn4"));
        QCOMPARE(current(), QStringLiteral("00000002"));
        QCOMPARE(w.grid()->currentIndex().row(), 1);
    }

    void modifyWithNoRowOpensANewRow_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("endEditing");
        for (const char *w : {"TPlan", "TPay", "TInvoice"}) {
            QTest::addRow("%s row left", w) << QString::fromLatin1(w) << false;
            QTest::addRow("%s editing ended", w) << QString::fromLatin1(w) << true;
        }
    }
    void modifyWithNoRowOpensANewRow()
    {
        QFETCH(QString, window);
        QFETCH(bool, endEditing);
        const Family f = familyOf(window);
        Dialogs::Script script;
        Opened w(window);
        Gui::click(w.button("BitBtn9"));
        QCOMPARE(w.query()->state(), Dataset::Insert);
        QCOMPARE(w.grid()->model()->rowCount(), 1);
        QVERIFY(!w.grid()->isReadOnly());

        QLineEdit *editor = w.clickToEdit(0, 0);
        QVERIFY(editor);
        Gui::retype(editor, QStringLiteral("00000009"));
        if (endEditing) {
            Gui::clickCell(w.grid(), 0, 1);
            QCOMPARE(script.texts(), QStringList{QStringLiteral("您所做的修改已经保存！")});
            QVERIFY(w.grid()->isReadOnly());
        } else {
            Gui::click(w.button("BitBtn2"));
            QVERIFY(script.messages().isEmpty());
            QVERIFY(!w.grid()->isReadOnly());
        }
        QCOMPARE(db->rows(QStringLiteral("select 合同编号, %1 from %2").arg(f.amountColumn, f.table)),
                 QStringList{QStringLiteral("00000009|<null>")});
        QCOMPARE(w.query()->state(), Dataset::Browse);
    }

    void cellClickDuringEditing_data()
    {
        addWindows();
    }
    void cellClickDuringEditing()
    {
        QFETCH(QString, window);
        const Family f = familyOf(window);
        Dialogs::Script script;
        seed(window, {QStringLiteral("00000001"), QStringLiteral("00000002")});
        Opened w(window);

        // Read-only: a click only selects.
        Gui::clickCell(w.grid(), 0, 2);
        QVERIFY(!w.cellEditor());
        QCOMPARE(w.grid()->currentIndex(), w.grid()->model()->index(0, 2));

        Gui::click(w.button("BitBtn9"));
        QCOMPARE(w.query()->state(), Dataset::Edit);
        // The selected cell opens its editor and editing goes on.
        QLineEdit *editor = w.clickToEdit(0, 2);
        QVERIFY(editor);
        QVERIFY(!w.grid()->isReadOnly());
        QVERIFY(script.messages().isEmpty());
        Gui::retype(editor, QStringLiteral("888"));

        // Another row's cell stores the change and ends editing.
        Gui::clickCell(w.grid(), 1, 0);
        QCOMPARE(script.texts(), QStringList{QStringLiteral("您所做的修改已经保存！")});
        QVERIFY(w.grid()->isReadOnly());
        QCOMPARE(db->rows(QStringLiteral("select 合同编号, %1 from %2").arg(f.amountColumn, f.table)),
                 (QStringList{QStringLiteral("00000001|888"), QStringLiteral("00000002|200")}));

        // Read-only again: no editor, no message.
        Gui::clickCell(w.grid(), 1, 0);
        QTest::qWait(QApplication::doubleClickInterval() + 100);
        QVERIFY(!w.cellEditor());
        QCOMPARE(script.messages().size(), 1);
    }

    void refusedCellValueKeepsTheRowPending()
    {
        Dialogs::Script script;
        seed(QStringLiteral("TPay"), {QStringLiteral("00000001"), QStringLiteral("00000002")});
        Opened w(QStringLiteral("TPay"));
        Gui::clickCell(w.grid(), 0, 2);
        Gui::click(w.button("BitBtn9"));
        QLineEdit *editor = w.clickToEdit(0, 2);
        QVERIFY(editor);
        Gui::retype(editor, QStringLiteral("很多"));
        Gui::clickCell(w.grid(), 1, 2);
        QCOMPARE(script.texts(), QStringList{QStringLiteral("“付款金额”不能保存“很多”：不是有效的金额，请输入数字。")});
        QCOMPARE(w.query()->state(), Dataset::Edit);
        QCOMPARE(w.query()->currentRow(), 0);
        QVERIFY(!w.grid()->isReadOnly());
        QCOMPARE(w.grid()->selectionModel()->selectedIndexes(), QModelIndexList{w.grid()->model()->index(0, 2)});

        // Corrected, the next click on another cell stores it and ends editing.
        editor = w.clickToEdit(0, 2);
        QVERIFY(editor);
        Gui::retype(editor, QStringLiteral("120"));
        Gui::clickCell(w.grid(), 0, 3);
        QCOMPARE(script.texts().last(), QStringLiteral("您所做的修改已经保存！"));
        QVERIFY(w.grid()->isReadOnly());
        QCOMPARE(db->rows(QStringLiteral("select 付款金额 from 付款情况表 order by rowid")),
                 (QStringList{QStringLiteral("120"), QStringLiteral("200")}));
    }

    void identicalPaymentRows_data()
    {
        QTest::addColumn<bool>("remove");
        QTest::newRow("change") << false;
        QTest::newRow("delete") << true;
    }
    void identicalPaymentRows()
    {
        QFETCH(bool, remove);
        Dialogs::Script script;
        const QVariantList same{QStringLiteral("00000004"), QDate(2026, 4, 1), 500.0, QStringLiteral("汇票"),
                                QStringLiteral("李华"), QStringLiteral("P9"), QString()};
        db->insert(QStringLiteral("付款情况表"), same);
        db->insert(QStringLiteral("付款情况表"), same);
        Opened w(QStringLiteral("TPay"));
        Gui::clickCell(w.grid(), 1, 2);
        if (remove) {
            Gui::click(w.button("BitBtn7"));
            QCOMPARE(script.messages().size(), 1);
            QVERIFY(sameMessage(script.messages()[0], {Dialogs::Kind::Confirm, QStringLiteral("确定删除"),
                                                       QStringLiteral("您确定要删除当前记录吗？"),
                                                       Dialogs::Buttons::OkCancel}));
            QCOMPARE(db->rows(QStringLiteral("select 付款金额 from 付款情况表")), QStringList{QStringLiteral("500")});
            QCOMPARE(w.column(0).size(), 1);
        } else {
            Gui::click(w.button("BitBtn9"));
            QVERIFY(w.typeIntoCell(1, 2, QStringLiteral("501")));
            Gui::clickCell(w.grid(), 0, 2);
            QCOMPARE(db->rows(QStringLiteral("select 付款金额 from 付款情况表 order by 付款金额")),
                     (QStringList{QStringLiteral("500"), QStringLiteral("501")}));
        }
    }

    void deleteCancelledOrWithoutRows()
    {
        Dialogs::Script script;
        db->exec(QStringLiteral("insert into 合同基本信息表(合同编号) values('00000001')"));
        seed(QStringLiteral("TPlan"), {QStringLiteral("00000001")});
        Opened w(QStringLiteral("TPlan"));
        script.answer(false);
        Gui::click(w.button("BitBtn7"));
        QCOMPARE(db->count(QStringLiteral("计划付款情况表")), 1);
        QCOMPARE(script.messages().size(), 1);

        Gui::click(w.button("BitBtn7"));
        QCOMPARE(db->count(QStringLiteral("计划付款情况表")), 0);
        // The contract a planned payment named stays.
        QCOMPARE(db->count(QStringLiteral("合同基本信息表")), 1);

        script.clear();
        Gui::click(w.button("BitBtn7"));
        QCOMPARE(script.texts(), (QStringList{QStringLiteral("您确定要删除当前记录吗？"),
                                              QStringLiteral("没有当前记录，无法删除。")}));
    }

    void searchOrCloseDiscardsAPendingChange()
    {
        Dialogs::Script script;
        seed(QStringLiteral("TInvoice"), {QStringLiteral("00000001")});
        {
            Opened w(QStringLiteral("TInvoice"));
            Gui::click(w.button("BitBtn9"));
            QVERIFY(w.typeIntoCell(0, 0, QStringLiteral("00000077")));
            Gui::click(w.button("BitBtn1"));
            QCOMPARE(w.column(0), QStringList{QStringLiteral("00000001")});
            QVERIFY(!w.grid()->isReadOnly());

            QVERIFY(w.typeIntoCell(0, 0, QStringLiteral("00000078")));
            Gui::click(w.button("BitBtn10"));
            QTest::qWait(0);
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(w.w.isNull());
        }
        QCOMPARE(db->rows(QStringLiteral("select 合同编号 from 发票情况表")), QStringList{QStringLiteral("00000001")});
        QVERIFY(script.messages().isEmpty());
    }

    void closeBoxDiscardsAPendingChange_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("committed"); // the cell editor closed with Enter before closing
        for (const char *w : {"TPlan", "TPay", "TInvoice"}) {
            QTest::addRow("%s, cell committed", w) << QString::fromLatin1(w) << true;
            QTest::addRow("%s, cell editor open", w) << QString::fromLatin1(w) << false;
        }
    }
    void closeBoxDiscardsAPendingChange()
    {
        QFETCH(QString, window);
        QFETCH(bool, committed);
        const Family f = familyOf(window);
        Dialogs::Script script;
        seed(window, {QStringLiteral("00000001"), QStringLiteral("00000002")});
        const QStringList before = db->rows(QStringLiteral("select * from %1 order by rowid").arg(f.table));
        {
            Opened w(window);
            Gui::clickCell(w.grid(), 0, 2);
            Gui::click(w.button("BitBtn9"));
            QVERIFY(w.typeIntoCell(0, 2, QStringLiteral("999")));
            if (committed) {
                Gui::pressEnter(w.cellEditor());
                QCOMPARE(w.query()->state(), Dataset::Edit);
            }
            w->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(w.w.isNull());
        }
        QCOMPARE(db->rows(QStringLiteral("select * from %1 order by rowid").arg(f.table)), before);
        QVERIFY(script.messages().isEmpty());
    }

    void contractsAreReadAtOpening_data()
    {
        addWindows();
    }
    void contractsAreReadAtOpening()
    {
        QFETCH(QString, window);
        Dialogs::Script script;
        db->exec(QStringLiteral("insert into 合同基本信息表(合同编号) values('00000001')"));
        auto items = [](DBLookupComboBox *box) {
            QStringList out;
            for (int i = 0; i < box->count(); ++i)
                out << box->itemText(i);
            return out;
        };
        {
            Opened w(window);
            db->exec(QStringLiteral("insert into 合同基本信息表(合同编号) values('00000002')"));
            Gui::click(w.button("BitBtn1"));
            QCOMPARE(items(w.contracts()), QStringList{QStringLiteral("00000001")});
        }
        Opened again(window);
        QCOMPARE(items(again.contracts()), (QStringList{QStringLiteral("00000001"), QStringLiteral("00000002")}));
    }
};

KD_TEST(TestFamily)
#include "tst_family.moc"
