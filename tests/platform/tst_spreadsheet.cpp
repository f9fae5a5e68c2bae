#include "support/RecordingSpreadsheet.h"
#include "platform/spreadsheet/SpreadsheetApp.h"
#include "platform/spreadsheet/XlsxSpreadsheet.h"
#include "support/TestRegistry.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

QByteArray zipPart(const QString &file, const QString &part)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), file, part});
    if (!unzip.waitForFinished(10000) || unzip.exitCode() != 0)
        qFatal("unzip failed on %s", qPrintable(part));
    return unzip.readAllStandardOutput();
}

QStringList sheetNames(const QString &file)
{
    QStringList names;
    QXmlStreamReader xml(zipPart(file, QStringLiteral("xl/workbook.xml")));
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (xml.isStartElement() && xml.name() == QLatin1String("sheet"))
            names << xml.attributes().value(QStringLiteral("name")).toString();
        xml.readNext();
    }
    return names;
}

QStringList sharedStrings(const QString &file)
{
    QStringList list;
    QXmlStreamReader xml(zipPart(file, QStringLiteral("xl/sharedStrings.xml")));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("si"))
            list << QString();
        else if (xml.isStartElement() && xml.name() == QLatin1String("t"))
            list.last() += xml.readElementText();
    }
    return list;
}

// Style index -> whether its number format shows a date.
QList<bool> dateStyles(const QString &file)
{
    QMap<int, QString> formats;
    QList<bool> styles;
    QXmlStreamReader xml(zipPart(file, QStringLiteral("xl/styles.xml")));
    bool inCellXfs = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("numFmt")) {
            formats[xml.attributes().value(QStringLiteral("numFmtId")).toInt()] =
                xml.attributes().value(QStringLiteral("formatCode")).toString();
        } else if (xml.name() == QLatin1String("cellXfs")) {
            inCellXfs = xml.isStartElement();
        } else if (inCellXfs && xml.isStartElement() && xml.name() == QLatin1String("xf")) {
            const int id = xml.attributes().value(QStringLiteral("numFmtId")).toInt();
            const QString code = formats.value(id);
            // 14 is the built-in short date format.
            styles << (id == 14 || (code.contains(QLatin1Char('y')) && code.contains(QLatin1Char('d'))));
        }
    }
    return styles;
}

// The cells of worksheet n as the spreadsheet program reads them:
// "A2" -> "text:00000001", "number:1234.5", "date:2026-01-05".
QMap<QString, QString> readSheet(const QString &file, int n)
{
    const QStringList strings = sharedStrings(file);
    const QList<bool> dates = dateStyles(file);
    QMap<QString, QString> cells;
    QXmlStreamReader xml(zipPart(file, QStringLiteral("xl/worksheets/sheet%1.xml").arg(n)));
    QString ref, type;
    int style = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("c")) {
            ref = xml.attributes().value(QStringLiteral("r")).toString();
            type = xml.attributes().value(QStringLiteral("t")).toString();
            style = xml.attributes().value(QStringLiteral("s")).toInt();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("v")) {
            const QString v = xml.readElementText();
            if (type == QLatin1String("s"))
                cells[ref] = QStringLiteral("text:") + strings.value(v.toInt());
            else if (type.isEmpty() && style < dates.size() && dates[style])
                cells[ref] = QStringLiteral("date:") + QDate(1899, 12, 30).addDays(v.toLongLong()).toString(Qt::ISODate);
            else if (type.isEmpty() || type == QLatin1String("n"))
                cells[ref] = QStringLiteral("number:") + v;
            else
                cells[ref] = type + QLatin1Char(':') + v;
        }
    }
    return cells;
}

} // namespace

// The real spreadsheet program: the workbook file it hands over, read back
// from its XML, and the program's rules on sheet names and indexes.
class TestSpreadsheet : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    QStringList shown;

    std::unique_ptr<XlsxSpreadsheet> makeApp()
    {
        return std::make_unique<XlsxSpreadsheet>(dir->path(), [this](const QString &file) { shown << file; });
    }

private Q_SLOTS:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        shown.clear();
    }

    void writesTextNumbersAndDatesAsTheirKinds()
    {
        auto app = makeApp();
        app->setSheetsInNewWorkbook(1);
        app->addWorkbook();
        app->setSheetName(1, 1, QStringLiteral("DBGrid1"));
        const WorksheetRef sheet = app->worksheet(1, QStringLiteral("dbgrid1"));
        QCOMPARE(sheet, (WorksheetRef{1, 1}));
        const QVariantList header = {QStringLiteral("合同编号"), QStringLiteral("合同名称"), QStringLiteral("合同金额"),
                                     QStringLiteral("签订日期"), QStringLiteral("天数")};
        const QVariantList row1 = {QStringLiteral("00000001"), QStringLiteral("办公楼装修"), 1234567.8912,
                                   QDate(2026, 1, 5), qlonglong(30)};
        const QVariantList row2 = {QStringLiteral("00000002"), QVariant(), 0.1, QDate(2026, 12, 31), QString()};
        for (int c = 0; c < header.size(); ++c) {
            app->setCell(sheet, 1, c + 1, header[c]);
            app->setCell(sheet, 2, c + 1, row1[c]);
            app->setCell(sheet, 3, c + 1, row2[c]);
        }
        QVERIFY(shown.isEmpty());
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files).size(), 0); // nothing written before it is shown
        app->setVisible(true);

        QCOMPARE(shown.size(), 1);
        const QString file = shown.first();
        QVERIFY(file.startsWith(dir->path()));
        QVERIFY(file.endsWith(QLatin1String(".xlsx")));
        QCOMPARE(sheetNames(file), QStringList{QStringLiteral("DBGrid1")});
        const QMap<QString, QString> cells = readSheet(file, 1);
        const QMap<QString, QString> expected = {
            {QStringLiteral("A1"), QStringLiteral("text:合同编号")},
            {QStringLiteral("B1"), QStringLiteral("text:合同名称")},
            {QStringLiteral("C1"), QStringLiteral("text:合同金额")},
            {QStringLiteral("D1"), QStringLiteral("text:签订日期")},
            {QStringLiteral("E1"), QStringLiteral("text:天数")},
            {QStringLiteral("A2"), QStringLiteral("text:00000001")},
            {QStringLiteral("B2"), QStringLiteral("text:办公楼装修")},
            {QStringLiteral("C2"), QStringLiteral("number:1234567.8912")},
            {QStringLiteral("D2"), QStringLiteral("date:2026-01-05")},
            {QStringLiteral("E2"), QStringLiteral("number:30")},
            {QStringLiteral("A3"), QStringLiteral("text:00000002")},
            {QStringLiteral("C3"), QStringLiteral("number:0.1")},
            {QStringLiteral("D3"), QStringLiteral("date:2026-12-31")},
        };
        QCOMPARE(cells, expected); // B3 (null) and E3 (empty text) are no cells at all
    }

    void namesEverySheetInOrder()
    {
        auto app = makeApp();
        app->setSheetsInNewWorkbook(3);
        app->addWorkbook();
        app->setSheetName(1, 1, QStringLiteral("DBGrid1"));
        app->setSheetName(1, 2, QStringLiteral("DBGrid2"));
        app->setCell(app->worksheet(1, QStringLiteral("DBGrid2")), 1, 1, QStringLiteral("第二页"));
        app->setVisible(true);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(sheetNames(shown.first()),
                 (QStringList{QStringLiteral("DBGrid1"), QStringLiteral("DBGrid2"), QStringLiteral("Sheet3")}));
        QCOMPARE(readSheet(shown.first(), 2).value(QStringLiteral("A1")), QStringLiteral("text:第二页"));
        QVERIFY(readSheet(shown.first(), 1).isEmpty());
    }

    void showsAgainOnlyWhatChanged()
    {
        auto app = makeApp();
        app->setSheetsInNewWorkbook(1);
        app->addWorkbook();
        const WorksheetRef sheet{1, 1};
        app->setCell(sheet, 1, 1, QStringLiteral("a"));
        app->setVisible(true);
        app->setVisible(true);
        QCOMPARE(shown.size(), 1); // an unchanged workbook is not handed over twice
        app->setCell(sheet, 2, 1, QStringLiteral("b"));
        app->setVisible(true);
        QCOMPARE(shown.size(), 2);
        QVERIFY(shown[0] != shown[1]);
        QCOMPARE(readSheet(shown[0], 1).size(), 1); // the first document stays as it was shown
        QCOMPARE(readSheet(shown[1], 1).value(QStringLiteral("A2")), QStringLiteral("text:b"));
    }

    void refusesWhatTheProgramRefuses_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::newRow("empty name") << QStringLiteral("name:");
        QTest::newRow("32 characters") << QStringLiteral("name:") + QString(32, QLatin1Char('x'));
        QTest::newRow("colon") << QStringLiteral("name:a:b");
        QTest::newRow("bracket") << QStringLiteral("name:[a]");
        QTest::newRow("leading apostrophe") << QStringLiteral("name:'a");
        QTest::newRow("name of another sheet, other case") << QStringLiteral("name:sheet2");
        QTest::newRow("sheet index past the end") << QStringLiteral("index:4");
        QTest::newRow("workbook index past the end") << QStringLiteral("workbook:2");
        QTest::newRow("unknown sheet name") << QStringLiteral("find:DBGrid9");
        QTest::newRow("row 0") << QStringLiteral("cell:0");
        QTest::newRow("row past the last") << QStringLiteral("cell:1048577");
        QTest::newRow("no sheets in a new workbook") << QStringLiteral("sheets:0");
        QTest::newRow("256 sheets in a new workbook") << QStringLiteral("sheets:256");
        QTest::newRow("text longer than a cell holds") << QStringLiteral("text:32768");
    }
    void refusesWhatTheProgramRefuses()
    {
        QFETCH(QString, operation);
        const QString kind = operation.section(QLatin1Char(':'), 0, 0);
        const QString arg = operation.section(QLatin1Char(':'), 1);
        auto app = makeApp();
        app->setSheetsInNewWorkbook(3);
        app->addWorkbook();
        const int revision = app->model().revision();
        try {
            if (kind == QLatin1String("name"))
                app->setSheetName(1, 1, arg);
            else if (kind == QLatin1String("index"))
                app->setSheetName(1, arg.toInt(), QStringLiteral("DBGrid1"));
            else if (kind == QLatin1String("workbook"))
                app->setSheetName(arg.toInt(), 1, QStringLiteral("DBGrid1"));
            else if (kind == QLatin1String("find"))
                app->worksheet(1, arg);
            else if (kind == QLatin1String("cell"))
                app->setCell({1, 1}, arg.toInt(), 1, QStringLiteral("x"));
            else if (kind == QLatin1String("sheets"))
                app->setSheetsInNewWorkbook(arg.toInt());
            else if (kind == QLatin1String("text"))
                app->setCell({1, 1}, 1, 1, QString(arg.toInt(), QLatin1Char('x')));
            QFAIL("the operation was accepted");
        } catch (const SpreadsheetError &e) {
            QVERIFY(!e.message().isEmpty());
        }
        QCOMPARE(app->model().revision(), revision);
        QCOMPARE(app->model().workbooks().first().sheets.first().name, QStringLiteral("Sheet1"));
        QVERIFY(app->model().workbooks().first().sheets.first().cells.empty());
    }

    void renamingASheetToItsOwnNameIsAccepted()
    {
        auto app = makeApp();
        app->setSheetsInNewWorkbook(1);
        app->addWorkbook();
        app->setSheetName(1, 1, QStringLiteral("DBGrid1"));
        app->setSheetName(1, 1, QStringLiteral("dbgrid1"));
        QCOMPARE(app->model().workbooks().first().sheets.first().name, QStringLiteral("dbgrid1"));
    }

    void createFailsWithoutASpreadsheetProgram()
    {
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(dir->path()));
        bool failed = false;
        try {
            SpreadsheetApp::create();
        } catch (const SpreadsheetError &) {
            failed = true;
        }
        qputenv("PATH", path);
        QVERIFY(failed);
    }

    // The installed program is started with the file as a new untitled document.
    void visibleStartsTheInstalledProgram()
    {
        const QString args = dir->filePath(QStringLiteral("args.txt"));
        QFile script(dir->filePath(QStringLiteral("soffice")));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\necho \"$@\" > '%1.tmp' && mv '%1.tmp' '%1'\n").arg(args).toUtf8());
        script.close();
        script.setPermissions(script.permissions() | QFile::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(dir->path()) + ":/usr/bin:/bin");
        std::unique_ptr<SpreadsheetApp> app;
        try {
            app = SpreadsheetApp::create();
        } catch (const SpreadsheetError &e) {
            qputenv("PATH", path);
            QFAIL(qPrintable(e.message()));
        }
        qputenv("PATH", path);
        app->setSheetsInNewWorkbook(1);
        app->addWorkbook();
        app->setCell({1, 1}, 1, 1, QStringLiteral("合同编号"));
        app->setVisible(true);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(args), 10000);
        QFile f(args);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList words = QString::fromUtf8(f.readAll()).trimmed().split(QLatin1Char(' '));
        QCOMPARE(words.size(), 3);
        QCOMPARE(words[0], QStringLiteral("--calc"));
        QCOMPARE(words[1], QStringLiteral("-n"));
        QVERIFY(words[2].startsWith(XlsxSpreadsheet::defaultFolder()));
        QCOMPARE(readSheet(words[2], 1).value(QStringLiteral("A1")), QStringLiteral("text:合同编号"));
        QFile::remove(words[2]);
    }

    // The fake keeps the real program's rules, so a test through it cannot
    // pass on an operation the real one would refuse.
    void recordingFakeRecordsAndRefusesLikeTheProgram()
    {
        RecordingSpreadsheet::Log log;
        {
            SpreadsheetApp::ScopedFactory factory(RecordingSpreadsheet::factory(&log));
            auto app = SpreadsheetApp::create();
            app->setSheetsInNewWorkbook(1);
            app->addWorkbook();
            app->setSheetName(1, 1, QStringLiteral("DBGrid1"));
            app->setCell(app->worksheet(1, QStringLiteral("DBGrid1")), 2, 3, QDate(2026, 1, 5));
            QVERIFY_THROWS_EXCEPTION(SpreadsheetError, app->worksheet(1, QStringLiteral("DBGrid2")));
            app->setVisible(true);
        }
        QCOMPARE(log.operations, (QStringList{
            QStringLiteral("create Excel.Application"), QStringLiteral("SheetsInNewWorkbook=1"),
            QStringLiteral("Workbooks.Add"), QStringLiteral("Workbooks(1).Worksheets(1).Name=DBGrid1"),
            QStringLiteral("Workbooks(1).Worksheets(DBGrid1)"), QStringLiteral("Worksheets(1).Cells(2,3)=date:2026-01-05"),
            QStringLiteral("Workbooks(1).Worksheets(DBGrid2)"), QStringLiteral("Visible=true"), QStringLiteral("release")}));
        QCOMPARE(log.lastModel.workbooks().first().sheets.first().cells.size(), size_t(1));
    }
};

KD_TEST(TestSpreadsheet)
#include "tst_spreadsheet.moc"
