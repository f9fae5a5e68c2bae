#include "support/Gui.h"
#include "support/TestRegistry.h"

#include "shell/TAboutBox.h"
#include "shell/TFlash.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

// Whether the image holds a pixel close to the colour.
bool hasColour(const QImage &image, QColor want, int tolerance = 40)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - want.red()) + qAbs(c.green() - want.green())
                    + qAbs(c.blue() - want.blue()) <= tolerance)
                return true;
        }
    return false;
}

} // namespace

class TestSplashAbout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every picture the windows ask for is compiled in and decodes (the JPEGs
    // need the image plug-in) at the size its place is made for.
    void picturesCompiledIn_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        const QSize tool(24, 24), small(16, 16);
        QTest::newRow("splash") << ":/pictures/splash.jpg" << QSize(480, 300);
        QTest::newRow("client area") << ":/pictures/client.jpg" << QSize(1600, 1000);
        QTest::newRow("program icon") << ":/icons/program.png" << QSize(256, 256);
        QTest::newRow("about box icon") << ":/icons/kadero.png" << QSize(256, 256);
        for (const char *name : {"expand", "collapse", "refresh", "export", "exit", "user", "key",
                                 "pwd-old", "pwd-new", "pwd-confirm"})
            QTest::newRow(name) << QStringLiteral(":/icons/%1.png").arg(QLatin1String(name)) << tool;
        for (const char *name : {"node0", "node1", "first", "prior", "next", "last", "new", "modify",
                                 "delete", "close", "search", "submit"})
            QTest::newRow(name) << QStringLiteral(":/icons/%1.png").arg(QLatin1String(name)) << small;
    }

    void picturesCompiledIn()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        const QImage image(path);
        QVERIFY2(!image.isNull(), qPrintable(path));
        QCOMPARE(image.size(), size);
        // Not blank: a tenth of it at least is drawn, in several colours.
        int drawn = 0;
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = image.pixel(x, y);
                drawn += qAlpha(c) > 128;
                colours.insert(c);
            }
        QVERIFY(drawn >= size.width() * size.height() / 10);
        QVERIFY(colours.size() >= 4);
    }

    void splashShowsRedStartingLabelOnCreamOverPicture()
    {
        TFlash flash;
        flash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&flash));

        auto *label = Gui::find<QLabel>(&flash, "Label1");
        QCOMPARE(label->text(), QStringLiteral("系统正在启动..."));
        QVERIFY(label->isVisible());
        QVERIFY(flash.geometry().contains(label->mapTo(&flash, label->rect().center()) + flash.pos()));
        const QImage shot = label->grab().toImage();
        QVERIFY2(hasColour(shot, QColor(0xff, 0xf8, 0xdc), 12), "no cream behind the label");
        QVERIFY2(hasColour(shot, QColor(0xe0, 0x00, 0x00), 90), "no red text");

        // The picture is the project's own, compiled in, and fills the window.
        auto *image = Gui::find<QLabel>(&flash, "Image1");
        QVERIFY(!image->pixmap().isNull());
        QCOMPARE(image->geometry(), flash.rect());
        QCOMPARE(flash.size(), QPixmap(QStringLiteral(":/pictures/splash.jpg")).size());

        QVERIFY(flash.windowFlags().testFlag(Qt::FramelessWindowHint));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QVERIFY(qAbs(flash.geometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(flash.geometry().center().y() - screen.center().y()) <= 1);
    }

    void splashTimerRunsOnceForThreeSeconds()
    {
        QElapsedTimer clock;
        clock.start();
        TFlash flash;
        QTimer *timer = flash.findChild<QTimer *>(QStringLiteral("Timer1"));
        QCOMPARE(timer, flash.Timer1);
        QCOMPARE(timer->interval(), 3000);
        QVERIFY(timer->isActive());
        QSignalSpy fired(timer, &QTimer::timeout);
        flash.show();

        // Program entry's wait: events are handled all the while.
        int handled = 0;
        QTimer tick;
        connect(&tick, &QTimer::timeout, [&] { ++handled; });
        tick.start(100);
        while (timer->isActive() && clock.elapsed() < 10000)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QVERIFY(!timer->isActive());
        QVERIFY2(clock.elapsed() >= 3000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(clock.elapsed() < 4500);
        QCOMPARE(fired.count(), 1);
        QVERIFY(handled >= 20);
        // Switched off by its handler: it never fires again.
        QTest::qWait(300);
        QCOMPARE(fired.count(), 1);
    }

    void aboutBoxTexts()
    {
        auto *about = new TAboutBox;
        about->show();
        QVERIFY(QTest::qWaitForWindowExposed(about));
        QCOMPARE(about->windowTitle(), QStringLiteral("关于本软件"));

        QStringList texts;
        for (const QLabel *l : about->findChildren<QLabel *>())
            if (!l->text().isEmpty())
                texts << l->text();
        QCOMPARE(texts, (QStringList{QStringLiteral("Kadero"),
                                     QStringLiteral("Version1.5.20061031（ACCESS单机版）"),
                                     QStringLiteral("2006年10月31日")}));
        auto *panel = Gui::find<QFrame>(about, "Panel1");
        QVERIFY(panel->frameShape() != QFrame::NoFrame);
        for (const char *name : {"ProgramIcon", "ProductName", "Version", "ReleaseDate"})
            QCOMPARE(Gui::find<QLabel>(about, name)->parentWidget(), panel);
        QVERIFY(!Gui::find<QLabel>(about, "ProgramIcon")->pixmap().isNull());

        auto *ok = Gui::find<QPushButton>(about, "OKButton");
        QCOMPARE(ok->text(), QStringLiteral("确定"));
        QVERIFY(ok->isDefault());
        QVERIFY(ok->geometry().top() >= panel->geometry().bottom());

        // A dialog frame without title-bar buttons.
        const Qt::WindowFlags flags = about->windowFlags();
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(flags.testFlag(Qt::WindowTitleHint));
        for (Qt::WindowType button : {Qt::WindowCloseButtonHint, Qt::WindowMinimizeButtonHint,
                                      Qt::WindowMaximizeButtonHint, Qt::WindowSystemMenuHint})
            QVERIFY(!flags.testFlag(button));
        delete about;
    }

    void aboutBoxClosesAndIsFreed_data()
    {
        QTest::addColumn<bool>("inMainWindow");
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("click on its own") << false << false;
        QTest::newRow("Enter on its own") << false << true;
        QTest::newRow("click in the main window") << true << false;
        QTest::newRow("Enter in the main window") << true << true;
    }

    void aboutBoxClosesAndIsFreed()
    {
        QFETCH(bool, inMainWindow);
        QFETCH(bool, byEnter);
        QMdiArea area;
        QPointer<TAboutBox> about = new TAboutBox;
        QPointer<QMdiSubWindow> frame;
        if (inMainWindow) {
            frame = area.addSubWindow(about, about->windowFlags() & ~Qt::WindowType_Mask);
            frame->setAttribute(Qt::WA_DeleteOnClose);
            area.resize(800, 600);
            area.show();
            frame->show();
            QVERIFY(QTest::qWaitForWindowExposed(&area));
        } else {
            about->show();
            QVERIFY(QTest::qWaitForWindowExposed(about));
        }
        auto *ok = Gui::find<QPushButton>(about, "OKButton");
        if (byEnter) {
            Gui::focus(ok);
            QTest::keyClick(about->focusWidget() ? about->focusWidget() : about.data(), Qt::Key_Return);
        } else {
            QTest::mouseClick(ok, Qt::LeftButton);
        }
        flushDeletes();
        QVERIFY(about.isNull());
        if (inMainWindow) {
            QVERIFY(frame.isNull());
            QVERIFY(area.subWindowList().isEmpty());
        }
    }
};

KD_TEST(TestSplashAbout)
#include "tst_splash_about.moc"
