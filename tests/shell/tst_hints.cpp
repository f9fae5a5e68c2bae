#include "ShellFixture.h"

#include "shell/THintWin.h"
#include "platform/Dialogs.h"
#include "shell/StartUp.h"
#include "shell/TMain.h"
#include "support/TestRegistry.h"

#include <QAction>
#include <QApplication>
#include <QMdiSubWindow>
#include <QTest>
#include <QTreeWidget>

// The hints of the program's windows, as the program sets them up at start.
class TstHints : public QObject
{
    Q_OBJECT

    static QWidget *controlWithHint(QWidget *window, const QString &hint)
    {
        for (QWidget *w : window->findChildren<QWidget *>())
            if (w->toolTip() == hint && w->isVisible())
                return w;
        return nullptr;
    }

private Q_SLOTS:
    void cleanup() { THintWin::uninstall(); }

    void hintShowsAsBalloonTitledWithTheProduct_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("hint");
        QTest::newRow("contract register") << QStringLiteral("Menu_Write") << QStringLiteral("合同基本信息录入")
                                           << QStringLiteral("请选择项目");
        QTest::newRow("report selection") << QStringLiteral("Menu_Account") << QStringLiteral("报表管理")
                                          << QStringLiteral("请选择合同编号");
    }
    void hintShowsAsBalloonTitledWithTheProduct()
    {
        QFETCH(QString, command);
        QFETCH(QString, title);
        QFETCH(QString, hint);
        setUpHints(qApp);
        Shell s;
        Dialogs::Script script;
        s.logIn(QStringLiteral("admin"), QStringLiteral("kadero"));
        s.main->findChild<QAction *>(command)->trigger();
        QApplication::processEvents();
        QMdiSubWindow *sub = s.main->findChildWindow(title);
        QVERIFY(sub);
        QWidget *control = controlWithHint(sub->widget(), hint);
        QVERIFY2(control, qPrintable(hint));

        // Away from every hinted control first: no balloon.
        QTest::mouseMove(s.main->TreeView1, s.main->TreeView1->rect().center());
        QApplication::processEvents();
        QCOMPARE(THintWin::current(), nullptr);

        // Resting on the control shows its hint at once, as a balloon.
        QTest::mouseMove(control, control->rect().center());
        QApplication::processEvents();
        Balloon *balloon = THintWin::current();
        QVERIFY(balloon);
        QCOMPARE(balloon->title(), QStringLiteral("KaderoV1.5"));
        QCOMPARE(balloon->text(), hint);
        QCOMPARE(balloon->target(), control);
    }
};

KD_TEST(TstHints)
#include "tst_hints.moc"
