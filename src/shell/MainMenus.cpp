#include "shell/MainMenus.h"

#include "platform/Icons.h"
#include "platform/Named.h"
#include "shell/Commands.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace {

QAction *item(QMenu *menu, const char *name, const QString &text)
{
    QAction *a = menu->addAction(text);
    a->setObjectName(QLatin1String(name));
    return a;
}

QMenu *topMenu(QMenuBar *bar, const char *name, const QString &text)
{
    QMenu *m = bar->addMenu(text);
    m->setObjectName(QLatin1String(name));
    return m;
}

QToolButton *toolButton(QToolBar *bar, const char *name, const char *icon)
{
    auto *b = new QToolButton(bar);
    b->setObjectName(QLatin1String(name));
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    b->setAutoRaise(true);
    // A click takes the focus, so a new grid row left untouched goes away.
    b->setFocusPolicy(Qt::StrongFocus);
    if (icon)
        b->setIcon(QIcon(iconFile(icon)));
    return b;
}

// Separators that would stand first, last or twice in a row are hidden.
void tidySeparators(QMenu *menu)
{
    QAction *pending = nullptr;
    bool seenItem = false;
    for (QAction *a : menu->actions()) {
        if (a->isSeparator()) {
            a->setVisible(false);
            if (seenItem && !pending)
                pending = a;
        } else if (a->isVisible()) {
            if (pending)
                pending->setVisible(true);
            pending = nullptr;
            seenItem = true;
        }
    }
}

bool hasVisibleItem(QMenu *menu)
{
    for (QAction *a : menu->actions())
        if (!a->isSeparator() && a->isVisible())
            return true;
    return false;
}

} // namespace

void MainMenus::setupMenuBar(QMainWindow *window)
{
    QMenuBar *bar = window->menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    N_Sys = topMenu(bar, "N_Sys", QStringLiteral("系统管理(&S)"));
    Menu_ChangePwd = item(N_Sys, "Menu_ChangePwd", QStringLiteral("修改密码(&P)"));
    N_Sys->addSeparator();
    Menu_AddUser = item(N_Sys, "Menu_AddUser", QStringLiteral("添加用户(&A)"));
    Menu_Right = item(N_Sys, "Menu_Right", QStringLiteral("权限设置(&Q)"));
    N_Sys->addSeparator();
    Menu_Log = item(N_Sys, "Menu_Log", QStringLiteral("查看日志(&L)"));
    N_Sys->addSeparator();
    Menu_back = item(N_Sys, "Menu_back", QStringLiteral("数据备份(&B)"));
    N_Sys->addSeparator();
    Menu_Exit = item(N_Sys, "Menu_Exit", QStringLiteral("退出系统(&X)"));

    N_Base = topMenu(bar, "N_Base", QStringLiteral("基础设置(&B)"));
    Menu_Class = item(N_Base, "Menu_Class", QStringLiteral("合同类别(&C)"));
    Menu_Dept = item(N_Base, "Menu_Dept", QStringLiteral("部门设置(&D)"));
    Menu_Project = item(N_Base, "Menu_Project", QStringLiteral("项目设置(&P)"));
    N_Base->addSeparator();
    Menu_Gs = item(N_Base, "Menu_Gs", QStringLiteral("单位设置(&G)"));
    Menu_Wldw = item(N_Base, "Menu_Wldw", QStringLiteral("往来单位设置(&W)"));
    N_Base->addSeparator();
    Menu_Ren = item(N_Base, "Menu_Ren", QStringLiteral("人员维护(&R)"));

    N_Data = topMenu(bar, "N_Data", QStringLiteral("数据录入(&W)"));
    Menu_Write = item(N_Data, "Menu_Write", QStringLiteral("合同登记(&R)"));
    Menu_Plan = item(N_Data, "Menu_Plan", QStringLiteral("计划付款(&P)"));
    Menu_Pay = item(N_Data, "Menu_Pay", QStringLiteral("付款登记(&F)"));
    Menu_Invoice = item(N_Data, "Menu_Invoice", QStringLiteral("发票登记(&T)"));

    N_Report = topMenu(bar, "N_Report", QStringLiteral("报表管理(&R)"));
    Menu_Account = item(N_Report, "Menu_Account", QStringLiteral("打印合同执行情况表(&P)"));
    Menu_Summary = item(N_Report, "Menu_Summary", QStringLiteral("合同执行汇总(&S)"));

    Menu_TiXin = bar->addAction(QStringLiteral("付款提醒(&T)"));
    Menu_TiXin->setObjectName(QStringLiteral("Menu_TiXin"));

    N_Window = topMenu(bar, "N_Window", QStringLiteral("窗口(&W)"));
    T1 = item(N_Window, "T1", QStringLiteral("平铺窗口(&T)"));
    N2 = item(N_Window, "N2", QStringLiteral("层叠窗口(&C)"));

    N_Help = bar->addAction(QStringLiteral("关于本软件(&A)"));
    N_Help->setObjectName(QStringLiteral("N_Help"));
}

void MainMenus::setupToolBar(QMainWindow *window, QAction *expand, QAction *collapse, QAction *refresh)
{
    ToolBar1 = window->addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(24, 24));
    ToolBar1->toggleViewAction()->setEnabled(false);
    window->setContextMenuPolicy(Qt::NoContextMenu);

    // Tied to the tree's pop-up menu items: a click performs that item's command.
    auto tiedButton = [this](const char *name, QAction *action) {
        QToolButton *b = toolButton(ToolBar1, name, nullptr);
        b->setIcon(action->icon());
        QObject::connect(b, &QToolButton::clicked, action, &QAction::trigger);
        return b;
    };
    ToolButton1 = tiedButton("ToolButton1", expand);
    ToolButton2 = tiedButton("ToolButton2", collapse);
    ToolButton4 = tiedButton("ToolButton4", refresh);

    PopupMenu4 = named(new QMenu(window), "PopupMenu4");
    N9 = item(PopupMenu4, "N9", QStringLiteral("导出合同基本信息(&B)"));
    N10 = item(PopupMenu4, "N10", QStringLiteral("导出合同付款信息(&P)"));
    ToolButton8 = toolButton(ToolBar1, "ToolButton8", "export");
    ToolButton8->setMenu(PopupMenu4);
    ToolButton8->setPopupMode(QToolButton::InstantPopup);

    ToolButton10 = toolButton(ToolBar1, "ToolButton10", "exit");

    Label1 = named(new QLabel(QStringLiteral("Label1"), ToolBar1), "Label1");

    ToolBar1->addSeparator();
    ToolBar1->addWidget(ToolButton1);
    ToolBar1->addWidget(ToolButton2);
    ToolBar1->addSeparator();
    ToolBar1->addWidget(ToolButton4);
    ToolBar1->addSeparator();
    m_exportAction = ToolBar1->addWidget(ToolButton8);
    m_exportDivider = ToolBar1->addSeparator();
    ToolBar1->addWidget(ToolButton10);
    ToolBar1->addWidget(Label1)->setVisible(false);
}

QList<QAction *> MainMenus::commandItems() const
{
    return {Menu_ChangePwd, Menu_Right,   Menu_AddUser, Menu_Log, Menu_back, Menu_Class,
            Menu_Dept,      Menu_Project, Menu_Gs,      Menu_Wldw, Menu_Ren,  Menu_Write,
            Menu_Plan,      Menu_Pay,     Menu_Invoice, Menu_Account, Menu_Summary, Menu_TiXin};
}

void MainMenus::hideCommandItems()
{
    for (QAction *a : commandItems())
        a->setVisible(false);
}

void MainMenus::revealItemOfRight(const QString &action)
{
    for (QAction *a : commandItems())
        if (a->objectName() == action)
            a->setVisible(true);
}

void MainMenus::tidyMenus(bool loggedIn)
{
    // A command whose window is not part of this build stays hidden.
    QList<QAction *> items = commandItems();
    items << N_Help;
    for (QAction *a : std::as_const(items))
        if (!findChildCommand(a->objectName()))
            a->setVisible(false);
    for (QMenu *m : {N_Sys, N_Base, N_Data, N_Report, N_Window})
        tidySeparators(m);
    N_Base->menuAction()->setVisible(loggedIn && hasVisibleItem(N_Base));
    N_Data->menuAction()->setVisible(loggedIn && hasVisibleItem(N_Data));
    N_Report->menuAction()->setVisible(loggedIn && hasVisibleItem(N_Report));
    N_Window->menuAction()->setVisible(loggedIn);
}

// The divider after the export button goes with it: two dividers never stand together.
void MainMenus::setExportButtonVisible(bool visible)
{
    m_exportAction->setVisible(visible);
    m_exportDivider->setVisible(visible);
}
