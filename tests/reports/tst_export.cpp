#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/data/DataSource.h"
#include "platform/data/Dataset.h"
#include "support/RecordingSpreadsheet.h"
#include "platform/spreadsheet/XlsxSpreadsheet.h"
#include "platform/widgets/DBGrid.h"
#include "reports/ExportGridsToExcel.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"

#include <QApplication>
#include <QDate>
#include <QHeaderView>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kNoExcel = QStringLiteral("没有安装Excel，请安装后再试一次！");

// A grid over a query, named as in a window.
struct GridUnderTest {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    Dataset *ds;
    DBGrid *grid;

    GridUnderTest(SqlConnection *connection, const QString &name, const QString &sql, const QList<GridColumn> &columns = {})
    {
        ds = new Dataset(connection, window.get());
        ds->setSql(sql);
        auto *source = new DataSource(ds, window.get());
        grid = new DBGrid(window.get());
        grid->setObjectName(name);
        grid->setDataSource(source);
        if (!columns.isEmpty())
            grid->setColumns(columns);
        window->resize(600, 300);
    }
};


GridColumn column(const QString &field, const QString &title = QString())
{
    GridColumn c;
    c.field = field;
    c.title = title;
    return c;
}

} // namespace

// The export through a recording spreadsheet program: the operations in
// order with their arguments, and what the user sees afterwards.
class TestExport : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDb> db;
    RecordingSpreadsheet::Log log;
    std::unique_ptr<SpreadsheetApp::ScopedFactory> factory;

    void addContract(const QString &number, const QString &name, const QVariant &amount, const QVariant &signedOn,
                     const QVariant &handler)
    {
        db->insert(QStringLiteral("合同基本信息表"),
                   {number, name, QStringLiteral("华东建设"), amount, QStringLiteral("内容"), handler, signedOn,
                    QVariant(), QStringLiteral("工程"), QStringLiteral("01-01"), QStringLiteral("是"), QVariant(),
                    QStringLiteral("本公司")});
    }

    // The contract register's kind of grid: two columns with titles of their own.
    std::unique_ptr<GridUnderTest> contractGrid(const QString &where = QString())
    {
        return std::make_unique<GridUnderTest>(
            db->connection(), QStringLiteral("DBGrid1"),
            QStringLiteral("select 合同编号,合同名称,合同金额,签订日期,经办人员,是否审计 from 合同基本信息表 ") + where
                + QStringLiteral(" order by 合同编号"),
            QList<GridColumn>{column(QStringLiteral("合同编号")), column(QStringLiteral("合同名称")),
                              column(QStringLiteral("合同金额")), column(QStringLiteral("签订日期")),
                              column(QStringLiteral("经办人员"), QStringLiteral("经办人")),
                              column(QStringLiteral("是否审计"), QStringLiteral("审计"))});
    }

private Q_SLOTS:
    void init()
    {
        db = std::make_unique<TestDb>();
        log = RecordingSpreadsheet::Log();
        factory = std::make_unique<SpreadsheetApp::ScopedFactory>(RecordingSpreadsheet::factory(&log));
        addContract(QStringLiteral("00000001"), QStringLiteral("办公楼装修"), 1234567.89, QDate(2026, 1, 5),
                    QStringLiteral("张明"));
        addContract(QStringLiteral("00000002"), QStringLiteral("设备采购"), QVariant(), QVariant(), QVariant());
    }
    void cleanup()
    {
        factory.reset();
        db.reset();
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void performsTheOperationsInOrder()
    {
        Dialogs::Script script;
        auto g = contractGrid();
        g->ds->open();
        g->window->show();
        ExportGridsToExcel({g->grid}, true);

        QCOMPARE(log.operations, (QStringList{
            QStringLiteral("create Excel.Application"),
            QStringLiteral("SheetsInNewWorkbook=1"),
            QStringLiteral("Workbooks.Add"),
            QStringLiteral("Workbooks(1).Worksheets(1).Name=DBGrid1"),
            QStringLiteral("Workbooks(1).Worksheets(DBGrid1)"),
            QStringLiteral("Worksheets(1).Cells(1,1)=text:合同编号"),
            QStringLiteral("Worksheets(1).Cells(1,2)=text:合同名称"),
            QStringLiteral("Worksheets(1).Cells(1,3)=text:合同金额"),
            QStringLiteral("Worksheets(1).Cells(1,4)=text:签订日期"),
            QStringLiteral("Worksheets(1).Cells(1,5)=text:经办人"),
            QStringLiteral("Worksheets(1).Cells(1,6)=text:审计"),
            QStringLiteral("Worksheets(1).Cells(2,1)=text:00000001"),
            QStringLiteral("Worksheets(1).Cells(2,2)=text:办公楼装修"),
            QStringLiteral("Worksheets(1).Cells(2,3)=number:1234567.89"),
            QStringLiteral("Worksheets(1).Cells(2,4)=date:2026-01-05"),
            QStringLiteral("Worksheets(1).Cells(2,5)=text:张明"),
            QStringLiteral("Worksheets(1).Cells(2,6)=text:是"),
            QStringLiteral("Worksheets(1).Cells(3,1)=text:00000002"),
            QStringLiteral("Worksheets(1).Cells(3,2)=text:设备采购"),
            QStringLiteral("Worksheets(1).Cells(3,3)=empty"),
            QStringLiteral("Worksheets(1).Cells(3,4)=empty"),
            QStringLiteral("Worksheets(1).Cells(3,5)=empty"),
            QStringLiteral("Worksheets(1).Cells(3,6)=text:是"),
            QStringLiteral("Visible=true"),
            QStringLiteral("release"),
        }));
        QVERIFY(script.messages().isEmpty());
    }

    // Without designed columns every field is a column, titled by its name;
    // a hidden column and a column the user moved are exported where the user sees them.
    void columnsAsTheGridShowsThem()
    {
        Dialogs::Script script;
        GridUnderTest g(db->connection(), QStringLiteral("DBGrid2"),
                        QStringLiteral("select 合同编号,合同金额,经办人员 from 合同基本信息表 where 合同编号='00000001'"));
        g.ds->open();
        g.grid->setColumnHidden(1, true);
        g.grid->horizontalHeader()->moveSection(2, 0);
        ExportGridsToExcel({g.grid}, false);
        QCOMPARE(log.matching(QStringLiteral("Worksheets(1).Cells(")), (QStringList{
            QStringLiteral("Worksheets(1).Cells(1,1)=text:经办人员"),
            QStringLiteral("Worksheets(1).Cells(1,2)=text:合同编号"),
            QStringLiteral("Worksheets(1).Cells(1,3)=text:合同金额"),
            QStringLiteral("Worksheets(1).Cells(2,1)=text:张明"),
            QStringLiteral("Worksheets(1).Cells(2,2)=text:00000001"),
            QStringLiteral("Worksheets(1).Cells(2,3)=number:1234567.89"),
        }));
        QCOMPARE(log.matching(QStringLiteral("Workbooks(1).Worksheets(1).Name=")),
                 QStringList{QStringLiteral("Workbooks(1).Worksheets(1).Name=DBGrid2")});
    }

    // The main window's payment grid is a join: its dates still go out as
    // dates and its amounts as numbers.
    void joinColumnsKeepTheirKinds()
    {
        db->insert(QStringLiteral("付款情况表"), {QStringLiteral("00000001"), QDate(2026, 3, 1), 0.3,
                                                  QStringLiteral("现金"), QStringLiteral("李华"), QStringLiteral("P1"), QVariant()});
        GridUnderTest g(db->connection(), QStringLiteral("DBGrid2"),
                        QStringLiteral("select a.合同编号,b.合同金额,a.付款日期,a.付款金额,a.备注 from 付款情况表 a,"
                                       "合同基本信息表 b where a.合同编号=b.合同编号"));
        g.ds->open();
        ExportGridsToExcel({g.grid}, true);
        QCOMPARE(log.matching(QStringLiteral("Worksheets(1).Cells(2,")), (QStringList{
            QStringLiteral("Worksheets(1).Cells(2,1)=text:00000001"),
            QStringLiteral("Worksheets(1).Cells(2,2)=number:1234567.89"),
            QStringLiteral("Worksheets(1).Cells(2,3)=date:2026-03-01"),
            QStringLiteral("Worksheets(1).Cells(2,4)=number:0.3"),
            QStringLiteral("Worksheets(1).Cells(2,5)=empty"),
        }));
    }

    void emptyDatasetGivesTheHeaderAndIsShown()
    {
        Dialogs::Script script;
        auto g = contractGrid(QStringLiteral("where 合同编号='none'"));
        g->ds->open();
        ExportGridsToExcel({g->grid}, true);
        QCOMPARE(log.matching(QStringLiteral("Worksheets(1).Cells(")).size(), 6);
        QCOMPARE(log.matching(QStringLiteral("Worksheets(1).Cells(2,")).size(), 0);
        QCOMPARE(log.operations.mid(log.operations.size() - 2),
                 (QStringList{QStringLiteral("Visible=true"), QStringLiteral("release")}));
        QVERIFY(script.messages().isEmpty());
    }

    void closedDatasetNamesTheSheetAndStops()
    {
        Dialogs::Script script;
        auto g = contractGrid();
        ExportGridsToExcel({g->grid}, true);
        QCOMPARE(log.operations, (QStringList{
            QStringLiteral("create Excel.Application"), QStringLiteral("SheetsInNewWorkbook=1"),
            QStringLiteral("Workbooks.Add"), QStringLiteral("Workbooks(1).Worksheets(1).Name=DBGrid1"),
            QStringLiteral("Workbooks(1).Worksheets(DBGrid1)"), QStringLiteral("release")}));
        QVERIFY(script.messages().isEmpty());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    // Each grid is shown as soon as it is finished; a closed one ends the export there.
    void severalGridsEachOnItsSheet()
    {
        auto first = contractGrid();
        first->ds->open();
        GridUnderTest second(db->connection(), QStringLiteral("DBGrid2"), QStringLiteral("select 合同编号 from 合同基本信息表"));
        GridUnderTest third(db->connection(), QStringLiteral("DBGrid3"), QStringLiteral("select 合同编号 from 合同基本信息表"));
        third.ds->open();
        ExportGridsToExcel({first->grid, second.grid, third.grid}, true);
        QCOMPARE(log.matching(QStringLiteral("SheetsInNewWorkbook=")), QStringList{QStringLiteral("SheetsInNewWorkbook=3")});
        QCOMPARE(log.matching(QStringLiteral("Workbooks(1).Worksheets(")), (QStringList{
            QStringLiteral("Workbooks(1).Worksheets(1).Name=DBGrid1"), QStringLiteral("Workbooks(1).Worksheets(DBGrid1)"),
            QStringLiteral("Workbooks(1).Worksheets(2).Name=DBGrid2"), QStringLiteral("Workbooks(1).Worksheets(DBGrid2)")}));
        QCOMPARE(log.matching(QStringLiteral("Visible=")).size(), 1);
        QCOMPARE(log.matching(QStringLiteral("Worksheets(2).Cells")).size(), 0);
        QCOMPARE(log.lastModel.workbooks().first().sheets[2].name, QStringLiteral("Sheet3"));
    }

    void currentRowEndsOnTheLastRecord()
    {
        addContract(QStringLiteral("00000003"), QStringLiteral("软件开发"), 10.0, QDate(2026, 5, 1), QStringLiteral("王芳"));
        auto g = contractGrid();
        g->ds->open();
        g->window->show();
        QVERIFY(QTest::qWaitForWindowExposed(g->window.get()));
        g->ds->moveTo(1);
        QCOMPARE(g->grid->currentIndex().row(), 1);
        ExportGridsToExcel({g->grid}, true);
        QCOMPARE(g->ds->currentRow(), 2);
        QCOMPARE(g->grid->currentIndex().row(), 2);
        QVERIFY(g->ds->eof());
        // The export started from the first record, not from the current one.
        QCOMPARE(log.matching(QStringLiteral("Worksheets(1).Cells(2,1)")),
                 QStringList{QStringLiteral("Worksheets(1).Cells(2,1)=text:00000001")});
    }

    void startFailure_data()
    {
        QTest::addColumn<bool>("report");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("reported (main window)") << true << QStringList{kNoExcel};
        QTest::newRow("silent (other windows)") << false << QStringList();
    }
    void startFailure()
    {
        QFETCH(bool, report);
        QFETCH(QStringList, messages);
        Dialogs::Script script;
        log.failCreate = true;
        auto g = contractGrid();
        g->ds->open();
        g->ds->moveTo(1);
        ExportGridsToExcel({g->grid}, report);
        QCOMPARE(script.texts(), messages);
        QCOMPARE(log.operations, QStringList{QStringLiteral("create Excel.Application")});
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QCOMPARE(g->ds->currentRow(), 1); // nothing else happened
    }

    void waitCursorWhileItRuns()
    {
        QList<Qt::CursorShape> seen;
        SpreadsheetApp::ScopedFactory watching([&]() -> std::unique_ptr<SpreadsheetApp> {
            const QCursor *c = QApplication::overrideCursor();
            seen << (c ? c->shape() : Qt::ArrowCursor);
            return std::make_unique<RecordingSpreadsheet>(&log);
        });
        auto g = contractGrid();
        g->ds->open();
        ExportGridsToExcel({g->grid}, true);
        QCOMPARE(seen, QList<Qt::CursorShape>{Qt::WaitCursor});
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    // An error of the spreadsheet program after it started (say the user closed
    // it) reaches the default error display; the cursor is reset all the same.
    void errorOfTheProgramIsShownAndTheCursorReset()
    {
        Dialogs::Script script;
        log.failOn = QStringLiteral("Worksheets(1).Cells(3,");
        auto g = contractGrid();
        g->ds->open();
        QVERIFY(!guarded([&] { ExportGridsToExcel({g->grid}, true); }));
        QCOMPARE(script.messages().size(), 1);
        QCOMPARE(script.messages().first().kind, Dialogs::Kind::Error);
        QCOMPARE(script.lastText(), QStringLiteral("电子表格程序拒绝了操作：Worksheets(1).Cells(3,1)=text:00000002"));
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QCOMPARE(log.matching(QStringLiteral("Visible=")).size(), 0);
        QCOMPARE(log.operations.last(), QStringLiteral("release"));
        // What was filled until then stays in the workbook.
        QCOMPARE(log.lastModel.workbooks().first().sheets.first().cells.size(), size_t(6 + 6));
    }

    void eachExportStartsItsOwnApplication()
    {
        auto g = contractGrid();
        g->ds->open();
        ExportGridsToExcel({g->grid}, true);
        ExportGridsToExcel({g->grid}, true);
        QCOMPARE(log.created, 2);
        QCOMPARE(log.matching(QStringLiteral("create")).size(), 2);
        QCOMPARE(log.matching(QStringLiteral("Workbooks.Add")).size(), 2);
        QCOMPARE(log.matching(QStringLiteral("release")).size(), 2);
    }

    // Through the real spreadsheet program: the file handed over holds the
    // contract number as text and the amount as a number.
    void realWorkbookFromAGrid()
    {
        QTemporaryDir dir;
        QStringList shown;
        SpreadsheetApp::ScopedFactory real([&]() -> std::unique_ptr<SpreadsheetApp> {
            return std::make_unique<XlsxSpreadsheet>(dir.path(), [&](const QString &file) { shown << file; });
        });
        auto g = contractGrid();
        g->ds->open();
        ExportGridsToExcel({g->grid}, true);
        QCOMPARE(shown.size(), 1);
        auto part = [&](const char *name) {
            QProcess unzip;
            unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), shown.first(), QString::fromLatin1(name)});
            unzip.waitForFinished();
            return QString::fromUtf8(unzip.readAllStandardOutput());
        };
        QVERIFY(part("xl/workbook.xml").contains(QStringLiteral("<sheet name=\"DBGrid1\"")));
        const QString strings = part("xl/sharedStrings.xml");
        for (const char *text : {"合同编号", "经办人", "办公楼装修", "00000001"})
            QVERIFY2(strings.contains(QStringLiteral("<t>%1</t>").arg(QString::fromUtf8(text))), text);
        const QString sheet = part("xl/worksheets/sheet1.xml");
        QVERIFY(sheet.contains(QStringLiteral("<c r=\"A2\" t=\"s\">")));
        QVERIFY(sheet.contains(QStringLiteral("<c r=\"C2\"><v>1234567.89</v></c>")));
        // 2026-01-05 is day 46027 of the spreadsheet calendar, with a date style.
        QVERIFY(sheet.contains(QRegularExpression(QStringLiteral("<c r=\"D2\" s=\"\\d+\"><v>46027</v></c>"))));
        QVERIFY(!sheet.contains(QStringLiteral("r=\"C3\"")));
    }
};

KD_TEST(TestExport)
#include "tst_export.moc"
