#include "shell/TLoginServer.h"

#include "db/NewDatabase.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Named.h"
#include "shell/ShellConfig.h"

#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
TLoginServer::ModalRunner &runner()
{
    static TLoginServer::ModalRunner r;
    return r;
}
} // namespace

TLoginServer::TLoginServer(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("LoginServer"));
    setWindowTitle(QStringLiteral("数据库配置"));
    auto *form = new QFormLayout;
    auto edit = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setMinimumWidth(260);
        return e;
    };
    edit2 = edit("edit2");
    Edit3 = edit("Edit3");
    Edit4 = edit("Edit4"); // shown in clear text, as typed
    // An installed program offers a new user a ledger in the user's data folder.
    edit2->setText(ShellConfig::proposedDatabase());
    form->addRow(QStringLiteral("数据库名称"), edit2);
    form->addRow(QStringLiteral("用户名称"), Edit3);
    form->addRow(QStringLiteral("登录口令"), Edit4);

    Button1 = named(new QPushButton(QStringLiteral("配置"), this), "Button1");
    Button2 = named(new QPushButton(QStringLiteral("取消"), this), "Button2");
    Button1->setAutoDefault(false);
    Button2->setAutoDefault(false);
    onUserAction(Button1, &QPushButton::clicked, this, &TLoginServer::Button1Click);
    onUserAction(Button2, &QPushButton::clicked, this, &TLoginServer::Button2Click);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addSpacing(8);
    layout->addLayout(buttons);
}

void TLoginServer::showModal()
{
    if (runner())
        runner()(*this);
    else
        exec();
}

void TLoginServer::setModalRunner(ModalRunner r) { runner() = std::move(r); }

void TLoginServer::Button1Click()
{
    const ShellConfig::Settings settings{edit2->text().trimmed(), Edit3->text().trimmed(), Edit4->text().trimmed()};
    // The proposed ledger is made on first use, with the supervisor, so that
    // the next start reaches the login window.
    const QString proposed = ShellConfig::proposedDatabase();
    if (!proposed.isEmpty() && QDir::cleanPath(ShellConfig::databaseFile(settings)) == QDir::cleanPath(proposed)
        && !QFileInfo::exists(proposed)) {
        QDir().mkpath(QFileInfo(proposed).absolutePath());
        NewDatabaseOptions options;
        options.databasePassword = settings.password;
        createLedgerDatabase(proposed, options);
    }
    ShellConfig::writeSettings(settings);
    Dialogs::information(QStringLiteral("配置已完成，请重新启动程序"), QStringLiteral("提示"));
    accept();
    Program::end();
}

void TLoginServer::Button2Click()
{
    reject();
    Program::end();
}
