#include "admin/TPwd.h"

#include "admin/HashEcho.h"
#include "db/Session.h"
#include "db/Tdm.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Named.h"
#include "platform/PasswordHash.h"
#include "platform/data/Dataset.h"
#include "platform/data/SqlCommand.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A small key drawn here, shown before each password row.
QPixmap keyPicture(const QColor &colour)
{
    const qreal ratio = 2.0;
    QPixmap pixmap(QSize(20, 20) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour.darker(150), 1.2));
    p.setBrush(colour);
    p.drawEllipse(QRectF(2, 5, 9, 9));
    QPainterPath shaft;
    shaft.addRect(QRectF(10, 8.5, 8, 2.5));
    shaft.addRect(QRectF(14, 11, 1.8, 3));
    shaft.addRect(QRectF(16.5, 11, 1.8, 2.2));
    p.drawPath(shaft.simplified());
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(4.5, 8, 3, 3));
    return pixmap;
}

} // namespace

TPwd::TPwd(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("修改密码"));
    setObjectName(QStringLiteral("Pwd"));

    auto *grid = new QGridLayout;
    auto row = [&](int i, const QString &caption, const QColor &colour, QLabel *&image) {
        image = new QLabel(this);
        image->setObjectName(QStringLiteral("Image%1").arg(i + 1));
        image->setPixmap(keyPicture(colour));
        auto *label = new QLabel(caption, this);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        showHashes(edit);
        label->setBuddy(edit);
        grid->addWidget(image, i, 0);
        grid->addWidget(label, i, 1);
        grid->addWidget(edit, i, 2);
        return edit;
    };
    Edit1 = row(0, QStringLiteral("原  密  码"), QColor(0x9a, 0x9a, 0x9a), Image1);
    Edit2 = row(1, QStringLiteral("新密码"), QColor(0xe0, 0xb0, 0x30), Image2);
    Edit3 = row(2, QStringLiteral("确认新密码"), QColor(0xe0, 0xb0, 0x30), Image3);
    grid->setColumnStretch(2, 1);

    BitBtn1 = named(new QPushButton(QStringLiteral("确认"), this), "BitBtn1");
    BitBtn2 = named(new QPushButton(QStringLiteral("取消"), this), "BitBtn2");
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, Edit3);
    setTabOrder(Edit3, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);

    ADOQuery1 = named(new Dataset(dm->ADOConnection1, this), "ADOQuery1");
    ADOCommand1 = named(new SqlCommand(dm->ADOConnection1, this), "ADOCommand1");

    onUserAction(BitBtn1, &QPushButton::clicked, this, &TPwd::BitBtn1Click);
    onUserAction(BitBtn2, &QPushButton::clicked, this, &TPwd::BitBtn2Click);
    resize(320, 170);
}

void TPwd::BitBtn1Click()
{
    const QString name = Session::userName();
    // The stored password is a hash: the row is read by name and the typed
    // password verified against it. The login keeps the name without blanks
    // around it, so a name stored with blanks is found too; a row whose name
    // is exactly the user's comes first.
    ADOQuery1->close();
    ADOQuery1->setSql(QStringLiteral("select * from 用户清单 where trim(姓名)=? order by 姓名<>?"), {name, name});
    ADOQuery1->open();
    const bool known = !ADOQuery1->isEmpty();
    if (!known || !PasswordHash::verify(ADOQuery1->text(QStringLiteral("密码")), Edit1->text())) {
        Dialogs::information(QStringLiteral("原密码输入不正确，请重新输入！"));
        Edit1->clear();
        Edit1->setFocus();
        return;
    }
    if (Edit2->text() != Edit3->text()) {
        Dialogs::information(QStringLiteral("您两次输入的新密码不一致，请重新输入！"));
        Edit2->clear();
        Edit3->clear();
        Edit2->setFocus();
        return;
    }
    // Names are unique as stored: the update changes that one row.
    ADOCommand1->setCommandText(QStringLiteral("update 用户清单 set 密码=? where 姓名=?"),
                                {PasswordHash::hash(Edit2->text()), ADOQuery1->value(QStringLiteral("姓名"))});
    ADOCommand1->execute();
    Dialogs::information(QStringLiteral("密码修改成功，请记住您的新密码!"));
    close();
}

void TPwd::BitBtn2Click()
{
    close();
}
