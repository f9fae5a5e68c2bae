#pragma once

#include <QList>
#include <QString>

#include <functional>

class QAction;
class QLabel;
class QMainWindow;
class QMenu;
class QToolBar;
class QToolButton;
struct ChildCommand;

// The main window's menu bar and tool bar: their items, captions, access keys
// and component names, and which of them a user sees. The items of the
// child-window commands are made from the command table, each named after its
// row (findChild<QAction *>("Menu_Pay")).
class MainMenus
{
public:
    // Menu bar: the menus and the items that are no child-window command.
    QMenu *N_Sys, *N_Base, *N_Data, *N_Report, *N_Window;
    QAction *Menu_Exit;
    QAction *T1, *N2;

    // Tool bar, with the hidden label holding the current user's name.
    QToolBar *ToolBar1;
    QToolButton *ToolButton1, *ToolButton2, *ToolButton4, *ToolButton8, *ToolButton10;
    QLabel *Label1;
    QMenu *PopupMenu4;
    QAction *N9, *N10;

protected:
    void setupMenuBar(QMainWindow *window);
    // The menu items of the child-window commands, in the table's order.
    const QList<QAction *> &commandItems() const { return m_commandItems; }
    // The first three buttons perform the tree's expand, collapse and refresh items.
    void setupToolBar(QMainWindow *window, QAction *expand, QAction *collapse, QAction *refresh);

    // Before login only exit and the about box are offered.
    void hideCommandItems();
    // Shows the items every logged-in user has.
    void revealCommonItems();
    // Shows the menu items of the commands that a right held by the user allows.
    void revealItemsOfRight(const QString &right);
    // Tidies separators and hides empty top-level menus; the window menu
    // needs a logged-in user.
    void tidyMenus(bool loggedIn);

    void setExportButtonVisible(bool visible);

private:
    void setCommandItemsVisible(const std::function<bool(const ChildCommand &)> &which, bool visible);

    QList<QAction *> m_commandItems;
    QAction *m_exportAction = nullptr;
    QAction *m_exportDivider = nullptr;
};
