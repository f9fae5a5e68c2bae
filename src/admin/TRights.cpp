#include "admin/TRights.h"

#include "db/LedgerSchema.h"
#include "db/Tdm.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Named.h"
#include "platform/data/Dataset.h"
#include "platform/data/SqlCommand.h"
#include "platform/data/SqlConnection.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TRights::TRights(const QStringList &rights, QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("权限设置"));
    setObjectName(QStringLiteral("Rights"));

    GroupBox1 = named(new QGroupBox(QStringLiteral("用户权限浏览"), this), "GroupBox1");
    auto *label1 = new QLabel(QStringLiteral("选择用户"), GroupBox1);
    label1->setObjectName(QStringLiteral("Label1"));
    ComboBox1 = named(new QComboBox(GroupBox1), "ComboBox1");
    ComboBox1->setMinimumContentsLength(10);
    label1->setBuddy(ComboBox1);
    auto *label2 = new QLabel(QStringLiteral("该用户权限"), GroupBox1);
    label2->setObjectName(QStringLiteral("Label2"));
    ListBox1 = named(new QListWidget(GroupBox1), "ListBox1");
    ListBox1->setMinimumHeight(ListBox1->fontMetrics().height() * 8);
    auto *browse = new QGridLayout(GroupBox1);
    browse->addWidget(label1, 0, 0);
    browse->addWidget(ComboBox1, 1, 0, Qt::AlignTop);
    browse->addWidget(label2, 0, 1);
    browse->addWidget(ListBox1, 1, 1);
    browse->setColumnStretch(1, 1);

    GroupBox2 = named(new QGroupBox(QStringLiteral("用户权限修改"), this), "GroupBox2");
    auto *boxes = new QGridLayout(GroupBox2);
    for (int i = 0; i < rights.size(); ++i) {
        auto *box = new QCheckBox(rights[i], GroupBox2);
        box->setObjectName(QStringLiteral("CheckBox%1").arg(i + 1));
        CheckBoxes << box;
        // Three columns of five, filled column by column.
        boxes->addWidget(box, i % 5, i / 5);
    }
    BitBtn1 = named(new QPushButton(QStringLiteral("确认(&R)"), GroupBox2), "BitBtn1");
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(BitBtn1);
    boxes->addLayout(buttonRow, 5, 0, 1, 3);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1, 1);
    layout->addWidget(GroupBox2);

    ADOQuery1 = named(new Dataset(dm->ADOConnection1, this), "ADOQuery1");
    ADOQuery2 = named(new Dataset(dm->ADOConnection1, this), "ADOQuery2");
    ADOQuery3 = named(new Dataset(dm->ADOConnection1, this), "ADOQuery3");
    ADOCommand1 = named(new SqlCommand(dm->ADOConnection1, this), "ADOCommand1");

    onUserAction(ComboBox1, &QComboBox::activated, this, &TRights::ComboBox1Change);
    onUserAction(BitBtn1, &QPushButton::clicked, this, &TRights::BitBtn1Click);

    resize(480, 480);
}

void TRights::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    FormShow();
}

void TRights::FormShow()
{
    ADOQuery1->close();
    ADOQuery1->setSql(QStringLiteral("select 姓名 from 用户清单 where 姓名<>'系统主管'"));
    ADOQuery1->open();
    ComboBox1->clear();
    for (ADOQuery1->first(); !ADOQuery1->eof(); ADOQuery1->next())
        ComboBox1->addItem(ADOQuery1->text(QStringLiteral("姓名")));
    ComboBox1->setCurrentIndex(-1);
}

void TRights::readRightsList(const QString &name)
{
    ADOQuery2->close();
    ADOQuery2->setSql(QStringLiteral("select 权限名称 from 权限清单 where 工号=(select 工号 from 用户清单 where 姓名=?)"),
                      {name});
    ADOQuery2->open();
    ListBox1->clear();
    for (ADOQuery2->first(); !ADOQuery2->eof(); ADOQuery2->next())
        ListBox1->addItem(ADOQuery2->text(QStringLiteral("权限名称")));
}

void TRights::readCheckBoxes(const QString &name)
{
    for (QCheckBox *box : std::as_const(CheckBoxes)) {
        ADOQuery2->close();
        ADOQuery2->setSql(QStringLiteral("select 工号 from 权限清单 where (工号=(select 工号 from 用户清单 where 姓名=?)) "
                                         "and (权限名称=?)"),
                          {name, box->text()});
        ADOQuery2->open();
        box->setChecked(!ADOQuery2->text(QStringLiteral("工号")).isEmpty());
    }
}

void TRights::ComboBox1Change()
{
    const QString name = ComboBox1->currentText();
    readRightsList(name);
    readCheckBoxes(name);
}

void TRights::BitBtn1Click()
{
    if (ComboBox1->currentIndex() < 0) {
        Dialogs::information(QStringLiteral("请先选择用户，再确认权限！"));
        return;
    }
    const QString name = ComboBox1->currentText();
    ADOQuery3->close();
    ADOQuery3->setSql(QStringLiteral("select 工号 from 用户清单 where 姓名=?"), {name});
    ADOQuery3->open();
    const QString job = ADOQuery3->text(QStringLiteral("工号"));
    ADOQuery3->close();
    if (job.isEmpty()) {
        // Deleted since the list was read: no rights may land under an empty job number.
        Dialogs::information(QStringLiteral("找不到用户“%1”，请重新选择用户！").arg(name));
        return;
    }

    // Either every new right is stored or the old ones stay.
    Transaction transaction(*dm->ADOConnection1);
    ADOCommand1->setCommandText(QStringLiteral("delete from 权限清单 where 工号=?"), {job});
    ADOCommand1->execute();
    for (QCheckBox *box : std::as_const(CheckBoxes)) {
        if (!box->isChecked())
            continue;
        ADOCommand1->setCommandText(insertRightStatement(), {job, box->text()});
        ADOCommand1->execute();
    }
    transaction.commit();

    Dialogs::information(QStringLiteral("权限修改成功！"));
    readCheckBoxes(name);
    readRightsList(name);
}
