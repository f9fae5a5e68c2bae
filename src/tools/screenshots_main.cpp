// Takes every picture of docs/screenshots from the program itself:
//   xvfb-run -s "-screen 0 1280x900x24" kadero-screenshots OUTDIR
// It starts the program's windows the way the program does on a fresh demo
// ledger, logs in as the supervisor, opens each window through its main-menu
// item as a user would, and grabs the screen.
#include "db/NewDatabase.h"
#include "db/Tdm.h"
#include "platform/Application.h"
#include "platform/report/Report.h"
#include "reports/TQuickReport1.h"
#include "shell/Commands.h"
#include "shell/ShellConfig.h"
#include "shell/StartUp.h"
#include "shell/TLogin.h"
#include "shell/TMain.h"

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

namespace {

QString g_out;
int g_failures = 0;

void fail(const QString &what)
{
    QTextStream(stderr) << "screenshots: " << what << "\n";
    ++g_failures;
}

template <typename T>
T *need(QObject *parent, const char *name)
{
    T *found = parent->findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("screenshots: no %s", name);
    return found;
}

QRect onScreen(const QWidget *w) { return QRect(w->mapToGlobal(QPoint(0, 0)), w->size()); }

// Grabs a part of the screen (all of it when empty), as the user sees it.
void shoot(const QString &name, const QRect &area = QRect())
{
    QTest::qWait(300);
    QScreen *screen = QGuiApplication::primaryScreen();
    const QRect r = area.isNull() ? screen->geometry() : area.intersected(screen->geometry());
    const QPixmap picture = screen->grabWindow(0, r.x(), r.y(), r.width(), r.height());
    const QString path = QDir(g_out).filePath(name + QStringLiteral(".png"));
    if (picture.isNull() || !picture.save(path, "PNG"))
        fail(QStringLiteral("cannot write ") + path);
    else
        QTextStream(stdout) << path << "\n";
}

// Runs a main-menu item and returns the child window it opened. The mouse
// pointer waits outside the window, where it raises no hint.
QMdiSubWindow *open(TMain &main, const char *item)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCursor::setPos(screen.right(), screen.center().y());
    need<QAction>(&main, item)->trigger();
    QTest::qWait(300);
    QMdiSubWindow *window = main.mdiArea()->activeSubWindow();
    if (!window)
        qFatal("screenshots: %s opened no window", item);
    return window;
}

void close(QMdiSubWindow *window)
{
    window->close();
    QTest::qWait(100);
}

void shootWindow(TMain &main, const char *item, const QString &name)
{
    QMdiSubWindow *window = open(main, item);
    shoot(name, onScreen(window));
    close(window);
}

// Logs in as the supervisor; on the way, the job number's edit menu.
void logIn(TLogin *login)
{
    auto *jobNumber = need<QLineEdit>(login, "Edit1");
    QTest::keyClicks(jobNumber, QStringLiteral("admin"));
    const QPoint at(jobNumber->width() * 3 / 4, jobNumber->height() / 2);
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, jobNumber->mapToGlobal(at));
    QApplication::sendEvent(jobNumber, &menuEvent);
    QTest::qWait(300);
    if (QWidget *menu = QApplication::activePopupWidget()) {
        QWidget *window = login->parentWidget() ? login->parentWidget() : login;
        shoot(QStringLiteral("edit-menu"), onScreen(window).united(menu->frameGeometry()).adjusted(-8, -8, 8, 8));
        menu->close();
    } else {
        fail(QStringLiteral("no edit menu"));
    }
    QTest::keyClicks(need<QLineEdit>(login, "Edit2"), QStringLiteral("kadero"));
    need<QPushButton>(login, "BitBtn1")->click();
    QTest::qWait(300);
}

void clickNode(TMain &main, const QString &text)
{
    auto *tree = need<QTreeWidget>(&main, "TreeView1");
    tree->expandAll();
    const auto found = tree->findItems(text, Qt::MatchStartsWith | Qt::MatchRecursive);
    if (found.isEmpty())
        qFatal("screenshots: no tree node %s", qPrintable(text));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, tree->visualItemRect(found.first()).center());
}

// The register with the balloon of its project field.
void shootBalloon(TMain &main)
{
    QMdiSubWindow *window = open(main, "Menu_Write");
    auto *project = need<QWidget>(window, "DBLookupComboBox1");
    const QPoint at(project->width() / 3, project->height() / 2);
    QHelpEvent hint(QEvent::ToolTip, at, project->mapToGlobal(at));
    QApplication::sendEvent(project, &hint);
    const QRect field = onScreen(project);
    shoot(QStringLiteral("balloon"), QRect(field.left() - 70, field.top() - 70, 500, 215));
    close(window);
}

// The print dialog that the preview's printer button opens.
void shootPrintDialog(QWidget *preview)
{
    QAction *print = nullptr;
    for (QAction *a : preview->findChildren<QAction *>())
        if (a->text() == QCoreApplication::translate("QPrintPreviewDialog", "Print"))
            print = a;
    if (!print)
        return fail(QStringLiteral("no print button in the preview"));
    QTimer::singleShot(1500, [preview] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || dialog == preview)
            return fail(QStringLiteral("no print dialog"));
        shoot(QStringLiteral("print-dialog"), dialog->frameGeometry().united(preview->frameGeometry().adjusted(0, 0, 0, -200)));
        dialog->close();
    });
    print->trigger();
}

// The execution report of a contract: its page as printed, the print preview
// from which it is printed or saved as PDF, and the print dialog.
void shootReport(TMain &main, const QString &contract)
{
    QMdiSubWindow *window = open(main, "Menu_Account");
    auto *number = need<QLineEdit>(window, "Edit2");
    number->setText(contract);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    report::Report::setPreviewHandler([&](const report::Report &r) { r.savePdf(pdf); });
    need<QPushButton>(window, "BitBtn1")->click();
    report::Report::setPreviewHandler({});
    const QString page = QDir(g_out).filePath(QStringLiteral("report"));
    if (QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("80"),
                                                       QStringLiteral("-singlefile"), pdf, page})
        != 0)
        fail(QStringLiteral("pdftoppm could not draw the report"));
    else
        QTextStream(stdout) << page << ".png\n";

    QTimer::singleShot(1500, [] {
        QWidget *preview = QApplication::activeModalWidget();
        if (!preview)
            return fail(QStringLiteral("no print preview"));
        preview->resize(900, 760);
        preview->move(190, 70);
        QTest::qWait(500);
        shoot(QStringLiteral("print-preview"), preview->frameGeometry());
        shootPrintDialog(preview);
        preview->close();
    });
    need<QPushButton>(window, "BitBtn1")->click();
    close(window);
}

void shootSummary(TMain &main)
{
    QMdiSubWindow *window = open(main, "Menu_Summary");
    auto *pages = need<QTabWidget>(window, "PageControl1");
    const QString names[] = {QStringLiteral("summary"), QStringLiteral("summary-monthly"), QStringLiteral("summary-unpaid")};
    for (int i = 0; i < pages->count() && i < 3; ++i) {
        pages->setCurrentIndex(i);
        shoot(names[i], onScreen(window));
    }
    close(window);
}

void shootRights(TMain &main)
{
    QMdiSubWindow *window = open(main, "Menu_Right");
    auto *users = need<QComboBox>(window, "ComboBox1");
    users->setFocus();
    for (int i = 0; i < users->count() && !users->currentText().contains(QStringLiteral("李华")); ++i)
        QTest::keyClick(users, Qt::Key_Down);
    shoot(QStringLiteral("rights"), onScreen(window));
    close(window);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        QTextStream(stderr) << "usage: kadero-screenshots OUTDIR (under Xvfb)\n";
        return 2;
    }
    Application app(argc, argv);
    setUpApplication(&app);
    g_out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(g_out);

    QTemporaryDir home;
    const QString ledger = home.filePath(QStringLiteral("kadero.db"));
    NewDatabaseOptions demo;
    demo.demo = true;
    demo.supervisorRights = commandRights();
    createLedgerDatabase(ledger, demo);
    ShellConfig::setDirectory(home.path());
    ShellConfig::writeSettings({ledger, QString(), QString()});

    std::unique_ptr<QWidget> flash = showSplash();
    shoot(QStringLiteral("splash"), flash->frameGeometry().adjusted(-20, -20, 20, 20));

    std::unique_ptr<Tdm> dataModule;
    TMain main;
    auto *login = new TLogin(&main);
    TQuickReport1 quickReport;
    dataModule = std::make_unique<Tdm>();
    flash.reset();
    main.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    main.showMaximized();
    shoot(QStringLiteral("main-login"));

    logIn(login);
    clickNode(main, QStringLiteral("[01-01]"));
    shoot(QStringLiteral("main-tree"));

    shootWindow(main, "Menu_Write", QStringLiteral("register"));
    shootBalloon(main);
    shootWindow(main, "Menu_Pay", QStringLiteral("payments"));
    shootWindow(main, "Menu_TiXin", QStringLiteral("reminders"));
    shootWindow(main, "Menu_Project", QStringLiteral("reference-editor"));
    shootWindow(main, "Menu_AddUser", QStringLiteral("users"));
    shootRights(main);
    shootReport(main, QStringLiteral("20260001"));
    shootSummary(main);
    QMdiSubWindow *about = open(main, "N_Help");
    shoot(QStringLiteral("about"), onScreen(about).adjusted(-200, -140, 200, 140));
    close(about);

    return g_failures == 0 ? 0 : 1;
}
