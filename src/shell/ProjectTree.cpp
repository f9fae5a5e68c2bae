#include "shell/ProjectTree.h"

#include "db/Tdm.h"
#include "platform/Icons.h"
#include "platform/Named.h"
#include "platform/data/DataSource.h"
#include "platform/data/Dataset.h"
#include "platform/gbk.h"
#include "platform/widgets/DBGrid.h"

#include <QEvent>
#include <QGroupBox>
#include <QMdiArea>
#include <QMenu>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QAction *item(QMenu *menu, const char *name, const QString &text, const char *icon = nullptr)
{
    QAction *a = menu->addAction(text);
    a->setObjectName(QLatin1String(name));
    if (icon)
        a->setIcon(QIcon(iconFile(icon)));
    return a;
}

QMenu *popupMenu(QWidget *window, const char *name)
{
    auto *m = new QMenu(window);
    m->setObjectName(QLatin1String(name));
    return m;
}

// Shows `menu` where the user asked for a context menu on `view`.
void popUpOn(QAbstractItemView *view, QMenu *menu, QWidget *window)
{
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(view, &QWidget::customContextMenuRequested, window,
                     [view, menu](const QPoint &pos) { menu->popup(view->viewport()->mapToGlobal(pos)); });
}

GridColumn column(const char *field, Qt::Alignment alignment = Qt::AlignLeft)
{
    GridColumn c;
    c.field = QString::fromUtf8(field);
    c.alignment = alignment | Qt::AlignVCenter;
    c.titleAlignment = Qt::AlignCenter;
    return c;
}

// The grid panel covers the client area's viewport whatever its size. The
// viewport is watched: the area lays it out after its own resize event.
class ViewportCover : public QObject
{
public:
    ViewportCover(QMdiArea *area, QWidget *cover) : QObject(cover), m_area(area), m_cover(cover)
    {
        area->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_area->viewport() && event->type() == QEvent::Resize)
            m_cover->setGeometry(m_area->viewport()->geometry());
        return false;
    }

private:
    QMdiArea *m_area;
    QWidget *m_cover;
};

int nodeLevel(const QTreeWidgetItem *item)
{
    int level = 0;
    for (const QTreeWidgetItem *p = item->parent(); p; p = p->parent())
        ++level;
    return level;
}

} // namespace

void ProjectTree::setupProjectTree(QWidget *window, QSplitter *splitter, QMdiArea *area)
{
    m_window = window;
    m_area = area;

    Panel1 = named(new QWidget, "Panel1");
    auto *panelLayout = new QVBoxLayout(Panel1);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    TreeView1 = named(new QTreeWidget(Panel1), "TreeView1");
    TreeView1->setHeaderHidden(true);
    TreeView1->setColumnCount(1);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setSelectionMode(QAbstractItemView::SingleSelection);
    panelLayout->addWidget(TreeView1);
    Panel1->setMinimumWidth(160);
    splitter->insertWidget(0, Panel1);

    PopupMenu1 = popupMenu(window, "PopupMenu1");
    Menu_Expand = item(PopupMenu1, "Menu_Expand", QStringLiteral("全部展开(&Z)"), "expand");
    Menu_Collapse = item(PopupMenu1, "Menu_Collapse", QStringLiteral("全部缩进(&S)"), "collapse");
    PopupMenu1->addSeparator();
    Menu_Refresh = item(PopupMenu1, "Menu_Refresh", QStringLiteral("刷新(&R)"), "refresh");
    popUpOn(TreeView1, PopupMenu1, window);

    m_gridPanel = new QWidget(area);
    m_gridPanel->setObjectName(QStringLiteral("GridPanel"));
    m_gridPanel->setAutoFillBackground(true);
    new ViewportCover(area, m_gridPanel);
    auto *gridLayout = new QVBoxLayout(m_gridPanel);
    gridLayout->setContentsMargins(4, 4, 4, 4);

    // The data module is made after the main window: the queries take its
    // connection each time they run.
    ADOQuery_1 = named(new Dataset(nullptr, window), "ADOQuery_1");
    ADOQuery_pay = named(new Dataset(nullptr, window), "ADOQuery_pay");
    DataSource_1 = named(new DataSource(ADOQuery_1, window), "DataSource_1");
    DataSource_pay = named(new DataSource(ADOQuery_pay, window), "DataSource_pay");

    GroupBox1 = named(new QGroupBox(QStringLiteral("合同基本信息"), m_gridPanel), "GroupBox1");
    DBGrid1 = named(new DBGrid(GroupBox1), "DBGrid1");
    DBGrid1->setColumns({column("合同编号", Qt::AlignHCenter), column("合同名称"), column("对方单位"),
                         column("项目", Qt::AlignHCenter), column("合同金额"), column("合同内容"),
                         column("签订日期", Qt::AlignRight), column("经办人员", Qt::AlignHCenter)});
    DBGrid1->setDataSource(DataSource_1);
    (new QVBoxLayout(GroupBox1))->addWidget(DBGrid1);

    GroupBox2 = named(new QGroupBox(QStringLiteral("合同付款信息"), m_gridPanel), "GroupBox2");
    DBGrid2 = named(new DBGrid(GroupBox2), "DBGrid2");
    DBGrid2->setColumns({column("合同编号", Qt::AlignHCenter), column("合同金额", Qt::AlignRight),
                         column("付款日期", Qt::AlignRight), column("付款金额", Qt::AlignRight),
                         column("付款方式", Qt::AlignHCenter), column("经办人员", Qt::AlignHCenter),
                         column("凭证号码", Qt::AlignHCenter), column("备注")});
    DBGrid2->setDataSource(DataSource_pay);
    (new QVBoxLayout(GroupBox2))->addWidget(DBGrid2);

    gridLayout->addWidget(GroupBox1, 3);
    gridLayout->addWidget(GroupBox2, 2);

    PopupMenu2 = popupMenu(window, "PopupMenu2");
    Menu_OutToExcel1 = item(PopupMenu2, "Menu_OutToExcel1", QStringLiteral("导出到EXCEL(&O)"));
    PopupMenu3 = popupMenu(window, "PopupMenu3");
    Menu_OutToExcel2 = item(PopupMenu3, "Menu_OutToExcel2", QStringLiteral("导出到EXCEL(&O)"));
    popUpOn(DBGrid1, PopupMenu2, window);
    popUpOn(DBGrid2, PopupMenu3, window);
}

// Code lengths count GBK bytes.
void ProjectTree::BuildTree()
{
    QIcon nodeIcon(iconFile("node0"));
    nodeIcon.addFile(iconFile("node1"), QSize(), QIcon::Selected);

    auto *root = new QTreeWidgetItem(TreeView1, {QStringLiteral("全部合同")});
    root->setIcon(0, nodeIcon);
    QTreeWidgetItem *level1 = nullptr;

    Dataset *projects = dm->ADOTable1;
    projects->setSort(QStringLiteral("编号"));
    projects->close();
    projects->open();
    projects->first();
    const int count = projects->recordCount();
    for (int i = 0; i < count; ++i) {
        const QString code = projects->text(QStringLiteral("编号"));
        const QString name = projects->text(QStringLiteral("项目"));
        const int length = gbk::byteLength(code.trimmed());
        const QString text = QStringLiteral("[") + code + QStringLiteral("] ") + name;
        if (length == 2) {
            level1 = new QTreeWidgetItem(root, {text});
            level1->setIcon(0, nodeIcon);
        } else if (length == 5) {
            auto *level2 = level1 ? new QTreeWidgetItem(level1, {text}) : new QTreeWidgetItem(TreeView1, {text});
            level2->setIcon(0, nodeIcon);
            Dataset *contracts = dm->ADODataSet1;
            contracts->close();
            contracts->setSql(QStringLiteral("select distinct 合同编号,合同名称 from 合同基本信息表 where 项目=?"), {code});
            contracts->open();
            for (contracts->first(); !contracts->eof(); contracts->next()) {
                auto *node = new QTreeWidgetItem(level2, {QStringLiteral("[") + contracts->text(QStringLiteral("合同编号")) +
                                                          QStringLiteral("]") + contracts->text(QStringLiteral("合同名称"))});
                node->setIcon(0, nodeIcon);
            }
        }
        projects->next();
    }
}

// A node's text gives its codes: level 1 by its first two bytes, level 2 by
// its first five, a contract by its eight-byte number.
bool ProjectTree::showContractsOf(const QTreeWidgetItem *node)
{
    const QString t = node->text(0);
    const QString n = gbk::midBytes(t, 2, 8);
    const QString c2 = gbk::midBytes(t, 2, 2);
    const QString c5 = gbk::midBytes(t, 2, 5);
    const int level = nodeLevel(node);
    if (level == 0) {
        setGridBoxesVisible(false);
        return false;
    }
    const QString contracts =
        QStringLiteral("select 合同编号,合同名称,对方单位,项目,合同金额,合同内容,签订日期,经办人员 from 合同基本信息表 where ");
    const QString payments = QStringLiteral("select a.合同编号,b.合同金额,a.付款日期,a.付款金额,a.付款方式,a.经办人员,a.凭证号码,a.备注 "
                                            "from 付款情况表 a,合同基本信息表 b where ");
    QString contractSql, paymentSql;
    QVariantList contractParams, paymentParams;
    if (level == 1) {
        contractSql = contracts + QStringLiteral("项目 like '%'||?||'%'");
        contractParams = {c2 + QStringLiteral("-")};
        paymentSql = payments + QStringLiteral("a.合同编号=b.合同编号 and b.项目 like '%'||?||'%' order by a.合同编号");
        paymentParams = contractParams;
    } else if (level == 2) {
        contractSql = contracts + QStringLiteral("项目=?");
        contractParams = {c5};
        paymentSql = payments + QStringLiteral("a.合同编号=b.合同编号 and b.项目=? order by a.合同编号");
        paymentParams = contractParams;
    } else {
        contractSql = contracts + QStringLiteral("合同编号=?");
        contractParams = {n};
        paymentSql = payments + QStringLiteral("a.合同编号=? and b.合同编号=?");
        paymentParams = {n, n};
    }
    ADOQuery_1->close();
    ADOQuery_1->setConnection(dm->ADOConnection1);
    ADOQuery_1->setSql(contractSql, contractParams);
    ADOQuery_1->open();
    ADOQuery_pay->close();
    ADOQuery_pay->setConnection(dm->ADOConnection1);
    ADOQuery_pay->setSql(paymentSql, paymentParams);
    ADOQuery_pay->open();
    setGridBoxesVisible(true);
    return true;
}

void ProjectTree::setGridBoxesVisible(bool visible)
{
    GroupBox1->setVisible(visible);
    GroupBox2->setVisible(visible);
    m_gridPanel->setVisible(visible);
    if (visible) {
        m_gridPanel->setGeometry(m_area->viewport()->geometry());
        m_gridPanel->raise();
    }
}
