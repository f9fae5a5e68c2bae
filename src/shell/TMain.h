#pragma once

#include "shell/ChildWindows.h"
#include "shell/MainMenus.h"
#include "shell/ProjectTree.h"

#include <QCloseEvent>
#include <QMainWindow>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
struct ChildCommand;

// The main window: menus revealed by rights, the project tree with its two
// grids, the child windows of every function and the ways to leave. Its
// components live in MainMenus and ProjectTree; the handlers live here.
class TMain : public QMainWindow, public MainMenus, public ProjectTree
{
    Q_OBJECT
public:
    explicit TMain(QWidget *parent = nullptr);
    ~TMain() override;

    QLabel *statusPanel(int index) const; // 1 to 3
    QMdiArea *mdiArea() const;

    // Puts a window into the client area as a child window and shows it; a
    // centred one stays in the middle of the client area.
    QMdiSubWindow *addChildWindow(QWidget *window, ChildWindows::Placement placement = ChildWindows::Placement::Own);
    // The open child window with this title, first in the platform's order.
    QMdiSubWindow *findChildWindow(const QString &title) const;

    // Steps of the login after the user was found (the login window calls it).
    void loginSucceeded(const QString &jobNumber, const QString &name, const QString &department);
    bool isLoggedIn() const { return m_loggedIn; }
    // Whether the current user holds a right now (read from 权限清单).
    bool hasRight(const QString &right) const;

    // Runs a child-window command by its menu item's name (every command
    // item is connected to it); the window, or nullptr when the command may
    // not run for this user.
    QWidget *runCommand(const QString &action);

public Q_SLOTS:
    void FormShow();
    void TreeView1Click();
    void Menu_ExpandClick();
    void Menu_CollapseClick();
    void Menu_RefreshClick();
    void Menu_OutToExcel1Click();
    void Menu_OutToExcel2Click();
    void N9Click();
    void N10Click();
    void DBGrid2DblClick();

    void Menu_ExitClick();
    void ToolButton10Click();
    void T1Click();
    void N2Click();

protected Q_SLOTS:
    // The state before login; it runs before the data module exists.
    void FormCreate();
    // Closing the main window asks first and logs the exit (or is refused).
    void FormClose(QCloseEvent *event);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createClientArea();
    void createStatusBar();
    void connectHandlers();
    void showSettingsDialog();
    bool mayRun(const ChildCommand &command) const;
    bool confirmExit() const;
    bool writeExitEntry() const;
    // Asks, writes the exit entry when told to and ends the program; false when the user stays.
    bool leave(bool writeEntry);

    ChildWindows *m_children = nullptr;
    QLabel *m_panels[3] = {};
    QString m_jobNumber;
    bool m_loggedIn = false;
    bool m_shown = false;
    bool m_closing = false;
};
