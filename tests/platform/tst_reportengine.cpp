#include "platform/Dialogs.h"
#include "platform/data/Dataset.h"
#include "platform/data/DbError.h"
#include "platform/data/SqlConnection.h"
#include "platform/report/Expression.h"
#include "platform/report/Report.h"
#include "support/PdfText.h"
#include "support/TestRegistry.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QFileDialog>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <memory>

using namespace report;

namespace {

QFont readableFont(int points)
{
    QFont f(QStringLiteral("WenQuanYi Zen Hei"));
    f.setFamilies({QStringLiteral("WenQuanYi Zen Hei")});
    f.setPointSize(points);
    return f;
}

} // namespace

// The banded report engine: expressions over the rows printed so far, the
// order and placement of bands, page breaks, and a PDF that reads back.
class TestReportEngine : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<SqlConnection> db;
    std::unique_ptr<Dataset> rows;

    // A table of n rows: name "第k行", amount k * 10, and a fixed total.
    void seed(int n, const QVariant &total = 1000.0)
    {
        db->exec(QStringLiteral("delete from t"));
        for (int k = 1; k <= n; ++k)
            db->exec(QStringLiteral("insert into t values(?,?,?)"), {QStringLiteral("第%1行").arg(k), k * 10.0, total});
        rows = std::make_unique<Dataset>(db.get());
        rows->setSql(QStringLiteral("select name, amount, total from t order by amount"));
        rows->open();
    }

    // Page header, title, column header, detail, summary and page footer,
    // each with a label or a field, on A4 with 10 mm margins.
    std::unique_ptr<Report> makeReport()
    {
        auto r = std::make_unique<Report>();
        r->setBaseFont(readableFont(10));
        r->setDataset(rows.get());
        Band *header = r->addBand(BandKind::PageHeader, QStringLiteral("Header"), 20);
        Item *title = header->addLabel(QStringLiteral("Heading"), QStringLiteral("Ledger Heading"), 0, 5);
        title->centredInBand = true;
        title->font = readableFont(16);
        header->addSystemData(QStringLiteral("PageNo"), SystemData::PageNumber, 170, 5, 20)->alignment = Qt::AlignRight;
        Band *titleBand = r->addBand(BandKind::Title, QStringLiteral("TitleBand"), 15);
        titleBand->addLabel(QStringLiteral("Intro"), QStringLiteral("Introduction"), 4, 3);
        titleBand->addDataText(QStringLiteral("FirstName"), QStringLiteral("name"), 60, 3);
        Band *columns = r->addBand(BandKind::ColumnHeader, QStringLiteral("Columns"), 10);
        columns->frame = Frame::all();
        columns->addRule(QStringLiteral("Rule1"), 50);
        columns->addLabel(QStringLiteral("NameCaption"), QStringLiteral("Name"), 4, 3, 30);
        columns->addLabel(QStringLiteral("AmountCaption"), QStringLiteral("Amount"), 60, 3, 30);
        Band *detail = r->addBand(BandKind::Detail, QStringLiteral("Detail"), 12);
        detail->frame = Frame::all();
        detail->addRule(QStringLiteral("Rule2"), 50);
        detail->addDataText(QStringLiteral("Name"), QStringLiteral("name"), 4, 3);
        detail->addDataText(QStringLiteral("Amount"), QStringLiteral("amount"), 60, 3, 40)->alignment = Qt::AlignRight;
        Band *summary = r->addBand(BandKind::Summary, QStringLiteral("Summary"), 14);
        summary->frame.bottom = true;
        summary->frame.widthMm = Frame::pixelsToMm(2);
        summary->addLabel(QStringLiteral("TotalCaption"), QStringLiteral("Total"), 4, 4);
        summary->addExpression(QStringLiteral("Total"), QStringLiteral("SUM(q.amount)"), 60, 4, 40)->alignment = Qt::AlignRight;
        summary->addExpression(QStringLiteral("Share"), QStringLiteral("SUM(q.amount) / q.total * 100"), 110, 4, 20);
        Band *footer = r->addBand(BandKind::PageFooter, QStringLiteral("Footer"), 10);
        footer->frame.top = true;
        footer->addExpression(QStringLiteral("Running"), QStringLiteral("SUM(amount)"), 4, 3, 40);
        footer->addExpression(QStringLiteral("Printed"), QStringLiteral("COUNT()"), 60, 3, 20);
        return r;
    }

private Q_SLOTS:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        db = std::make_unique<SqlConnection>();
        db->create(dir->filePath(QStringLiteral("engine.db")));
        db->exec(QStringLiteral("create table t(name text, amount real, total real)"));
    }
    void cleanup()
    {
        Report::setPreviewHandler(nullptr);
        rows.reset();
        db.reset();
        dir.reset();
    }

    void expressions_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<int>("rowCount");
        QTest::addColumn<QVariant>("total");
        QTest::addColumn<QString>("expected");
        // amounts are 10, 20, 30, ... and the last row is the current one
        QTest::newRow("sum of printed rows") << "SUM(q.amount)" << 3 << QVariant(1000.0) << "60";
        QTest::newRow("count") << "count()" << 4 << QVariant(1000.0) << "4";
        QTest::newRow("share in general format") << "SUM(q.amount) / (q.total) * 100" << 3 << QVariant(120.0) << "50";
        QTest::newRow("fifteen significant digits") << "SUM(amount) / total * 100" << 1 << QVariant(30.0) << "33.3333333333333";
        QTest::newRow("no floating-point noise") << "0.1 + 0.2" << 1 << QVariant(1.0) << "0.3";
        QTest::newRow("current row minus sum") << "total - SUM(amount)" << 2 << QVariant(100.0) << "70";
        QTest::newRow("division by zero is empty") << "SUM(amount) / total * 100" << 2 << QVariant(0.0) << "";
        QTest::newRow("null operand is empty") << "SUM(amount) / total * 100" << 2 << QVariant() << "";
        QTest::newRow("precedence and unary minus") << "-2 + 3 * (4 - 1)" << 1 << QVariant(1.0) << "7";
        QTest::newRow("min and max") << "MAX(amount) - MIN(amount)" << 5 << QVariant(1.0) << "40";
    }
    void expressions()
    {
        QFETCH(QString, expression);
        QFETCH(int, rowCount);
        QFETCH(QVariant, total);
        QFETCH(QString, expected);
        seed(rowCount, total);
        const Expression e(expression);
        const auto v = e.evaluate({rows.get(), rowCount - 1, rowCount});
        QCOMPARE(v ? generalNumber(*v) : QString(), expected);
    }

    void malformedExpressionsAreRefused_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::newRow("open parenthesis") << "SUM(amount";
        QTest::newRow("unknown function") << "AVG(amount)";
        QTest::newRow("dangling operator") << "amount *";
        QTest::newRow("stray character") << "amount ; 1";
    }
    void malformedExpressionsAreRefused()
    {
        QFETCH(QString, expression);
        QVERIFY_THROWS_EXCEPTION(DbError, Expression{expression});
    }

    void unknownFieldFailsTheRendering()
    {
        seed(2);
        auto r = makeReport();
        r->band(BandKind::Detail)->addDataText(QStringLiteral("Bad"), QStringLiteral("nosuchfield"), 120, 3);
        QVERIFY_THROWS_EXCEPTION(DbError, r->savePdf(dir->filePath(QStringLiteral("bad.pdf"))));
    }

    void longFiguresAreRoundedToFitNotCut()
    {
        seed(1, 3.0); // amount 10, total 3
        auto r = makeReport();
        Band *summary = r->band(BandKind::Summary);
        summary->addExpression(QStringLiteral("Narrow"), QStringLiteral("SUM(amount) / total"), 140, 4, 12)->alignment = Qt::AlignRight;
        summary->addExpression(QStringLiteral("Whole"), QStringLiteral("123456789 * 1000"), 160, 4, 5);
        const Rendering out = r->savePdf(dir->filePath(QStringLiteral("fit.pdf")));
        const DrawnText *narrow = out.text(QStringLiteral("Narrow"));
        QBuffer sink;
        sink.open(QIODevice::WriteOnly);
        QPdfWriter device(&sink);
        device.setResolution(1200);
        const QFontMetricsF metrics(narrow->font, &device);
        QVERIFY2(metrics.horizontalAdvance(narrow->text) * 25.4 / 1200 <= 12.0, qPrintable(narrow->text));
        QVERIFY2(narrow->text.startsWith(QStringLiteral("3.33")) && narrow->text.size() < 16, qPrintable(narrow->text));
        const int decimals = int(narrow->text.size() - narrow->text.indexOf(QLatin1Char('.')) - 1);
        QVERIFY(qAbs(narrow->text.toDouble() - 10.0 / 3) <= 0.5 * std::pow(10.0, -decimals) + 1e-12);
        // A whole number is never shortened.
        QCOMPARE(out.text(QStringLiteral("Whole"))->text, QStringLiteral("123456789000"));
        QCOMPARE(fittedNumber(QStringLiteral("2.96"), metrics, 1), QStringLiteral("3"));
        QCOMPARE(fittedNumber(QStringLiteral("-0.04"), metrics, 1), QStringLiteral("0"));
    }

    void bandsPrintInOrderOnOnePage()
    {
        seed(3);
        auto r = makeReport();
        const Rendering out = r->savePdf(dir->filePath(QStringLiteral("one.pdf")));
        QCOMPARE(out.pageCount, 1);
        QStringList order;
        for (const auto &b : out.bands)
            order << b.band;
        QCOMPARE(order, QStringList({"Header", "TitleBand", "Columns", "Detail", "Detail", "Detail", "Summary", "Footer"}));
        // Bands follow one another from the top margin; the footer sits on the bottom margin.
        QCOMPARE(out.bands[0].top, 10.0);
        QCOMPARE(out.bands[1].top, 30.0);
        QCOMPARE(out.bands[2].top, 45.0);
        QCOMPARE(out.bands[3].top, 55.0);
        QCOMPARE(out.bands[6].top, 91.0);
        QCOMPARE(out.bands[7].top, 297.0 - 10.0 - 10.0);
        // The title band shows the first row, details each row in turn.
        QCOMPARE(out.text(QStringLiteral("FirstName"))->text, QStringLiteral("第1行"));
        QStringList names;
        for (const auto &t : out.textsOf(QStringLiteral("Name")))
            names << t.text;
        QCOMPARE(names, QStringList({"第1行", "第2行", "第3行"}));
        QCOMPARE(out.text(QStringLiteral("Total"))->text, QStringLiteral("60"));
        QCOMPARE(out.text(QStringLiteral("Share"))->text, QStringLiteral("6"));
    }

    void itemsArePlacedInMillimetres()
    {
        seed(1);
        auto r = makeReport();
        const Rendering out = r->savePdf(dir->filePath(QStringLiteral("place.pdf")));
        const DrawnText *caption = out.text(QStringLiteral("AmountCaption"));
        QCOMPARE(caption->rect.left(), 10.0 + 60.0);
        QCOMPARE(caption->rect.top(), 45.0 + 3.0);
        QCOMPARE(caption->rect.width(), 30.0);
        // A centred title sits in the middle of the 190 mm band.
        const DrawnText *heading = out.text(QStringLiteral("Heading"));
        QVERIFY(heading->rect.width() > 20);
        QVERIFY(qAbs(heading->rect.center().x() - 105.0) < 0.01);
        // Frames and rules: the column header's box and its rule across its full height.
        int frameLines = 0;
        for (const DrawnLine &l : out.lines) {
            if (l.band == QLatin1String("Columns") && l.item.isEmpty())
                ++frameLines;
            if (l.item == QLatin1String("Rule1")) {
                QCOMPARE(l.line.x1(), 60.0);
                QCOMPARE(l.line.y1(), 45.0);
                QCOMPARE(l.line.y2(), 55.0);
            }
            if (l.band == QLatin1String("Summary"))
                QVERIFY(qAbs(l.widthMm - 2 * 25.4 / 96) < 1e-9);
        }
        QCOMPARE(frameLines, 4);
    }

    void pdfTextReadsBackWhereItWasDrawn()
    {
        seed(2);
        auto r = makeReport();
        const QString path = dir->filePath(QStringLiteral("read.pdf"));
        const Rendering out = r->savePdf(path);
        const QStringList pages = PdfText::pages(path);
        QCOMPARE(pages.size(), 1);
        QVERIFY2(pages[0].contains(QStringLiteral("Ledger Heading")), qPrintable(pages[0]));
        QVERIFY(pages[0].contains(QStringLiteral("第2行")));
        QVERIFY(pages[0].contains(QStringLiteral("Introduction")));
        const QList<PdfText::Word> words = PdfText::words(path);
        auto word = [&](const QString &text) -> QRectF {
            for (const PdfText::Word &w : words)
                if (w.text == text)
                    return w.mm;
            qFatal("word not in PDF");
        };
        // Left-aligned text starts at its box, right-aligned text ends at it.
        QVERIFY(qAbs(word(QStringLiteral("Amount")).left() - out.text(QStringLiteral("AmountCaption"))->rect.left()) < 0.5);
        QVERIFY(qAbs(word(QStringLiteral("30")).right() - out.text(QStringLiteral("Total"))->rect.right()) < 0.5);
        QVERIFY(qAbs(word(QStringLiteral("Introduction")).left() - 14.0) < 0.5);
    }

    void detailRowsContinueOnFurtherPages()
    {
        // 277 mm of page: 45 mm of headers and 10 mm of footer leave room
        // for 18 details of 12 mm on the first page, 19 on the next ones.
        seed(40);
        auto r = makeReport();
        const QString path = dir->filePath(QStringLiteral("pages.pdf"));
        const Rendering out = r->savePdf(path);
        QCOMPARE(out.pageCount, 3);
        QMap<int, QStringList> perPage;
        QMap<int, int> detailsPerPage;
        for (const auto &b : out.bands) {
            perPage[b.page] << b.band;
            if (b.band == QLatin1String("Detail")) {
                ++detailsPerPage[b.page];
                QVERIFY(b.top + 12 <= 277.0 + 1e-9); // never into the footer
            }
        }
        QCOMPARE(detailsPerPage[1], 18);
        QCOMPARE(detailsPerPage[2], 19);
        QCOMPARE(detailsPerPage[3], 3);
        for (int page = 1; page <= 3; ++page) {
            QCOMPARE(perPage[page].first(), QStringLiteral("Header"));
            QCOMPARE(perPage[page].contains(QStringLiteral("Columns")), true);
            QCOMPARE(perPage[page].last(), QStringLiteral("Footer"));
            QCOMPARE(perPage[page].contains(QStringLiteral("TitleBand")), page == 1);
            QCOMPARE(perPage[page].contains(QStringLiteral("Summary")), page == 3);
            QCOMPARE(out.text(QStringLiteral("PageNo"), page)->text, QString::number(page));
        }
        // Expressions in the footer see the rows printed so far.
        QCOMPARE(out.text(QStringLiteral("Printed"), 1)->text, QStringLiteral("18"));
        QCOMPARE(out.text(QStringLiteral("Running"), 1)->text, QString::number(10 * 18 * 19 / 2));
        QCOMPARE(out.text(QStringLiteral("Printed"), 3)->text, QStringLiteral("40"));
        QCOMPARE(out.text(QStringLiteral("Total"))->text, QString::number(10 * 40 * 41 / 2));
        // The rows keep their order across the break, and the PDF has the pages.
        QCOMPARE(out.textsOf(QStringLiteral("Name"))[18].text, QStringLiteral("第19行"));
        QCOMPARE(out.textsOf(QStringLiteral("Name"))[18].page, 2);
        const QStringList pages = PdfText::pages(path);
        QCOMPARE(pages.size(), 3);
        QVERIFY(pages[1].contains(QStringLiteral("Ledger Heading")));
        QVERIFY(pages[1].contains(QStringLiteral("第19行")));
        QVERIFY(!pages[1].contains(QStringLiteral("Introduction")));
    }

    void summaryThatDoesNotFitGoesToANewPage()
    {
        seed(18); // exactly fills the first page
        auto r = makeReport();
        const Rendering out = r->savePdf(dir->filePath(QStringLiteral("summary.pdf")));
        QCOMPARE(out.pageCount, 2);
        QCOMPARE(out.text(QStringLiteral("Total"))->page, 2);
    }

    void emptyDatasetPrintsHeadersAndSummary()
    {
        seed(0);
        auto r = makeReport();
        const Rendering out = r->savePdf(dir->filePath(QStringLiteral("empty.pdf")));
        QCOMPARE(out.pageCount, 1);
        QCOMPARE(out.textsOf(QStringLiteral("Name")).size(), 0);
        QCOMPARE(out.text(QStringLiteral("FirstName"))->text, QString());
        QCOMPARE(out.text(QStringLiteral("Total"))->text, QStringLiteral("0"));
    }

    void previewLaysOutFirstAndHandsOverTheReport()
    {
        seed(2);
        auto r = makeReport();
        const Report *seen = nullptr;
        Report::setPreviewHandler([&](const Report &shown) { seen = &shown; });
        r->preview(nullptr, QStringLiteral("T"));
        QCOMPARE(seen, r.get());

        // A report that cannot be produced fails before any preview shows.
        seen = nullptr;
        r->band(BandKind::Summary)->addDataText(QStringLiteral("Bad"), QStringLiteral("missing"), 150, 4);
        QVERIFY_THROWS_EXCEPTION(DbError, r->preview(nullptr, QStringLiteral("T")));
        QVERIFY(seen == nullptr);
    }

    void realPreviewShowsThePagesAndSavesAPdf()
    {
        seed(25);
        auto r = makeReport();
        Dialogs::Script script;
        const QString saved = dir->filePath(QStringLiteral("saved"));
        int pages = -1;
        QTimer::singleShot(200, [&] {
            auto *dialog = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            if (auto *view = dialog->findChild<QPrintPreviewWidget *>())
                pages = view->pageCount();
            QAction *save = dialog->findChild<QAction *>(QStringLiteral("SavePdf"));
            if (!save) {
                dialog->reject();
                return;
            }
            // The file dialog that the save command opens: type a name, accept.
            QTimer::singleShot(200, [&] {
                if (auto *files = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                    if (auto *name = files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                        name->setText(saved);
                    static_cast<QDialog *>(files)->accept();
                }
            });
            save->trigger();
            dialog->reject();
        });
        r->preview(nullptr, QStringLiteral("预览"));
        QCOMPARE(pages, 2);
        QCOMPARE(script.texts(), QStringList({QStringLiteral("报表已保存为：") + saved + QStringLiteral(".pdf")}));
        const QStringList text = PdfText::pages(saved + QStringLiteral(".pdf"));
        QCOMPARE(text.size(), 2);
        QVERIFY(text[1].contains(QStringLiteral("第25行")));
    }
};

KD_TEST(TestReportEngine)
#include "tst_reportengine.moc"
