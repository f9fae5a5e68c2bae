#pragma once

#include <QList>
#include <QString>

class QAction;
class QLabel;
class QMainWindow;
class QMenu;
class QToolBar;
class QToolButton;

// The main window's menu bar and tool bar: their items, captions, access keys
// and component names, and which of them a user sees.
class MainMenus
{
public:
    // Menu bar.
    QMenu *N_Sys;
    QAction *Menu_ChangePwd, *Menu_AddUser, *Menu_Right, *Menu_Log, *Menu_back, *Menu_Exit;
    QMenu *N_Base;
    QAction *Menu_Class, *Menu_Dept, *Menu_Project, *Menu_Gs, *Menu_Wldw, *Menu_Ren;
    QMenu *N_Data;
    QAction *Menu_Write, *Menu_Plan, *Menu_Pay, *Menu_Invoice;
    QMenu *N_Report;
    QAction *Menu_Account;
    QAction *Menu_Summary;
    QAction *Menu_TiXin;
    QMenu *N_Window;
    QAction *T1, *N2;
    QAction *N_Help;

    // Tool bar, with the hidden label holding the current user's name.
    QToolBar *ToolBar1;
    QToolButton *ToolButton1, *ToolButton2, *ToolButton4, *ToolButton8, *ToolButton10;
    QLabel *Label1;
    QMenu *PopupMenu4;
    QAction *N9, *N10;

protected:
    void setupMenuBar(QMainWindow *window);
    // The first three buttons perform the tree's expand, collapse and refresh items.
    void setupToolBar(QMainWindow *window, QAction *expand, QAction *collapse, QAction *refresh);

    // Before login only exit and the about box are offered.
    void hideCommandItems();
    // Shows the menu item that a right held by the user reveals.
    void revealItemOfRight(const QString &action);
    // Hides items whose window is not built, tidies separators and hides
    // empty top-level menus; the window menu needs a logged-in user.
    void tidyMenus(bool loggedIn);

    void setExportButtonVisible(bool visible);

private:
    QList<QAction *> commandItems() const;

    QAction *m_exportAction = nullptr;
    QAction *m_exportDivider = nullptr;
};
