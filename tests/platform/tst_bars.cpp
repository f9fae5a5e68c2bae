#include "platform/Dialogs.h"
#include "platform/data/DataSource.h"
#include "platform/data/Dataset.h"
#include "platform/data/DbError.h"
#include "platform/widgets/ButtonBar.h"
#include "platform/widgets/DBGrid.h"
#include "platform/widgets/SearchBar.h"
#include "support/Gui.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

// The tool bar and the search bar that the list windows are built with.
class TestBars : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDb> db;
    std::unique_ptr<QWidget> window;
    ButtonBar *bar = nullptr;
    SearchBar *search = nullptr;
    Dataset *ds = nullptr;
    DBGrid *grid = nullptr;

private Q_SLOTS:
    void init()
    {
        db = std::make_unique<TestDb>();
        db->insert(QStringLiteral("公司清单"), {QStringLiteral("01"), QStringLiteral("甲公司")});
        window = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(window.get());
        bar = new ButtonBar(window.get());
        search = new SearchBar({QStringLiteral("编号"), QStringLiteral("名称")}, QStringLiteral("查询(&Q)"),
                               window.get());
        ds = new Dataset(db->connection(), window.get());
        ds->setTableQuery(QStringLiteral("公司清单"), QStringLiteral("*"), QStringLiteral("order by 编号"));
        ds->open();
        grid = new DBGrid(window.get());
        grid->setDataSource(new DataSource(ds, window.get()));
        layout->addWidget(bar);
        layout->addWidget(search);
        layout->addWidget(grid, 1);
        window->resize(600, 400);
    }
    void cleanup()
    {
        window.reset();
        db.reset();
    }

    void searchBarOffersTheItemsFirstChosen()
    {
        QCOMPARE(search->comboBox()->objectName(), QStringLiteral("ComboBox1"));
        QCOMPARE(search->edit()->objectName(), QStringLiteral("Edit1"));
        QCOMPARE(search->button()->objectName(), QStringLiteral("BitBtn1"));
        QCOMPARE(search->button()->text(), QStringLiteral("查询(&Q)"));
        QVERIFY(!search->comboBox()->isEditable());
        QCOMPARE(search->comboBox()->count(), 2);
        QCOMPARE(search->comboBox()->currentText(), QStringLiteral("编号"));
    }

    void keysInTheSearchText_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("searches");
        QTest::addColumn<QString>("text");
        QTest::newRow("Return searches once") << int(Qt::Key_Return) << int(Qt::NoModifier) << 1 << "ab";
        QTest::newRow("keypad Enter searches once") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 1 << "ab";
        QTest::newRow("a letter is only typed") << int(Qt::Key_C) << int(Qt::NoModifier) << 0 << "abc";
    }
    void keysInTheSearchText()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, searches);
        QFETCH(QString, text);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QLineEdit *edit = search->edit();
        Gui::focus(edit);
        Gui::typeText(edit, QStringLiteral("ab"));
        QSignalSpy requested(search, &SearchBar::enterPressed);
        QSignalSpy clicked(search, &SearchBar::searchClicked);
        // returnPressed comes from the edit's own key handling: it proves the key reached the edit.
        QSignalSpy reached(edit, &QLineEdit::returnPressed);
        QTest::keyClick(edit, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(requested.count(), searches);
        QCOMPARE(clicked.count(), 0);
        QCOMPARE(reached.count(), searches);
        QCOMPARE(edit->text(), text);
    }

    void searchButtonSearchesOnceAndShowsWhatFails()
    {
        Dialogs::Script script;
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        int searches = 0;
        auto count = [&searches] {
            if (++searches == 2)
                throw DbError(QStringLiteral("查询失败"));
        };
        connect(search, &SearchBar::searchClicked, this, count);
        connect(search, &SearchBar::enterPressed, this, count);
        Gui::click(search->button());
        QCOMPARE(searches, 1);
        QVERIFY(script.messages().isEmpty());
        Gui::pressEnter(search->edit());
        QCOMPARE(searches, 2);
        QCOMPARE(script.messages().size(), 1);
        QCOMPARE(script.messages().first().kind, Dialogs::Kind::Error);
        QCOMPARE(script.lastText(), QStringLiteral("查询失败"));
    }

    void buttonsStandInTheOrderAdded()
    {
        QStringList ran;
        QPushButton *first = bar->addButton(QStringLiteral("BitBtn2"), QStringLiteral("首记录"),
                                            QIcon(QStringLiteral(":/icons/first.png")), [&ran] { ran << "first"; });
        bar->addSeparator();
        QPushButton *close = bar->addButton(QStringLiteral("BitBtn10"), QStringLiteral("关闭"), QIcon(),
                                            [&ran] { ran << "close"; });
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCOMPARE(bar->findChild<QPushButton *>(QStringLiteral("BitBtn2")), first);
        QCOMPARE(first->text(), QStringLiteral("首记录"));
        QVERIFY(first->isFlat());
        QVERIFY(!first->icon().isNull());
        QVERIFY(close->icon().isNull());
        QVERIFY(first->geometry().right() < close->geometry().left());
        Gui::click(close);
        Gui::click(first);
        QCOMPARE(ran, (QStringList{"close", "first"}));
    }

    void clickTakesTheFocusFromTheGridBeforeTheHandler()
    {
        Dialogs::Script script;
        Dataset::State stateSeen = Dataset::Inactive;
        int rowsSeen = -1;
        QPushButton *next = bar->addButton(QStringLiteral("BitBtn4"), QStringLiteral("下记录"), QIcon(), [&] {
            stateSeen = ds->state();
            rowsSeen = ds->recordCount();
        });
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        Gui::focus(grid);
        ds->append();
        QCOMPARE(ds->recordCount(), 2);
        Gui::click(next);
        QCOMPARE(QApplication::focusWidget(), next);
        // The untouched new row went away when the grid lost the focus, before the handler ran.
        QCOMPARE(stateSeen, Dataset::Browse);
        QCOMPARE(rowsSeen, 1);
        QCOMPARE(db->count(QStringLiteral("公司清单")), 1);
        QVERIFY(script.messages().isEmpty());
    }

    void handlerErrorIsShownAndTheBarGoesOn()
    {
        Dialogs::Script script;
        int runs = 0;
        QPushButton *remove = bar->addButton(QStringLiteral("BitBtn7"), QStringLiteral("删除"), QIcon(), [&runs] {
            ++runs;
            throw DbError(QStringLiteral("删除失败"));
        });
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        Gui::click(remove);
        Gui::click(remove);
        QCOMPARE(runs, 2);
        QCOMPARE(script.texts(), (QStringList{QStringLiteral("删除失败"), QStringLiteral("删除失败")}));
    }
};

KD_TEST(TestBars)
#include "tst_bars.moc"
