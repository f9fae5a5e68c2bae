#include "ShellFixture.h"

#include "platform/Dialogs.h"
#include "support/RecordingSpreadsheet.h"
#include "platform/widgets/DBGrid.h"
#include "shell/TMain.h"
#include "support/Gui.h"
#include "support/TestRegistry.h"

#include <QDate>
#include <QMenu>
#include <QTest>
#include <QLabel>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

// The main window's exports: which grid each menu item hands over.
class TstMainExport : public QObject
{
    Q_OBJECT

    static void showGrids(Shell &s)
    {
        s.db.insert(QStringLiteral("项目清单"), {QStringLiteral("01"), QStringLiteral("A"), QString()});
        s.db.insert(QStringLiteral("项目清单"), {QStringLiteral("01-01"), QStringLiteral("B"), QString()});
        s.db.insert(QStringLiteral("合同基本信息表"),
                    {QStringLiteral("00000001"), QStringLiteral("钢材"), QStringLiteral("甲公司"), 1000.5,
                     QStringLiteral("内容"), QStringLiteral("赵六"), QDate(2026, 3, 1), QVariant(), QString(),
                     QStringLiteral("01-01"), QString(), QString(), QString()});
        s.db.insert(QStringLiteral("付款情况表"), {QStringLiteral("00000001"), QDate(2026, 4, 1), 200,
                                                   QStringLiteral("转账"), QStringLiteral("赵六"), QStringLiteral("P-9"), QVariant()});
        s.logIn(QStringLiteral("admin"), QStringLiteral("kadero"));
        s.clickNode(QStringLiteral("[01-01] B"));
    }

private Q_SLOTS:
    void eachItemExportsItsGrid_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QString>("firstCell");
        QTest::newRow("contract pop-up") << QStringLiteral("Menu_OutToExcel1") << QStringLiteral("DBGrid1")
                                         << QStringLiteral("Worksheets(1).Cells(2,1)=text:00000001");
        QTest::newRow("payment pop-up") << QStringLiteral("Menu_OutToExcel2") << QStringLiteral("DBGrid2")
                                        << QStringLiteral("Worksheets(1).Cells(2,4)=number:200");
        QTest::newRow("tool bar, contracts") << QStringLiteral("N9") << QStringLiteral("DBGrid1")
                                             << QStringLiteral("Worksheets(1).Cells(2,5)=number:1000.5");
        QTest::newRow("tool bar, payments") << QStringLiteral("N10") << QStringLiteral("DBGrid2")
                                            << QStringLiteral("Worksheets(1).Cells(1,3)=text:付款日期");
    }
    void eachItemExportsItsGrid()
    {
        QFETCH(QString, item);
        QFETCH(QString, sheet);
        QFETCH(QString, firstCell);
        Shell s;
        Dialogs::Script script;
        showGrids(s);
        RecordingSpreadsheet::Log log;
        SpreadsheetApp::ScopedFactory fake(RecordingSpreadsheet::factory(&log));
        s.main->findChild<QAction *>(item)->trigger();
        QVERIFY(script.messages().isEmpty());
        QCOMPARE(log.created, 1);
        QCOMPARE(log.matching(QStringLiteral("SheetsInNewWorkbook")), QStringList{QStringLiteral("SheetsInNewWorkbook=1")});
        QCOMPARE(log.matching(QStringLiteral("Workbooks(1).Worksheets(1).Name")),
                 QStringList{QStringLiteral("Workbooks(1).Worksheets(1).Name=") + sheet});
        QVERIFY2(log.operations.contains(firstCell), qPrintable(log.operations.join(QLatin1Char('\n'))));
        QCOMPARE(log.matching(QStringLiteral("Worksheets(1).Cells(1,")).size(), 8);
        QCOMPARE(log.matching(QStringLiteral("Visible")), QStringList{QStringLiteral("Visible=true")});
    }

    void startFailureIsReported()
    {
        Shell s;
        Dialogs::Script script;
        showGrids(s);
        RecordingSpreadsheet::Log log;
        log.failCreate = true;
        SpreadsheetApp::ScopedFactory fake(RecordingSpreadsheet::factory(&log));
        s.main->N9->trigger();
        QCOMPARE(script.texts(), QStringList{QStringLiteral("没有安装Excel，请安装后再试一次！")});
        QCOMPARE(log.operations, QStringList{QStringLiteral("create Excel.Application")});
    }

    void toolBarButtonOffersBothExports()
    {
        Shell s;
        Dialogs::Script script;
        showGrids(s);
        QVERIFY(s.main->ToolButton8->isVisible());
        QMenu *menu = s.main->ToolButton8->menu();
        QVERIFY(menu);
        QCOMPARE(visibleEntries(menu), (QStringList{QStringLiteral("导出合同基本信息(&B)"), QStringLiteral("导出合同付款信息(&P)")}));
        QCOMPARE(s.main->DBGrid1->contextMenuPolicy(), Qt::CustomContextMenu);
        QCOMPARE(visibleEntries(s.main->PopupMenu2), QStringList{QStringLiteral("导出到EXCEL(&O)")});
        QCOMPARE(visibleEntries(s.main->PopupMenu3), QStringList{QStringLiteral("导出到EXCEL(&O)")});
        // Dividers before expand, between collapse and refresh, around the export button; Label1 last.
        QStringList bar;
        for (QAction *a : s.main->ToolBar1->actions())
            bar << (a->isSeparator() ? QStringLiteral("-") : s.main->ToolBar1->widgetForAction(a)->objectName());
        QCOMPARE(bar, (QStringList{QStringLiteral("-"), QStringLiteral("ToolButton1"), QStringLiteral("ToolButton2"),
                                   QStringLiteral("-"), QStringLiteral("ToolButton4"), QStringLiteral("-"),
                                   QStringLiteral("ToolButton8"), QStringLiteral("-"), QStringLiteral("ToolButton10"),
                                   QStringLiteral("Label1")}));
        QVERIFY(!s.main->Label1->isVisible());
        QCOMPARE(visibleEntries(s.main->PopupMenu1),
                 (QStringList{QStringLiteral("全部展开(&Z)"), QStringLiteral("全部缩进(&S)"), QStringLiteral("-"),
                              QStringLiteral("刷新(&R)")}));
    }
};

KD_TEST(TstMainExport)
#include "tst_mainexport.moc"
