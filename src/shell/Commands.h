#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Where a command's menu item stands: in one of the menus, or on the menu bar
// itself, before or after the window menu.
enum class MenuPlace { Sys, Base, Data, Report, Bar, BarAfterWindows };

// What a child-window command hides in the main window before it opens its window.
enum class HideOnOpen { BoxesAndExport, BoxesOnly, Nothing };

// Who may run a command.
enum class Access {
    Always,     // also before login
    EveryUser,  // every logged-in user
    ByRight,    // a logged-in user holding `right`
};

// One child-window command of the main menu. Its row is all there is to it:
// the main window makes the menu item from it and connects the item to the
// command, and the rights come from the rows.
struct ChildCommand {
    QString action;     // the menu item's component name, e.g. "Menu_Pay"
    MenuPlace menu;
    bool dividerBefore; // a divider stands between it and the item before it
    QString caption;    // the menu item's text with its access key
    Access access;
    QString right;      // right name in 权限清单 (ByRight only)
    std::function<QWidget *()> create;
    QString title;      // the window's title, by which the command finds it again
    QString logText;    // the audit-log action text
    HideOnOpen hide;
    int left;           // left edge in the client area; kMaximised for a maximised window
};

inline constexpr int kMaximised = -1;

// Every command, in the order of the items within each menu.
const QList<ChildCommand> &childCommands();
const ChildCommand *findChildCommand(const QString &action);

// The rights the commands check, each once, in the order of the rows: the
// order in which the rights window lists them and the login looks them up.
const QStringList &commandRights();
