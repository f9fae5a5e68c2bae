#include "reports/TTiXin.h"

#include "db/Tdm.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Icons.h"
#include "platform/Named.h"
#include "platform/data/DataSource.h"
#include "platform/data/Dataset.h"
#include "platform/data/Format.h"
#include "platform/data/SqlCommand.h"
#include "platform/widgets/DBGrid.h"
#include "reports/ExportGridsToExcel.h"
#include "reports/GridLook.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QIcon>
#include <QPushButton>
#include <QVBoxLayout>

TTiXin::TTiXin(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("付款提醒"));
    setObjectName(QStringLiteral("TiXin"));
    resize(620, 380);

    ADOQuery1 = named(new Dataset(dm->ADOConnection1, this), "ADOQuery1");
    DataSource1 = named(new DataSource(ADOQuery1, this), "DataSource1");
    ADOQuery2 = named(new Dataset(dm->ADOConnection1, this), "ADOQuery2");
    ADOCommand1 = named(new SqlCommand(dm->ADOConnection1, this), "ADOCommand1");

    DBGrid1 = named(new DBGrid(this), "DBGrid1");
    DBGrid1->setColumns({
        {QStringLiteral("合同编号"), QString(), Qt::AlignCenter},
        {QStringLiteral("计划付款日期"), QString()},
        {QStringLiteral("计划付款金额"), QString()},
        {QStringLiteral("剩余天数"), QString()},
        {QStringLiteral("备注"), QString()},
    });
    DBGrid1->setDataSource(DataSource1);
    DBGrid1->setReadOnly(true);
    GridLook::apply(DBGrid1, QColor(Qt::red));

    PopupMenu1 = named(new QMenu(this), "PopupMenu1");
    ExcelO1 = PopupMenu1->addAction(QStringLiteral("导出到Excel(&O)"));
    ExcelO1->setObjectName(QStringLiteral("ExcelO1"));
    onUserAction(ExcelO1, &QAction::triggered, this, &TTiXin::ExcelO1Click);
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGrid1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { PopupMenu1->popup(DBGrid1->viewport()->mapToGlobal(at)); });

    Label1 = named(new QLabel(QStringLiteral("请提前"), this), "Label1");
    Edit1 = named(new QLineEdit(QStringLiteral("0"), this), "Edit1");
    Edit1->setFixedWidth(56);
    Label2 = named(new QLabel(QStringLiteral("天通知我"), this), "Label2");
    SpeedButton1 = named(new QPushButton(QStringLiteral("确定"), this), "SpeedButton1");
    SpeedButton2 = named(new QPushButton(QStringLiteral("刷新"), this), "SpeedButton2");
    // Flat buttons; their pictures tell them from the labels beside them.
    SpeedButton1->setIcon(ownIcon("submit"));
    SpeedButton2->setIcon(ownIcon("refresh"));
    for (QPushButton *b : {SpeedButton1, SpeedButton2}) {
        b->setFlat(true);
        b->setFocusPolicy(Qt::StrongFocus);
        b->setMinimumWidth(56);
    }
    onUserAction(SpeedButton1, &QPushButton::clicked, this, &TTiXin::SpeedButton1Click);
    onUserAction(SpeedButton2, &QPushButton::clicked, this, &TTiXin::SpeedButton2Click);
    Label3 = named(new QLabel(QStringLiteral("按右键可导出数据至Excel"), this), "Label3");
    QPalette red = Label3->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Label3->setPalette(red);

    auto *line = new QHBoxLayout;
    line->addWidget(Label1);
    line->addWidget(Edit1);
    line->addWidget(Label2);
    line->addSpacing(12);
    line->addWidget(SpeedButton1);
    line->addWidget(SpeedButton2);
    line->addStretch(1);
    line->addWidget(Label3);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(DBGrid1, 1);
    layout->addLayout(line);

    FormCreate();
}

void TTiXin::FormCreate()
{
    // The window opens even when the stored days cannot be read or used.
    guarded([this] {
        ADOQuery2->close();
        ADOQuery2->clearSql();
        ADOQuery2->setSql(QStringLiteral("select 天数 from 提醒天数"));
        ADOQuery2->open();
        Edit1->setText(ADOQuery2->isEmpty() ? QString() : ADOQuery2->text(QStringLiteral("天数")));
    });
    guarded([this] { runDueQuery(); });
}

bool TTiXin::typedDays(qlonglong *days)
{
    // The days become part of a date comparison: only a whole number will do.
    const auto value = Format::parseInteger(Edit1->text());
    if (!value) {
        Dialogs::warning(QStringLiteral("提前提醒天数必须是整数（可以为负数），请重新输入！"));
        Edit1->setFocus();
        Edit1->selectAll();
        return false;
    }
    *days = *value;
    return true;
}

void TTiXin::runDueQuery()
{
    qlonglong days = 0;
    if (!typedDays(&days)) {
        // No list for days that cannot be used: the old rows would pass for its answer.
        ADOQuery1->close();
        return;
    }
    const SqlDialect &dialect = dm->ADOConnection1->dialect();
    const QString remaining = dialect.daysBetween(dialect.today(), QStringLiteral("计划付款日期"));
    ADOQuery1->close();
    ADOQuery1->clearSql();
    ADOQuery1->setSql(QStringLiteral("select 合同编号,计划付款日期,计划付款金额,(%1) as 剩余天数,备注 "
                                     "from 计划付款情况表 where (%1)<=?")
                          .arg(remaining),
                      {days});
    ADOQuery1->open();
}

void TTiXin::SpeedButton1Click()
{
    qlonglong days = 0;
    if (!typedDays(&days))
        return;
    ADOCommand1->setCommandText(QStringLiteral("update 提醒天数 set 天数=?"), {days});
    ADOCommand1->execute();
    Dialogs::information(QStringLiteral("提前提醒天数设置已为：") + Edit1->text() + QStringLiteral("天！"));
}

void TTiXin::SpeedButton2Click()
{
    runDueQuery();
}

void TTiXin::ExcelO1Click()
{
    ExportGridsToExcel({DBGrid1}, false);
}
