#include "admin/TUser.h"

#include "admin/HashEcho.h"
#include "db/LedgerSchema.h"
#include "db/Tdm.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Icons.h"
#include "platform/Named.h"
#include "platform/PasswordHash.h"
#include "platform/data/DataSource.h"
#include "platform/data/Dataset.h"
#include "platform/data/SqlCommand.h"
#include "platform/gbk.h"
#include "platform/widgets/DBGrid.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QIcon>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char *const kSupervisorJob = "admin";
constexpr int kJobBytes = 11;
constexpr int kNameBytes = 10;
constexpr int kPasswordBytes = 10;
} // namespace

TUser::TUser(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("添加用户"));
    setObjectName(QStringLiteral("User"));

    GroupBox1 = named(new QGroupBox(QStringLiteral("添加用户"), this), "GroupBox1");
    auto edit = [this](const char *name) {
        auto *e = new QLineEdit(GroupBox1);
        e->setObjectName(QLatin1String(name));
        e->installEventFilter(this);
        return e;
    };
    Edit1 = edit("Edit1");
    Edit2 = edit("Edit2");
    Edit3 = edit("Edit3");
    Edit4 = edit("Edit4");
    showHashes(Edit3);
    showHashes(Edit4);

    ComboBox1 = named(new QComboBox(GroupBox1), "ComboBox1");
    ComboBox1->setMinimumContentsLength(8);
    ComboBox2 = named(new QComboBox(GroupBox1), "ComboBox2");
    ComboBox2->addItems({QStringLiteral("男"), QStringLiteral("女")});
    ComboBox2->setCurrentIndex(0);

    // Flat buttons that never take the focus; their pictures tell them from labels.
    auto speedButton = [this](const char *name, const QString &caption, const char *icon) {
        auto *b = new QPushButton(ownIcon(icon), caption, GroupBox1);
        b->setObjectName(QLatin1String(name));
        b->setFlat(true);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    SpeedButton1 = speedButton("SpeedButton1", QStringLiteral("添加用户"), "new");
    SpeedButton2 = speedButton("SpeedButton2", QStringLiteral("刷新数据"), "refresh");

    auto *grid = new QGridLayout(GroupBox1);
    int n = 0;
    auto label = [&](const QString &caption, QWidget *buddy, int row, int column) {
        auto *l = new QLabel(caption, GroupBox1);
        l->setObjectName(QStringLiteral("Label%1").arg(++n));
        l->setBuddy(buddy);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(l, row, column);
        grid->addWidget(buddy, row, column + 1);
    };
    label(QStringLiteral("工号："), Edit1, 0, 0);
    label(QStringLiteral("姓名："), Edit2, 0, 2);
    label(QStringLiteral("密码："), Edit3, 1, 0);
    label(QStringLiteral("确认密码："), Edit4, 1, 2);
    label(QStringLiteral("部门："), ComboBox1, 2, 0);
    label(QStringLiteral("性别："), ComboBox2, 2, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(SpeedButton1);
    buttons->addWidget(SpeedButton2);
    grid->addLayout(buttons, 2, 4);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, Edit3);
    setTabOrder(Edit3, Edit4);
    setTabOrder(Edit4, ComboBox1);
    setTabOrder(ComboBox1, ComboBox2);

    ADOQuery1 = named(new Dataset(dm->ADOConnection1, this), "ADOQuery1");
    DataSource1 = named(new DataSource(ADOQuery1, this), "DataSource1");
    ADOQuery2 = named(new Dataset(dm->ADOConnection1, this), "ADOQuery2");
    ADOCommand1 = named(new SqlCommand(dm->ADOConnection1, this), "ADOCommand1");

    DBGrid1 = named(new DBGrid(this), "DBGrid1");
    const Qt::Alignment centred = Qt::AlignCenter;
    DBGrid1->setColumns({{QStringLiteral("工号"), QString(), centred, centred, true},
                         {QStringLiteral("姓名"), QString(), centred, centred, false},
                         {QStringLiteral("部门"), QString(), centred, centred, false},
                         {QStringLiteral("性别"), QString(), centred, centred, false}});
    DBGrid1->setDataSource(DataSource1);
    DBGrid1->setReadOnly(true);
    DBGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    PopupMenu1 = named(new QMenu(this), "PopupMenu1");
    N1 = PopupMenu1->addAction(QStringLiteral("修改用户信息(&M)"));
    N1->setObjectName(QStringLiteral("N1"));
    N2 = PopupMenu1->addAction(QStringLiteral("删除用户(&D)"));
    N2->setObjectName(QStringLiteral("N2"));
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGrid1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { PopupMenu1->popup(DBGrid1->viewport()->mapToGlobal(pos)); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addWidget(DBGrid1, 1);

    onUserAction(SpeedButton1, &QPushButton::clicked, this, &TUser::SpeedButton1Click);
    onUserAction(SpeedButton2, &QPushButton::clicked, this, &TUser::SpeedButton2Click);
    onUserAction(N1, &QAction::triggered, this, &TUser::N1Click);
    onUserAction(N2, &QAction::triggered, this, &TUser::N2Click);

    resize(640, 420);
    FormCreate();
}

void TUser::FormCreate()
{
    ADOQuery2->close();
    ADOQuery2->setSql(QStringLiteral("select 部门 from 部门清单"));
    ADOQuery2->open();
    ComboBox1->addItem(QStringLiteral("请选择部门"));
    for (ADOQuery2->first(); !ADOQuery2->eof(); ADOQuery2->next())
        ComboBox1->addItem(ADOQuery2->text(QStringLiteral("部门")));
    ComboBox1->setCurrentIndex(0);

    ADOQuery1->setTableQuery(QStringLiteral("用户清单"), QStringLiteral("工号,部门,姓名,性别"),
                             QStringLiteral("where 工号<>'%1'").arg(QLatin1String(kSupervisorJob)));
    ADOQuery1->open();
}

bool TUser::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        // Only a move to another control is an exit, not a message box or
        // another window taking the activation.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (!m_closing && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason
            && reason != Qt::MenuBarFocusReason) {
            if (watched == Edit1)
                Edit1Exit();
            else if (watched == Edit2)
                Edit2Exit();
            else if (watched == Edit3)
                Edit3Exit();
            else if (watched == Edit4)
                Edit4Exit();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TUser::closeEvent(QCloseEvent *event)
{
    // Closing the window is no exit from an edit.
    m_closing = true;
    QWidget::closeEvent(event);
}

void TUser::refuseLongText(QLineEdit *edit, int maxBytes, const QString &message)
{
    if (gbk::byteLength(edit->text()) <= maxBytes)
        return;
    Dialogs::information(message);
    edit->clear();
    edit->selectAll();
}

void TUser::Edit1Exit()
{
    refuseLongText(Edit1, kJobBytes, QStringLiteral("工号不能大于11个字，请重新输入！"));
}

void TUser::Edit2Exit()
{
    refuseLongText(Edit2, kNameBytes, QStringLiteral("姓名不能大于5个汉字，请重新输入！"));
}

void TUser::Edit3Exit()
{
    refuseLongText(Edit3, kPasswordBytes, QStringLiteral("密码不能大于10个字，请重新输入！"));
}

void TUser::Edit4Exit()
{
    refuseLongText(Edit4, kPasswordBytes, QStringLiteral("密码不能大于10个字，请重新输入！"));
}

bool TUser::exists(const QString &sql, const QString &value)
{
    ADOQuery2->close();
    ADOQuery2->setSql(sql, {value});
    ADOQuery2->open();
    return ADOQuery2->recordCount() > 0;
}

void TUser::SpeedButton1Click()
{
    const QString job = Edit1->text();
    const QString name = Edit2->text();
    const QString password = Edit3->text();
    if (job.isEmpty()) {
        Dialogs::information(QStringLiteral("工号不能为空，请输入工号！"));
        Edit1->selectAll();
        return;
    }
    if (name.isEmpty()) {
        Dialogs::information(QStringLiteral("姓名不能为空，请输入姓名！"));
        Edit2->selectAll();
        return;
    }
    if (password != Edit4->text()) {
        Dialogs::information(QStringLiteral("您输入的两次密码不一致，请重新输入！"));
        Edit3->clear();
        Edit4->clear();
        Edit3->selectAll();
        return;
    }
    if (ComboBox1->currentIndex() <= 0) {
        Dialogs::information(QStringLiteral("您没有选择部门，请重新选择！"));
        return;
    }
    if (exists(QStringLiteral("select * from 用户清单 where 工号=?"), job)) {
        Dialogs::information(QStringLiteral("工号重复，请重新输入！"));
        Edit1->clear();
        Edit1->setFocus();
        return;
    }
    // The rights and password windows find a user by name: names stay unique,
    // also against blanks around them.
    if (exists(QStringLiteral("select * from 用户清单 where trim(姓名)=?"), name.trimmed())) {
        Dialogs::information(QStringLiteral("姓名重复，请重新输入！"));
        Edit2->clear();
        Edit2->setFocus();
        return;
    }
    // Only a hash is stored, so the column no longer limits what was typed:
    // the window checks the password itself and says why it is refused.
    if (gbk::byteLength(password) > kPasswordBytes) {
        Dialogs::showError(QStringLiteral("“密码”不能保存：长度超过%1个字节（一个汉字占2个字节）。").arg(kPasswordBytes));
        return;
    }
    if (const QString bad = gbk::firstUnencodable(password); !bad.isEmpty()) {
        Dialogs::showError(QStringLiteral("“密码”不能保存：字符“%1”不能以GBK编码保存。").arg(bad));
        return;
    }

    ADOCommand1->setCommandText(insertUserStatement(), {job, ComboBox1->currentText(), name,
                                                        ComboBox2->currentText(), PasswordHash::hash(password)});
    ADOCommand1->execute();
    Dialogs::information(QStringLiteral("您已成功添加用户：") + name);
    Edit1->clear();
    Edit2->clear();
    Edit3->clear();
    Edit4->clear();
    ComboBox1->setCurrentIndex(0);
}

void TUser::SpeedButton2Click()
{
    ADOQuery1->close();
    ADOQuery1->open();
}

void TUser::N1Click()
{
    // With no user listed there is no row to change, and a new row could
    // never get a job number.
    if (ADOQuery1->isEmpty())
        return;
    DBGrid1->setReadOnly(false);
    ADOQuery1->edit();
}

void TUser::N2Click()
{
    if (!Dialogs::confirm(QStringLiteral("Kadero"), QStringLiteral("您确定要删除所选用户吗？"), Dialogs::Buttons::YesNo))
        return;
    ADOQuery1->remove();
    Dialogs::information(QStringLiteral("您已成功删除用户！"));
}
