#include "records/TWrite.h"

#include "db/Tdm.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Icons.h"
#include "platform/Named.h"
#include "platform/data/DataSource.h"
#include "platform/data/Dataset.h"
#include "platform/data/DbError.h"
#include "platform/data/Format.h"
#include "platform/data/SqlCommand.h"
#include "platform/gbk.h"
#include "platform/widgets/ButtonBar.h"
#include "platform/widgets/DBComboBox.h"
#include "platform/widgets/DBEdit.h"
#include "platform/widgets/DBGrid.h"
#include "platform/widgets/DBLookupComboBox.h"
#include "platform/widgets/OverlayDatePicker.h"
#include "reports/ExportGridsToExcel.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kContracts = QStringLiteral("合同基本信息表");
const QString kNumber = QStringLiteral("合同编号");
const QString kSigning = QStringLiteral("签订日期");
const QString kExpiry = QStringLiteral("到期日期");

} // namespace

const QString TWrite::kProposedNumber = QStringLiteral("0000000");

TWrite::TWrite(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TWrite"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("合同基本信息录入"));

    auto dataset = [this](const char *name) {
        auto *ds = new Dataset(dm->ADOConnection1, this);
        ds->setObjectName(QString::fromLatin1(name));
        return ds;
    };
    auto source = [this](Dataset *ds, const char *name) {
        auto *s = new DataSource(ds, this);
        s->setObjectName(QString::fromLatin1(name));
        return s;
    };
    ADOTable1 = dataset("ADOTable1");
    ADOTable_Class = dataset("ADOTable_Class");
    ADOTable_Project = dataset("ADOTable_Project");
    ADOTable_gs = dataset("ADOTable_gs");
    ADOTable_dfdw = dataset("ADOTable_dfdw");
    ADOTable_Ren = dataset("ADOTable_Ren");
    DataSource1 = source(ADOTable1, "DataSource1");
    DataSource_Class = source(ADOTable_Class, "DataSource_Class");
    DataSource_Project = source(ADOTable_Project, "DataSource_Project");
    DataSource_gs = source(ADOTable_gs, "DataSource_gs");
    DataSource_dydw = source(ADOTable_dfdw, "DataSource_dydw");
    DataSource_Ren = source(ADOTable_Ren, "DataSource_Ren");
    ADOCommand1 = named(new SqlCommand(dm->ADOConnection1, this), "ADOCommand1");

    // The lists are read once here: entries added later are offered only by
    // the next opening of the window.
    openList(ADOTable_Class, QStringLiteral("合同类别表"));
    openList(ADOTable_Project, QStringLiteral("项目清单"));
    openList(ADOTable_gs, QStringLiteral("公司清单"));
    openList(ADOTable_dfdw, QStringLiteral("对方单位清单"));
    openList(ADOTable_Ren, QStringLiteral("经办人清单"));
    ADOTable1->setTableName(kContracts);
    ADOTable1->open();

    ToolBar1 = named(new ButtonBar(this), "ToolBar1");
    const ButtonBar::Navigation navigation = ToolBar1->addNavigation(this, &TWrite::BitBtn2Click, &TWrite::BitBtn3Click,
                                                                     &TWrite::BitBtn4Click, &TWrite::BitBtn5Click);
    BitBtn2 = navigation.first;
    BitBtn3 = navigation.prior;
    BitBtn4 = navigation.next;
    BitBtn5 = navigation.last;
    BitBtn1 = ToolBar1->addButton("BitBtn1", "新增", "new", this, &TWrite::BitBtn1Click);
    BitBtn9 = ToolBar1->addButton("BitBtn9", "修改", "modify", this, &TWrite::BitBtn9Click);
    BitBtn7 = ToolBar1->addButton("BitBtn7", "删除", "delete", this, &TWrite::BitBtn7Click);
    ToolBar1->addSeparator();
    BitBtn10 = ToolBar1->addButton("BitBtn10", "关闭", "close", this, &TWrite::BitBtn10Click);

    buildPanel();
    buildGrid();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar1);
    layout->addWidget(Panel1);
    layout->addWidget(DBGrid1, 1);

    arrangeTabOrder();
    setPanelEnabled(false);

    // A date picked for one row is no date chosen for another.
    connect(ADOTable1, &Dataset::currentChanged, this, &TWrite::forgetPickedDates);

    resize(1000, 640);
}

TWrite::~TWrite() = default;

void TWrite::openList(Dataset *list, const QString &table)
{
    list->setTableName(table);
    list->open();
}

void TWrite::buildPanel()
{
    Panel1 = named(new QFrame(this), "Panel1");
    Panel1->setFrameShape(QFrame::StyledPanel);
    auto *grid = new QGridLayout(Panel1);
    grid->setContentsMargins(10, 8, 10, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);

    auto edit = [this](const char *name, const QString &field) {
        auto *e = new DBEdit(Panel1);
        e->setObjectName(QString::fromLatin1(name));
        e->setDataSource(DataSource1, field);
        return e;
    };
    auto lookup = [this](const char *name, DataSource *list, const QString &listField, const QString &field) {
        auto *c = new DBLookupComboBox(Panel1);
        c->setObjectName(QString::fromLatin1(name));
        c->setListSource(list, listField, listField);
        c->setDataSource(DataSource1, field);
        return c;
    };

    DBEdit1 = edit("DBEdit1", kNumber);
    DBEdit2 = edit("DBEdit2", QStringLiteral("合同名称"));
    DBLookupComboBox2 = lookup("DBLookupComboBox2", DataSource_Class, QStringLiteral("类别"), QStringLiteral("类别"));
    DBLookupComboBox1 = lookup("DBLookupComboBox1", DataSource_Project, QStringLiteral("编号"), QStringLiteral("项目"));
    DBLookupComboBox1->setToolTip(QStringLiteral("请选择项目"));
    DBComboBox2 = named(new DBComboBox(Panel1), "DBComboBox2");
    // The items go in before binding: filling an unbound combo writes nothing.
    DBComboBox2->addItems({QStringLiteral("是"), QStringLiteral("否")});
    DBComboBox2->setDataSource(DataSource1, QStringLiteral("是否审计"));
    DBLookupComboBox3 = lookup("DBLookupComboBox3", DataSource_gs, QStringLiteral("名称"), QStringLiteral("公司名称"));
    DBLookupComboBox4 = lookup("DBLookupComboBox4", DataSource_dydw, QStringLiteral("名称"), QStringLiteral("对方单位"));
    DBEdit4 = edit("DBEdit4", QStringLiteral("合同金额"));
    DBLookupComboBox5 = lookup("DBLookupComboBox5", DataSource_Ren, QStringLiteral("姓名"), QStringLiteral("经办人员"));
    DBEdit5 = edit("DBEdit5", QStringLiteral("合同内容"));
    DBEdit3 = edit("DBEdit3", kSigning);
    DBEdit6 = edit("DBEdit6", QStringLiteral("备注"));
    DBEdit7 = edit("DBEdit7", kExpiry);
    BitBtn6 = named(new QPushButton(ownIcon("submit"), QStringLiteral("提交"), Panel1),
                    "BitBtn6");
    onUserAction(BitBtn6, &QPushButton::clicked, this, &TWrite::BitBtn6Click);

    // Reading order: three label and control pairs a line.
    const QList<QPair<QString, QWidget *>> pairs = {
        {QStringLiteral("合同编号"), DBEdit1},          {QStringLiteral("合同名称"), DBEdit2},
        {QStringLiteral("类别"), DBLookupComboBox2},    {QStringLiteral("项目"), DBLookupComboBox1},
        {QStringLiteral("是否审计"), DBComboBox2},      {QStringLiteral("公司名称"), DBLookupComboBox3},
        {QStringLiteral("对方单位"), DBLookupComboBox4}, {QStringLiteral("合同金额"), DBEdit4},
        {QStringLiteral("经办人员"), DBLookupComboBox5}, {QStringLiteral("合同内容"), DBEdit5},
        {QStringLiteral("签订时间"), DBEdit3},          {QStringLiteral("备注"), DBEdit6},
        {QStringLiteral("到期时间"), DBEdit7},
    };
    for (qsizetype i = 0; i < pairs.size(); ++i) {
        const int row = int(i / 3);
        const int column = int(i % 3) * 2;
        auto *label = new QLabel(pairs[i].first, Panel1);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setBuddy(pairs[i].second);
        grid->addWidget(label, row, column);
        grid->addWidget(pairs[i].second, row, column + 1);
    }
    auto *submitRow = new QHBoxLayout;
    submitRow->addStretch(1);
    submitRow->addWidget(BitBtn6);
    grid->addLayout(submitRow, 4, 4, 1, 2);
    for (int c = 1; c < 6; c += 2)
        grid->setColumnStretch(c, 1);

    // The pickers lie over their date edits.
    auto picker = [this](DBEdit *edit, const char *name, void (TWrite::*entered)(), void (TWrite::*changed)()) {
        auto *p = named(new OverlayDatePicker(edit), name);
        onUserAction(p, &OverlayDatePicker::editEntered, this, entered);
        onUserAction(p, &DateTimePicker::userChanged, this, changed);
        return p;
    };
    DateTimePicker1 = picker(DBEdit3, "DateTimePicker1", &TWrite::DBEdit3Enter, &TWrite::DateTimePicker1Change);
    DateTimePicker2 = picker(DBEdit7, "DateTimePicker2", &TWrite::DBEdit7Enter, &TWrite::DateTimePicker2Change);
}

void TWrite::buildGrid()
{
    DBGrid1 = named(new DBGrid(this), "DBGrid1");
    DBGrid1->setReadOnly(true);
    auto column = [](const char *field, const QString &title = QString(),
                     Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
        GridColumn c;
        c.field = QString::fromUtf8(field);
        c.title = title;
        c.alignment = alignment;
        c.titleAlignment = Qt::AlignCenter;
        return c;
    };
    DBGrid1->setColumns({
        column("合同编号", QString(), Qt::AlignCenter),
        column("合同名称"),
        column("对方单位"),
        column("合同金额"),
        column("合同内容"),
        column("经办人员", QStringLiteral("经办人")),
        column("签订日期"),
        column("到期日期"),
        column("类别"),
        column("项目"),
        column("是否审计", QStringLiteral("审计"), Qt::AlignCenter),
        column("备注"),
    });
    DBGrid1->setDataSource(DataSource1);
    DBGrid1->viewport()->installEventFilter(this);
    DBGrid1->installEventFilter(this);

    auto widths = [this] {
        static const int w[] = {80, 180, 160, 90, 200, 60, 80, 80, 80, 60, 40, 140};
        for (int c = 0; c < int(std::size(w)) && DBGrid1->model() && c < DBGrid1->model()->columnCount(); ++c)
            DBGrid1->setColumnWidth(c, w[c]);
    };
    widths();
    // Reading the rows again gives the columns their default widths back.
    connect(ADOTable1, &Dataset::reset, this, widths);

    PopupMenu1 = named(new QMenu(this), "PopupMenu1");
    EXCELE1 = PopupMenu1->addAction(QStringLiteral("导出到EXCEL(&E)"));
    EXCELE1->setObjectName(QStringLiteral("EXCELE1"));
    onUserAction(EXCELE1, &QAction::triggered, this, &TWrite::EXCELE1Click);
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGrid1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { PopupMenu1->popup(DBGrid1->viewport()->mapToGlobal(pos)); });
}

void TWrite::arrangeTabOrder()
{
    const QList<QWidget *> order = {DBEdit1, DBEdit2, DBLookupComboBox2, DBLookupComboBox1, DBComboBox2,
                                    DBLookupComboBox3, DBLookupComboBox4, DBEdit4, DBLookupComboBox5, DBEdit5,
                                    DBEdit3, DateTimePicker1, DBEdit7, DateTimePicker2, DBEdit6, BitBtn6,
                                    DBGrid1, BitBtn2, BitBtn3, BitBtn4, BitBtn5, BitBtn1, BitBtn9, BitBtn7,
                                    BitBtn10};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

bool TWrite::isPanelOpen() const
{
    return BitBtn6 && BitBtn6->isEnabled();
}

void TWrite::setPanelEnabled(bool enabled)
{
    for (QWidget *w : std::initializer_list<QWidget *>{
             DBEdit1, DBEdit2, DBLookupComboBox2, DBLookupComboBox1, DBComboBox2, DBLookupComboBox3,
             DBLookupComboBox4, DBEdit4, DBLookupComboBox5, DBEdit5, DBEdit3, DBEdit6, DBEdit7, BitBtn6})
        w->setEnabled(enabled);
}

bool TWrite::eventFilter(QObject *watched, QEvent *event)
{
    if (DBGrid1 && watched == DBGrid1->viewport()
               && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
               && isPanelOpen()) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (!DBGrid1->indexAt(mouse->position().toPoint()).isValid())
            return false;
        if (mouse->button() != Qt::LeftButton)
            return true; // the open entry's row stays current
        // The entry is submitted before the click moves to another row, so a
        // pending row is never stored past the number check.
        guarded([this] { DBGrid1CellClick(); });
        return isPanelOpen();
    } else if (DBGrid1 && watched == DBGrid1 && event->type() == QEvent::KeyPress) {
        guarded([this] { discardUntouchedNewRow(); });
    }
    return QWidget::eventFilter(watched, event);
}

void TWrite::closeEvent(QCloseEvent *event)
{
    FormClose();
    QWidget::closeEvent(event);
}

void TWrite::FormClose()
{
    // What has not been submitted is dropped without a question; the window
    // frees itself (WA_DeleteOnClose) with its datasets.
    ADOTable1->cancel();
}

bool TWrite::isUntouchedNewRow() const
{
    if (ADOTable1->state() != Dataset::Insert)
        return false;
    for (const QString &field : ADOTable1->fieldNames()) {
        const QString value = ADOTable1->value(field).toString();
        if (field == kNumber ? value != kProposedNumber && !value.isEmpty() : !value.isEmpty())
            return false;
    }
    return true;
}

void TWrite::discardUntouchedNewRow()
{
    if (isUntouchedNewRow())
        ADOTable1->cancel();
}

void TWrite::BitBtn2Click()
{
    discardUntouchedNewRow();
    ADOTable1->first();
}

void TWrite::BitBtn3Click()
{
    discardUntouchedNewRow();
    ADOTable1->prior();
}

void TWrite::BitBtn4Click()
{
    discardUntouchedNewRow();
    ADOTable1->next();
}

void TWrite::BitBtn5Click()
{
    discardUntouchedNewRow();
    ADOTable1->last();
}

void TWrite::BitBtn1Click()
{
    setPanelEnabled(true);
    discardUntouchedNewRow();
    ADOTable1->append();
    DBEdit1->setText(kProposedNumber);
    DBEdit1->setFocus(Qt::OtherFocusReason);
}

void TWrite::BitBtn9Click()
{
    setPanelEnabled(true);
}

void TWrite::selectNumber()
{
    DBEdit1->setFocus(Qt::OtherFocusReason);
    DBEdit1->selectAll();
}

void TWrite::BitBtn6Click()
{
    if (gbk::byteLength(DBEdit1->text()) != 8) {
        Dialogs::information(QStringLiteral("合同编号必须为8位，请重新输入"));
        selectNumber();
        return;
    }
    try {
        if (ADOTable1->isEditing())
            ADOTable1->post();
    } catch (const DbError &e) {
        // The entry stays pending for correction; a number already taken is
        // put under the user's hands.
        Dialogs::showError(e.message());
        if (e.message().contains(kNumber))
            selectNumber();
        return;
    }

    QStringList sets;
    QVariantList values;
    if (DateTimePicker1->isPicked()) {
        sets << kSigning + QStringLiteral("=?");
        values << DateTimePicker1->date();
    }
    if (DateTimePicker2->isPicked()) {
        sets << kExpiry + QStringLiteral("=?");
        values << DateTimePicker2->date();
    }
    if (!sets.isEmpty()) {
        values << DBEdit1->text();
        ADOCommand1->setCommandText(
            QStringLiteral("update %1 set %2 where 合同编号=?").arg(kContracts, sets.join(QLatin1Char(','))), values);
        ADOCommand1->execute();
    }
    ADOTable1->refresh();

    setPanelEnabled(false);
    for (OverlayDatePicker *p : {DateTimePicker1, DateTimePicker2})
        p->setValue(QDate::currentDate());
    forgetPickedDates();
    Dialogs::information(QStringLiteral("您所做的操作已保存！"));
}

void TWrite::BitBtn7Click()
{
    if (Dialogs::confirm(QStringLiteral("确定删除"), QStringLiteral("您确定要删除当前记录吗？")))
        ADOTable1->remove();
}

void TWrite::BitBtn10Click()
{
    close();
}

void TWrite::DBGrid1CellClick()
{
    if (isPanelOpen())
        BitBtn6Click();
}

void TWrite::forgetPickedDates()
{
    DateTimePicker1->forget();
    DateTimePicker2->forget();
}

void TWrite::DBEdit3Enter()
{
    DateTimePicker1->showOverEdit();
}

void TWrite::DBEdit7Enter()
{
    DateTimePicker2->showOverEdit();
}

void TWrite::DateTimePicker1Change()
{
    DateTimePicker1->takeDate(DBEdit7);
}

void TWrite::DateTimePicker2Change()
{
    DateTimePicker2->takeDate(DBEdit6);
}

void TWrite::EXCELE1Click()
{
    ExportGridsToExcel({DBGrid1}, false);
}
