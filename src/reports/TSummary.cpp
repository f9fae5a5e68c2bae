#include "reports/TSummary.h"

#include "db/Session.h"
#include "db/Tdm.h"
#include "platform/Application.h"
#include "platform/Icons.h"
#include "platform/Named.h"
#include "platform/data/DataSource.h"
#include "platform/data/Dataset.h"
#include "platform/data/Format.h"
#include "platform/gbk.h"
#include "platform/widgets/DBGrid.h"
#include "platform/widgets/DateTimePicker.h"
#include "reports/ExportGridsToExcel.h"
#include "reports/GridLook.h"
#include "reports/SummaryCharts.h"
#include "reports/SummaryReport.h"
#include "reports/TReport.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using ExecutionSummary::RowKind;
using ExecutionSummary::RowState;

namespace {

const QColor kOverdue(0xf6, 0xc4, 0xc4);
const QColor kOverpaid(0xfb, 0xdd, 0x9c);
const QColor kPaidInFull(0xc8, 0xe8, 0xc4);
const QColor kStray(0xdc, 0xdc, 0xdc);
const QColor kTotals(0xdc, 0xe8, 0xf6);

GridLook::RowLook lookOf(const Dataset &rows, int row)
{
    if (row < 0 || row >= rows.recordCount())
        return {};
    switch (ExecutionSummary::kindOf(rows, row)) {
    case RowKind::Totals:
        return {kTotals, true};
    case RowKind::Stray:
        return {kStray, false};
    case RowKind::Contract:
        break;
    }
    switch (ExecutionSummary::stateOf(rows, row)) {
    case RowState::Overdue:
        return {kOverdue, false};
    case RowState::Overpaid:
        return {kOverpaid, false};
    case RowState::PaidInFull:
        return {kPaidInFull, false};
    case RowState::Plain:
        break;
    }
    return {};
}

QPushButton *button(QWidget *parent, const char *name, const char *caption, const char *icon = nullptr)
{
    auto *b = named(new QPushButton(QString::fromUtf8(caption), parent), name);
    if (icon)
        b->setIcon(ownIcon(icon));
    b->setMinimumWidth(80);
    return b;
}

} // namespace

TSummary::TSummary(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("合同执行汇总"));
    setObjectName(QStringLiteral("Summary"));
    resize(990, 600);

    ADOQuery1 = named(new Dataset(dm->ADOConnection1, this), "ADOQuery1");
    DataSource1 = named(new DataSource(ADOQuery1, this), "DataSource1");
    ADOQuery2 = named(new Dataset(dm->ADOConnection1, this), "ADOQuery2");

    PageControl1 = named(new QTabWidget(this), "PageControl1");

    auto *table = new QWidget;
    DBGrid1 = named(new DBGrid(table), "DBGrid1");
    const QList<ColumnDef> fields = ExecutionSummary::fields();
    QList<GridColumn> columns;
    for (int c = 0; c <= ExecutionSummary::NextDate; ++c) {
        const bool number = fields[c].type == ColumnType::Amount;
        columns.append({fields[c].name, QString(), (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter});
    }
    DBGrid1->setColumns(columns);
    DBGrid1->setDataSource(DataSource1);
    DBGrid1->setReadOnly(true);
    DBGrid1->setToolTip(QStringLiteral("双击一行可预览该合同的执行情况表"));
    GridLook::apply(DBGrid1, QColor(Qt::black), [this](int row) { return lookOf(*ADOQuery1, row); });
    const int widths[] = {84, 170, 150, 60, 96, 96, 96, 96, 96, 70, 90, 96, 90, 118};
    for (int c = 0; c <= ExecutionSummary::NextDate; ++c)
        DBGrid1->setColumnWidth(c, widths[c]);
    onUserAction(DBGrid1, &QAbstractItemView::doubleClicked, this, [this] { DBGrid1DblClick(); });
    auto *tableLayout = new QVBoxLayout(table);
    tableLayout->setContentsMargins(4, 4, 4, 4);
    tableLayout->addWidget(DBGrid1, 1);
    tableLayout->addWidget(legend());
    PageControl1->addTab(table, QStringLiteral("汇总表"));

    const auto chartPage = [this](QChartView **view, const char *viewName, QPushButton **save, const char *saveName,
                                  const char *caption) {
        auto *page = new QWidget;
        *view = named(new QChartView(page), viewName);
        (*view)->setRenderHint(QPainter::Antialiasing);
        *save = button(page, saveName, "保存为图片", "chart");
        auto *line = new QHBoxLayout;
        line->addStretch(1);
        line->addWidget(*save);
        auto *l = new QVBoxLayout(page);
        l->setContentsMargins(4, 4, 4, 4);
        l->addWidget(*view, 1);
        l->addLayout(line);
        PageControl1->addTab(page, QString::fromUtf8(caption));
    };
    chartPage(&ChartView1, "ChartView1", &BitBtn5, "BitBtn5", "每月付款图");
    chartPage(&ChartView2, "ChartView2", &BitBtn6, "BitBtn6", "未付金额前十");
    onUserAction(PageControl1, &QTabWidget::currentChanged, this, [this] { drawCharts(); });

    BitBtn2 = button(this, "BitBtn2", "导出Excel", "export");
    BitBtn3 = button(this, "BitBtn3", "打印", "print");
    BitBtn4 = button(this, "BitBtn4", "关闭", "close");
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn3);
    buttons->addWidget(BitBtn4);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(filterBox());
    layout->addWidget(PageControl1, 1);
    layout->addLayout(buttons);

    onUserAction(BitBtn1, &QPushButton::clicked, this, &TSummary::BitBtn1Click);
    onUserAction(BitBtn2, &QPushButton::clicked, this, &TSummary::BitBtn2Click);
    onUserAction(BitBtn3, &QPushButton::clicked, this, &TSummary::BitBtn3Click);
    onUserAction(BitBtn4, &QPushButton::clicked, this, &TSummary::BitBtn4Click);
    onUserAction(BitBtn5, &QPushButton::clicked, this, &TSummary::BitBtn5Click);
    onUserAction(BitBtn6, &QPushButton::clicked, this, &TSummary::BitBtn6Click);

    fillChoices();
    BitBtn1Click();
}

QWidget *TSummary::filterBox()
{
    GroupBox1 = named(new QGroupBox(QStringLiteral("查询条件"), this), "GroupBox1");
    ComboBox1 = named(new QComboBox(GroupBox1), "ComboBox1");
    ComboBox1->setMinimumWidth(150);
    ComboBox2 = named(new QComboBox(GroupBox1), "ComboBox2");
    ComboBox2->setMinimumWidth(150);
    CheckBox1 = named(new QCheckBox(QStringLiteral("签订日期"), GroupBox1), "CheckBox1");
    DateTimePicker1 = named(new DateTimePicker(GroupBox1), "DateTimePicker1");
    DateTimePicker2 = named(new DateTimePicker(GroupBox1), "DateTimePicker2");
    const QDate today = QDate::currentDate();
    DateTimePicker1->setValue(QDate(today.year(), 1, 1));
    DateTimePicker2->setValue(today);
    for (DateTimePicker *p : {DateTimePicker1, DateTimePicker2}) {
        p->setMinimumWidth(104);
        p->setEnabled(false);
        connect(CheckBox1, &QCheckBox::toggled, p, &QWidget::setEnabled);
    }
    ComboBox3 = named(new QComboBox(GroupBox1), "ComboBox3");
    ComboBox3->addItems(ExecutionSummary::statusNames());
    BitBtn1 = button(GroupBox1, "BitBtn1", "查询", "search");

    auto *line = new QHBoxLayout(GroupBox1);
    line->addWidget(new QLabel(QStringLiteral("项目"), GroupBox1));
    line->addWidget(ComboBox1);
    line->addSpacing(8);
    line->addWidget(new QLabel(QStringLiteral("对方单位"), GroupBox1));
    line->addWidget(ComboBox2);
    line->addSpacing(8);
    line->addWidget(CheckBox1);
    line->addWidget(DateTimePicker1);
    line->addWidget(new QLabel(QStringLiteral("至"), GroupBox1));
    line->addWidget(DateTimePicker2);
    line->addSpacing(8);
    line->addWidget(new QLabel(QStringLiteral("状态"), GroupBox1));
    line->addWidget(ComboBox3);
    line->addStretch(1);
    line->addWidget(BitBtn1);
    return GroupBox1;
}

QWidget *TSummary::legend()
{
    auto *box = named(new QWidget(this), "Panel1");
    auto *line = new QHBoxLayout(box);
    line->setContentsMargins(0, 2, 0, 0);
    line->addWidget(new QLabel(QStringLiteral("图例："), box));
    const struct {
        QColor colour;
        const char *text;
    } entries[] = {{kOverdue, "有逾期未付"}, {kOverpaid, "超付"}, {kPaidInFull, "已付清"}, {kStray, "无对应合同"}, {kTotals, "合计"}};
    for (const auto &e : entries) {
        auto *swatch = new QLabel(box);
        swatch->setFixedSize(28, 14);
        swatch->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid #8c8c8c;").arg(e.colour.name()));
        line->addWidget(swatch);
        line->addWidget(new QLabel(QString::fromUtf8(e.text), box));
        line->addSpacing(10);
    }
    line->addStretch(1);
    return box;
}

void TSummary::fillChoices()
{
    ComboBox1->addItem(QStringLiteral("全部"), QString());
    Dataset projects(dm->ADOConnection1);
    projects.setSql(QStringLiteral("select 编号,项目 from 项目清单 order by 编号"));
    projects.open();
    for (int r = 0; r < projects.recordCount(); ++r) {
        // Only codes of the two levels that the tree shows; a level-2 project stands indented.
        const QString code = projects.text(r, 0).trimmed();
        const int length = gbk::byteLength(code);
        if (length == 2 || length == 5)
            ComboBox1->addItem(QStringLiteral("%1[%2] %3").arg(length == 5 ? QStringLiteral("　") : QString(), code,
                                                              projects.text(r, 1)),
                               code);
    }
    ComboBox2->addItem(QStringLiteral("全部"), QString());
    Dataset parties(dm->ADOConnection1);
    parties.setSql(QStringLiteral("select 名称 from 对方单位清单 order by 编号"));
    parties.open();
    for (int r = 0; r < parties.recordCount(); ++r)
        ComboBox2->addItem(parties.text(r, 0), parties.text(r, 0));
}

SummaryFilter TSummary::filter() const
{
    SummaryFilter f;
    f.project = ComboBox1->currentData().toString();
    f.counterparty = ComboBox2->currentData().toString();
    if (CheckBox1->isChecked()) {
        f.signedFrom = DateTimePicker1->date();
        f.signedTo = DateTimePicker2->date();
    }
    f.status = SummaryFilter::Status(std::max(ComboBox3->currentIndex(), 0));
    return f;
}

QString TSummary::conditions() const
{
    const QString dates = CheckBox1->isChecked() ? Format::date(DateTimePicker1->date()) + QStringLiteral(" 至 ")
                                                       + Format::date(DateTimePicker2->date())
                                                 : QStringLiteral("不限");
    return QStringLiteral("项目：%1　对方单位：%2　签订日期：%3　状态：%4　截至%5")
        .arg(ComboBox1->currentText(), ComboBox2->currentText(), dates, ComboBox3->currentText(),
             Format::date(QDate::currentDate()));
}

void TSummary::BitBtn1Click()
{
    ExecutionSummary::load(*dm->ADOConnection1, filter(), ADOQuery1);
    m_chartsDrawn = false;
    drawCharts();
}

void TSummary::drawCharts()
{
    if (m_chartsDrawn || PageControl1->currentIndex() == 0)
        return;
    m_chartsDrawn = true;
    const QDate month = QDate::currentDate();
    ChartView1->setChart(
        SummaryCharts::monthly(ExecutionSummary::months(*dm->ADOConnection1, *ADOQuery1, month.addMonths(-23), month.addMonths(6))));
    ChartView2->setChart(SummaryCharts::topUnpaid(ExecutionSummary::topUnpaid(*ADOQuery1, 10)));
}

void TSummary::BitBtn2Click()
{
    ExportGridsToExcel({DBGrid1}, true);
}

void TSummary::BitBtn3Click()
{
    summaryReport(ADOQuery1, conditions(), Session::userName())->preview(this, QStringLiteral("合同执行汇总"));
}

void TSummary::BitBtn4Click()
{
    close();
}

void TSummary::BitBtn5Click()
{
    SummaryCharts::saveAsPng(ChartView1, QStringLiteral("每月付款图"));
}

void TSummary::BitBtn6Click()
{
    SummaryCharts::saveAsPng(ChartView2, QStringLiteral("未付金额前十"));
}

void TSummary::DBGrid1DblClick()
{
    const int row = ADOQuery1->currentRow();
    if (row < 0 || ExecutionSummary::kindOf(*ADOQuery1, row) != RowKind::Contract)
        return;
    previewExecutionReport(ADOQuery1->text(row, ExecutionSummary::Number), kExecutionReportTitle, ADOQuery2, this);
}
