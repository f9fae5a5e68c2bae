#include "records/RecordWindow.h"

#include "db/LedgerSchema.h"
#include "db/Tdm.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Icons.h"
#include "platform/Named.h"
#include "platform/data/DataSource.h"
#include "platform/data/Dataset.h"
#include "platform/data/SqlCommand.h"
#include "platform/widgets/ButtonBar.h"
#include "platform/widgets/DBGrid.h"
#include "platform/widgets/DBLookupComboBox.h"
#include "platform/widgets/DateTimePicker.h"
#include "platform/widgets/SearchBar.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QIcon>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

using Entry = RecordWindowKind::Entry;

QPushButton *button(const QString &caption, const char *name, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    // Clicking a button takes the focus from the grid, so a new grid row that
    // nobody touched goes away first.
    b->setFocusPolicy(Qt::StrongFocus);
    b->setAutoDefault(false);
    return b;
}

QString entryLabel(Entry entry)
{
    switch (entry) {
    case Entry::Contract: return QStringLiteral("合同编号");
    case Entry::Date: return QStringLiteral("日期");
    case Entry::Amount: return QStringLiteral("金额");
    case Entry::Method: return QStringLiteral("付款方式");
    case Entry::Handler: return QStringLiteral("经办人员");
    case Entry::Voucher: return QStringLiteral("凭证号码");
    case Entry::Remark: return QStringLiteral("备注");
    }
    return QString();
}

} // namespace

RecordWindow::RecordWindow(RecordWindowKind kind, QWidget *parent)
    : QWidget(parent), m_kind(std::move(kind))
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(m_kind.title);
    resize(800, 520);

    ADOQuery1 = named(new Dataset(dm->ADOConnection1, this), "ADOQuery1");
    DataSource1 = named(new DataSource(ADOQuery1, this), "DataSource1");
    ADOTable1 = named(new Dataset(dm->ADOConnection1, this), "ADOTable1");
    DataSource2 = named(new DataSource(ADOTable1, this), "DataSource2");
    ADOCommand1 = named(new SqlCommand(dm->ADOConnection1, this), "ADOCommand1");

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    buildToolBar();
    buildSearchBar();

    DBGrid1 = named(new DBGrid(this), "DBGrid1");
    DBGrid1->setColumns(m_kind.columns);
    DBGrid1->setDataSource(DataSource1);
    DBGrid1->setReadOnly(true);
    onUserAction(DBGrid1, &DBGrid::cellClicked, this, &RecordWindow::DBGrid1CellClick);
    layout->addWidget(DBGrid1, 1);

    buildNewRowGroup();
    FormCreate();
}

void RecordWindow::buildToolBar()
{
    auto *bar = new ButtonBar(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->addNavigation(this, &RecordWindow::BitBtn2Click, &RecordWindow::BitBtn3Click, &RecordWindow::BitBtn4Click,
                       &RecordWindow::BitBtn5Click);
    bar->addButton("BitBtn9", "修改", "modify", this, &RecordWindow::BitBtn9Click);
    bar->addButton("BitBtn7", "删除", "delete", this, &RecordWindow::BitBtn7Click);
    bar->addSeparator();
    bar->addButton("BitBtn10", "关闭", "close", this, &RecordWindow::BitBtn10Click);
    static_cast<QVBoxLayout *>(this->layout())->addWidget(bar);
}

void RecordWindow::buildSearchBar()
{
    auto *panel = new SearchBar({QStringLiteral("合同编号")}, QStringLiteral("查询(&Q)"), this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setTextStretches(false);
    panel->setButtonIcon(ownIcon("search"));
    ComboBox1 = panel->comboBox();
    Edit1 = panel->edit();
    BitBtn1 = panel->button();
    onUserAction(panel, &SearchBar::searchClicked, this, &RecordWindow::BitBtn1Click);
    onUserAction(panel, &SearchBar::enterPressed, this, &RecordWindow::Edit1KeyPress);
    static_cast<QVBoxLayout *>(layout())->addWidget(panel);
}

void RecordWindow::buildNewRowGroup()
{
    GroupBox1 = named(new QGroupBox(m_kind.groupCaption, this), "GroupBox1");
    auto *grid = new QGridLayout(GroupBox1);
    grid->setHorizontalSpacing(6);

    QList<QWidget *> controls;
    for (Entry entry : m_kind.entries) {
        QWidget *control = nullptr;
        switch (entry) {
        case Entry::Contract:
            DBLookupComboBox1 = named(new DBLookupComboBox(GroupBox1), "DBLookupComboBox1");
            DBLookupComboBox1->setMinimumWidth(110);
            control = DBLookupComboBox1;
            break;
        case Entry::Date:
            DateTimePicker1 = named(new DateTimePicker(GroupBox1), "DateTimePicker1");
            control = DateTimePicker1;
            break;
        case Entry::Amount:
            control = Edit3 = new QLineEdit(GroupBox1);
            Edit3->setObjectName(QStringLiteral("Edit3"));
            break;
        case Entry::Method:
            ComboBox2 = named(new QComboBox(GroupBox1), "ComboBox2");
            ComboBox2->addItems({QStringLiteral("汇票"), QStringLiteral("转账支票"), QStringLiteral("现金"),
                                 QStringLiteral("现金支票"), QStringLiteral("其他")});
            ComboBox2->setCurrentIndex(0);
            control = ComboBox2;
            break;
        case Entry::Handler:
            control = Edit5 = new QLineEdit(GroupBox1);
            Edit5->setObjectName(QStringLiteral("Edit5"));
            break;
        case Entry::Voucher:
            control = Edit6 = new QLineEdit(GroupBox1);
            Edit6->setObjectName(QStringLiteral("Edit6"));
            break;
        case Entry::Remark:
            control = Edit4 = new QLineEdit(GroupBox1);
            Edit4->setObjectName(QStringLiteral("Edit4"));
            break;
        }
        controls << control;
    }
    BitBtn11 = button(m_kind.submitCaption, "BitBtn11", GroupBox1);
    BitBtn11->setIcon(ownIcon("submit"));
    onUserAction(BitBtn11, &QPushButton::clicked, this, &RecordWindow::BitBtn11Click);

    // Label and control pairs in reading order, the submit button last; a
    // short group stays on one line.
    const int cellCount = int(controls.size()) + 1;
    const int perRow = cellCount <= 5 ? cellCount : 4;
    for (int i = 0; i < cellCount; ++i) {
        const int r = i / perRow;
        const int c = (i % perRow) * 2;
        if (i == cellCount - 1) {
            grid->addWidget(BitBtn11, r, c, 1, 2, Qt::AlignLeft);
            break;
        }
        auto *label = new QLabel(entryLabel(m_kind.entries[i]), GroupBox1);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        label->setBuddy(controls[i]);
        grid->addWidget(label, r, c, Qt::AlignRight);
        grid->addWidget(controls[i], r, c + 1);
        grid->setColumnStretch(c + 1, 1);
    }
    static_cast<QVBoxLayout *>(layout())->addWidget(GroupBox1);
}

void RecordWindow::FormCreate()
{
    DateTimePicker1->setValue(QDate::currentDate());
    // The contracts as they are now; the list is not read again while the
    // window is open.
    ADOTable1->setTableName(QStringLiteral("合同基本信息表"));
    ADOTable1->open();
    DBLookupComboBox1->setListSource(DataSource2, QStringLiteral("合同编号"), QStringLiteral("合同编号"));
}

void RecordWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    FormShow();
}

void RecordWindow::closeEvent(QCloseEvent *event)
{
    FormClose();
    QWidget::closeEvent(event);
}

void RecordWindow::FormShow()
{
    listRows(QStringLiteral("order by 合同编号"));
}

void RecordWindow::FormClose()
{
    setAttribute(Qt::WA_DeleteOnClose);
}

void RecordWindow::listRows(const QString &clauses, const QVariantList &params)
{
    ADOQuery1->close();
    ADOQuery1->clearSql();
    ADOQuery1->setTableQuery(m_kind.table, QStringLiteral("*"), clauses, params);
    ADOQuery1->open();
    for (int i = 0; i < m_kind.columnWidths.size() && i < DBGrid1->datasetModel()->columnCount(); ++i)
        DBGrid1->setColumnWidth(i, m_kind.columnWidths[i]);
}

void RecordWindow::BitBtn1Click()
{
    // Unsorted, and wildcards typed into the search text act as wildcards.
    listRows(QStringLiteral("where 合同编号 like '%'||?||'%'"), {Edit1->text()});
}

void RecordWindow::BitBtn2Click()
{
    ADOQuery1->first();
}

void RecordWindow::BitBtn3Click()
{
    ADOQuery1->prior();
}

void RecordWindow::BitBtn4Click()
{
    ADOQuery1->next();
}

void RecordWindow::BitBtn5Click()
{
    ADOQuery1->last();
}

void RecordWindow::BitBtn9Click()
{
    ADOQuery1->edit();
    DBGrid1->setReadOnly(false);
}

void RecordWindow::DBGrid1CellClick(const QModelIndex &index, bool wasCurrent)
{
    // A click on the selected cell opens its editor (the grid does that) and
    // editing goes on.
    if (DBGrid1->isReadOnly() || wasCurrent)
        return;
    // The grid could not store the row it was asked to leave and has already
    // said why; editing goes on until the value is corrected or discarded.
    if (ADOQuery1->isEditing() && ADOQuery1->currentRow() != index.row()) {
        // Keep the highlight on the row still pending, not on the cell clicked.
        DBGrid1->selectionModel()->select(DBGrid1->currentIndex(), QItemSelectionModel::ClearAndSelect);
        return;
    }
    ADOQuery1->settlePending();
    Dialogs::information(QStringLiteral("您所做的修改已经保存！"));
    DBGrid1->setReadOnly(true);
}

void RecordWindow::BitBtn7Click()
{
    if (!Dialogs::confirm(QStringLiteral("确定删除"), QStringLiteral("您确定要删除当前记录吗？")))
        return;
    ADOQuery1->remove();
}

void RecordWindow::BitBtn10Click()
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        frame->close();
    else
        close();
}

QVariant RecordWindow::entryValue(Entry entry) const
{
    switch (entry) {
    case Entry::Contract: return DBLookupComboBox1->keyValue();
    case Entry::Date: return DateTimePicker1->date();
    case Entry::Amount: return Edit3->text();
    case Entry::Method: return ComboBox2->currentText();
    case Entry::Handler: return Edit5->text();
    case Entry::Voucher: return Edit6->text();
    case Entry::Remark: return Edit4->text();
    }
    return QVariant();
}

void RecordWindow::emptyEntries()
{
    Edit1->clear();
    for (QLineEdit *edit : {Edit3, Edit5, Edit6, Edit4})
        if (edit)
            edit->clear();
}

void RecordWindow::BitBtn11Click()
{
    if (!Dialogs::confirm(QStringLiteral("确认增加"), QStringLiteral("您确定要增加记录吗？")))
        return;
    QVariantList values;
    for (Entry entry : m_kind.entries)
        values << entryValue(entry);
    ADOCommand1->setCommandText(ledgerSchema()[m_kind.table].insertRow(), values);
    // A refused row throws here: the entries stay filled and the list is not read again.
    ADOCommand1->execute();
    if (!m_kind.addedMessage.isEmpty())
        Dialogs::information(m_kind.addedMessage);
    emptyEntries();
    DateTimePicker1->setValue(QDate::currentDate());
    BitBtn1Click();
}

// Enter in the search text searches as "查询" does; the key still reaches the edit.
void RecordWindow::Edit1KeyPress()
{
    BitBtn1Click();
}
