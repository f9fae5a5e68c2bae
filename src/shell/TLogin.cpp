#include "shell/TLogin.h"

#include "db/Tdm.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Icons.h"
#include "platform/Named.h"
#include "platform/PasswordHash.h"
#include "shell/TMain.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QProxyStyle>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The password edit shows "#" for each character typed.
class HashMaskStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == QStyle::SH_LineEdit_PasswordCharacter)
            return '#';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QLabel *picture(const char *name, const char *file, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setPixmap(QPixmap(iconFile(file)));
    l->setFixedSize(24, 24);
    l->setScaledContents(true);
    return l;
}

} // namespace

TLogin::TLogin(TMain *mainWindow) : QWidget(nullptr), m_main(mainWindow)
{
    setObjectName(QStringLiteral("Login"));
    setWindowTitle(QStringLiteral("系统登录"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(12);
    Edit1 = named(new QLineEdit(this), "Edit1");
    Edit2 = named(new QLineEdit(this), "Edit2");
    Edit2->setEchoMode(QLineEdit::Password);
    auto *mask = new HashMaskStyle;
    mask->setParent(Edit2);
    Edit2->setStyle(mask);
    Edit2->installEventFilter(this);
    auto *jobLabel = new QLabel(QStringLiteral("工号："), this);
    jobLabel->setObjectName(QStringLiteral("jobNumberLabel"));
    auto *passwordLabel = new QLabel(QStringLiteral("密码："), this);
    passwordLabel->setObjectName(QStringLiteral("passwordLabel"));
    grid->addWidget(picture("Image1", "user", this), 0, 0);
    grid->addWidget(jobLabel, 0, 1);
    grid->addWidget(Edit1, 0, 2);
    grid->addWidget(picture("Image2", "key", this), 1, 0);
    grid->addWidget(passwordLabel, 1, 1);
    grid->addWidget(Edit2, 1, 2);
    Edit1->setMinimumWidth(170);

    BitBtn1 = named(new QPushButton(QStringLiteral("登录"), this), "BitBtn1");
    BitBtn2 = named(new QPushButton(QStringLiteral("退出"), this), "BitBtn2");
    for (QPushButton *b : {BitBtn1, BitBtn2}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(80);
    }
    onUserAction(BitBtn1, &QPushButton::clicked, this, &TLogin::BitBtn1Click);
    onUserAction(BitBtn2, &QPushButton::clicked, this, &TLogin::BitBtn2Click);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addSpacing(16);
    buttons->addWidget(BitBtn2);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->addLayout(grid);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);

    m_main->addChildWindow(this, ChildWindows::Placement::Centred);
    Edit1->setFocus();
}

bool TLogin::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Edit2 && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            guarded([this, key] { Edit2KeyPress(key); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// Enter in the password edit logs in, as "登录" does.
void TLogin::Edit2KeyPress(QKeyEvent *)
{
    BitBtn1Click();
}

void TLogin::BitBtn1Click()
{
    const QString jobNumber = Edit1->text();
    const QString password = Edit2->text();
    Dataset *q = dm->ADOQuery1;
    q->close();
    q->setSql(QStringLiteral("select * from 用户清单 where 工号=?"), {jobNumber});
    q->open();
    // The row is read by job number and the typed password checked against
    // its hash; a password stored in clear by an older program is compared
    // as it stands and replaced by its hash.
    const QVariant stored = q->isEmpty() ? QVariant() : q->value(QStringLiteral("密码"));
    const bool valid = !stored.isNull() && PasswordHash::verify(stored.toString(), password);
    if (!valid) {
        Dialogs::information(QStringLiteral("用户名或密码不正确，请重新输入！"));
        Edit2->clear();
        Edit2->setFocus();
        return;
    }
    const QString name = q->text(QStringLiteral("姓名")).trimmed();
    const QString department = q->text(QStringLiteral("部门")).trimmed();
    if (!PasswordHash::isHash(stored.toString()))
        dm->ADOConnection1->exec(QStringLiteral("update 用户清单 set 密码=? where 工号=?"),
                                 {PasswordHash::hash(password), jobNumber});
    m_main->loginSucceeded(jobNumber, name, department);
    close();
    // The keyboard goes on in the main window (its menus' access keys included).
    m_main->TreeView1->setFocus();
}

void TLogin::closeEvent(QCloseEvent *event)
{
    FormClose(event);
    QWidget::closeEvent(event);
}

// Closing frees the window, whether by a login or by its close box.
void TLogin::FormClose(QCloseEvent *)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

void TLogin::BitBtn2Click()
{
    Program::end();
}
