#pragma once

#include <QMainWindow>

class DataSource;
class Dataset;
class DBGrid;
class QAction;
class QGroupBox;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
struct ChildCommand;

// The main window: menus revealed by rights, the project tree with its two
// grids, the child windows of every function and the ways to leave.
class TMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit TMain(QWidget *parent = nullptr);
    ~TMain() override;

    // Menu bar.
    QMenu *N_Sys;
    QAction *Menu_ChangePwd, *Menu_AddUser, *Menu_Right, *Menu_Log, *Menu_back, *Menu_Exit;
    QMenu *N_Base;
    QAction *Menu_Class, *Menu_Dept, *Menu_Project, *Menu_Gs, *Menu_Wldw, *Menu_Ren;
    QMenu *N_Data;
    QAction *Menu_Write, *Menu_Plan, *Menu_Pay, *Menu_Invoice;
    QMenu *N_Report;
    QAction *Menu_Account;
    QAction *Menu_TiXin;
    QMenu *N_Window;
    QAction *T1, *N2;
    QAction *N_Help;

    // Tool bar, with the hidden label holding the current user's name.
    QToolBar *ToolBar1;
    QToolButton *ToolButton1, *ToolButton2, *ToolButton4, *ToolButton8, *ToolButton10;
    QLabel *Label1;

    // Project tree and its pop-up menu.
    QWidget *Panel1;
    QTreeWidget *TreeView1;
    QMenu *PopupMenu1;
    QAction *Menu_Expand, *Menu_Collapse, *Menu_Refresh;

    // The two grid boxes and their export menus.
    QGroupBox *GroupBox1, *GroupBox2;
    DBGrid *DBGrid1, *DBGrid2;
    Dataset *ADOQuery_1 = nullptr, *ADOQuery_pay = nullptr;
    DataSource *DataSource_1, *DataSource_pay;
    QMenu *PopupMenu2, *PopupMenu3, *PopupMenu4;
    QAction *Menu_OutToExcel1, *Menu_OutToExcel2, *N9, *N10;

    QLabel *statusPanel(int index) const; // 1 to 3
    QMdiArea *mdiArea() const { return m_mdi; }

    // Puts a window into the client area as a child window and shows it.
    QMdiSubWindow *addChildWindow(QWidget *window);
    // The open child window with this title, first in the platform's order.
    QMdiSubWindow *findChildWindow(const QString &title) const;

    // Steps of the login after the user was found (the login window calls it).
    void loginSucceeded(const QString &jobNumber, const QString &name, const QString &department);
    bool isLoggedIn() const { return m_loggedIn; }
    // Whether the current user holds a right now (read from 权限清单).
    bool hasRight(const QString &right) const;

    // Runs a child-window command by its menu item's name; the window, or
    // nullptr when the command may not run for this user or is not built.
    QWidget *runCommand(const QString &action);

    void BuildTree();

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

    void Menu_ChangePwdClick();
    void Menu_AddUserClick();
    void Menu_RightClick();
    void Menu_LogClick();
    void Menu_backClick();
    void Menu_ClassClick();
    void Menu_DeptClick();
    void Menu_ProjectClick();
    void Menu_GsClick();
    void Menu_WldwClick();
    void Menu_RenClick();
    void Menu_WriteClick();
    void Menu_PlanClick();
    void Menu_PayClick();
    void Menu_InvoiceClick();
    void Menu_AccountClick();
    void Menu_TiXinClick();
    void N_HelpClick();

    void Menu_ExitClick();
    void ToolButton10Click();
    void T1Click();
    void N2Click();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void createMenus();
    void createToolBar();
    void createClientArea();
    void createStatusBar();
    void ensureGridQueries();
    void setGridBoxesVisible(bool visible);
    void setExportButtonVisible(bool visible);
    void updateMenus();
    void showSettingsDialog();
    bool mayRun(const ChildCommand &command) const;
    int nodeLevel(const QTreeWidgetItem *item) const;

    QMdiArea *m_mdi = nullptr;
    QWidget *m_gridPanel = nullptr;
    QWidget *m_treeViewport = nullptr;
    QWidget *m_paymentViewport = nullptr;
    QAction *m_exportAction = nullptr;
    QAction *m_label1Action = nullptr;
    QLabel *m_panels[3] = {};
    QString m_jobNumber;
    bool m_loggedIn = false;
    bool m_shown = false;
    bool m_closing = false;
};
