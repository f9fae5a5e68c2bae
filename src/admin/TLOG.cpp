#include "admin/TLOG.h"

#include "db/Tdm.h"
#include "platform/data/DataSource.h"
#include "platform/data/Dataset.h"
#include "platform/widgets/DBGrid.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TLOG::TLOG(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("查看日志"));
    setObjectName(QStringLiteral("LOG"));

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::StyledPanel);
    ComboBox1 = new QComboBox(Panel1);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems({QStringLiteral("姓名"), QStringLiteral("操作")});
    ComboBox1->setCurrentIndex(0);
    Edit1 = new QLineEdit(Panel1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->installEventFilter(this);
    BitBtn1 = new QPushButton(QStringLiteral("查询"), Panel1);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    auto *bar = new QHBoxLayout(Panel1);
    bar->addWidget(ComboBox1);
    bar->addWidget(Edit1, 1);
    bar->addWidget(BitBtn1);

    ADOQuery1 = new Dataset(dm->ADOConnection1, this);
    ADOQuery1->setObjectName(QStringLiteral("ADOQuery1"));
    DataSource1 = new DataSource(ADOQuery1, this);
    DataSource1->setObjectName(QStringLiteral("DataSource1"));

    DBGrid1 = new DBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
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

    connect(BitBtn1, &QPushButton::clicked, this, &TLOG::BitBtn1Click);
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

void TLOG::Edit1KeyPress(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        BitBtn1Click();
}

bool TLOG::eventFilter(QObject *watched, QEvent *event)
{
    // The key still goes on to the edit.
    if (watched == Edit1 && event->type() == QEvent::KeyPress)
        Edit1KeyPress(static_cast<QKeyEvent *>(event)->key());
    return QWidget::eventFilter(watched, event);
}
