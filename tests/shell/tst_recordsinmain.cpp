#include "ShellFixture.h"

#include "platform/Dialogs.h"
#include "platform/data/Dataset.h"
#include "platform/data/Format.h"
#include "platform/widgets/DBGrid.h"
#include "platform/widgets/DBLookupComboBox.h"
#include "records/TPay.h"
#include "shell/TMain.h"
#include "support/Gui.h"
#include "support/TestRegistry.h"

#include <QAction>
#include <QDate>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

// A payment recorded in the payments window, seen from the main window.
class TstRecordsInMain : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void paymentAddedShowsUnderItsProject()
    {
        Shell s;
        Dialogs::Script script;
        s.db.insert(QStringLiteral("项目清单"), {QStringLiteral("03"), QStringLiteral("三期"), QStringLiteral("工程部")});
        s.db.insert(QStringLiteral("项目清单"), {QStringLiteral("03-01"), QStringLiteral("厂房"), QStringLiteral("工程部")});
        s.db.exec(QStringLiteral("insert into 合同基本信息表(合同编号, 合同名称, 合同金额, 项目) values(?,?,?,?)"),
                  {QStringLiteral("00000031"), QStringLiteral("钢结构"), 9000.0, QStringLiteral("03-01")});
        s.logIn(QStringLiteral("admin"), QStringLiteral("kadero"));

        s.item("Menu_Pay")->trigger();
        QApplication::processEvents();
        QMdiSubWindow *frame = s.main->findChildWindow(QStringLiteral("付款登记"));
        QVERIFY(frame);
        auto *pay = qobject_cast<TPay *>(frame->widget());
        QVERIFY(pay);
        auto *contracts = Gui::find<DBLookupComboBox>(pay, "DBLookupComboBox1");
        Gui::focus(contracts);
        QTest::keyClick(contracts, Qt::Key_Down);
        QCOMPARE(contracts->keyValue(), QStringLiteral("00000031"));
        Gui::retype(Gui::find<QLineEdit>(pay, "Edit3"), QStringLiteral("2500"));
        Gui::retype(Gui::find<QLineEdit>(pay, "Edit6"), QStringLiteral("凭-7"));
        Gui::click(Gui::find<QPushButton>(pay, "BitBtn11"));
        QCOMPARE(script.texts(), (QStringList{QStringLiteral("您确定要增加记录吗？"), QStringLiteral("付款记录增加成功！")}));

        QTreeWidget *tree = s.main->TreeView1;
        tree->expandAll();
        const auto nodes = tree->findItems(QStringLiteral("[03-01] 厂房"), Qt::MatchExactly | Qt::MatchRecursive);
        QCOMPARE(nodes.size(), 1);
        tree->scrollToItem(nodes.first());
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, tree->visualItemRect(nodes.first()).center());
        QApplication::processEvents();

        Dataset *payments = s.main->DBGrid2->dataset();
        QVERIFY(payments && payments->isOpen());
        QCOMPARE(payments->recordCount(), 1);
        QCOMPARE(payments->text(QStringLiteral("合同编号")), QStringLiteral("00000031"));
        QCOMPARE(payments->text(QStringLiteral("合同金额")), QStringLiteral("9000"));
        QCOMPARE(payments->text(QStringLiteral("付款金额")), QStringLiteral("2500"));
        QCOMPARE(payments->text(QStringLiteral("付款方式")), QStringLiteral("汇票"));
        QCOMPARE(payments->text(QStringLiteral("凭证号码")), QStringLiteral("凭-7"));
        QCOMPARE(Format::parseDate(payments->text(QStringLiteral("付款日期"))), std::optional(QDate::currentDate()));

        // "关闭" closes the child window with its frame.
        QPointer<QMdiSubWindow> closing(frame);
        Gui::click(Gui::find<QPushButton>(pay, "BitBtn10"));
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(closing.isNull() || !closing->isVisible());
        QVERIFY(!s.main->findChildWindow(QStringLiteral("付款登记")));
    }
};

KD_TEST(TstRecordsInMain)
#include "tst_recordsinmain.moc"
