#pragma once

#include <QList>
#include <QString>

#include <functional>

class QWidget;

// What a child-window command hides in the main window before it opens its window.
enum class HideOnOpen { BoxesAndExport, BoxesOnly, Nothing };

// Who may run a command.
enum class Access {
    Always,     // also before login
    EveryUser,  // every logged-in user
    ByRight,    // a logged-in user holding `right`
};

// One child-window command of the main menu.
struct ChildCommand {
    QString action;     // the menu item's component name, e.g. "Menu_Pay"
    Access access;
    QString right;      // right name in 权限清单 (ByRight only)
    std::function<QWidget *()> create;
    QString title;      // the window's title, by which the command finds it again
    QString logText;    // the audit-log action text
    HideOnOpen hide;
    int left;           // left edge in the client area; kMaximised for a maximised window
};

inline constexpr int kMaximised = -1;

// The commands whose windows are part of this build, in menu order. A command
// whose window class is not built has no row, and its menu item stays hidden.
const QList<ChildCommand> &childCommands();
const ChildCommand *findChildCommand(const QString &action);

// The rights in the order the login looks them up, each with the menu item it
// reveals; taken from the commands, so only built windows have one.
struct RightItem {
    QString right;
    QString action;
};
const QList<RightItem> &rightItems();
