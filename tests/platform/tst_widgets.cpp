#include "platform/Dialogs.h"
#include "platform/data/DataSource.h"
#include "platform/data/Dataset.h"
#include "platform/widgets/DBComboBox.h"
#include "platform/widgets/DBEdit.h"
#include "platform/widgets/DBGrid.h"
#include "platform/widgets/DBLookupComboBox.h"
#include "platform/gbk.h"
#include "support/Gui.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"

#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

// Bound controls and the grid over a dataset, driven by keyboard and mouse.
class TestWidgets : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDb> db;
    std::unique_ptr<QWidget> window;
    Dataset *ds = nullptr;
    DataSource *source = nullptr;
    DBGrid *grid = nullptr;
    DBEdit *name = nullptr;
    QPushButton *button = nullptr;

private Q_SLOTS:
    void init()
    {
        db = std::make_unique<TestDb>();
        db->insert(QStringLiteral("公司清单"), {QStringLiteral("01"), QStringLiteral("甲公司")});
        db->insert(QStringLiteral("公司清单"), {QStringLiteral("02"), QStringLiteral("乙公司")});
        window = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(window.get());
        ds = new Dataset(db->connection(), window.get());
        ds->setTableQuery(QStringLiteral("公司清单"), QStringLiteral("*"), QStringLiteral("order by 编号"));
        ds->open();
        source = new DataSource(ds, window.get());
        grid = new DBGrid(window.get());
        grid->setDataSource(source);
        name = new DBEdit(window.get());
        name->setDataSource(source, QStringLiteral("名称"));
        button = new QPushButton(QStringLiteral("按钮"), window.get());
        layout->addWidget(grid);
        layout->addWidget(name);
        layout->addWidget(button);
        window->resize(500, 400);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup()
    {
        window.reset();
        db.reset();
    }

    void editFollowsTheCurrentRowAndTypingEditsIt()
    {
        QCOMPARE(name->text(), QStringLiteral("甲公司"));
        Gui::clickCell(grid, 1, 0);
        QCOMPARE(ds->currentRow(), 1);
        QCOMPARE(name->text(), QStringLiteral("乙公司"));
        Gui::retype(name, QStringLiteral("丙公司"));
        QCOMPARE(ds->state(), Dataset::Edit);
        Gui::clickCell(grid, 0, 0);
        QCOMPARE(db->rows(QStringLiteral("select 名称 from 公司清单 order by 编号")),
                 (QStringList{QStringLiteral("甲公司"), QStringLiteral("丙公司")}));
    }

    void editTakesNoMoreBytesThanTheColumn()
    {
        Gui::retype(name, QString(98, QLatin1Char('x')) + QStringLiteral("好"));
        QCOMPARE(gbk::byteLength(name->text()), 100);
        Gui::typeText(name, QStringLiteral("z"));
        QCOMPARE(gbk::byteLength(name->text()), 100);
        Gui::retype(name, QString(99, QLatin1Char('x')) + QStringLiteral("好"));
        QCOMPARE(name->text(), QString(99, QLatin1Char('x')));
    }

    void refusedRowKeepsTheCursor()
    {
        Dialogs::Script script;
        ds->moveTo(1);
        ds->setValue(QStringLiteral("名称"), QStringLiteral("坏\U0001F600"));
        Gui::clickCell(grid, 0, 1);
        QCOMPARE(script.texts(),
                 QStringList{QStringLiteral("“名称”不能保存“坏\U0001F600”：字符“\U0001F600”不能以GBK编码保存。")});
        QCOMPARE(ds->currentRow(), 1);
        QCOMPARE(grid->currentIndex().row(), 1);
        QCOMPARE(ds->state(), Dataset::Edit);
        QCOMPARE(db->scalar(QStringLiteral("select 名称 from 公司清单 where 编号='02'")).toString(), QStringLiteral("乙公司"));
    }

    void cellTypingStoresWhenTheRowIsLeft()
    {
        grid->setReadOnly(false);
        Gui::clickCell(grid, 0, 1);
        Gui::clickSelectedCell(grid, 0, 1); // opens its editor
        QWidget *editor = QApplication::focusWidget();
        QVERIFY(editor && editor != grid);
        Gui::retype(editor, QStringLiteral("甲集团"));
        Gui::pressEnter(editor);
        QCOMPARE(ds->state(), Dataset::Edit);
        Gui::clickCell(grid, 1, 1);
        QCOMPARE(db->scalar(QStringLiteral("select 名称 from 公司清单 where 编号='01'")).toString(), QStringLiteral("甲集团"));
    }

    void leavingTheGridDropsAnUntouchedNewRowOnly()
    {
        grid->setReadOnly(false);
        Gui::focus(grid);
        ds->append();
        QCOMPARE(grid->model()->rowCount(), 3);
        Gui::focus(button);
        QCOMPARE(ds->recordCount(), 2);
        QCOMPARE(ds->state(), Dataset::Browse);

        Gui::focus(grid);
        ds->append();
        ds->setValue(QStringLiteral("编号"), QStringLiteral("03"));
        Gui::focus(button);
        QCOMPARE(ds->state(), Dataset::Insert);
        QCOMPARE(db->count(QStringLiteral("公司清单")), 2);
    }

    void readOnlyGridOpensNoEditor()
    {
        Gui::clickCell(grid, 0, 1);
        Gui::clickSelectedCell(grid, 0, 1);
        QCOMPARE(QApplication::focusWidget(), grid);
        QCOMPARE(ds->state(), Dataset::Browse);
    }

    void lookupWritesTheKeyOfTheChosenItem()
    {
        Dataset contracts(db->connection());
        contracts.setTableName(QStringLiteral("合同基本信息表"));
        contracts.open();
        DataSource contractSource(&contracts);
        DBLookupComboBox lookup;
        lookup.setListSource(source, QStringLiteral("名称"), QStringLiteral("名称"));
        lookup.setDataSource(&contractSource, QStringLiteral("公司名称"));
        QCOMPARE(lookup.count(), 2);
        contracts.append();
        QCOMPARE(lookup.currentIndex(), -1);
        lookup.setCurrentIndex(1);
        Q_EMIT lookup.activated(1);
        QCOMPARE(contracts.text(QStringLiteral("公司名称")), QStringLiteral("乙公司"));
        // The list was read once: a company added later is not offered.
        db->insert(QStringLiteral("公司清单"), {QStringLiteral("03"), QStringLiteral("丙公司")});
        QCOMPARE(lookup.count(), 2);
    }

    void comboTakesTypedTextAndItems()
    {
        Dataset contracts(db->connection());
        contracts.setTableName(QStringLiteral("合同基本信息表"));
        contracts.open();
        DataSource contractSource(&contracts);
        DBComboBox audited;
        audited.addItems({QStringLiteral("是"), QStringLiteral("否")});
        audited.setDataSource(&contractSource, QStringLiteral("是否审计"));
        contracts.append();
        audited.setCurrentIndex(1);
        QCOMPARE(contracts.text(QStringLiteral("是否审计")), QStringLiteral("否"));
        audited.setEditText(QStringLiteral("部分"));
        QCOMPARE(contracts.text(QStringLiteral("是否审计")), QStringLiteral("部分"));
    }
};

KD_TEST(TestWidgets)
#include "tst_widgets.moc"
