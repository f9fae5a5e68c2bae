#include "shell/TMain.h"

#include "db/Session.h"
#include "db/Tdm.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/data/DataSource.h"
#include "platform/data/Dataset.h"
#include "platform/data/DbError.h"
#include "platform/gbk.h"
#include "platform/widgets/DBGrid.h"
#include "reports/ExportGridsToExcel.h"
#include "shell/Commands.h"
#include "shell/ShellConfig.h"
#include "shell/TLoginServer.h"
#include "shell/WriteLog.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString kLoginTitle = QStringLiteral("系统登录");

// The client area: the child windows over a picture centred on a calm colour.
class ClientArea : public QMdiArea
{
public:
    explicit ClientArea(QWidget *parent) : QMdiArea(parent), m_picture(QStringLiteral(":/pictures/client.jpg"))
    {
        // The picture's own edge colour fills the rest, so the picture seems to fill the area.
        setBackground(m_picture.isNull() ? QColor(0xe8, 0xee, 0xf4) : QColor(m_picture.toImage().pixel(0, 0)));
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QMdiArea::paintEvent(event);
        if (m_picture.isNull())
            return;
        QPainter p(viewport());
        const QRect r = viewport()->rect();
        const QSize s = m_picture.size().scaled(r.size(), Qt::KeepAspectRatio).boundedTo(m_picture.size());
        p.drawPixmap(QRect(QPoint(r.center().x() - s.width() / 2, r.center().y() - s.height() / 2), s), m_picture);
    }

private:
    QPixmap m_picture;
};

QIcon icon(const char *name)
{
    return QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(name)));
}

// A window that closed itself may still wait for its deletion: it is no longer open.
bool isOpen(const QMdiSubWindow *sub)
{
    const QWidget *w = sub->widget();
    return !sub->isHidden() && w && !(w->isHidden() && !sub->isMinimized());
}

QAction *item(QMenu *menu, const char *name, const QString &text)
{
    QAction *a = menu->addAction(text);
    a->setObjectName(QLatin1String(name));
    return a;
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

GridColumn column(const char *field, Qt::Alignment alignment = Qt::AlignLeft)
{
    GridColumn c;
    c.field = QString::fromUtf8(field);
    c.alignment = alignment | Qt::AlignVCenter;
    c.titleAlignment = Qt::AlignCenter;
    return c;
}

} // namespace

TMain::TMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    setWindowIcon(QIcon(QStringLiteral(":/icons/program.png")));
    resize(1024, 720);
    createMenus();
    createToolBar();
    createClientArea();
    createStatusBar();
    FormCreate();
}

TMain::~TMain()
{
    // Child windows go first, while the data module still serves their datasets.
    if (m_mdi)
        qDeleteAll(m_mdi->subWindowList());
}

void TMain::createMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    N_Sys = bar->addMenu(QStringLiteral("系统管理(&S)"));
    N_Sys->setObjectName(QStringLiteral("N_Sys"));
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

    N_Base = bar->addMenu(QStringLiteral("基础设置(&B)"));
    N_Base->setObjectName(QStringLiteral("N_Base"));
    Menu_Class = item(N_Base, "Menu_Class", QStringLiteral("合同类别(&C)"));
    Menu_Dept = item(N_Base, "Menu_Dept", QStringLiteral("部门设置(&D)"));
    Menu_Project = item(N_Base, "Menu_Project", QStringLiteral("项目设置(&P)"));
    N_Base->addSeparator();
    Menu_Gs = item(N_Base, "Menu_Gs", QStringLiteral("单位设置(&G)"));
    Menu_Wldw = item(N_Base, "Menu_Wldw", QStringLiteral("往来单位设置(&W)"));
    N_Base->addSeparator();
    Menu_Ren = item(N_Base, "Menu_Ren", QStringLiteral("人员维护(&R)"));

    N_Data = bar->addMenu(QStringLiteral("数据录入(&W)"));
    N_Data->setObjectName(QStringLiteral("N_Data"));
    Menu_Write = item(N_Data, "Menu_Write", QStringLiteral("合同登记(&R)"));
    Menu_Plan = item(N_Data, "Menu_Plan", QStringLiteral("计划付款(&P)"));
    Menu_Pay = item(N_Data, "Menu_Pay", QStringLiteral("付款登记(&F)"));
    Menu_Invoice = item(N_Data, "Menu_Invoice", QStringLiteral("发票登记(&T)"));

    N_Report = bar->addMenu(QStringLiteral("报表管理(&R)"));
    N_Report->setObjectName(QStringLiteral("N_Report"));
    Menu_Account = item(N_Report, "Menu_Account", QStringLiteral("打印合同执行情况表(&P)"));

    Menu_TiXin = bar->addAction(QStringLiteral("付款提醒(&T)"));
    Menu_TiXin->setObjectName(QStringLiteral("Menu_TiXin"));

    N_Window = bar->addMenu(QStringLiteral("窗口(&W)"));
    N_Window->setObjectName(QStringLiteral("N_Window"));
    T1 = item(N_Window, "T1", QStringLiteral("平铺窗口(&T)"));
    N2 = item(N_Window, "N2", QStringLiteral("层叠窗口(&C)"));

    N_Help = bar->addAction(QStringLiteral("关于本软件(&A)"));
    N_Help->setObjectName(QStringLiteral("N_Help"));

    const std::pair<QAction *, void (TMain::*)()> handlers[] = {
        {Menu_ChangePwd, &TMain::Menu_ChangePwdClick}, {Menu_AddUser, &TMain::Menu_AddUserClick},
        {Menu_Right, &TMain::Menu_RightClick},         {Menu_Log, &TMain::Menu_LogClick},
        {Menu_back, &TMain::Menu_backClick},           {Menu_Exit, &TMain::Menu_ExitClick},
        {Menu_Class, &TMain::Menu_ClassClick},         {Menu_Dept, &TMain::Menu_DeptClick},
        {Menu_Project, &TMain::Menu_ProjectClick},     {Menu_Gs, &TMain::Menu_GsClick},
        {Menu_Wldw, &TMain::Menu_WldwClick},           {Menu_Ren, &TMain::Menu_RenClick},
        {Menu_Write, &TMain::Menu_WriteClick},         {Menu_Plan, &TMain::Menu_PlanClick},
        {Menu_Pay, &TMain::Menu_PayClick},             {Menu_Invoice, &TMain::Menu_InvoiceClick},
        {Menu_Account, &TMain::Menu_AccountClick},     {Menu_TiXin, &TMain::Menu_TiXinClick},
        {T1, &TMain::T1Click},                         {N2, &TMain::N2Click},
        {N_Help, &TMain::N_HelpClick},
    };
    for (const auto &[action, handler] : handlers)
        connect(action, &QAction::triggered, this, handler);
}

void TMain::createToolBar()
{
    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(24, 24));
    ToolBar1->toggleViewAction()->setEnabled(false);
    setContextMenuPolicy(Qt::NoContextMenu);

    // The tree's commands live on its pop-up menu; three tool buttons repeat them.
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Menu_Expand = item(PopupMenu1, "Menu_Expand", QStringLiteral("全部展开(&Z)"));
    Menu_Collapse = item(PopupMenu1, "Menu_Collapse", QStringLiteral("全部缩进(&S)"));
    PopupMenu1->addSeparator();
    Menu_Refresh = item(PopupMenu1, "Menu_Refresh", QStringLiteral("刷新(&R)"));
    Menu_Expand->setIcon(icon("expand"));
    Menu_Collapse->setIcon(icon("collapse"));
    Menu_Refresh->setIcon(icon("refresh"));
    connect(Menu_Expand, &QAction::triggered, this, &TMain::Menu_ExpandClick);
    connect(Menu_Collapse, &QAction::triggered, this, &TMain::Menu_CollapseClick);
    connect(Menu_Refresh, &QAction::triggered, this, &TMain::Menu_RefreshClick);

    auto button = [this](const char *name) {
        auto *b = new QToolButton(ToolBar1);
        b->setObjectName(QLatin1String(name));
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::StrongFocus);
        return b;
    };
    // Tied to the pop-up menu's items: a click performs that item's command.
    auto tiedButton = [&](const char *name, QAction *action) {
        QToolButton *b = button(name);
        b->setIcon(action->icon());
        connect(b, &QToolButton::clicked, action, &QAction::trigger);
        return b;
    };
    ToolButton1 = tiedButton("ToolButton1", Menu_Expand);
    ToolButton2 = tiedButton("ToolButton2", Menu_Collapse);
    ToolButton4 = tiedButton("ToolButton4", Menu_Refresh);

    PopupMenu4 = new QMenu(this);
    PopupMenu4->setObjectName(QStringLiteral("PopupMenu4"));
    N9 = item(PopupMenu4, "N9", QStringLiteral("导出合同基本信息(&B)"));
    N10 = item(PopupMenu4, "N10", QStringLiteral("导出合同付款信息(&P)"));
    connect(N9, &QAction::triggered, this, &TMain::N9Click);
    connect(N10, &QAction::triggered, this, &TMain::N10Click);
    ToolButton8 = button("ToolButton8");
    ToolButton8->setIcon(icon("export"));
    ToolButton8->setMenu(PopupMenu4);
    ToolButton8->setPopupMode(QToolButton::InstantPopup);

    ToolButton10 = button("ToolButton10");
    ToolButton10->setIcon(icon("exit"));
    connect(ToolButton10, &QToolButton::clicked, this, &TMain::ToolButton10Click);

    Label1 = new QLabel(QStringLiteral("Label1"), ToolBar1);
    Label1->setObjectName(QStringLiteral("Label1"));

    ToolBar1->addSeparator();
    ToolBar1->addWidget(ToolButton1);
    ToolBar1->addWidget(ToolButton2);
    ToolBar1->addSeparator();
    ToolBar1->addWidget(ToolButton4);
    ToolBar1->addSeparator();
    m_exportAction = ToolBar1->addWidget(ToolButton8);
    ToolBar1->addSeparator();
    ToolBar1->addWidget(ToolButton10);
    m_label1Action = ToolBar1->addWidget(Label1);
    m_label1Action->setVisible(false);
}

void TMain::createClientArea()
{
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("Splitter1"));
    splitter->setChildrenCollapsible(false);

    Panel1 = new QWidget(splitter);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto *panelLayout = new QVBoxLayout(Panel1);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    TreeView1 = new QTreeWidget(Panel1);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setColumnCount(1);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setSelectionMode(QAbstractItemView::SingleSelection);
    TreeView1->setContextMenuPolicy(Qt::CustomContextMenu);
    m_treeViewport = TreeView1->viewport();
    m_treeViewport->installEventFilter(this);
    connect(TreeView1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { PopupMenu1->popup(TreeView1->viewport()->mapToGlobal(pos)); });
    panelLayout->addWidget(TreeView1);
    Panel1->setMinimumWidth(160);

    m_mdi = new ClientArea(splitter);
    m_mdi->setObjectName(QStringLiteral("ClientArea"));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->installEventFilter(this);
    splitter->addWidget(Panel1);
    splitter->addWidget(m_mdi);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({270, 800});
    setCentralWidget(splitter);

    // The grid boxes lie over the client area, above its child windows.
    m_gridPanel = new QWidget(m_mdi);
    m_gridPanel->setObjectName(QStringLiteral("GridPanel"));
    m_gridPanel->setAutoFillBackground(true);
    auto *gridLayout = new QVBoxLayout(m_gridPanel);
    gridLayout->setContentsMargins(4, 4, 4, 4);

    DataSource_1 = new DataSource(nullptr, this);
    DataSource_1->setObjectName(QStringLiteral("DataSource_1"));
    DataSource_pay = new DataSource(nullptr, this);
    DataSource_pay->setObjectName(QStringLiteral("DataSource_pay"));

    GroupBox1 = new QGroupBox(QStringLiteral("合同基本信息"), m_gridPanel);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    DBGrid1 = new DBGrid(GroupBox1);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setColumns({column("合同编号", Qt::AlignHCenter), column("合同名称"), column("对方单位"),
                         column("项目", Qt::AlignHCenter), column("合同金额"), column("合同内容"),
                         column("签订日期", Qt::AlignRight), column("经办人员", Qt::AlignHCenter)});
    DBGrid1->setDataSource(DataSource_1);
    (new QVBoxLayout(GroupBox1))->addWidget(DBGrid1);

    GroupBox2 = new QGroupBox(QStringLiteral("合同付款信息"), m_gridPanel);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    DBGrid2 = new DBGrid(GroupBox2);
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    DBGrid2->setColumns({column("合同编号", Qt::AlignHCenter), column("合同金额", Qt::AlignRight),
                         column("付款日期", Qt::AlignRight), column("付款金额", Qt::AlignRight),
                         column("付款方式", Qt::AlignHCenter), column("经办人员", Qt::AlignHCenter),
                         column("凭证号码", Qt::AlignHCenter), column("备注")});
    DBGrid2->setDataSource(DataSource_pay);
    m_paymentViewport = DBGrid2->viewport();
    m_paymentViewport->installEventFilter(this);
    (new QVBoxLayout(GroupBox2))->addWidget(DBGrid2);

    gridLayout->addWidget(GroupBox1, 3);
    gridLayout->addWidget(GroupBox2, 2);

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    Menu_OutToExcel1 = item(PopupMenu2, "Menu_OutToExcel1", QStringLiteral("导出到EXCEL(&O)"));
    PopupMenu3 = new QMenu(this);
    PopupMenu3->setObjectName(QStringLiteral("PopupMenu3"));
    Menu_OutToExcel2 = item(PopupMenu3, "Menu_OutToExcel2", QStringLiteral("导出到EXCEL(&O)"));
    connect(Menu_OutToExcel1, &QAction::triggered, this, &TMain::Menu_OutToExcel1Click);
    connect(Menu_OutToExcel2, &QAction::triggered, this, &TMain::Menu_OutToExcel2Click);
    for (auto [grid, menu] : {std::pair{DBGrid1, PopupMenu2}, std::pair{DBGrid2, PopupMenu3}}) {
        grid->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(grid, &QWidget::customContextMenuRequested, this,
                [grid, menu](const QPoint &pos) { menu->popup(grid->viewport()->mapToGlobal(pos)); });
    }
}

void TMain::createStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i) {
        auto *panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        panel->setAlignment(Qt::AlignCenter);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        bar->addWidget(panel, i == 2 ? 2 : 1);
        m_panels[i] = panel;
    }
    m_panels[2]->setText(QStringLiteral("欢迎使用Kadero  V1.5.20061031（ACCESS单机版）"));
}

QLabel *TMain::statusPanel(int index) const
{
    return index >= 1 && index <= 3 ? m_panels[index - 1] : nullptr;
}

// The state before login: only exit and the about box are offered.
void TMain::FormCreate()
{
    Session::setUserName(Label1->text());
    for (QAction *a : {Menu_ChangePwd, Menu_Right, Menu_AddUser, Menu_Log, Menu_back, Menu_Class, Menu_Dept,
                       Menu_Project, Menu_Gs, Menu_Wldw, Menu_Ren, Menu_Write, Menu_Plan, Menu_Pay, Menu_Invoice,
                       Menu_Account, Menu_TiXin})
        a->setVisible(false);
    Panel1->hide();
    ToolBar1->hide();
    setGridBoxesVisible(false);
    updateMenus();
}

void TMain::updateMenus()
{
    // A command whose window is not part of this build stays hidden.
    for (QAction *a : {Menu_ChangePwd, Menu_Right, Menu_AddUser, Menu_Log, Menu_back, Menu_Class, Menu_Dept,
                       Menu_Project, Menu_Gs, Menu_Wldw, Menu_Ren, Menu_Write, Menu_Plan, Menu_Pay, Menu_Invoice,
                       Menu_Account, Menu_TiXin, N_Help})
        if (!findChildCommand(a->objectName()))
            a->setVisible(false);
    for (QMenu *m : {N_Sys, N_Base, N_Data, N_Report, N_Window})
        tidySeparators(m);
    N_Base->menuAction()->setVisible(m_loggedIn && hasVisibleItem(N_Base));
    N_Data->menuAction()->setVisible(m_loggedIn && hasVisibleItem(N_Data));
    N_Report->menuAction()->setVisible(m_loggedIn && hasVisibleItem(N_Report));
    N_Window->menuAction()->setVisible(m_loggedIn);
}

void TMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    FormShow();
}

// Reads KD.ini and opens the shared connection; without a usable
// configuration the settings dialog writes one and the program ends.
void TMain::FormShow()
{
    const QString iniPath = ShellConfig::kdIniPath();
    if (!QFileInfo::exists(iniPath)) {
        showSettingsDialog();
        return;
    }
    const IniFile ini(iniPath);
    const QString database = ini.readString(QStringLiteral("KD"), QStringLiteral("database")).trimmed();
    const QString password = ini.readString(QStringLiteral("KD"), QStringLiteral("password")).trimmed();
    // A relative path is taken from the folder of KD.ini, not from the working folder.
    const QString file = database.isEmpty() ? database : QDir(QFileInfo(iniPath).absolutePath()).absoluteFilePath(database);
    bool opened = false;
    try {
        if (!dm)
            throw DbError(QStringLiteral("没有数据模块。"));
        dm->openDatabase(file, password);
        opened = true;
    } catch (const std::exception &) {
    }
    if (opened)
        return;
    if (Dialogs::confirm(QStringLiteral("提示"), QStringLiteral("数据库连接失败，是否重新连接数据库？"),
                         Dialogs::Buttons::YesNo))
        showSettingsDialog();
    else
        Program::end();
}

void TMain::showSettingsDialog()
{
    TLoginServer dialog(this);
    dialog.showModal();
}

QMdiSubWindow *TMain::addChildWindow(QWidget *window)
{
    const Qt::WindowFlags hints = window->windowFlags() & ~Qt::WindowType_Mask;
    const QSize ownSize = window->testAttribute(Qt::WA_Resized) ? window->size() : window->sizeHint();
    const QPoint ownPos = window->pos();
    const bool moved = window->testAttribute(Qt::WA_Moved);
    QMdiSubWindow *sub = m_mdi->addSubWindow(window, hints);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // A window that closes itself takes its frame with it (see eventFilter).
    window->installEventFilter(this);
    sub->setWindowTitle(window->windowTitle());
    sub->setWindowIcon(windowIcon());
    // The window keeps its own size (within the client area), the frame goes around it.
    // Before the main window is shown its client area has no size yet: the
    // login window is made then and must not be squeezed into it.
    QSize size = ownSize.grownBy(sub->contentsMargins()).expandedTo(sub->minimumSizeHint());
    if (m_mdi->isVisible())
        size = size.boundedTo(m_mdi->viewport()->size().expandedTo(QSize(200, 120)));
    sub->resize(size);
    if (moved)
        sub->move(ownPos);
    if (window->windowTitle() == kLoginTitle) {
        const QRect area = m_mdi->viewport()->rect();
        sub->move(qMax(0, area.center().x() - sub->width() / 2), qMax(0, area.center().y() - sub->height() / 2));
    }
    sub->show();
    return sub;
}

QMdiSubWindow *TMain::findChildWindow(const QString &title) const
{
    for (QMdiSubWindow *sub : m_mdi->subWindowList(QMdiArea::CreationOrder))
        if (isOpen(sub) && sub->widget()->windowTitle() == title)
            return sub;
    return nullptr;
}

bool TMain::eventFilter(QObject *watched, QEvent *event)
{
    if (!watched)
        return false;
    if (event->type() == QEvent::Hide) {
        if (auto *sub = qobject_cast<QMdiSubWindow *>(watched->parent()); sub && sub->widget() == watched) {
            QTimer::singleShot(0, sub, [sub] {
                if (isOpen(sub))
                    return;
                sub->hide();
                sub->deleteLater();
            });
        }
    }
    if (watched == m_mdi && m_gridPanel && event->type() == QEvent::Resize) {
        m_gridPanel->setGeometry(m_mdi->viewport()->geometry());
        if (QMdiSubWindow *login = findChildWindow(kLoginTitle)) {
            const QRect area = m_mdi->viewport()->rect();
            login->move(qMax(0, area.center().x() - login->width() / 2),
                        qMax(0, area.center().y() - login->height() / 2));
        }
    } else if (watched == m_treeViewport && event->type() == QEvent::MouseButtonRelease) {
        // Only a mouse click runs the node's queries; arrow keys leave the grids alone.
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            TreeView1Click();
    } else if (watched == m_paymentViewport && event->type() == QEvent::MouseButtonDblClick) {
        DBGrid2DblClick();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMain::loginSucceeded(const QString &jobNumber, const QString &name, const QString &department)
{
    m_jobNumber = jobNumber;
    m_loggedIn = true;
    Panel1->show();
    TreeView1->show();
    ToolBar1->show();
    Menu_TiXin->setVisible(true);
    Menu_ChangePwd->setVisible(true);

    for (const RightItem &r : rightItems()) {
        dm->ADOQuery1->close();
        dm->ADOQuery1->setSql(QStringLiteral("select 工号 from 权限清单 where 工号=? and 权限名称=?"),
                              {jobNumber, r.right});
        dm->ADOQuery1->open();
        if (!dm->ADOQuery1->isEmpty() && !dm->ADOQuery1->text(QStringLiteral("工号")).isEmpty())
            findChild<QAction *>(r.action)->setVisible(true);
    }
    updateMenus();

    setExportButtonVisible(false);
    m_panels[0]->setText(QStringLiteral("操作员：") + department + QStringLiteral("—") + name);
    m_panels[1]->setText(QStringLiteral("登录时间：") + logTimeNow());
    Label1->setText(name);
    Session::setUserName(name);
    BuildTree();
}

bool TMain::hasRight(const QString &right) const
{
    if (!m_loggedIn || !dm)
        return false;
    return !dm->ADOConnection1
                ->scalar(QStringLiteral("select 工号 from 权限清单 where 工号=? and 权限名称=?"), {m_jobNumber, right})
                .toString()
                .isEmpty();
}

void TMain::setGridBoxesVisible(bool visible)
{
    GroupBox1->setVisible(visible);
    GroupBox2->setVisible(visible);
    m_gridPanel->setVisible(visible);
    if (visible) {
        m_gridPanel->setGeometry(m_mdi->viewport()->geometry());
        m_gridPanel->raise();
    }
}

void TMain::setExportButtonVisible(bool visible)
{
    m_exportAction->setVisible(visible);
}

// The tree: the root, the level-1 projects, their level-2 projects and the
// contracts of each level-2 project. Code lengths count GBK bytes.
void TMain::BuildTree()
{
    QIcon nodeIcon(QStringLiteral(":/icons/node0.png"));
    nodeIcon.addFile(QStringLiteral(":/icons/node1.png"), QSize(), QIcon::Selected);

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

int TMain::nodeLevel(const QTreeWidgetItem *item) const
{
    int level = 0;
    for (const QTreeWidgetItem *p = item->parent(); p; p = p->parent())
        ++level;
    return level;
}

void TMain::ensureGridQueries()
{
    if (ADOQuery_1)
        return;
    ADOQuery_1 = new Dataset(dm->ADOConnection1, this);
    ADOQuery_1->setObjectName(QStringLiteral("ADOQuery_1"));
    ADOQuery_pay = new Dataset(dm->ADOConnection1, this);
    ADOQuery_pay->setObjectName(QStringLiteral("ADOQuery_pay"));
    DataSource_1->setDataset(ADOQuery_1);
    DataSource_pay->setDataset(ADOQuery_pay);
}

void TMain::TreeView1Click()
{
    QTreeWidgetItem *node = TreeView1->currentItem();
    if (!node || !node->isSelected())
        return;
    const QString t = node->text(0);
    const QString n = gbk::midBytes(t, 2, 8);
    const QString c2 = gbk::midBytes(t, 2, 2);
    const QString c5 = gbk::midBytes(t, 2, 5);
    const int level = nodeLevel(node);
    if (level == 0) {
        setGridBoxesVisible(false);
        setExportButtonVisible(false);
        return;
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
    ensureGridQueries();
    ADOQuery_1->close();
    ADOQuery_1->setSql(contractSql, contractParams);
    ADOQuery_1->open();
    ADOQuery_pay->close();
    ADOQuery_pay->setSql(paymentSql, paymentParams);
    ADOQuery_pay->open();
    setGridBoxesVisible(true);
    setExportButtonVisible(true);
}

void TMain::Menu_ExpandClick() { TreeView1->expandAll(); }
void TMain::Menu_CollapseClick() { TreeView1->collapseAll(); }

void TMain::Menu_RefreshClick()
{
    TreeView1->clear();
    BuildTree();
}

void TMain::Menu_OutToExcel1Click()
{
    ExportGridsToExcel({DBGrid1}, true);
}

void TMain::Menu_OutToExcel2Click()
{
    ExportGridsToExcel({DBGrid2}, true);
}

void TMain::N9Click() { Menu_OutToExcel1->trigger(); }
void TMain::N10Click() { Menu_OutToExcel2->trigger(); }

// Only a holder of the payments right gets the payments window this way.
void TMain::DBGrid2DblClick() { runCommand(QStringLiteral("Menu_Pay")); }

bool TMain::mayRun(const ChildCommand &command) const
{
    switch (command.access) {
    case Access::Always:
        return true;
    case Access::EveryUser:
        return m_loggedIn;
    case Access::ByRight:
        return hasRight(command.right);
    }
    return false;
}

QWidget *TMain::runCommand(const QString &action)
{
    const ChildCommand *command = findChildCommand(action);
    if (!command || !mayRun(*command))
        return nullptr;
    if (command->hide != HideOnOpen::Nothing)
        setGridBoxesVisible(false);
    if (command->hide == HideOnOpen::BoxesAndExport)
        setExportButtonVisible(false);

    QWidget *window = nullptr;
    if (QMdiSubWindow *sub = findChildWindow(command->title)) {
        if (sub->isMinimized() || sub->isMaximized())
            sub->showNormal();
        sub->show();
        sub->raise();
        m_mdi->setActiveSubWindow(sub);
        if (command->left == kMaximised)
            sub->showMaximized();
        window = sub->widget();
    } else {
        window = command->create();
        window->setWindowTitle(command->title);
        QMdiSubWindow *created = addChildWindow(window);
        if (command->left == kMaximised)
            created->showMaximized();
        else
            created->move(command->left, created->y());
        m_mdi->setActiveSubWindow(created);
    }
    WriteLog(Label1->text(), logTimeNow(), command->logText);
    return window;
}

void TMain::Menu_ChangePwdClick() { runCommand(QStringLiteral("Menu_ChangePwd")); }
void TMain::Menu_AddUserClick() { runCommand(QStringLiteral("Menu_AddUser")); }
void TMain::Menu_RightClick() { runCommand(QStringLiteral("Menu_Right")); }
void TMain::Menu_LogClick() { runCommand(QStringLiteral("Menu_Log")); }
void TMain::Menu_backClick() { runCommand(QStringLiteral("Menu_back")); }
void TMain::Menu_ClassClick() { runCommand(QStringLiteral("Menu_Class")); }
void TMain::Menu_DeptClick() { runCommand(QStringLiteral("Menu_Dept")); }
void TMain::Menu_ProjectClick() { runCommand(QStringLiteral("Menu_Project")); }
void TMain::Menu_GsClick() { runCommand(QStringLiteral("Menu_Gs")); }
void TMain::Menu_WldwClick() { runCommand(QStringLiteral("Menu_Wldw")); }
void TMain::Menu_RenClick() { runCommand(QStringLiteral("Menu_Ren")); }
void TMain::Menu_WriteClick() { runCommand(QStringLiteral("Menu_Write")); }
void TMain::Menu_PlanClick() { runCommand(QStringLiteral("Menu_Plan")); }
void TMain::Menu_PayClick() { runCommand(QStringLiteral("Menu_Pay")); }
void TMain::Menu_InvoiceClick() { runCommand(QStringLiteral("Menu_Invoice")); }
void TMain::Menu_AccountClick() { runCommand(QStringLiteral("Menu_Account")); }
void TMain::Menu_TiXinClick() { runCommand(QStringLiteral("Menu_TiXin")); }
void TMain::N_HelpClick() { runCommand(QStringLiteral("N_Help")); }

static bool confirmExit()
{
    return Dialogs::confirm(QStringLiteral("确认退出系统"), QStringLiteral("您确定要退出Kadero吗？"));
}

// The exit entry is written before the program ends; a failed write keeps the
// program running. Without any connection (the settings dialog was closed at
// start-up) there is nothing to write to, and the program may still end.
static bool writeExitEntry(const QString &name)
{
    if (!dm || !dm->ADOConnection1->isOpen())
        return true;
    return guarded([&name] { WriteLog(name, logTimeNow(), QStringLiteral("退出系统")); });
}

void TMain::Menu_ExitClick()
{
    if (!confirmExit())
        return;
    if (!writeExitEntry(Label1->text()))
        return;
    m_closing = true;
    Program::end();
}

void TMain::ToolButton10Click()
{
    if (!confirmExit())
        return;
    m_closing = true;
    Program::end();
}

void TMain::closeEvent(QCloseEvent *event)
{
    if (m_closing) {
        event->accept();
        return;
    }
    event->ignore();
    if (!confirmExit())
        return;
    if (!writeExitEntry(Label1->text()))
        return;
    m_closing = true;
    event->accept();
    Program::end();
}

void TMain::T1Click() { m_mdi->tileSubWindows(); }
void TMain::N2Click() { m_mdi->cascadeSubWindows(); }
