#include "reports/TReport.h"

#include "db/Session.h"
#include "db/Tdm.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Named.h"
#include "platform/data/DataSource.h"
#include "platform/data/Dataset.h"
#include "platform/data/Format.h"
#include "platform/widgets/DBGrid.h"
#include "reports/GridLook.h"
#include "reports/TQuickReport1.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kSearchColumns = QStringLiteral("select 合同编号,合同名称,对方单位,合同金额,合同内容 from 合同基本信息表");

} // namespace

TReport::TReport(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("报表管理"));
    setObjectName(QStringLiteral("Report"));
    setFixedSize(540, 250);

    ADOQuery1 = named(new Dataset(dm->ADOConnection1, this), "ADOQuery1");
    DataSource1 = named(new DataSource(ADOQuery1, this), "DataSource1");
    ADOQuery2 = named(new Dataset(dm->ADOConnection1, this), "ADOQuery2");

    GroupBox1 = named(new QGroupBox(QStringLiteral("合同执行情况表"), this), "GroupBox1");
    GroupBox1->setGeometry(10, 8, 520, 232);

    // Line 1: the contract number.
    Label1 = named(new QLabel(QStringLiteral("合同编号"), GroupBox1), "Label1");
    Label1->setGeometry(24, 34, 64, 24);
    Edit2 = named(new QLineEdit(GroupBox1), "Edit2");
    Edit2->setGeometry(92, 34, 290, 24);
    Edit2->setToolTip(QStringLiteral("请选择合同编号"));
    Edit2->installEventFilter(this);
    BitBtn1 = named(new QPushButton(QStringLiteral("打印"), GroupBox1), "BitBtn1");
    BitBtn1->setGeometry(400, 32, 90, 28);

    // Line 2: the report's title.
    Label2 = named(new QLabel(QStringLiteral("报表标题"), GroupBox1), "Label2");
    Label2->setGeometry(24, 80, 64, 24);
    Edit1 = named(new QLineEdit(kExecutionReportTitle, GroupBox1), "Edit1");
    Edit1->setGeometry(92, 80, 290, 24);
    BitBtn2 = named(new QPushButton(QStringLiteral("取消"), GroupBox1), "BitBtn2");
    BitBtn2->setGeometry(400, 78, 90, 28);

    // The search panel lies over line 1, the list over line 2 and below.
    Panel1 = named(new QFrame(GroupBox1), "Panel1");
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setAutoFillBackground(true);
    Panel1->setGeometry(8, 24, 504, 44);
    ComboBox1 = named(new QComboBox(Panel1), "ComboBox1");
    ComboBox1->addItems({QStringLiteral("合同编号"), QStringLiteral("合同名称"), QStringLiteral("对方单位")});
    ComboBox1->setEditable(false);
    ComboBox1->setCurrentIndex(0);
    ComboBox1->setGeometry(10, 9, 100, 26);
    Edit3 = named(new QLineEdit(Panel1), "Edit3");
    Edit3->setGeometry(120, 10, 256, 24);
    BitBtn3 = named(new QPushButton(QStringLiteral("查询"), Panel1), "BitBtn3");
    BitBtn3->setGeometry(392, 8, 90, 28);

    DBGrid1 = named(new DBGrid(GroupBox1), "DBGrid1");
    DBGrid1->setGeometry(8, 70, 504, 154);
    DBGrid1->setColumns({
        {QStringLiteral("合同编号"), QString()},
        {QStringLiteral("合同名称"), QString()},
        {QStringLiteral("对方单位"), QString()},
        {QStringLiteral("合同金额"), QString()},
        {QStringLiteral("合同内容"), QString()},
    });
    DBGrid1->setDataSource(DataSource1);
    DBGrid1->setReadOnly(true);
    DBGrid1->setToolTip(QStringLiteral("请双击选定！"));
    DBGrid1->viewport()->installEventFilter(this);
    GridLook::apply(DBGrid1);

    onUserAction(BitBtn1, &QPushButton::clicked, this, &TReport::BitBtn1Click);
    onUserAction(BitBtn2, &QPushButton::clicked, this, &TReport::BitBtn2Click);
    onUserAction(BitBtn3, &QPushButton::clicked, this, &TReport::BitBtn3Click);
    onUserAction(Edit3, &QLineEdit::returnPressed, this, &TReport::Edit3KeyPress);

    showSearch(false);
    ADOQuery1->setSql(kSearchColumns);
    ADOQuery1->open();
}

bool TReport::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Edit2 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        guarded([this] { Edit2Click(); });
    else if (watched == DBGrid1->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        guarded([this] { DBGrid1DblClick(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TReport::showSearch(bool shown)
{
    Panel1->setVisible(shown);
    DBGrid1->setVisible(shown);
    if (shown) {
        Panel1->raise();
        DBGrid1->raise();
    }
}

void TReport::Edit2Click()
{
    showSearch(true);
    Edit3->clear();
    BitBtn3Click();
}

void TReport::BitBtn3Click()
{
    static const QStringList fields = {QStringLiteral("合同编号"), QStringLiteral("合同名称"), QStringLiteral("对方单位")};
    const QString field = fields.value(ComboBox1->currentIndex(), fields.first());
    ADOQuery1->close();
    ADOQuery1->clearSql();
    ADOQuery1->setSql(kSearchColumns + QStringLiteral(" where %1 like '%'||?||'%'").arg(field), {Edit3->text()});
    ADOQuery1->open();
}

void TReport::Edit3KeyPress()
{
    BitBtn3Click();
}

void TReport::DBGrid1DblClick()
{
    Panel1->hide();
    Edit2->setText(ADOQuery1->isOpen() && !ADOQuery1->isEmpty() ? ADOQuery1->text(QStringLiteral("合同编号")) : QString());
    DBGrid1->hide();
}

void TReport::BitBtn2Click()
{
    close();
}

void TReport::BitBtn1Click()
{
    if (Edit2->text().isEmpty()) {
        Dialogs::information(QStringLiteral("请输入合同编号！"));
        Edit2->setFocus();
        Edit2->selectAll();
        return;
    }
    // Everything from the statements to the preview is one unit: whatever
    // fails in it, the user is told the number is not right.
    try {
        previewExecutionReport(Edit2->text(), Edit1->text(), ADOQuery2, this);
    } catch (const std::exception &) {
        Dialogs::information(QStringLiteral("合同编号输入不正确，请重新输入！"));
    }
}

TQuickReport1 *executionReportLayout()
{
    TQuickReport1 *layout = QuickReport1 ? QuickReport1 : new TQuickReport1(qApp);
    layout->attachConnection();
    return layout;
}

bool previewExecutionReport(const QString &contract, const QString &title, Dataset *invoiceTotal, QWidget *parent)
{
    TQuickReport1 *layout = executionReportLayout();

    invoiceTotal->close();
    invoiceTotal->clearSql();
    invoiceTotal->setSql(QStringLiteral("select sum(发票金额) as 累计发票 from 发票情况表 where 合同编号=?"), {contract});
    invoiceTotal->open();
    // A contract without invoices has a null sum: the label stays empty.
    layout->QRLabel23->setCaption(Format::display(invoiceTotal->value(QStringLiteral("累计发票")), false, true));

    Dataset *rows = layout->ADOQuery1;
    rows->close();
    rows->clearSql();
    rows->setSql(QStringLiteral("select a.合同编号,a.合同名称,a.合同金额,a.对方单位,a.类别,a.项目,a.签订日期,"
                                "b.付款金额,b.付款日期,b.凭证号码,b.经办人员,b.备注 "
                                "from 合同基本信息表 a,付款情况表 b where a.合同编号=? and b.合同编号=?"),
                 {contract, contract});
    rows->open();
    if (rows->isEmpty()) {
        Dialogs::information(QStringLiteral("对不起，您选择的合同尚无付款记录，不能打印！"));
        return false;
    }
    layout->QRLabel1->setCaption(title);
    layout->QRLabel19->setCaption(Session::userName());
    layout->Preview(parent);
    return true;
}
