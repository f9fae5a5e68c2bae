#include "reference/ReferenceEditor.h"

#include "db/Tdm.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Icons.h"
#include "platform/Named.h"
#include "platform/data/DataSource.h"
#include "platform/data/Dataset.h"
#include "platform/widgets/ButtonBar.h"
#include "platform/widgets/DBGrid.h"
#include "platform/widgets/SearchBar.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
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

    ADOQuery1 = named(new Dataset(dm->ADOConnection1, this), "ADOQuery1");
    DataSource1 = named(new DataSource(ADOQuery1, this), "DataSource1");

    ToolBar1 = named(new ButtonBar(this), "ToolBar1");
    const ButtonBar::Navigation navigation = ToolBar1->addNavigation(this, &ReferenceEditor::BitBtn2Click, &ReferenceEditor::BitBtn3Click,
                                                                     &ReferenceEditor::BitBtn4Click, &ReferenceEditor::BitBtn5Click);
    BitBtn2 = navigation.first;
    BitBtn3 = navigation.prior;
    BitBtn4 = navigation.next;
    BitBtn5 = navigation.last;
    BitBtn6 = ToolBar1->addButton("BitBtn6", "增加", "new", this, &ReferenceEditor::BitBtn6Click);
    BitBtn9 = ToolBar1->addButton("BitBtn9", "修改", "modify", this, &ReferenceEditor::BitBtn9Click);
    BitBtn7 = ToolBar1->addButton("BitBtn7", "删除", "delete", this, &ReferenceEditor::BitBtn7Click);
    ToolBar1->addSeparator();
    BitBtn10 = ToolBar1->addButton("BitBtn10", "关闭", "close", this, &ReferenceEditor::BitBtn10Click);

    Panel1 = named(new SearchBar({kCodeItem, m_table.secondItem}, QStringLiteral("查询(&Q)"), this), "Panel1");
    Panel1->setLabels(QStringLiteral("查询项目："), QStringLiteral("查询内容："));
    Panel1->setButtonIcon(ownIcon("search"));
    ComboBox1 = Panel1->comboBox();
    Edit1 = Panel1->edit();
    BitBtn1 = Panel1->button();
    onUserAction(Panel1, &SearchBar::searchClicked, this, &ReferenceEditor::BitBtn1Click);
    onUserAction(Panel1, &SearchBar::enterPressed, this, &ReferenceEditor::Edit1KeyPress);

    DBGrid1 = named(new DBGrid(this), "DBGrid1");
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

void ReferenceEditor::runQuery(const QString &clauses, const QVariantList &params)
{
    ADOQuery1->close();
    ADOQuery1->clearSql();
    ADOQuery1->setTableQuery(m_table.table, QStringLiteral("*"), clauses, params);
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
    runQuery(QStringLiteral("order by 编号"));
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
    runQuery(QStringLiteral("where %1 like '%'||?||'%' order by 编号").arg(column), {Edit1->text()});
    if (m_table.lastAfterSearch)
        ADOQuery1->last();
    setColumnWidths();
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

// Enter in the search text searches as "查询" does; the key still reaches the edit.
void ReferenceEditor::Edit1KeyPress()
{
    BitBtn1Click();
}
