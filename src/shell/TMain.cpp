#include "shell/TMain.h"

#include "db/Session.h"
#include "db/Tdm.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Icons.h"
#include "platform/data/DbError.h"
#include "platform/data/SchemaUpgrade.h"
#include "platform/widgets/DBGrid.h"
#include "reports/ExportGridsToExcel.h"
#include "shell/Commands.h"
#include "shell/ShellConfig.h"
#include "shell/TLoginServer.h"
#include "shell/WriteLog.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMouseEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

TMain::TMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    setWindowIcon(QIcon(iconFile("program")));
    resize(1024, 720);
    setupMenuBar(this);
    createClientArea();
    setupToolBar(this, Menu_Expand, Menu_Collapse, Menu_Refresh);
    createStatusBar();
    connectHandlers();
    FormCreate();
}

TMain::~TMain()
{
    // Child windows go first, while the data module still serves their datasets.
    if (m_children)
        m_children->deleteAll();
}

void TMain::createClientArea()
{
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("Splitter1"));
    splitter->setChildrenCollapsible(false);
    m_children = new ChildWindows(splitter, this);
    splitter->addWidget(m_children->area());
    setupProjectTree(this, splitter, m_children->area());
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({270, 800});
    setCentralWidget(splitter);
}

void TMain::createStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i) {
        auto *panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        panel->setAlignment(Qt::AlignCenter);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        bar->addWidget(panel, i == 2 ? 2 : 1);
        m_panels[i] = panel;
    }
    m_panels[2]->setText(QStringLiteral("欢迎使用Kadero  V1.5.20061031（ACCESS单机版）"));
}

void TMain::connectHandlers()
{
    for (QAction *item : commandItems())
        onUserAction(item, &QAction::triggered, this, [this, action = item->objectName()] { runCommand(action); });
    // The items that are no child-window command.
    const std::pair<QAction *, void (TMain::*)()> handlers[] = {
        {Menu_Exit, &TMain::Menu_ExitClick},               {T1, &TMain::T1Click},
        {N2, &TMain::N2Click},                             {Menu_Expand, &TMain::Menu_ExpandClick},
        {Menu_Collapse, &TMain::Menu_CollapseClick},       {Menu_Refresh, &TMain::Menu_RefreshClick},
        {N9, &TMain::N9Click},                             {N10, &TMain::N10Click},
        {Menu_OutToExcel1, &TMain::Menu_OutToExcel1Click}, {Menu_OutToExcel2, &TMain::Menu_OutToExcel2Click},
    };
    for (const auto &[action, handler] : handlers)
        onUserAction(action, &QAction::triggered, this, handler);
    onUserAction(ToolButton10, &QToolButton::clicked, this, &TMain::ToolButton10Click);
    // Only a mouse click on the tree runs a node's queries (see eventFilter).
    TreeView1->viewport()->installEventFilter(this);
    DBGrid2->viewport()->installEventFilter(this);
}

QLabel *TMain::statusPanel(int index) const
{
    return index >= 1 && index <= 3 ? m_panels[index - 1] : nullptr;
}

QMdiArea *TMain::mdiArea() const { return m_children->area(); }

// The state before login: only exit and the about box are offered.
void TMain::FormCreate()
{
    Session::setUserName(Label1->text());
    hideCommandItems();
    Panel1->hide();
    ToolBar1->hide();
    setGridBoxesVisible(false);
    tidyMenus(m_loggedIn);
}

void TMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    FormShow();
}

// Reads KD.ini and opens the shared connection; without a usable
// configuration the settings dialog writes one and the program ends.
void TMain::FormShow()
{
    if (!QFileInfo::exists(ShellConfig::kdIniPath())) {
        showSettingsDialog();
        return;
    }
    const ShellConfig::Settings settings = ShellConfig::readSettings();
    bool opened = false;
    try {
        if (!dm)
            throw DbError(QStringLiteral("没有数据模块。"));
        dm->openDatabase(ShellConfig::databaseFile(settings), settings.password);
        opened = true;
    } catch (const SchemaVersionError &e) {
        // A ledger newer than the program, or one whose upgrade failed.
        Dialogs::warning(e.message());
    } catch (const std::exception &) {
    }
    if (opened) {
        if (!dm->upgradeNotice().isEmpty())
            Dialogs::information(dm->upgradeNotice());
        return;
    }
    if (Dialogs::confirm(QStringLiteral("提示"), QStringLiteral("数据库连接失败，是否重新连接数据库？"),
                         Dialogs::Buttons::YesNo))
        showSettingsDialog();
    else
        Program::end();
}

void TMain::showSettingsDialog()
{
    TLoginServer dialog(this);
    dialog.showModal();
}

QMdiSubWindow *TMain::addChildWindow(QWidget *window, ChildWindows::Placement placement)
{
    return m_children->add(window, placement);
}

QMdiSubWindow *TMain::findChildWindow(const QString &title) const { return m_children->find(title); }

bool TMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == TreeView1->viewport() && event->type() == QEvent::MouseButtonRelease) {
        // Arrow keys move through the tree and leave the grids alone.
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            guarded([this] { TreeView1Click(); });
    } else if (watched == DBGrid2->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        guarded([this] { DBGrid2DblClick(); });
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMain::loginSucceeded(const QString &jobNumber, const QString &name, const QString &department)
{
    m_jobNumber = jobNumber;
    m_loggedIn = true;
    Panel1->show();
    TreeView1->show();
    ToolBar1->show();
    revealCommonItems();
    for (const QString &right : commandRights())
        if (hasRight(right))
            revealItemsOfRight(right);
    tidyMenus(m_loggedIn);

    setExportButtonVisible(false);
    m_panels[0]->setText(QStringLiteral("操作员：") + department + QStringLiteral("—") + name);
    m_panels[1]->setText(QStringLiteral("登录时间：") + logTimeNow());
    Label1->setText(name);
    Session::setUserName(name);
    BuildTree();
}

bool TMain::hasRight(const QString &right) const
{
    if (!m_loggedIn || !dm)
        return false;
    return !dm->ADOConnection1
                ->scalar(QStringLiteral("select 工号 from 权限清单 where 工号=? and 权限名称=?"), {m_jobNumber, right})
                .toString()
                .isEmpty();
}

void TMain::TreeView1Click()
{
    const QTreeWidgetItem *node = TreeView1->currentItem();
    if (node && node->isSelected())
        setExportButtonVisible(showContractsOf(node));
}

void TMain::Menu_ExpandClick() { TreeView1->expandAll(); }
void TMain::Menu_CollapseClick() { TreeView1->collapseAll(); }

void TMain::Menu_RefreshClick()
{
    TreeView1->clear();
    BuildTree();
}

void TMain::Menu_OutToExcel1Click() { ExportGridsToExcel({DBGrid1}, true); }
void TMain::Menu_OutToExcel2Click() { ExportGridsToExcel({DBGrid2}, true); }
void TMain::N9Click() { Menu_OutToExcel1->trigger(); }
void TMain::N10Click() { Menu_OutToExcel2->trigger(); }

// Only a holder of the payments right gets the payments window this way.
void TMain::DBGrid2DblClick() { runCommand(QStringLiteral("Menu_Pay")); }

bool TMain::mayRun(const ChildCommand &command) const
{
    switch (command.access) {
    case Access::Always:
        return true;
    case Access::EveryUser:
        return m_loggedIn;
    case Access::ByRight:
        return hasRight(command.right);
    }
    return false;
}

QWidget *TMain::runCommand(const QString &action)
{
    const ChildCommand *command = findChildCommand(action);
    if (!command || !mayRun(*command))
        return nullptr;
    if (command->hide != HideOnOpen::Nothing)
        setGridBoxesVisible(false);
    if (command->hide == HideOnOpen::BoxesAndExport)
        setExportButtonVisible(false);
    QWidget *window = m_children->open(*command);
    WriteLog(Label1->text(), logTimeNow(), command->logText);
    return window;
}

bool TMain::confirmExit() const
{
    return Dialogs::confirm(QStringLiteral("确认退出系统"), QStringLiteral("您确定要退出Kadero吗？"));
}

// The exit entry is written before the program ends; a failed write keeps the
// program running. Without any connection (the settings dialog was closed at
// start-up) there is nothing to write to, and the program may still end.
bool TMain::writeExitEntry() const
{
    if (!dm || !dm->ADOConnection1->isOpen())
        return true;
    const QString name = Label1->text();
    return guarded([&name] { WriteLog(name, logTimeNow(), QStringLiteral("退出系统")); });
}

bool TMain::leave(bool writeEntry)
{
    if (!confirmExit() || (writeEntry && !writeExitEntry()))
        return false;
    m_closing = true;
    Program::end();
    return true;
}

void TMain::Menu_ExitClick() { leave(true); }

// The tool bar's exit leaves no entry in the audit log.
void TMain::ToolButton10Click() { leave(false); }

void TMain::closeEvent(QCloseEvent *event) { FormClose(event); }

void TMain::FormClose(QCloseEvent *event)
{
    // An exit already confirmed by the menu does not ask a second time.
    event->setAccepted(m_closing || leave(true));
}

void TMain::T1Click() { m_children->tile(); }
void TMain::N2Click() { m_children->cascade(); }
