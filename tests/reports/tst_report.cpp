#include "db/Session.h"
#include "platform/Dialogs.h"
#include "platform/data/Dataset.h"
#include "platform/data/DbError.h"
#include "platform/report/Report.h"
#include "platform/widgets/DBGrid.h"
#include "reports/TQuickReport1.h"
#include "reports/TReport.h"
#include "support/Gui.h"
#include "support/TestDb.h"
#include "support/PdfText.h"
#include "support/TestRegistry.h"

#include <QBuffer>
#include <QComboBox>
#include <QPdfWriter>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

using report::Rendering;

namespace {

const QString kNoNumber = QStringLiteral("请输入合同编号！");
const QString kNoPayments = QStringLiteral("对不起，您选择的合同尚无付款记录，不能打印！");
const QString kBadNumber = QStringLiteral("合同编号输入不正确，请重新输入！");

// The non-empty lines of a page with their runs of blanks reduced to one.
QStringList lines(const QString &page)
{
    QStringList out;
    for (QString line : page.split(QLatin1Char('\n'))) {
        line = line.simplified();
        if (!line.isEmpty())
            out << line;
    }
    return out;
}

// The width of a text in millimetres as the PDF writer sets it.
double advanceMm(const QFont &font, const QString &text)
{
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    QPdfWriter device(&sink);
    device.setResolution(1200);
    return QFontMetricsF(font, &device).horizontalAdvance(text) * 25.4 / 1200;
}

} // namespace

// The report selection window and the execution report it produces: the
// steps of "打印" and their messages, the search list, and the report's
// contents and layout read back from its PDF.
class TestReport : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDb> db;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<TQuickReport1> layout;
    std::unique_ptr<TReport> w;
    std::optional<Rendering> printed;
    QString pdf;
    int previews = 0;

    void contract(const QString &number, const QVariant &amount, const QVariant &party = QStringLiteral("乙方公司"),
                  const QString &name = QStringLiteral("办公楼维修合同"))
    {
        db->insert(QStringLiteral("合同基本信息表"),
                   {number, name, party, amount, QStringLiteral("维修"), QStringLiteral("王五"), QDate(2026, 3, 8),
                    QDate(2027, 3, 8), QStringLiteral("工程类"), QStringLiteral("01-02"), QStringLiteral("是"), QString(),
                    QStringLiteral("甲方公司")});
    }
    void payment(const QString &number, double amount, const QDate &date = QDate(2026, 5, 1),
                 const QString &voucher = QStringLiteral("PZ-1"), const QString &remark = QStringLiteral("首付"))
    {
        db->insert(QStringLiteral("付款情况表"),
                   {number, date, amount, QStringLiteral("汇票"), QStringLiteral("李四"), voucher, remark});
    }
    void invoice(const QString &number, double amount)
    {
        db->insert(QStringLiteral("发票情况表"),
                   {number, QDate(2026, 5, 2), amount, QStringLiteral("李四"), QStringLiteral("FP"), QString()});
    }

    void print(const QString &number)
    {
        Gui::retype(w->Edit2, number);
        Gui::click(w->BitBtn1);
    }

    QString drawn(const QString &item) const
    {
        const report::DrawnText *t = printed->text(item);
        return t ? t->text : QStringLiteral("<missing>");
    }

private Q_SLOTS:
    void init()
    {
        db = std::make_unique<TestDb>();
        dir = std::make_unique<QTemporaryDir>();
        pdf = dir->filePath(QStringLiteral("report.pdf"));
        layout = std::make_unique<TQuickReport1>();
        printed.reset();
        previews = 0;
        // The preview is modal: a test sees the report it would show as a PDF.
        report::Report::setPreviewHandler([this](const report::Report &r) {
            ++previews;
            printed = r.savePdf(pdf);
        });
        Session::setUserName(QStringLiteral("张三"));
        w = std::make_unique<TReport>();
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        w->show();
        QApplication::processEvents();
    }
    void cleanup()
    {
        report::Report::setPreviewHandler(nullptr);
        Session::setUserName(QStringLiteral("Label1"));
        w.reset();
        layout.reset();
        db.reset();
        dir.reset();
    }

    void threePaymentsMakeThreeRowsAndTheirTotals()
    {
        Dialogs::Script script;
        contract(QStringLiteral("HT000001"), 10000.0);
        payment(QStringLiteral("HT000001"), 1000, QDate(2026, 4, 1), QStringLiteral("PZ-01"), QStringLiteral("首付"));
        payment(QStringLiteral("HT000001"), 1500, QDate(2026, 5, 1), QStringLiteral("PZ-02"), QStringLiteral("进度款"));
        payment(QStringLiteral("HT000001"), 2500, QDate(2026, 6, 1), QStringLiteral("PZ-03"), QString());
        payment(QStringLiteral("HT000002"), 777); // another contract's payment
        invoice(QStringLiteral("HT000001"), 3000);
        invoice(QStringLiteral("HT000001"), 1200.5);
        print(QStringLiteral("HT000001"));
        QVERIFY2(script.messages().isEmpty(), qPrintable(script.texts().join(QLatin1Char('/'))));
        QCOMPARE(previews, 1);
        QCOMPARE(printed->pageCount, 1);

        QStringList amounts;
        for (const auto &t : printed->textsOf(QStringLiteral("QRDBText9")))
            amounts << t.text;
        amounts.sort();
        QCOMPARE(amounts, QStringList({"1000", "1500", "2500"}));
        QCOMPARE(drawn(QStringLiteral("QRExpr1")), QStringLiteral("5000"));
        QCOMPARE(drawn(QStringLiteral("QRExpr3")), QStringLiteral("50"));
        QCOMPARE(drawn(QStringLiteral("QRExpr2")), QStringLiteral("5000"));
        QCOMPARE(drawn(QStringLiteral("QRLabel23")), QStringLiteral("4200.5"));
        QCOMPARE(drawn(QStringLiteral("QRLabel1")), QStringLiteral("XX公司合同执行情况表"));
        QCOMPARE(drawn(QStringLiteral("QRLabel19")), QStringLiteral("张三"));
        QCOMPARE(drawn(QStringLiteral("QRDBText1")), QStringLiteral("HT000001"));
        QCOMPARE(drawn(QStringLiteral("QRDBText3")), QStringLiteral("10000"));
        QCOMPARE(drawn(QStringLiteral("QRDBText7")), QStringLiteral("2026/3/8"));

        // The same read back from the PDF, band by band.
        const QStringList pages = PdfText::pages(pdf);
        QCOMPARE(pages.size(), 1);
        const QStringList text = lines(pages[0]);
        const QStringList expected = {
            "XX公司合同执行情况表",
            "合同编号： HT000001 合同名称： 办公楼维修合同 合同金额： 10000",
            "对方单位： 乙方公司 类别： 工程类 项目： 01-02 签订日期： 2026/3/8",
            "付款日期 付款金额 凭证号码 经办人员 备 注",
        };
        QCOMPARE(text.mid(0, 4), expected);
        QStringList details = text.mid(4, 3);
        details.sort();
        QCOMPARE(details, QStringList({"2026/4/1 1000 PZ-01 李四 首付", "2026/5/1 1500 PZ-02 李四 进度款",
                                       "2026/6/1 2500 PZ-03 李四"}));
        QCOMPARE(text.value(7), QStringLiteral("累计付款 5000 付款比例 50% 未付款： 5000 累计发票 4200.5"));
        QVERIFY2(QRegularExpression(QStringLiteral("^打印日期： \\d{4}/\\d{1,2}/\\d{1,2} \\d{1,2}:\\d\\d:\\d\\d 制表： 张三 "
                                                   "KaderoV1.5（单机版）$"))
                     .match(text.value(8))
                     .hasMatch(),
                 qPrintable(text.value(8)));
        QCOMPARE(text.size(), 9);
    }

    void summaryFigures_data()
    {
        QTest::addColumn<QVariant>("amount");
        QTest::addColumn<QList<double>>("payments");
        QTest::addColumn<QString>("paid");
        QTest::addColumn<QString>("share");
        QTest::addColumn<QString>("unpaid");
        QTest::newRow("half paid") << QVariant(10000.0) << QList<double>{5000} << "5000" << "50" << "5000";
        // General format, rounded to fit the 10.8 mm box instead of being cut off.
        QTest::newRow("a third, rounded to fit") << QVariant(3000.0) << QList<double>{1000} << "1000" << "33.33" << "2000";
        QTest::newRow("decimals without noise") << QVariant(0.3) << QList<double>{0.1, 0.2} << "0.3" << "100" << "0";
        QTest::newRow("overpaid") << QVariant(100.0) << QList<double>{80, 70} << "150" << "150" << "-50";
        QTest::newRow("zero amount: no share") << QVariant(0.0) << QList<double>{100} << "100" << "" << "-100";
        QTest::newRow("empty amount: no share, no unpaid") << QVariant() << QList<double>{100} << "100" << "" << "";
        QTest::newRow("large amounts, no noise") << QVariant(12345678.9) << QList<double>{12345678.4} << "12345678.4"
                                                 << "100" << "0.5";
    }
    void summaryFigures()
    {
        QFETCH(QVariant, amount);
        QFETCH(QList<double>, payments);
        QFETCH(QString, paid);
        QFETCH(QString, share);
        QFETCH(QString, unpaid);
        Dialogs::Script script;
        contract(QStringLiteral("HT000001"), amount);
        for (double p : payments)
            payment(QStringLiteral("HT000001"), p);
        print(QStringLiteral("HT000001"));
        QVERIFY2(script.messages().isEmpty(), qPrintable(script.texts().join(QLatin1Char('/'))));
        QCOMPARE(drawn(QStringLiteral("QRExpr1")), paid);
        QCOMPARE(drawn(QStringLiteral("QRExpr3")), share);
        QCOMPARE(drawn(QStringLiteral("QRExpr2")), unpaid);
    }

    // An amount too wide for its box is drawn narrower, never cut or rounded:
    // the words on the page keep every digit and lie inside the box.
    void amountsKeepEveryDigitOnPaper_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<double>("paid");
        QTest::addColumn<double>("invoiced");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("figure");
        QTest::newRow("invoice total") << 1000.0 << 10.0 << 123456789.25 << "QRLabel23" << "123456789.25";
        QTest::newRow("total paid") << 1e9 << 123456789.01 << 0.0 << "QRExpr1" << "123456789.01";
        QTest::newRow("unpaid") << 1e9 << 123456789.01 << 0.0 << "QRExpr2" << "876543210.99";
        QTest::newRow("a payment") << 1e14 << -9876543210987.65 << 0.0 << "QRDBText9" << "-9876543210987.65";
    }
    void amountsKeepEveryDigitOnPaper()
    {
        QFETCH(double, amount);
        QFETCH(double, paid);
        QFETCH(double, invoiced);
        QFETCH(QString, item);
        QFETCH(QString, figure);
        Dialogs::Script script;
        contract(QStringLiteral("HT000001"), amount);
        payment(QStringLiteral("HT000001"), paid);
        if (invoiced != 0)
            invoice(QStringLiteral("HT000001"), invoiced);
        print(QStringLiteral("HT000001"));
        QCOMPARE(drawn(item), figure);
        const QRectF box = printed->text(item)->rect;
        bool found = false;
        for (const PdfText::Word &word : PdfText::words(pdf)) {
            if (word.text != figure || qAbs(word.mm.top() - box.top()) > 1.5)
                continue;
            found = true;
            QVERIFY2(word.mm.left() >= box.left() - 0.1 && word.mm.right() <= box.right() + 0.1,
                     qPrintable(QStringLiteral("%1..%2 outside %3..%4")
                                    .arg(word.mm.left()).arg(word.mm.right()).arg(box.left()).arg(box.right())));
            QVERIFY(qAbs(word.mm.right() - box.right()) < 0.3); // right-aligned
        }
        QVERIFY(found);
    }

    void paymentsWithoutInvoicesPrintAnEmptyInvoiceTotal()
    {
        Dialogs::Script script;
        contract(QStringLiteral("HT000001"), 10000.0);
        payment(QStringLiteral("HT000001"), 100);
        invoice(QStringLiteral("HT000009"), 50);
        print(QStringLiteral("HT000001"));
        QCOMPARE(previews, 1);
        QCOMPARE(drawn(QStringLiteral("QRLabel23")), QString());
        QVERIFY(lines(PdfText::pages(pdf)[0]).contains(QStringLiteral("累计付款 100 付款比例 1% 未付款： 9900 累计发票")));
    }

    void refusedBeforeThePreview_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("message");
        QTest::newRow("invoices but no payments") << "HT000001" << kNoPayments;
        QTest::newRow("a number that exists nowhere") << "HT999999" << kNoPayments;
        QTest::newRow("a quote in the number") << "HT'0001" << kNoPayments;
        QTest::newRow("a statement in the number") << "x' or '1'='1" << kNoPayments;
        QTest::newRow("empty") << "" << kNoNumber;
    }
    void refusedBeforeThePreview()
    {
        QFETCH(QString, number);
        QFETCH(QString, message);
        Dialogs::Script script;
        contract(QStringLiteral("HT000001"), 10000.0);
        invoice(QStringLiteral("HT000001"), 500);
        payment(QStringLiteral("HT000002"), 100);
        print(number);
        QCOMPARE(script.texts(), QStringList({message}));
        QCOMPARE(script.messages().first().kind, Dialogs::Kind::Information);
        QCOMPARE(previews, 0);
        if (message == kNoNumber)
            QVERIFY(w->Edit2->hasFocus());
    }

    void aNumberWithAQuotePrints()
    {
        Dialogs::Script script;
        const QString number = QStringLiteral("HT'00001");
        contract(number, 200.0);
        payment(number, 50);
        print(number);
        QVERIFY(script.messages().isEmpty());
        QCOMPARE(drawn(QStringLiteral("QRDBText1")), number);
        QCOMPARE(drawn(QStringLiteral("QRExpr3")), QStringLiteral("25"));
    }

    void anyFailureInTheUnitIsReportedAsABadNumber()
    {
        Dialogs::Script script;
        contract(QStringLiteral("HT000001"), 100.0);
        payment(QStringLiteral("HT000001"), 50);
        // A statement the database refuses...
        db->exec(QStringLiteral("drop table 发票情况表"));
        print(QStringLiteral("HT000001"));
        QCOMPARE(script.texts(), QStringList({kBadNumber}));
        QCOMPARE(previews, 0);
        // ...and a failure of the preview itself.
        script.clear();
        db->exec(QStringLiteral("create table 发票情况表(合同编号 text, 收票日期 text, 发票金额 real, 经办人员 text, "
                                "凭证号码 text, 备注 text)"));
        report::Report::setPreviewHandler([](const report::Report &) { throw DbError(QStringLiteral("打印机不可用")); });
        Gui::click(w->BitBtn1);
        QCOMPARE(script.texts(), QStringList({kBadNumber}));
        QVERIFY(w->isVisible());
        QCOMPARE(w->Edit2->text(), QStringLiteral("HT000001"));
    }

    void theTitleIsTheBoxAtTheRequest_data()
    {
        QTest::addColumn<QString>("title");
        QTest::newRow("typed") << "甲公司合同执行情况表";
        QTest::newRow("emptied") << "";
    }
    void theTitleIsTheBoxAtTheRequest()
    {
        QFETCH(QString, title);
        Dialogs::Script script;
        contract(QStringLiteral("HT000001"), 100.0);
        payment(QStringLiteral("HT000001"), 50);
        Gui::retype(w->Edit1, title);
        print(QStringLiteral("HT000001"));
        QCOMPARE(drawn(QStringLiteral("QRLabel1")), title);
        QCOMPARE(lines(PdfText::pages(pdf)[0]).first().startsWith(QStringLiteral("合同编号：")), title.isEmpty());
    }

    void clickingTheNumberOpensTheSearch()
    {
        Dialogs::Script script;
        contract(QStringLiteral("HT000001"), 100.0, QStringLiteral("乙方公司"), QStringLiteral("维修合同"));
        contract(QStringLiteral("HT000002"), 200.0, QVariant(), QStringLiteral("采购合同"));
        contract(QStringLiteral("HT000003"), 300.0, QStringLiteral("丙方公司"), QStringLiteral("租赁合同"));
        QVERIFY(!w->Panel1->isVisible());
        QVERIFY(!w->DBGrid1->isVisible());
        w->Edit3->setText(QStringLiteral("old"));
        Gui::click(w->Edit2);
        QVERIFY(w->Panel1->isVisible());
        QVERIFY(w->DBGrid1->isVisible());
        QCOMPARE(w->Edit3->text(), QString());
        QCOMPARE(w->ADOQuery1->recordCount(), 3);
        QCOMPARE(w->DBGrid1->titles(), QStringList({"合同编号", "合同名称", "对方单位", "合同金额", "合同内容"}));
        // The search covers the number box, the title box and both buttons.
        for (QWidget *covered : {static_cast<QWidget *>(w->Edit2), static_cast<QWidget *>(w->Edit1),
                                 static_cast<QWidget *>(w->BitBtn1), static_cast<QWidget *>(w->BitBtn2)}) {
            const QPoint centre = covered->mapTo(w.get(), covered->rect().center());
            QWidget *top = w->childAt(centre);
            QVERIFY2(top && (top == w->Panel1 || w->Panel1->isAncestorOf(top) || top == w->DBGrid1
                             || w->DBGrid1->isAncestorOf(top)),
                     qPrintable(covered->objectName()));
        }

        // An empty text on 对方单位 lists every contract whose 对方单位 is not empty.
        w->ComboBox1->setCurrentIndex(2);
        Gui::click(w->BitBtn3);
        QCOMPARE(w->ADOQuery1->recordCount(), 2);
        // Enter in the search text searches; the text matches anywhere in the field.
        w->ComboBox1->setCurrentIndex(1);
        Gui::typeText(w->Edit3, QStringLiteral("赁"));
        Gui::pressEnter(w->Edit3);
        QCOMPARE(w->ADOQuery1->recordCount(), 1);
        QCOMPARE(w->ADOQuery1->text(QStringLiteral("合同编号")), QStringLiteral("HT000003"));
        // A typed wildcard still acts as one; a quote is just a character.
        Gui::retype(w->Edit3, QStringLiteral("%合同"));
        Gui::pressEnter(w->Edit3);
        QCOMPARE(w->ADOQuery1->recordCount(), 3);
        Gui::retype(w->Edit3, QStringLiteral("' or '1'='1"));
        Gui::pressEnter(w->Edit3);
        QCOMPARE(w->ADOQuery1->recordCount(), 0);
        QVERIFY(script.messages().isEmpty());
    }

    void doubleClickPicksTheRowsNumber()
    {
        Dialogs::Script script;
        contract(QStringLiteral("HT000001"), 100.0);
        contract(QStringLiteral("HT000002"), 200.0);
        payment(QStringLiteral("HT000002"), 20);
        Gui::click(w->Edit2);
        Gui::clickCell(w->DBGrid1, 1, 1);
        const QRect cell = w->DBGrid1->visualRect(w->DBGrid1->model()->index(1, 1));
        QTest::mouseDClick(w->DBGrid1->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        QApplication::processEvents();
        QCOMPARE(w->Edit2->text(), QStringLiteral("HT000002"));
        QVERIFY(!w->Panel1->isVisible());
        QVERIFY(!w->DBGrid1->isVisible());
        Gui::click(w->BitBtn1);
        QCOMPARE(previews, 1);
        QCOMPARE(drawn(QStringLiteral("QRExpr3")), QStringLiteral("10"));
    }

    void doubleClickOnAnEmptyListLeavesTheNumberEmpty()
    {
        Dialogs::Script script;
        contract(QStringLiteral("HT000001"), 100.0);
        Gui::retype(w->Edit2, QStringLiteral("HT000001"));
        Gui::click(w->Edit2);
        Gui::typeText(w->Edit3, QStringLiteral("没有这个"));
        Gui::click(w->BitBtn3);
        QCOMPARE(w->ADOQuery1->recordCount(), 0);
        QTest::mouseDClick(w->DBGrid1->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(40, 40));
        QApplication::processEvents();
        QCOMPARE(w->Edit2->text(), QString());
        QVERIFY(!w->DBGrid1->isVisible());
        Gui::click(w->BitBtn1);
        QCOMPARE(script.texts(), QStringList({kNoNumber}));
    }

    void theWindowAsTheUserSeesIt()
    {
        QCOMPARE(w->windowTitle(), QStringLiteral("报表管理"));
        QCOMPARE(w->Edit1->text(), QStringLiteral("XX公司合同执行情况表"));
        QCOMPARE(w->Edit2->toolTip(), QStringLiteral("请选择合同编号"));
        QCOMPARE(w->DBGrid1->toolTip(), QStringLiteral("请双击选定！"));
        QCOMPARE(w->ComboBox1->count(), 3);
        QCOMPARE(w->ComboBox1->currentText(), QStringLiteral("合同编号"));
        QVERIFY(!w->ComboBox1->isEditable());
        QVERIFY(!(w->windowFlags() & Qt::WindowMinimizeButtonHint));
        Gui::click(w->BitBtn2);
        QVERIFY(!w->isVisible());
    }

    void layoutPositionsAsDesigned_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<double>("left"); // from the band's left edge
        QTest::addColumn<double>("top");  // from the band's top
        QTest::addColumn<double>("width"); // 0: as wide as its text
        QTest::addColumn<QString>("band");
        QTest::newRow("QRLabel2") << "QRLabel2" << 4.2 << 2.1 << 21.4 << "TitleBand1";
        QTest::newRow("QRDBText1") << "QRDBText1" << 27.5 << 2.1 << 27.8 << "TitleBand1";
        QTest::newRow("QRLabel6") << "QRLabel6" << 65.6 << 2.1 << 21.4 << "TitleBand1";
        QTest::newRow("QRDBText2") << "QRDBText2" << 88.9 << 2.1 << 0.0 << "TitleBand1";
        QTest::newRow("QRLabel5") << "QRLabel5" << 141.8 << 2.1 << 0.0 << "TitleBand1";
        QTest::newRow("QRDBText3") << "QRDBText3" << 165.1 << 2.1 << 0.0 << "TitleBand1";
        QTest::newRow("QRLabel3") << "QRLabel3" << 4.2 << 12.7 << 21.4 << "TitleBand1";
        QTest::newRow("QRDBText4") << "QRDBText4" << 27.5 << 12.7 << 0.0 << "TitleBand1";
        QTest::newRow("QRLabel4") << "QRLabel4" << 65.6 << 12.7 << 13.0 << "TitleBand1";
        QTest::newRow("QRDBText5") << "QRDBText5" << 80.4 << 12.7 << 0.0 << "TitleBand1";
        QTest::newRow("QRLabel7") << "QRLabel7" << 105.8 << 12.7 << 0.0 << "TitleBand1";
        QTest::newRow("QRDBText6") << "QRDBText6" << 120.7 << 12.7 << 0.0 << "TitleBand1";
        QTest::newRow("QRLabel8") << "QRLabel8" << 141.8 << 12.7 << 0.0 << "TitleBand1";
        QTest::newRow("QRDBText7") << "QRDBText7" << 165.1 << 12.7 << 0.0 << "TitleBand1";
        QTest::newRow("QRLabel9") << "QRLabel9" << 4.2 << 4.2 << 17.2 << "ColumnHeaderBand1";
        QTest::newRow("QRLabel10") << "QRLabel10" << 38.1 << 4.2 << 17.2 << "ColumnHeaderBand1";
        QTest::newRow("QRLabel11") << "QRLabel11" << 72.0 << 4.2 << 17.2 << "ColumnHeaderBand1";
        QTest::newRow("QRLabel12") << "QRLabel12" << 105.8 << 4.2 << 17.2 << "ColumnHeaderBand1";
        QTest::newRow("QRLabel13") << "QRLabel13" << 152.4 << 4.2 << 13.0 << "ColumnHeaderBand1";
        QTest::newRow("QRDBText8") << "QRDBText8" << 4.2 << 4.2 << 0.0 << "DetailBand1";
        QTest::newRow("QRDBText9") << "QRDBText9" << 31.2 << 4.2 << 32.0 << "DetailBand1";
        QTest::newRow("QRDBText10") << "QRDBText10" << 65.6 << 4.2 << 32.0 << "DetailBand1";
        QTest::newRow("QRDBText11") << "QRDBText11" << 105.8 << 4.2 << 0.0 << "DetailBand1";
        QTest::newRow("QRDBText12") << "QRDBText12" << 131.2 << 4.2 << 57.4 << "DetailBand1";
        QTest::newRow("QRLabel16") << "QRLabel16" << 2.1 << 6.3 << 0.0 << "SummaryBand1";
        QTest::newRow("QRExpr1") << "QRExpr1" << 19.1 << 6.3 << 21.4 << "SummaryBand1";
        QTest::newRow("QRLabel20") << "QRLabel20" << 50.8 << 6.3 << 17.2 << "SummaryBand1";
        QTest::newRow("QRExpr3") << "QRExpr3" << 67.7 << 6.3 << 10.8 << "SummaryBand1";
        QTest::newRow("QRLabel21") << "QRLabel21" << 78.3 << 6.3 << 6.6 << "SummaryBand1";
        QTest::newRow("QRLabel17") << "QRLabel17" << 93.1 << 6.3 << 0.0 << "SummaryBand1";
        QTest::newRow("QRExpr2") << "QRExpr2" << 108.0 << 6.3 << 21.4 << "SummaryBand1";
        QTest::newRow("QRLabel22") << "QRLabel22" << 137.6 << 6.3 << 17.2 << "SummaryBand1";
        QTest::newRow("QRLabel23") << "QRLabel23" << 154.5 << 6.3 << 21.4 << "SummaryBand1";
        QTest::newRow("QRLabel14") << "QRLabel14" << 2.1 << 4.2 << 21.4 << "PageFooterBand1";
        QTest::newRow("QRSysData1") << "QRSysData1" << 23.3 << 4.2 << 38.4 << "PageFooterBand1";
        QTest::newRow("QRLabel18") << "QRLabel18" << 67.7 << 4.2 << 13.0 << "PageFooterBand1";
        QTest::newRow("QRLabel19") << "QRLabel19" << 80.4 << 4.2 << 0.0 << "PageFooterBand1";
        QTest::newRow("QRLabel15") << "QRLabel15" << 124.9 << 4.2 << 63.8 << "PageFooterBand1";
    }
    void layoutPositionsAsDesigned()
    {
        QFETCH(QString, item);
        QFETCH(double, left);
        QFETCH(double, top);
        QFETCH(double, width);
        QFETCH(QString, band);
        Dialogs::Script script;
        contract(QStringLiteral("HT000001"), 10000.0);
        payment(QStringLiteral("HT000001"), 2500);
        invoice(QStringLiteral("HT000001"), 100);
        print(QStringLiteral("HT000001"));
        QVERIFY(printed);
        const report::DrawnText *t = printed->text(item);
        QVERIFY(t);
        QCOMPARE(t->band, band);
        double bandTop = -1;
        for (const auto &b : printed->bands)
            if (b.band == band && b.page == t->page)
                bandTop = b.top;
        QVERIFY(qAbs(t->rect.left() - (10.0 + left)) < 0.5);
        QVERIFY(qAbs(t->rect.top() - (bandTop + top)) < 0.5);
        if (width > 0)
            QVERIFY(qAbs(t->rect.width() - width) < 0.5);
        else if (!t->text.isEmpty())
            QVERIFY(qAbs(t->rect.width() - advanceMm(t->font, t->text)) < 0.5);
    }

    void pageAndBandsAsDesigned()
    {
        Dialogs::Script script;
        contract(QStringLiteral("HT000001"), 10000.0);
        payment(QStringLiteral("HT000001"), 2500);
        print(QStringLiteral("HT000001"));
        QStringList order;
        QList<double> tops;
        for (const auto &b : printed->bands) {
            order << b.band;
            tops << b.top;
        }
        QCOMPARE(order, QStringList({"PageHeaderBand1", "TitleBand1", "ColumnHeaderBand1", "DetailBand1", "SummaryBand1",
                                     "PageFooterBand1"}));
        // Heights 30.4, 23.3, 10.6, 11.1 and 14.3 from the 10 mm margin; the footer ends on the bottom margin.
        const QList<double> expected = {10.0, 40.4, 63.7, 74.3, 85.4, 297.0 - 10.0 - 10.6};
        for (int i = 0; i < tops.size(); ++i)
            QVERIFY2(qAbs(tops[i] - expected[i]) < 1e-6, qPrintable(order[i]));

        // The title: 黑体 18 pt bold underlined, centred on the band, 10.6 mm down.
        const report::DrawnText *title = printed->text(QStringLiteral("QRLabel1"));
        QVERIFY(qAbs(title->rect.center().x() - 105.0) < 0.5);
        QVERIFY(qAbs(title->rect.top() - 20.6) < 0.5);
        QCOMPARE(title->font.pointSize(), 18);
        QVERIFY(title->font.bold() && title->font.underline());
        QCOMPARE(title->font.families().first(), QStringLiteral("WenQuanYi Zen Hei"));
        // Figures right-aligned, computed ones bold.
        QCOMPARE(printed->text(QStringLiteral("QRDBText9"))->alignment, Qt::Alignment(Qt::AlignRight));
        QCOMPARE(printed->text(QStringLiteral("QRDBText11"))->alignment, Qt::Alignment(Qt::AlignHCenter));
        for (const char *name : {"QRExpr1", "QRExpr2", "QRExpr3", "QRLabel21"})
            QVERIFY(printed->text(QString::fromLatin1(name))->font.bold());
        QVERIFY(!printed->text(QStringLiteral("QRLabel16"))->font.bold());
        QCOMPARE(printed->images.size(), 1);
        const QRectF icon = printed->images.first().rect;
        QVERIFY(qAbs(icon.left() - 124.3) < 1e-6 && qAbs(icon.top() - 278.5) < 1e-6);
        QVERIFY(qAbs(icon.width() - 8.7) < 1e-6 && qAbs(icon.height() - 8.7) < 1e-6);

        // Rules: the column header and detail boxed with four inner rules, a
        // two-pixel rule under the summary, one over the footer.
        QMap<QString, QList<double>> verticals;
        QStringList horizontal;
        for (const auto &l : printed->lines) {
            if (l.line.x1() == l.line.x2())
                verticals[l.band] << l.line.x1() - 10.0;
            else
                horizontal << QStringLiteral("%1@%2w%3").arg(l.band).arg(l.line.y1(), 0, 'f', 1).arg(l.widthMm, 0, 'f', 2);
        }
        for (const QString &band : {QStringLiteral("ColumnHeaderBand1"), QStringLiteral("DetailBand1")}) {
            auto xs = verticals[band];
            std::sort(xs.begin(), xs.end());
            QCOMPARE(xs.size(), 6);
            const QList<double> want = {0, 29.1, 63.5, 97.9, 129.6, 190};
            for (int i = 0; i < 6; ++i)
                QVERIFY(qAbs(xs[i] - want[i]) < 1e-6);
        }
        horizontal.sort();
        QCOMPARE(horizontal, QStringList({"ColumnHeaderBand1@63.7w0.26", "ColumnHeaderBand1@74.3w0.26", "DetailBand1@74.3w0.26",
                                          "DetailBand1@85.4w0.26", "PageFooterBand1@276.4w0.26", "SummaryBand1@99.7w0.53"}));
    }

    void pdfWordsLieWhereTheLayoutPutsThem()
    {
        Dialogs::Script script;
        contract(QStringLiteral("HT000001"), 10000.0);
        payment(QStringLiteral("HT000001"), 2500);
        invoice(QStringLiteral("HT000001"), 800);
        print(QStringLiteral("HT000001"));
        const QList<PdfText::Word> words = PdfText::words(pdf);
        auto find = [&](const QString &text) -> QRectF {
            for (const PdfText::Word &w : words)
                if (w.text == text)
                    return w.mm;
            qWarning() << "not in the PDF:" << text;
            return QRectF(-100, -100, 0, 0);
        };
        // Left-aligned captions start at their place (band left 10 mm)...
        QVERIFY(qAbs(find(QStringLiteral("付款日期")).left() - (10 + 4.2)) < 0.5);
        QVERIFY(qAbs(find(QStringLiteral("付款金额")).left() - (10 + 38.1)) < 0.5);
        QVERIFY(qAbs(find(QStringLiteral("凭证号码")).left() - (10 + 72.0)) < 0.5);
        QVERIFY(qAbs(find(QStringLiteral("经办人员")).left() - (10 + 105.8)) < 0.5);
        QVERIFY(qAbs(find(QStringLiteral("累计付款")).left() - (10 + 2.1)) < 0.5);
        QVERIFY(qAbs(find(QStringLiteral("付款比例")).left() - (10 + 50.8)) < 0.5);
        QVERIFY(qAbs(find(QStringLiteral("累计发票")).left() - (10 + 137.6)) < 0.5);
        // ...right-aligned figures end at the right of their box...
        QVERIFY(qAbs(find(QStringLiteral("7500")).right() - (10 + 108.0 + 21.4)) < 0.5);
        // The share ends at the right of its box, the percent sign starts its
        // own box; the boxes touch, so a text reader sees one word.
        const QFont bold = printed->text(QStringLiteral("QRExpr3"))->font;
        const QRectF share = find(QStringLiteral("25%"));
        QVERIFY(qAbs(share.left() + advanceMm(bold, QStringLiteral("25")) - (10 + 67.7 + 10.8)) < 0.5);
        QVERIFY(qAbs(share.right() - advanceMm(bold, QStringLiteral("%")) - (10 + 78.3)) < 0.5);
        QVERIFY(qAbs(find(QStringLiteral("800")).right() - (10 + 154.5 + 21.4)) < 0.5);
        QVERIFY(qAbs(find(QStringLiteral("未付款：")).left() - (10 + 93.1)) < 0.5);
        // The total paid prints the same figure as the one detail row: one
        // ends at the right of the total's box, the other at the detail's.
        QList<double> rights;
        for (const PdfText::Word &w : words)
            if (w.text == QLatin1String("2500"))
                rights << w.mm.right();
        std::sort(rights.begin(), rights.end());
        QCOMPARE(rights.size(), 2);
        QVERIFY(qAbs(rights[0] - (10 + 19.1 + 21.4)) < 0.5);
        QVERIFY(qAbs(rights[1] - (10 + 31.2 + 32.0)) < 0.5);
        // ...and the title is centred on the page.
        QRectF title;
        QString titleText;
        for (const PdfText::Word &w : words)
            if (w.page == 1 && w.mm.top() > 18 && w.mm.bottom() < 32) {
                title |= w.mm;
                titleText += w.text;
            }
        QCOMPARE(titleText, QStringLiteral("XX公司合同执行情况表"));
        QVERIFY2(qAbs(title.center().x() - 105.0) < 0.5, qPrintable(QString::number(title.center().x())));
    }

    void manyPaymentsContinueOnASecondPage()
    {
        Dialogs::Script script;
        contract(QStringLiteral("HT000001"), 100000.0);
        for (int i = 1; i <= 25; ++i)
            payment(QStringLiteral("HT000001"), 100 * i, QDate(2026, 1, 1).addDays(i), QStringLiteral("PZ-%1").arg(i, 2, 10, QLatin1Char('0')));
        print(QStringLiteral("HT000001"));
        QCOMPARE(printed->pageCount, 2);
        const QStringList pages = PdfText::pages(pdf);
        QCOMPARE(pages.size(), 2);
        for (int p = 0; p < 2; ++p) {
            const QStringList text = lines(pages[p]);
            QCOMPARE(text.first(), QStringLiteral("XX公司合同执行情况表"));
            QVERIFY(text.contains(QStringLiteral("付款日期 付款金额 凭证号码 经办人员 备 注")));
            QVERIFY(text.last().contains(QStringLiteral("制表： 张三")));
            QCOMPARE(text.value(1).startsWith(QStringLiteral("合同编号：")), p == 0);
        }
        QVERIFY(!pages[0].contains(QStringLiteral("累计付款")));
        QVERIFY(lines(pages[1]).contains(QStringLiteral("累计付款 32500 付款比例 32.5% 未付款： 67500 累计发票")));
        int details = 0;
        for (const QString &page : pages)
            details += int(page.count(QRegularExpression(QStringLiteral("PZ-\\d\\d"))));
        QCOMPARE(details, 25);
    }
};

KD_TEST(TestReport)
#include "tst_report.moc"
