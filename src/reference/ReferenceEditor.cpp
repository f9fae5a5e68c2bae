#include "reference/ReferenceEditor.h"

#include "db/Tdm.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/data/DataSource.h"
#include "platform/data/Dataset.h"
#include "platform/widgets/DBGrid.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {
const QString kCodeItem = QStringLiteral("编号");
}

ReferenceEditor::ReferenceEditor(const ReferenceTable &table, QWidget *parent)
    : QWidget(parent), m_table(table)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(m_table.title);

    ADOQuery1 = new Dataset(dm->ADOConnection1, this);
    ADOQuery1->setObjectName(QStringLiteral("ADOQuery1"));
    DataSource1 = new DataSource(ADOQuery1, this);
    DataSource1->setObjectName(QStringLiteral("DataSource1"));

    // A row of buttons rather than a QToolBar: every button stays on the bar
    // (none folds into an overflow menu) and takes the focus when clicked.
    ToolBar1 = new QFrame(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setFrameShape(QFrame::StyledPanel);
    auto *toolLayout = new QHBoxLayout(ToolBar1);
    toolLayout->setContentsMargins(4, 2, 4, 2);
    toolLayout->setSpacing(2);
    BitBtn2 = toolButton(QStringLiteral("BitBtn2"), QStringLiteral("首记录"), QStyle::SP_MediaSkipBackward,
                         &ReferenceEditor::BitBtn2Click);
    BitBtn3 = toolButton(QStringLiteral("BitBtn3"), QStringLiteral("上记录"), QStyle::SP_MediaSeekBackward,
                         &ReferenceEditor::BitBtn3Click);
    BitBtn4 = toolButton(QStringLiteral("BitBtn4"), QStringLiteral("下记录"), QStyle::SP_MediaSeekForward,
                         &ReferenceEditor::BitBtn4Click);
    BitBtn5 = toolButton(QStringLiteral("BitBtn5"), QStringLiteral("尾记录"), QStyle::SP_MediaSkipForward,
                         &ReferenceEditor::BitBtn5Click);
    toolLayout->addSpacing(8);
    BitBtn6 = toolButton(QStringLiteral("BitBtn6"), QStringLiteral("增加"), QStyle::SP_FileDialogNewFolder,
                         &ReferenceEditor::BitBtn6Click);
    BitBtn9 = toolButton(QStringLiteral("BitBtn9"), QStringLiteral("修改"), QStyle::SP_FileDialogDetailedView,
                         &ReferenceEditor::BitBtn9Click);
    BitBtn7 = toolButton(QStringLiteral("BitBtn7"), QStringLiteral("删除"), QStyle::SP_TrashIcon,
                         &ReferenceEditor::BitBtn7Click);
    toolLayout->addSpacing(8);
    BitBtn10 = toolButton(QStringLiteral("BitBtn10"), QStringLiteral("关闭"), QStyle::SP_DialogCloseButton,
                          &ReferenceEditor::BitBtn10Click);
    toolLayout->addStretch(1);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::StyledPanel);
    auto *searchLayout = new QHBoxLayout(Panel1);
    searchLayout->setContentsMargins(6, 4, 6, 4);
    ComboBox1 = new QComboBox(Panel1);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(false);
    ComboBox1->addItems({kCodeItem, m_table.secondItem});
    ComboBox1->setCurrentIndex(0);
    Edit1 = new QLineEdit(Panel1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->installEventFilter(this);
    BitBtn1 = new QPushButton(QStringLiteral("查询(&Q)"), Panel1);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    BitBtn1->setFocusPolicy(Qt::StrongFocus);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { guarded([this] { BitBtn1Click(); }); });
    searchLayout->addWidget(new QLabel(QStringLiteral("查询项目："), Panel1));
    searchLayout->addWidget(ComboBox1);
    searchLayout->addWidget(new QLabel(QStringLiteral("查询内容："), Panel1));
    searchLayout->addWidget(Edit1, 1);
    searchLayout->addWidget(BitBtn1);

    DBGrid1 = new DBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(DataSource1);
    DBGrid1->setReadOnly(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar1);
    layout->addWidget(Panel1);
    layout->addWidget(DBGrid1, 1);

    resize(700, 440);
}

ReferenceEditor::~ReferenceEditor() = default;

QPushButton *ReferenceEditor::toolButton(const QString &name, const QString &caption, int icon,
                                         void (ReferenceEditor::*handler)())
{
    auto *button = new QPushButton(style()->standardIcon(QStyle::StandardPixmap(icon)), caption, ToolBar1);
    button->setObjectName(name);
    button->setFlat(true);
    // Taking the focus makes the grid lose it, which settles an untouched new row.
    button->setFocusPolicy(Qt::StrongFocus);
    ToolBar1->layout()->addWidget(button);
    connect(button, &QPushButton::clicked, this, [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    return button;
}

void ReferenceEditor::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    guarded([this] { FormShow(); });
}

void ReferenceEditor::closeEvent(QCloseEvent *event)
{
    FormClose();
    QWidget::closeEvent(event);
}

bool ReferenceEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        guarded([&] { Edit1KeyPress(static_cast<QKeyEvent *>(event)); });
        return false; // the edit still gets every key
    }
    return QWidget::eventFilter(watched, event);
}

void ReferenceEditor::runQuery(const QString &sql, const QVariantList &params)
{
    ADOQuery1->close();
    ADOQuery1->clearSql();
    ADOQuery1->setSql(sql, params);
    ADOQuery1->open();
}

void ReferenceEditor::setColumnWidths()
{
    // The model is reset by every opening, which gives the columns back their default width.
    const int columns = DBGrid1->model() ? DBGrid1->model()->columnCount() : 0;
    if (columns > 0)
        DBGrid1->setColumnWidth(0, 50);
    if (columns > 1)
        DBGrid1->setColumnWidth(1, 150);
}

void ReferenceEditor::FormShow()
{
    runQuery(QStringLiteral("select * from %1 order by 编号").arg(m_table.table));
    setColumnWidths();
}

void ReferenceEditor::FormClose()
{
    // Closing drops a pending row without storing it.
    ADOQuery1->close();
}

void ReferenceEditor::BitBtn1Click()
{
    const QString column = ComboBox1->currentText() == kCodeItem ? kCodeItem : m_table.secondColumn;
    // The text is bound, so a quote cannot break the statement; % and _ still act as wildcards.
    runQuery(QStringLiteral("select * from %1 where %2 like '%'||?||'%' order by 编号").arg(m_table.table, column),
             {Edit1->text()});
    if (m_table.lastAfterSearch)
        ADOQuery1->last();
    setColumnWidths();
}

void ReferenceEditor::Edit1KeyPress(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        BitBtn1Click();
}

void ReferenceEditor::BitBtn2Click() { ADOQuery1->first(); }
void ReferenceEditor::BitBtn3Click() { ADOQuery1->prior(); }
void ReferenceEditor::BitBtn4Click() { ADOQuery1->next(); }
void ReferenceEditor::BitBtn5Click() { ADOQuery1->last(); }

void ReferenceEditor::enableEditing()
{
    DBGrid1->setReadOnly(false);
    // The user goes on typing into the grid's current row.
    DBGrid1->setFocus(Qt::OtherFocusReason);
}

void ReferenceEditor::BitBtn6Click()
{
    if (!m_table.noticeBeforeAppend.isEmpty())
        Dialogs::information(m_table.noticeBeforeAppend);
    DBGrid1->setReadOnly(false);
    ADOQuery1->append();
    enableEditing();
}

void ReferenceEditor::BitBtn9Click()
{
    ADOQuery1->edit();
    enableEditing();
}

void ReferenceEditor::BitBtn7Click()
{
    if (!Dialogs::confirm(QStringLiteral("确定删除"), QStringLiteral("您确定要删除当前记录吗？")))
        return;
    ADOQuery1->remove();
}

void ReferenceEditor::BitBtn10Click()
{
    // Inside the main window the editor lives in a sub-window, which closes it with itself.
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->close();
    else
        close();
}
