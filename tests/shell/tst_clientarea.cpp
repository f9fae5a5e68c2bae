#include "ShellFixture.h"

#include "platform/Dialogs.h"
#include "shell/TMain.h"
#include "support/Gui.h"
#include "support/TestRegistry.h"

#include <QGroupBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

// The client area: where the login window and the grid boxes stay when the
// main window changes its size.
class TstClientArea : public QObject
{
    Q_OBJECT

    static void resizeAndSettle(TMain *m, const QSize &size)
    {
        m->resize(size);
        QTRY_COMPARE(m->size(), size);
        QTest::qWait(50); // the layouts pass the new size on through posted events

    }

    static QPoint offCentre(QMdiSubWindow *sub)
    {
        const QRect area = sub->mdiArea()->viewport()->rect();
        return sub->geometry().center() - area.center();
    }

private Q_SLOTS:
    void loginStaysCentredWhileTheWindowIsResized()
    {
        Shell s;
        Dialogs::Script script;
        QMdiSubWindow *login = s.main->findChildWindow(QStringLiteral("系统登录"));
        QVERIFY(login);
        for (const QSize size : {QSize(1100, 800), QSize(760, 560), QSize(1024, 720)}) {
            resizeAndSettle(s.main.get(), size);
            const QPoint off = offCentre(login);
            QVERIFY2(qAbs(off.x()) <= 1 && qAbs(off.y()) <= 1,
                     qPrintable(QStringLiteral("%1,%2 off at %3x%4").arg(off.x()).arg(off.y()).arg(size.width()).arg(size.height())));
        }
    }

    // Another child window keeps the place it was given when the area changes.
    void otherWindowsAreNotMovedToTheCentre()
    {
        Shell s;
        Dialogs::Script script;
        s.logIn(QStringLiteral("admin"), QStringLiteral("kadero"));
        s.item("N_Help")->trigger();
        QApplication::processEvents();
        QMdiSubWindow *about = s.main->findChildWindow(QStringLiteral("关于本软件"));
        QVERIFY(about);
        const QPoint before = about->pos();
        resizeAndSettle(s.main.get(), s.main->size() + QSize(200, 120));
        QCOMPARE(about->pos(), before);
    }

    void gridBoxesCoverTheClientAreaAfterAResize()
    {
        Shell s;
        Dialogs::Script script;
        s.db.insert(QStringLiteral("项目清单"), {QStringLiteral("01"), QStringLiteral("总部"), QStringLiteral("工程部")});
        s.logIn(QStringLiteral("admin"), QStringLiteral("kadero"));
        s.clickNode(QStringLiteral("[01] 总部"));
        QVERIFY(s.main->GroupBox1->isVisible());
        resizeAndSettle(s.main.get(), s.main->size() + QSize(180, 90));
        QWidget *panel = s.main->GroupBox1->parentWidget();
        QCOMPARE(panel->geometry(), s.main->mdiArea()->viewport()->geometry());
        QVERIFY(s.main->GroupBox2->geometry().bottom() <= panel->rect().bottom());
    }
};

KD_TEST(TstClientArea)
#include "tst_clientarea.moc"
