#include "admin/TLOG.h"

#include "db/Tdm.h"
#include "platform/Application.h"
#include "platform/Named.h"
#include "platform/data/DataSource.h"
#include "platform/data/Dataset.h"
#include "platform/widgets/DBGrid.h"
#include "platform/widgets/SearchBar.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QVBoxLayout>

TLOG::TLOG(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("查看日志"));
    setObjectName(QStringLiteral("LOG"));

    Panel1 = named(new SearchBar({QStringLiteral("姓名"), QStringLiteral("操作")}, QStringLiteral("查询"), this),
                   "Panel1");
    ComboBox1 = Panel1->comboBox();
    Edit1 = Panel1->edit();
    BitBtn1 = Panel1->button();
    onUserAction(Panel1, &SearchBar::searchClicked, this, &TLOG::BitBtn1Click);
    onUserAction(Panel1, &SearchBar::enterPressed, this, &TLOG::Edit1KeyPress);

    ADOQuery1 = named(new Dataset(dm->ADOConnection1, this), "ADOQuery1");
    DataSource1 = named(new DataSource(ADOQuery1, this), "DataSource1");

    DBGrid1 = named(new DBGrid(this), "DBGrid1");
    QList<GridColumn> columns;
    for (const QString &field : {QStringLiteral("姓名"), QStringLiteral("时间"), QStringLiteral("动作")}) {
        GridColumn c;
        c.field = field;
        columns << c;
    }
    DBGrid1->setColumns(columns);
    DBGrid1->setDataSource(DataSource1);
    DBGrid1->setReadOnly(true);
    DBGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Panel1);
    layout->addWidget(DBGrid1, 1);

    resize(560, 420);

    ADOQuery1->setSql(QStringLiteral("select * from 日志 order by 时间 DESC"));
    ADOQuery1->open();
}

void TLOG::BitBtn1Click()
{
    ADOQuery1->close();
    ADOQuery1->clearSql();
    // An empty search text is still a text: bound as null it would match nothing.
    const QString text = Edit1->text().isEmpty() ? QStringLiteral("") : Edit1->text();
    if (ComboBox1->currentText() == QStringLiteral("姓名"))
        ADOQuery1->setSql(QStringLiteral("select * from 日志 where 姓名 like '%'||?||'%' order by 时间 DESC"), {text});
    else
        ADOQuery1->setSql(QStringLiteral("select * from 日志 where 动作 like '%'||?||'%' order by 时间 DESC"), {text});
    ADOQuery1->open();
}

// Enter in the search text searches as "查询" does; the key still reaches the edit.
void TLOG::Edit1KeyPress()
{
    BitBtn1Click();
}
