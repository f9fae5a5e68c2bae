#pragma once

class DataSource;
class Dataset;
class DBGrid;
class QAction;
class QGroupBox;
class QMdiArea;
class QMenu;
class QSplitter;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

// The project tree beside the client area and the two grid boxes that lie
// over the client area, showing the contracts and payments of a tree node.
class ProjectTree
{
public:
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
    QMenu *PopupMenu2, *PopupMenu3;
    QAction *Menu_OutToExcel1, *Menu_OutToExcel2;

    // The tree: the root, the level-1 projects, their level-2 projects and the
    // contracts of each level-2 project.
    void BuildTree();

protected:
    // The tree goes first into `splitter`; the grid boxes lie over `area`.
    // Pop-up menus belong to `window`.
    void setupProjectTree(QWidget *window, QSplitter *splitter, QMdiArea *area);

    // Fills the grids with the contracts and payments under a node and shows
    // them; the root hides them. Returns whether the grids are shown.
    bool showContractsOf(const QTreeWidgetItem *node);
    void setGridBoxesVisible(bool visible);

private:

    QWidget *m_window = nullptr;
    QMdiArea *m_area = nullptr;
    QWidget *m_gridPanel = nullptr;
};
