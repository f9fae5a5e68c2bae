#include "platform/Dialogs.h"
#include "platform/data/Dataset.h"
#include "platform/widgets/DBGrid.h"
#include "reference/TClasses.h"
#include "reference/TDept.h"
#include "reference/TGs.h"
#include "reference/TProject.h"
#include "reference/TRen.h"
#include "reference/TWldw.h"
#include "support/Gui.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>

namespace {

// One row per editor: how to make it and what it works on.
struct Editor {
    const char *name;
    std::function<ReferenceEditor *()> make;
    QString title;
    QString table;
    QStringList columns;  // stored order
    QString secondItem;   // second search item
    QString secondColumn; // the column it searches
    bool lastAfterSearch;
};

const QList<Editor> &editors()
{
    static const QList<Editor> list = {
        {"TClasses", [] { return new TClasses; }, QStringLiteral("合同类别设置"), QStringLiteral("合同类别表"),
         {QStringLiteral("编号"), QStringLiteral("类别")}, QStringLiteral("名称"), QStringLiteral("类别"), true},
        {"TDept", [] { return new TDept; }, QStringLiteral("部门设置"), QStringLiteral("部门清单"),
         {QStringLiteral("编号"), QStringLiteral("部门")}, QStringLiteral("部门"), QStringLiteral("部门"), false},
        {"TProject", [] { return new TProject; }, QStringLiteral("项目设置"), QStringLiteral("项目清单"),
         {QStringLiteral("编号"), QStringLiteral("项目"), QStringLiteral("部门")}, QStringLiteral("部门"),
         QStringLiteral("部门"), false},
        {"TRen", [] { return new TRen; }, QStringLiteral("人员维护"), QStringLiteral("经办人清单"),
         {QStringLiteral("编号"), QStringLiteral("姓名")}, QStringLiteral("姓名"), QStringLiteral("姓名"), false},
        {"TGs", [] { return new TGs; }, QStringLiteral("公司设置"), QStringLiteral("公司清单"),
         {QStringLiteral("编号"), QStringLiteral("名称")}, QStringLiteral("名称"), QStringLiteral("名称"), false},
        {"TWldw", [] { return new TWldw; }, QStringLiteral("往来单位维护"), QStringLiteral("对方单位清单"),
         {QStringLiteral("编号"), QStringLiteral("名称")}, QStringLiteral("名称"), QStringLiteral("名称"), false},
    };
    return list;
}

int editorIndex(const char *name)
{
    for (int i = 0; i < editors().size(); ++i)
        if (qstrcmp(editors()[i].name, name) == 0)
            return i;
    qFatal("no editor %s", name);
}

const QString kNotice = QStringLiteral("请注意:\n\n项目的一级编码必须为2位，二级编码必须为“XX-XX”格式！\n\n"
                                       "添加成功后请点击工具栏上的“刷新”按钮刷新合同列表！");

} // namespace

// The six reference-table editors driven through their tool bar, search bar
// and grid; what they store is read back from the database.
class TestReferenceEditors : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDb> db;
    std::unique_ptr<Dialogs::Script> script;
    QPointer<ReferenceEditor> w;
    const Editor *e = nullptr;

    DBGrid *grid() const { return Gui::find<DBGrid>(w, "DBGrid1"); }
    Dataset *query() const { return Gui::find<Dataset>(w, "ADOQuery1"); }
    QLineEdit *edit1() const { return Gui::find<QLineEdit>(w, "Edit1"); }
    QComboBox *combo() const { return Gui::find<QComboBox>(w, "ComboBox1"); }
    QPushButton *button(const char *name) const { return Gui::find<QPushButton>(w, name); }

    // A row of the editor's table: the code and the value of the searched
    // second column; other columns get a value derived from the code.
    void seed(const QVariant &code, const QVariant &second)
    {
        if (e->columns.size() == 3)
            db->insert(e->table, {code, QStringLiteral("项目") + code.toString(), second});
        else
            db->insert(e->table, {code, second});
    }

    void openEditor(int index)
    {
        e = &editors()[index];
        w = e->make();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
    }

    // The rows as the grid shows them, values joined by "|".
    QStringList shown() const
    {
        QStringList rows;
        QAbstractItemModel *m = grid()->model();
        for (int r = 0; r < m->rowCount(); ++r) {
            QStringList values;
            for (int c = 0; c < m->columnCount(); ++c)
                values << m->index(r, c).data().toString();
            rows << values.join(QLatin1Char('|'));
        }
        return rows;
    }

    QStringList codesShown() const
    {
        QStringList codes;
        for (const QString &row : shown())
            codes << row.section(QLatin1Char('|'), 0, 0);
        return codes;
    }

    QStringList stored() const
    {
        return db->rows(QStringLiteral("select * from %1 order by rowid").arg(e->table));
    }

    void search(int item, const QString &text)
    {
        combo()->setCurrentIndex(item);
        Gui::retype(edit1(), text);
        Gui::click(button("BitBtn1"));
    }

    QLineEdit *cellEditor() const
    {
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        return editor && grid()->isAncestorOf(editor) ? editor : nullptr;
    }

    // Opens the cell's editor as a user does (a click on the cell, F2; on a
    // cell that was already current the click itself opens it after the
    // double-click interval), types the text over its content and commits it
    // with Enter.
    void typeIntoCell(int row, int column, const QString &text)
    {
        Gui::clickCell(grid(), row, column);
        QTest::keyClick(grid(), Qt::Key_F2);
        QTRY_VERIFY2(cellEditor(), "no cell editor opened");
        QLineEdit *editor = cellEditor();
        editor->selectAll();
        Gui::typeText(editor, text);
        Gui::pressEnter(editor);
    }

    void addEditorColumn()
    {
        QTest::addColumn<int>("editor");
    }
    void addEditorRows()
    {
        for (int i = 0; i < editors().size(); ++i)
            QTest::newRow(editors()[i].name) << i;
    }

private Q_SLOTS:
    void init()
    {
        db = std::make_unique<TestDb>();
        script = std::make_unique<Dialogs::Script>();
    }
    void cleanup()
    {
        delete w.data();
        script.reset();
        db.reset();
        e = nullptr;
    }

    void opensWithEveryColumnReadOnly_data()
    {
        addEditorColumn();
        addEditorRows();
    }
    void opensWithEveryColumnReadOnly()
    {
        QFETCH(int, editor);
        e = &editors()[editor];
        seed(QStringLiteral("02"), QStringLiteral("乙"));
        seed(QStringLiteral("01"), QStringLiteral("甲"));
        openEditor(editor);

        QCOMPARE(w->windowTitle(), e->title);
        QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(w->windowFlags() & Qt::WindowMinimizeButtonHint);
        QStringList captions;
        for (QPushButton *b : Gui::find<QWidget>(w, "ToolBar1")->findChildren<QPushButton *>())
            captions << b->text();
        QCOMPARE(captions, (QStringList{"首记录", "上记录", "下记录", "尾记录", "增加", "修改", "删除", "关闭"}));
        QCOMPARE(button("BitBtn1")->text(), QStringLiteral("查询(&Q)"));
        QCOMPARE(combo()->count(), 2);
        QCOMPARE(combo()->itemText(0), QStringLiteral("编号"));
        QCOMPARE(combo()->itemText(1), e->secondItem);
        QCOMPARE(combo()->currentText(), QStringLiteral("编号"));
        QVERIFY(!combo()->isEditable());
        QVERIFY(edit1()->text().isEmpty());

        QCOMPARE(grid()->titles(), e->columns);
        QCOMPARE(grid()->columnWidth(0), 50);
        QCOMPARE(grid()->columnWidth(1), 150);
        QCOMPARE(codesShown(), (QStringList{"01", "02"}));
        QCOMPARE(query()->currentRow(), 0);

        // Read-only until 增加 or 修改: no cell editor opens.
        QVERIFY(grid()->isReadOnly());
        Gui::clickCell(grid(), 0, 0);
        QTest::keyClick(grid(), Qt::Key_F2);
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        QCOMPARE(QApplication::focusWidget(), grid());
        QCOMPARE(query()->state(), Dataset::Browse);
        QVERIFY(script->messages().isEmpty());
    }

    void columnWidthsAreSetAfterEverySearch()
    {
        e = &editors()[editorIndex("TGs")];
        seed(QStringLiteral("01"), QStringLiteral("甲"));
        openEditor(editorIndex("TGs"));
        grid()->horizontalHeader()->resizeSection(0, 90); // as a user drags it
        grid()->horizontalHeader()->resizeSection(1, 60);
        search(0, QString());
        QCOMPARE(grid()->columnWidth(0), 50);
        QCOMPARE(grid()->columnWidth(1), 150);
    }

    void searchFindsTheCodeAnywhereInCodeOrder_data()
    {
        addEditorColumn();
        addEditorRows();
    }
    void searchFindsTheCodeAnywhereInCodeOrder()
    {
        QFETCH(int, editor);
        e = &editors()[editor];
        for (const char *code : {"10", "02", "01-01", "2", "01", "21"})
            seed(QString::fromLatin1(code), QStringLiteral("名") + QString::fromLatin1(code));
        openEditor(editor);
        search(0, QStringLiteral("1"));
        QCOMPARE(codesShown(), (QStringList{"01", "01-01", "10", "21"}));
        QVERIFY(script->messages().isEmpty());
    }

    void secondItemSearchesItsOwnColumn_data()
    {
        addEditorColumn();
        addEditorRows();
    }
    void secondItemSearchesItsOwnColumn()
    {
        QFETCH(int, editor);
        e = &editors()[editor];
        seed(QStringLiteral("01"), QStringLiteral("东区销售"));
        seed(QStringLiteral("02"), QStringLiteral("西区"));
        seed(QStringLiteral("03"), QStringLiteral("销售"));
        seed(QStringLiteral("销售"), QStringLiteral("南区")); // the text in the code only
        openEditor(editor);
        search(1, QStringLiteral("销售"));
        QCOMPARE(codesShown(), (QStringList{"01", "03"}));
    }

    void projectSearchIgnoresTheProjectName()
    {
        e = &editors()[editorIndex("TProject")];
        db->insert(e->table, {QStringLiteral("01"), QStringLiteral("仓库扩建"), QStringLiteral("后勤部")});
        db->insert(e->table, {QStringLiteral("02"), QStringLiteral("后勤楼"), QStringLiteral("基建部")});
        openEditor(editorIndex("TProject"));
        search(1, QStringLiteral("后勤"));
        QCOMPARE(shown(), (QStringList{"01|仓库扩建|后勤部"}));
    }

    void nullSearchedColumnIsNeverFound_data()
    {
        QTest::addColumn<int>("editor");
        QTest::addColumn<int>("item");
        for (int i = 0; i < editors().size(); ++i) {
            QTest::addRow("%s, 编号", editors()[i].name) << i << 0;
            QTest::addRow("%s, second item", editors()[i].name) << i << 1;
        }
    }
    void nullSearchedColumnIsNeverFound()
    {
        QFETCH(int, editor);
        QFETCH(int, item);
        e = &editors()[editor];
        seed(QStringLiteral("01"), QStringLiteral("甲"));
        if (item == 0)
            seed(QVariant(), QStringLiteral("乙"));
        else
            seed(QStringLiteral("02"), QVariant());
        openEditor(editor);
        QCOMPARE(query()->recordCount(), 2); // shown at opening

        search(item, QString());
        QCOMPARE(codesShown(), QStringList{"01"});
        Gui::click(button("BitBtn1")); // a second empty search, now with the item chosen
        QCOMPARE(codesShown(), QStringList{"01"});
    }

    void searchTextIsBoundWithItsWildcards_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("codes");
        QTest::newRow("percent matches any run") << "甲%司" << QStringList{"01", "03"};
        QTest::newRow("underscore matches one character") << "甲_公司" << QStringList{"01"};
        QTest::newRow("quote is a plain character") << "O'Neil" << QStringList{"02"};
        QTest::newRow("quote that would end the literal") << "' or '1'='1" << QStringList{};
        QTest::newRow("statement text") << "'; delete from 公司清单; --" << QStringList{};
    }
    void searchTextIsBoundWithItsWildcards()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, codes);
        e = &editors()[editorIndex("TGs")];
        seed(QStringLiteral("01"), QStringLiteral("甲乙公司"));
        seed(QStringLiteral("02"), QStringLiteral("O'Neil贸易"));
        seed(QStringLiteral("03"), QStringLiteral("甲乙丙丁公司"));
        openEditor(editorIndex("TGs"));
        search(1, text);
        QCOMPARE(codesShown(), codes);
        QVERIFY(script->messages().isEmpty());
        QCOMPARE(db->count(e->table), 3);
    }

    void currentRowAfterSearch_data()
    {
        addEditorColumn();
        addEditorRows();
    }
    void currentRowAfterSearch()
    {
        QFETCH(int, editor);
        e = &editors()[editor];
        for (const char *code : {"01", "02", "03"})
            seed(QString::fromLatin1(code), QStringLiteral("名称"));
        openEditor(editor);
        Gui::click(button("BitBtn4")); // move away from the first row first
        QCOMPARE(query()->currentRow(), 1);
        search(0, QStringLiteral("0"));
        const int expected = e->lastAfterSearch ? 2 : 0;
        QCOMPARE(query()->currentRow(), expected);
        QCOMPARE(grid()->currentIndex().row(), expected);
    }

    void enterInTheSearchTextSearches()
    {
        e = &editors()[editorIndex("TRen")];
        seed(QStringLiteral("01"), QStringLiteral("张明"));
        seed(QStringLiteral("02"), QStringLiteral("李华"));
        openEditor(editorIndex("TRen"));
        QSignalSpy returned(edit1(), &QLineEdit::returnPressed);
        combo()->setCurrentIndex(1);
        Gui::retype(edit1(), QStringLiteral("李"));
        QCOMPARE(codesShown(), (QStringList{"01", "02"})); // typing alone does not search
        Gui::pressEnter(edit1());
        QCOMPARE(codesShown(), QStringList{"02"});
        QCOMPARE(returned.count(), 1); // the edit still receives the Enter key
        QCOMPARE(edit1()->text(), QStringLiteral("李"));
    }

    void navigationButtonsMoveTheCurrentRow()
    {
        e = &editors()[editorIndex("TDept")];
        for (const char *code : {"01", "02", "03"})
            seed(QString::fromLatin1(code), QStringLiteral("部"));
        openEditor(editorIndex("TDept"));
        const QList<QPair<const char *, int>> steps = {
            {"BitBtn5", 2}, {"BitBtn4", 2}, {"BitBtn3", 1}, {"BitBtn3", 0}, {"BitBtn3", 0}, {"BitBtn4", 1}, {"BitBtn2", 0}};
        for (const auto &[name, row] : steps) {
            Gui::click(button(name));
            QCOMPARE(query()->currentRow(), row);
            QCOMPARE(grid()->currentIndex().row(), row);
        }
    }

    void noticeBeforeEveryNewRow_data()
    {
        addEditorColumn();
        addEditorRows();
    }
    void noticeBeforeEveryNewRow()
    {
        QFETCH(int, editor);
        e = &editors()[editor];
        seed(QStringLiteral("01"), QStringLiteral("甲"));
        openEditor(editor);
        QList<int> messagesWhenRowAppeared;
        connect(query(), &Dataset::aboutToInsertRow, this,
                [&] { messagesWhenRowAppeared << int(script->messages().size()); });
        Gui::click(button("BitBtn6"));
        Gui::click(button("BitBtn6")); // the untouched new row goes, another comes

        const bool project = QLatin1String(e->name) == QLatin1String("TProject");
        if (project) {
            QCOMPARE(script->texts(), (QStringList{kNotice, kNotice}));
            QCOMPARE(script->messages().first().kind, Dialogs::Kind::Information);
            QCOMPARE(messagesWhenRowAppeared, (QList<int>{1, 2}));
        } else {
            QVERIFY(script->messages().isEmpty());
            QCOMPARE(messagesWhenRowAppeared.size(), 2);
        }
        QCOMPARE(query()->recordCount(), 2);
        QCOMPARE(query()->state(), Dataset::Insert);
        QCOMPARE(query()->currentRow(), 1);
        QCOMPARE(db->count(e->table), 1);
    }

    void newRowLeftUntouchedGoesWhenTheGridLosesFocus_data()
    {
        QTest::addColumn<int>("editor");
        QTest::addColumn<QString>("target");
        for (int i = 0; i < editors().size(); ++i) {
            QTest::addRow("%s, cancelled 删除", editors()[i].name) << i << "button";
            QTest::addRow("%s, search text", editors()[i].name) << i << "search text";
        }
    }
    void newRowLeftUntouchedGoesWhenTheGridLosesFocus()
    {
        QFETCH(int, editor);
        QFETCH(QString, target);
        e = &editors()[editor];
        seed(QStringLiteral("01"), QStringLiteral("甲"));
        seed(QStringLiteral("02"), QStringLiteral("乙"));
        openEditor(editor);
        Gui::click(button("BitBtn6"));
        Gui::clickCell(grid(), 2, 0); // the user looks at the new row
        QCOMPARE(query()->recordCount(), 3);
        if (target == QLatin1String("button")) {
            script->answer(false);
            Gui::click(button("BitBtn7"));
        } else {
            QTest::mouseClick(edit1(), Qt::LeftButton);
            QApplication::processEvents();
            QCOMPARE(QApplication::focusWidget(), edit1());
        }
        QCOMPARE(query()->recordCount(), 2);
        QCOMPARE(query()->state(), Dataset::Browse);
        QCOMPARE(codesShown(), (QStringList{"01", "02"}));
        QCOMPARE(db->count(e->table), 2);
    }

    void typedNewRowIsKeptWhenTheGridLosesFocus()
    {
        e = &editors()[editorIndex("TDept")];
        openEditor(editorIndex("TDept"));
        Gui::click(button("BitBtn6"));
        typeIntoCell(0, 0, QStringLiteral("07"));
        Gui::focus(edit1());
        QCOMPARE(query()->state(), Dataset::Insert);
        QCOMPARE(codesShown(), QStringList{"07"});
        QCOMPARE(db->count(e->table), 0);
        Gui::click(button("BitBtn2"));
        QCOMPARE(stored(), QStringList{"07|<null>"});
    }

    void newRowIsStoredWhenLeft_data()
    {
        QTest::addColumn<int>("editor");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("leaveBy");
        const QStringList ways = {"BitBtn2", "BitBtn5", "BitBtn6", "BitBtn3", "row click", "BitBtn4"};
        for (int i = 0; i < editors().size(); ++i)
            QTest::addRow("%s, left by %s", editors()[i].name, qPrintable(ways[i])) << i << "09" << ways[i];
        const int project = editorIndex("TProject");
        QTest::newRow("project code of 1 byte") << project << "1" << "BitBtn2";
        QTest::newRow("project code of 4 bytes") << project << "01-1" << "row click";
        QTest::newRow("project code of 3 bytes") << project << "011" << "BitBtn6";
    }
    void newRowIsStoredWhenLeft()
    {
        QFETCH(int, editor);
        QFETCH(QString, code);
        QFETCH(QString, leaveBy);
        e = &editors()[editor];
        seed(QStringLiteral("01"), QStringLiteral("甲"));
        openEditor(editor);
        Gui::click(button("BitBtn6"));
        typeIntoCell(1, 0, code);
        typeIntoCell(1, 1, QStringLiteral("新名称"));
        QCOMPARE(db->count(e->table), 1); // nothing stored while the row is pending
        if (leaveBy == QLatin1String("row click"))
            Gui::clickCell(grid(), 0, 0);
        else
            Gui::click(button(qPrintable(leaveBy)));
        QVERIFY(script->texts().filter(QStringLiteral("不能")).isEmpty());
        const QString rest = e->columns.size() == 3 ? QStringLiteral("|<null>") : QString();
        QCOMPARE(db->rows(QStringLiteral("select * from %1 where 编号=?").arg(e->table), {code}),
                 QStringList{code + QStringLiteral("|新名称") + rest});
        QCOMPARE(db->count(e->table), 2);
    }

    void changedRowNotLeftIsNotStored_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("关闭") << "BitBtn10";
        QTest::newRow("查询(&Q)") << "BitBtn1";
        QTest::newRow("close box") << "close";
        QTest::newRow("关闭 inside the main window's area") << "BitBtn10 in area";
    }
    void changedRowNotLeftIsNotStored()
    {
        QFETCH(QString, how);
        e = &editors()[editorIndex("TWldw")];
        seed(QStringLiteral("01"), QStringLiteral("甲"));
        seed(QStringLiteral("02"), QStringLiteral("乙"));
        std::unique_ptr<QMdiArea> area;
        QPointer<QMdiSubWindow> sub;
        if (how.endsWith(QLatin1String("in area"))) {
            how = QStringLiteral("BitBtn10");
            e = &editors()[editorIndex("TWldw")];
            area = std::make_unique<QMdiArea>();
            area->resize(900, 600);
            w = e->make();
            sub = area->addSubWindow(w);
            area->show();
            QVERIFY(QTest::qWaitForWindowExposed(area.get()));
            area->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(area.get()));
        } else {
            openEditor(editorIndex("TWldw"));
        }
        Gui::click(button("BitBtn9"));
        typeIntoCell(0, 1, QStringLiteral("甲改"));
        QCOMPARE(query()->state(), Dataset::Edit);
        if (how == QLatin1String("close"))
            w->close();
        else
            Gui::click(button(qPrintable(how)));
        QApplication::processEvents();
        if (how == QLatin1String("BitBtn1")) {
            QCOMPARE(shown(), (QStringList{"01|甲", "02|乙"}));
            QVERIFY(w);
        } else {
            QVERIFY(QTest::qWaitFor([&] { return w.isNull(); })); // freed on close
            QVERIFY(QTest::qWaitFor([&] { return sub.isNull(); }));
        }
        QCOMPARE(stored(), (QStringList{"01|甲", "02|乙"}));
        QVERIFY(script->messages().isEmpty());
    }

    void changedRowIsStoredOnlyInTheRowShown_data()
    {
        addEditorColumn();
        addEditorRows();
    }
    void changedRowIsStoredOnlyInTheRowShown()
    {
        QFETCH(int, editor);
        e = &editors()[editor];
        seed(QStringLiteral("05"), QStringLiteral("同名"));
        seed(QStringLiteral("05"), QStringLiteral("同名"));
        openEditor(editor);
        Gui::click(button("BitBtn5"));
        Gui::click(button("BitBtn9"));
        typeIntoCell(1, 1, QStringLiteral("改名"));
        Gui::click(button("BitBtn2"));
        const QString rest = e->columns.size() == 3 ? QStringLiteral("|同名") : QString();
        const QString other = e->columns.size() == 3 ? QStringLiteral("05|项目05|同名") : QStringLiteral("05|同名");
        QCOMPARE(stored(), (QStringList{other, QStringLiteral("05|改名") + rest}));
        QCOMPARE(query()->state(), Dataset::Browse);
    }

    void gridStaysEditableAcrossSearches_data()
    {
        QTest::addColumn<QString>("enabledBy");
        QTest::newRow("增加") << "BitBtn6";
        QTest::newRow("修改") << "BitBtn9";
    }
    void gridStaysEditableAcrossSearches()
    {
        QFETCH(QString, enabledBy);
        e = &editors()[editorIndex("TClasses")];
        seed(QStringLiteral("01"), QStringLiteral("采购"));
        seed(QStringLiteral("02"), QStringLiteral("销售"));
        openEditor(editorIndex("TClasses"));
        Gui::click(button(qPrintable(enabledBy)));
        QVERIFY(!grid()->isReadOnly());
        search(0, QStringLiteral("0"));
        Gui::pressEnter(edit1());
        QVERIFY(!grid()->isReadOnly());
        // After the search the class editor is on the last row; change it in place.
        typeIntoCell(1, 1, QStringLiteral("销售合同"));
        Gui::click(button("BitBtn2"));
        QCOMPARE(stored(), (QStringList{"01|采购", "02|销售合同"}));
        QVERIFY(!grid()->isReadOnly());
    }

    void modifyWithNoRowListedStartsANewRow()
    {
        e = &editors()[editorIndex("TGs")];
        openEditor(editorIndex("TGs"));
        Gui::click(button("BitBtn9"));
        QCOMPARE(query()->state(), Dataset::Insert);
        typeIntoCell(0, 1, QStringLiteral("甲公司"));
        Gui::click(button("BitBtn5"));
        QCOMPARE(stored(), QStringList{"<null>|甲公司"});
    }

    void refusedValueStaysPendingForCorrection()
    {
        e = &editors()[editorIndex("TRen")];
        seed(QStringLiteral("01"), QStringLiteral("张明"));
        openEditor(editorIndex("TRen"));
        Gui::click(button("BitBtn6"));
        typeIntoCell(1, 0, QStringLiteral("02"));
        typeIntoCell(1, 1, QStringLiteral("欧阳一二三四五六七八九"));
        Gui::click(button("BitBtn2"));
        QCOMPARE(script->texts(),
                 QStringList{"“姓名”不能保存“欧阳一二三四五六七八九”：长度超过20个字节（一个汉字占2个字节）。"});
        QCOMPARE(query()->state(), Dataset::Insert);
        QCOMPARE(query()->currentRow(), 1);
        QCOMPARE(shown().value(1), QStringLiteral("02|欧阳一二三四五六七八九"));
        QCOMPARE(db->count(e->table), 1);

        typeIntoCell(1, 1, QStringLiteral("欧阳明"));
        Gui::click(button("BitBtn2"));
        QCOMPARE(stored(), (QStringList{"01|张明", "02|欧阳明"}));
        QCOMPARE(script->messages().size(), 1);
    }

    void deleteLeavesRowsThatNameTheValue_data()
    {
        QTest::addColumn<int>("editor");
        QTest::addColumn<QString>("otherTable");
        QTest::addColumn<QString>("otherColumn");
        QTest::addColumn<QString>("value"); // the value that names the deleted row
        QTest::newRow("class in contracts") << editorIndex("TClasses") << "合同基本信息表" << "类别" << "采购";
        QTest::newRow("department of users") << editorIndex("TDept") << "用户清单" << "部门" << "采购";
        QTest::newRow("project code in contracts") << editorIndex("TProject") << "合同基本信息表" << "项目" << "01";
        QTest::newRow("handler in contracts") << editorIndex("TRen") << "合同基本信息表" << "经办人员" << "采购";
        QTest::newRow("company in contracts") << editorIndex("TGs") << "合同基本信息表" << "公司名称" << "采购";
        QTest::newRow("counterparty in contracts") << editorIndex("TWldw") << "合同基本信息表" << "对方单位" << "采购";
    }
    void deleteLeavesRowsThatNameTheValue()
    {
        QFETCH(int, editor);
        QFETCH(QString, otherTable);
        QFETCH(QString, otherColumn);
        QFETCH(QString, value);
        e = &editors()[editor];
        if (e->columns.size() == 3)
            db->insert(e->table, {QStringLiteral("01"), QStringLiteral("采购"), QStringLiteral("后勤部")});
        else
            seed(QStringLiteral("01"), QStringLiteral("采购"));
        seed(QStringLiteral("02"), QStringLiteral("销售"));
        const QString key = otherTable == QStringLiteral("用户清单") ? QStringLiteral("工号") : QStringLiteral("合同编号");
        db->exec(QStringLiteral("insert into %1(%2, %3) values(?, ?)").arg(otherTable, key, otherColumn),
                 {QStringLiteral("00000001"), value});
        const QStringList before = db->rows(QStringLiteral("select * from %1").arg(otherTable));
        openEditor(editor);

        Gui::click(button("BitBtn7"));
        QCOMPARE(script->messages().size(), 1);
        const Dialogs::Message m = script->messages().first();
        QCOMPARE(m.kind, Dialogs::Kind::Confirm);
        QCOMPARE(m.title, QStringLiteral("确定删除"));
        QCOMPARE(m.text, QStringLiteral("您确定要删除当前记录吗？"));
        QCOMPARE(m.buttons, Dialogs::Buttons::OkCancel);
        QCOMPARE(codesShown(), QStringList{"02"});
        QCOMPARE(db->rows(QStringLiteral("select 编号 from %1").arg(e->table)), QStringList{"02"});
        QCOMPARE(db->rows(QStringLiteral("select * from %1").arg(otherTable)), before);
    }

    void deleteCancelledChangesNothing()
    {
        e = &editors()[editorIndex("TClasses")];
        seed(QStringLiteral("01"), QStringLiteral("采购"));
        openEditor(editorIndex("TClasses"));
        script->answer(false);
        Gui::click(button("BitBtn7"));
        QCOMPARE(script->messages().size(), 1);
        QCOMPARE(codesShown(), QStringList{"01"});
        QCOMPARE(stored(), QStringList{"01|采购"});
    }

    void deleteRemovesOnlyTheRowShown()
    {
        e = &editors()[editorIndex("TWldw")];
        seed(QStringLiteral("05"), QStringLiteral("同名"));
        seed(QStringLiteral("05"), QStringLiteral("同名"));
        openEditor(editorIndex("TWldw"));
        Gui::click(button("BitBtn7"));
        QCOMPARE(query()->recordCount(), 1);
        QCOMPARE(stored(), QStringList{"05|同名"});
    }

    void deleteWithNoRowListedIsRefused()
    {
        e = &editors()[editorIndex("TDept")];
        seed(QStringLiteral("01"), QStringLiteral("财务部"));
        openEditor(editorIndex("TDept"));
        search(0, QStringLiteral("99"));
        QCOMPARE(query()->recordCount(), 0);
        Gui::click(button("BitBtn7"));
        QCOMPARE(script->texts(), (QStringList{"您确定要删除当前记录吗？", "没有当前记录，无法删除。"}));
        QCOMPARE(script->messages().last().kind, Dialogs::Kind::Error);
        QCOMPARE(stored(), QStringList{"01|财务部"});
    }
};

KD_TEST(TestReferenceEditors)
#include "tst_referenceeditors.moc"
