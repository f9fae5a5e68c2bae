#include "support/TestRegistry.h"

#include "shell/THintWin.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

namespace {

int balloonWindows()
{
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        n += qobject_cast<Balloon *>(w) != nullptr;
    return n;
}

} // namespace

class TestHintWin : public QObject
{
    Q_OBJECT

    QWidget *window = nullptr;
    QLineEdit *hinted = nullptr;
    QPushButton *plain = nullptr;
    QComboBox *combo = nullptr;
    QListWidget *list = nullptr;

    void moveTo(QWidget *w, QPoint at = QPoint())
    {
        QTest::mouseMove(w, at.isNull() ? w->rect().center() : at);
        QApplication::processEvents();
    }

private Q_SLOTS:
    void init()
    {
        THintWin::install(qApp, QStringLiteral("KaderoV1.5"));
        window = new QWidget;
        auto *layout = new QHBoxLayout(window);
        hinted = new QLineEdit;
        hinted->setToolTip(QStringLiteral("请选择项目"));
        plain = new QPushButton(QStringLiteral("查询"));
        combo = new QComboBox;
        combo->setEditable(true);
        combo->setToolTip(QStringLiteral("请选择合同编号"));
        list = new QListWidget;
        auto *item = new QListWidgetItem(QStringLiteral("00000001"), list);
        item->setToolTip(QStringLiteral("请双击选定！"));
        for (QWidget *w : {static_cast<QWidget *>(hinted), static_cast<QWidget *>(plain),
                           static_cast<QWidget *>(combo), static_cast<QWidget *>(list)})
            layout->addWidget(w);
        window->resize(640, 160);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        moveTo(plain);
    }

    void cleanup()
    {
        delete window;
        THintWin::uninstall();
    }

    void enteringHintedControlShowsBalloonAtOnce()
    {
        QCOMPARE(THintWin::current(), nullptr);
        moveTo(hinted);
        Balloon *b = THintWin::current();
        QVERIFY(b);
        QCOMPARE(b->title(), QStringLiteral("KaderoV1.5"));
        QCOMPARE(b->text(), QStringLiteral("请选择项目"));
        QCOMPARE(b->target(), hinted);
        // Placed at the pointer, below it, and never over the control's point
        // the pointer rests on.
        const QPoint pointer = hinted->mapToGlobal(hinted->rect().center());
        QVERIFY(!b->geometry().contains(pointer));
        QVERIFY(b->geometry().top() > pointer.y());
        QVERIFY(b->geometry().left() <= pointer.x() && pointer.x() <= b->geometry().right());
    }

    void secondRequestOverSameControlKeepsOneBalloon()
    {
        moveTo(hinted, QPoint(5, 5));
        Balloon *first = THintWin::current();
        QVERIFY(first);
        const int attached = THintWin::attachCount();
        moveTo(hinted, QPoint(20, 8));
        QHelpEvent request(QEvent::ToolTip, QPoint(20, 8), hinted->mapToGlobal(QPoint(20, 8)));
        QApplication::sendEvent(hinted, &request);
        QCOMPARE(THintWin::current(), first);
        QCOMPARE(THintWin::attachCount(), attached);
        QCOMPARE(balloonWindows(), 1);
    }

    void leavingHidesBalloon()
    {
        moveTo(hinted);
        QVERIFY(THintWin::current());
        moveTo(plain);
        QCOMPARE(THintWin::current(), nullptr);
        // And it comes back on the way in again.
        moveTo(hinted);
        QVERIFY(THintWin::current());
        QCOMPARE(THintWin::current()->text(), QStringLiteral("请选择项目"));
    }

    void controlWithoutHintShowsNothing()
    {
        moveTo(plain);
        QTest::qWait(900);
        QCOMPARE(THintWin::current(), nullptr);
        QVERIFY(!QToolTip::isVisible());
    }

    void plainToolTipNeverShows()
    {
        moveTo(hinted);
        // Longer than the platform's tool-tip delay: the request comes and is swallowed.
        QTest::qWait(1200);
        QVERIFY(!QToolTip::isVisible());
        QVERIFY(THintWin::current());
        QHelpEvent request(QEvent::ToolTip, QPoint(3, 3), hinted->mapToGlobal(QPoint(3, 3)));
        QApplication::sendEvent(hinted, &request);
        QVERIFY(request.isAccepted());
        QVERIFY(!QToolTip::isVisible());
    }

    void partOfHintedControlShowsItsHint()
    {
        // The editable combo's edit is its child: the pointer on it is on the combo.
        QWidget *edit = combo->lineEdit();
        QVERIFY(edit);
        moveTo(edit);
        QVERIFY(THintWin::current());
        QCOMPARE(THintWin::current()->text(), QStringLiteral("请选择合同编号"));
        QCOMPARE(THintWin::current()->target(), combo);
    }

    void movingBetweenHintedControlsSwitchesText()
    {
        moveTo(hinted);
        const int attached = THintWin::attachCount();
        moveTo(combo->lineEdit());
        QCOMPARE(THintWin::current()->text(), QStringLiteral("请选择合同编号"));
        moveTo(hinted);
        QCOMPARE(THintWin::current()->text(), QStringLiteral("请选择项目"));
        QCOMPARE(THintWin::attachCount(), attached + 2);
        QCOMPARE(balloonWindows(), 1);
    }

    void hintChangedOrRemovedWhileShown()
    {
        moveTo(hinted);
        hinted->setToolTip(QStringLiteral("请选择合同编号"));
        QCOMPARE(THintWin::current()->text(), QStringLiteral("请选择合同编号"));
        hinted->setToolTip(QString());
        QCOMPARE(THintWin::current(), nullptr);
    }

    void clickOrHiddenControlDismisses()
    {
        moveTo(hinted);
        QTest::mouseClick(hinted, Qt::LeftButton);
        QCOMPARE(THintWin::current(), nullptr);
        moveTo(plain);
        moveTo(hinted);
        QVERIFY(THintWin::current());
        hinted->hide();
        QCOMPARE(THintWin::current(), nullptr);
    }

    void itemTipOfAViewShowsAsBalloon()
    {
        const QRect r = list->visualItemRect(list->item(0));
        QCursor::setPos(list->viewport()->mapToGlobal(r.center()));
        moveTo(list->viewport(), r.center());
        QHelpEvent request(QEvent::ToolTip, r.center(), list->viewport()->mapToGlobal(r.center()));
        QApplication::sendEvent(list->viewport(), &request);
        QTRY_VERIFY(THintWin::current());
        QCOMPARE(THintWin::current()->text(), QStringLiteral("请双击选定！"));
        QCOMPARE(THintWin::current()->title(), QStringLiteral("KaderoV1.5"));
        QTRY_VERIFY(!QToolTip::isVisible());
    }
};

KD_TEST(TestHintWin)
#include "tst_hintwin.moc"
