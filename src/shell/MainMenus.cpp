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
    N_Base = topMenu(bar, "N_Base", QStringLiteral("基础设置(&B)"));
    N_Data = topMenu(bar, "N_Data", QStringLiteral("数据录入(&W)"));
    N_Report = topMenu(bar, "N_Report", QStringLiteral("报表管理(&R)"));
    N_Window = topMenu(bar, "N_Window", QStringLiteral("窗口(&W)"));
    T1 = item(N_Window, "T1", QStringLiteral("平铺窗口(&T)"));
    N2 = item(N_Window, "N2", QStringLiteral("层叠窗口(&C)"));

    for (const ChildCommand &c : childCommands()) {
        auto *a = new QAction(c.caption, window);
        a->setObjectName(c.action);
        switch (c.menu) {
        case MenuPlace::Bar:
            bar->insertAction(N_Window->menuAction(), a);
            break;
        case MenuPlace::BarAfterWindows:
            bar->addAction(a);
            break;
        default: {
            QMenu *menu = c.menu == MenuPlace::Sys    ? N_Sys
                          : c.menu == MenuPlace::Base ? N_Base
                          : c.menu == MenuPlace::Data ? N_Data
                                                      : N_Report;
            if (c.dividerBefore)
                menu->addSeparator();
            menu->addAction(a);
        }
        }
        m_commandItems << a;
    }
    N_Sys->addSeparator();
    Menu_Exit = item(N_Sys, "Menu_Exit", QStringLiteral("退出系统(&X)"));
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

void MainMenus::setCommandItemsVisible(const std::function<bool(const ChildCommand &)> &which, bool visible)
{
    const QList<ChildCommand> &commands = childCommands();
    for (qsizetype i = 0; i < commands.size(); ++i)
        if (which(commands[i]))
            m_commandItems[i]->setVisible(visible);
}

void MainMenus::hideCommandItems()
{
    setCommandItemsVisible([](const ChildCommand &c) { return c.access != Access::Always; }, false);
}

void MainMenus::revealCommonItems()
{
    setCommandItemsVisible([](const ChildCommand &c) { return c.access == Access::EveryUser; }, true);
}

void MainMenus::revealItemsOfRight(const QString &right)
{
    setCommandItemsVisible([&right](const ChildCommand &c) { return c.access == Access::ByRight && c.right == right; },
                           true);
}

void MainMenus::tidyMenus(bool loggedIn)
{
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
