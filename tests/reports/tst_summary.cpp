#include "platform/Dialogs.h"
#include "platform/data/Dataset.h"
#include "platform/data/Format.h"
#include "platform/report/Report.h"
#include "support/RecordingSpreadsheet.h"
#include "platform/widgets/DBGrid.h"
#include "platform/widgets/DateTimePicker.h"
#include "reports/TQuickReport1.h"
#include "reports/TSummary.h"
#include "support/Gui.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <numeric>
#include <optional>

namespace {

// The tests' time zone is set when they start: today is asked each time.
QDate today()
{
    return QDate::currentDate();
}

QString day(int offset)
{
    return today().addDays(offset).toString(QStringLiteral("yyyy/M/d"));
}

// The cells of a grid row as shown, joined by "|".
QString shown(DBGrid *grid, int row)
{
    QStringList cells;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        cells << grid->model()->index(row, c).data().toString();
    return cells.join(QLatin1Char('|'));
}

int rowOf(DBGrid *grid, const QString &first)
{
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        if (grid->model()->index(r, 0).data().toString() == first)
            return r;
    return -1;
}

QStringList firstColumn(DBGrid *grid)
{
    QStringList out;
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        out << grid->model()->index(r, 0).data().toString();
    return out;
}

QList<double> values(const QBarSet *set)
{
    QList<double> out;
    for (int i = 0; i < set->count(); ++i)
        out << set->at(i);
    return out;
}

} // namespace

// The contract execution summary on a small ledger that has plans, payments
// and invoices in every combination, cents, and records naming no contract.
class TestSummary : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDb> db;
    std::unique_ptr<TSummary> w;

    void contract(const char *number, const char *party, const char *project, double amount, const QDate &signedOn)
    {
        db->insert(QStringLiteral("合同基本信息表"),
                   {QString::fromUtf8(number), QStringLiteral("合同") + QString::fromUtf8(number).right(1),
                    QString::fromUtf8(party), amount, QString(), QStringLiteral("王五"), signedOn, QVariant(),
                    QStringLiteral("工程类"), QString::fromUtf8(project), QStringLiteral("是"), QString(),
                    QStringLiteral("甲方公司")});
    }
    void plan(const char *number, int offset, double amount)
    {
        db->insert(QStringLiteral("计划付款情况表"), {QString::fromUtf8(number), today().addDays(offset), amount, QString()});
    }
    void pay(const char *number, int offset, double amount)
    {
        db->insert(QStringLiteral("付款情况表"), {QString::fromUtf8(number), today().addDays(offset), amount,
                                                 QStringLiteral("汇票"), QStringLiteral("李四"), QStringLiteral("PZ"), QString()});
    }
    void invoice(const char *number, double amount)
    {
        db->insert(QStringLiteral("发票情况表"), {QString::fromUtf8(number), today(), amount, QStringLiteral("李四"),
                                                 QStringLiteral("FP"), QString()});
    }

    void open()
    {
        w = std::make_unique<TSummary>();
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        w->show();
        QApplication::processEvents();
    }

private Q_SLOTS:
    void init()
    {
        db = std::make_unique<TestDb>();
        for (const char *p : {"01", "01-01", "01-02", "02", "02-01"})
            db->insert(QStringLiteral("项目清单"), {QString::fromUtf8(p), QStringLiteral("项目") + QString::fromUtf8(p), QString()});
        for (const char *p : {"甲公司", "乙公司", "丙公司", "丁公司"})
            db->insert(QStringLiteral("对方单位清单"), {QString::fromUtf8(p), QString::fromUtf8(p)});
        contract("C0000001", "甲公司", "01-01", 1000, QDate(2025, 1, 10));
        contract("C0000002", "乙公司", "01-02", 5000.5, QDate(2025, 3, 1));
        plan("C0000002", -10, 100.1);
        plan("C0000002", 0, 50.05);
        plan("C0000002", 20, 30.01);
        plan("C0000002", 40, 1);
        contract("C0000003", "乙公司", "02", 500, QDate(2025, 6, 30));
        plan("C0000003", -5, 500);
        pay("C0000003", -40, 200.25);
        pay("C0000003", 0, 299.75);
        invoice("C0000003", 500);
        contract("C0000004", "丙公司", "02-01", 100, QDate(2025, 7, 1));
        // Recorded in small letters: still this contract's.
        pay("c0000004", -1, 150);
        invoice("c0000004", 30.3);
        contract("C0000005", "丙公司", "02-01", 0, QDate(2024, 12, 31));
        pay("C0000005", -2, 0.1);
        pay("C0000005", -2, 0.2);
        contract("C0000006", "丁公司", "02", 800, QDate(2025, 2, 1));
        invoice("C0000006", 200);
        plan("X0000001", -1, 70.07);
        pay("X0000002", -3, 20.02);
        invoice("X0000001", 5);
    }
    void cleanup()
    {
        w.reset();
        db.reset();
    }

    void eachColumn_data()
    {
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QColor>("colour");
        const QColor plain(Qt::white), overdue(0xf6, 0xc4, 0xc4), overpaid(0xfb, 0xdd, 0x9c), paid(0xc8, 0xe8, 0xc4);
        QTest::newRow("nothing recorded: zeros") << "C0000001|合同1|甲公司|01-01|1000|0|0|0|1000|0|0|0|0|" << plain;
        QTest::newRow("plans before, on and after today")
            << "C0000002|合同2|乙公司|01-02|5000.5|181.16|150.15|0|5000.5|0|150.15|0|0|" + day(20) << overdue;
        QTest::newRow("paid in full in cents") << "C0000003|合同3|乙公司|02|500|500|500|500|0|100|0|500|0|" << paid;
        QTest::newRow("overpaid, partly invoiced") << "C0000004|合同4|丙公司|02-01|100|0|0|150|-50|150|0|30.3|119.7|" << overpaid;
        QTest::newRow("0.1 + 0.2 paid on no amount: no share") << "C0000005|合同5|丙公司|02-01|0|0|0|0.3|-0.3||0|0|0.3|" << overpaid;
        QTest::newRow("invoiced, never paid") << "C0000006|合同6|丁公司|02|800|0|0|0|800|0|0|200|0|" << plain;
        QTest::newRow("records naming no contract") << "无对应合同||||0|70.07|70.07|20.02|-20.02||50.05|5|15.02|"
                                                    << QColor(0xdc, 0xdc, 0xdc);
        QTest::newRow("totals, clipped columns added row by row")
            << "合计||||7400.5|751.23|720.22|670.32|6730.18|9.06|200.2|735.3|135.02|" + day(20) << QColor(0xdc, 0xe8, 0xf6);
    }
    void eachColumn()
    {
        QFETCH(QString, expected);
        QFETCH(QColor, colour);
        Dialogs::Script script;
        open();
        QCOMPARE(w->windowTitle(), QStringLiteral("合同执行汇总"));
        QCOMPARE(w->DBGrid1->titles(), QStringList({"合同编号", "合同名称", "对方单位", "项目", "合同金额", "计划付款合计",
                                                    "截至今日应付", "已付金额", "未付金额", "付款比例", "逾期未付", "已开票金额",
                                                    "已付未开票", "下次计划付款日期"}));
        const int row = rowOf(w->DBGrid1, expected.section(QLatin1Char('|'), 0, 0));
        QCOMPARE(shown(w->DBGrid1, row), expected);
        // What the clerk sees: the colour behind the row.
        const QRect cell = w->DBGrid1->visualRect(w->DBGrid1->model()->index(row, 3));
        const QImage picture = w->DBGrid1->viewport()->grab().toImage();
        QCOMPARE(picture.pixelColor(cell.right() - 3, cell.bottom() - 3), colour);
        QVERIFY(script.messages().isEmpty());
    }

    void filters_data()
    {
        QTest::addColumn<QString>("project");
        QTest::addColumn<QString>("party");
        QTest::addColumn<bool>("dates");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("totalAmount");
        const QString all = QStringLiteral("全部");
        QTest::newRow("none") << all << all << false << all
                              << QStringList{"C0000001", "C0000002", "C0000003", "C0000004", "C0000005", "C0000006",
                                             "无对应合同", "合计"}
                              << "7400.5";
        QTest::newRow("level-1 project with its level-2 projects")
            << "[01] 项目01" << all << false << all << QStringList{"C0000001", "C0000002", "合计"} << "6000.5";
        QTest::newRow("level-2 project") << "　[02-01] 项目02-01" << all << false << all
                                         << QStringList{"C0000004", "C0000005", "合计"} << "100";
        QTest::newRow("counterparty") << all << "乙公司" << false << all << QStringList{"C0000002", "C0000003", "合计"}
                                      << "5500.5";
        QTest::newRow("signing dates, both ends included")
            << all << all << true << all << QStringList{"C0000002", "C0000003", "合计"} << "5500.5";
        QTest::newRow("有逾期") << all << all << false << "有逾期" << QStringList{"C0000002", "合计"} << "5000.5";
        QTest::newRow("已付清: not a contract without an amount")
            << all << all << false << "已付清" << QStringList{"C0000003", "合计"} << "500";
        QTest::newRow("超付") << all << all << false << "超付" << QStringList{"C0000004", "C0000005", "合计"} << "100";
        QTest::newRow("已付未开票 with a counterparty")
            << all << "丙公司" << false << "已付未开票" << QStringList{"C0000004", "C0000005", "合计"} << "100";
    }
    void filters()
    {
        QFETCH(QString, project);
        QFETCH(QString, party);
        QFETCH(bool, dates);
        QFETCH(QString, status);
        QFETCH(QStringList, listed);
        QFETCH(QString, totalAmount);
        Dialogs::Script script;
        open();
        w->ComboBox1->setCurrentIndex(w->ComboBox1->findText(project));
        w->ComboBox2->setCurrentIndex(w->ComboBox2->findText(party));
        w->ComboBox3->setCurrentIndex(w->ComboBox3->findText(status));
        if (dates) {
            Gui::click(w->CheckBox1);
            w->DateTimePicker1->setDate(QDate(2025, 3, 1));
            w->DateTimePicker2->setDate(QDate(2025, 6, 30));
        }
        Gui::click(w->BitBtn1);
        QCOMPARE(firstColumn(w->DBGrid1), listed);
        QCOMPARE(shown(w->DBGrid1, listed.size() - 1).section(QLatin1Char('|'), 4, 4), totalAmount);
        QVERIFY(script.messages().isEmpty());
    }

    void doubleClickOpensTheContractsExecutionReport()
    {
        Dialogs::Script script;
        TQuickReport1 layout;
        QStringList previewed;
        report::Report::setPreviewHandler([&](const report::Report &r) {
            previewed << QStringLiteral("%1 %2 %3").arg(r.dataset()->text(0, 0)).arg(r.dataset()->recordCount()).arg(layout.QRLabel23->caption);
        });
        open();
        const auto doubleClick = [this](const QString &first) {
            const QRect cell = w->DBGrid1->visualRect(w->DBGrid1->model()->index(rowOf(w->DBGrid1, first), 1));
            QTest::mouseClick(w->DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(w->DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
        };
        doubleClick(QStringLiteral("C0000003"));
        doubleClick(QStringLiteral("合计"));
        doubleClick(QStringLiteral("C0000006"));
        report::Report::setPreviewHandler(nullptr);
        QCOMPARE(previewed, QStringList{"C0000003 2 500"});
        QCOMPARE(script.texts(), QStringList{"对不起，您选择的合同尚无付款记录，不能打印！"});
    }

    void exportsWhatTheGridShows()
    {
        Dialogs::Script script;
        RecordingSpreadsheet::Log log;
        SpreadsheetApp::ScopedFactory factory(RecordingSpreadsheet::factory(&log));
        open();
        Gui::click(w->BitBtn2);
        const QStringList cells = log.matching(QStringLiteral("Worksheets(1).Cells("));
        QCOMPARE(cells.size(), 14 * 9);
        QVERIFY(cells.contains(QStringLiteral("Worksheets(1).Cells(1,14)=text:下次计划付款日期")));
        QVERIFY(cells.contains(QStringLiteral("Worksheets(1).Cells(3,9)=number:5000.5")));
        QVERIFY(cells.contains(QStringLiteral("Worksheets(1).Cells(3,14)=date:") + Format::isoDate(today().addDays(20))));
        QVERIFY(cells.contains(QStringLiteral("Worksheets(1).Cells(9,1)=text:合计")));
        QVERIFY(cells.contains(QStringLiteral("Worksheets(1).Cells(9,10)=number:9.06")));
        QVERIFY(script.messages().isEmpty());
    }

    void printsLandscapeWithTheTotalsLast()
    {
        for (int i = 10; i < 50; ++i)
            contract(QStringLiteral("D00000%1").arg(i).toUtf8().constData(), "丁公司", "02", 1, QDate(2025, 2, 1));
        Dialogs::Script script;
        std::optional<report::Rendering> printed;
        QTemporaryDir dir;
        report::Report::setPreviewHandler([&](const report::Report &r) {
            QCOMPARE(r.paperSizeMm(), QSizeF(297, 210));
            printed = r.savePdf(dir.filePath(QStringLiteral("summary.pdf")));
        });
        open();
        Gui::click(w->BitBtn3);
        report::Report::setPreviewHandler(nullptr);
        QVERIFY(printed);
        QCOMPARE(printed->pageCount, 2);
        QCOMPARE(printed->text(QStringLiteral("QRLabel2"))->text,
                 QStringLiteral("项目：全部　对方单位：全部　签订日期：不限　状态：全部　截至") + day(0));
        const report::DrawnText last = printed->textsOf(QStringLiteral("QRDBText1")).last();
        QCOMPARE(last.page, 2);
        QCOMPARE(last.text, QStringLiteral("合计"));
        QCOMPARE(printed->textsOf(QStringLiteral("QRDBText5")).last().text, QStringLiteral("7440.5"));
    }

    void chartsFollowTheFilterAndSaveAsPng()
    {
        Dialogs::Script script;
        open();
        w->ComboBox2->setCurrentIndex(w->ComboBox2->findText(QStringLiteral("乙公司")));
        Gui::click(w->BitBtn1);
        w->PageControl1->setCurrentIndex(1);
        const auto *months = qobject_cast<QBarSeries *>(w->ChartView1->chart()->series().value(0));
        QVERIFY(months);
        const QList<double> planned = values(months->barSets().value(0)), paid = values(months->barSets().value(1));
        QCOMPARE(planned.size(), 30);
        QCOMPARE(std::accumulate(paid.begin(), paid.end(), 0.0), 500.0); // C0000003 only
        // The 24th month is this one; six more follow.
        auto *axis = qobject_cast<QBarCategoryAxis *>(w->ChartView1->chart()->axes(Qt::Horizontal).value(0));
        QCOMPARE(axis->categories().value(23), today().toString(QStringLiteral("yyyy/M")));
        QCOMPARE(std::accumulate(planned.begin(), planned.end(), 0.0), 681.16);

        w->ComboBox2->setCurrentIndex(0);
        Gui::click(w->BitBtn1);
        w->PageControl1->setCurrentIndex(2);
        const auto *owed = qobject_cast<QAbstractBarSeries *>(w->ChartView2->chart()->series().value(0));
        auto *parties = qobject_cast<QBarCategoryAxis *>(w->ChartView2->chart()->axes(Qt::Vertical).value(0));
        QCOMPARE(parties->categories(), QStringList({"丁公司", "甲公司", "乙公司"}));
        QCOMPARE(values(owed->barSets().value(0)), QList<double>({800, 1000, 5000.5}));

        QTemporaryDir dir;
        script.answerFile(dir.filePath(QStringLiteral("owed")));
        Gui::click(w->BitBtn6);
        const QString path = dir.filePath(QStringLiteral("owed.png"));
        QCOMPARE(script.texts(), QStringList{QStringLiteral("图片已保存为：") + path});
        QCOMPARE(QImage(path).size(), w->ChartView2->size());
    }
};

KD_TEST(TestSummary)
#include "tst_summary.moc"
