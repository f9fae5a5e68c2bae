#include "admin/Tback.h"

#include "db/Tdm.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Named.h"
#include "platform/data/DatabaseBackup.h"
#include "platform/data/DbError.h"
#include "platform/data/SqlConnection.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// The copy fills the bar up to here; the rest is reached only when the copy
// has been checked.
constexpr int kCopiedPercent = 95;
} // namespace

Tback::Tback(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(QStringLiteral("数据备份"));
    setObjectName(QStringLiteral("back"));

    Label1 = named(new QLabel(QStringLiteral("注意："), this), "Label1");
    Label2 = named(new QLabel(QStringLiteral("备份数据存放在数据库文件所在的目录下。"), this), "Label2");
    Button1 = named(new QPushButton(QStringLiteral("开始备份"), this), "Button1");
    Button2 = named(new QPushButton(QStringLiteral("退出备份"), this), "Button2");
    ProgressBar1 = named(new QProgressBar(this), "ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addSpacing(16);
    buttons->addWidget(Button2);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->addSpacing(12);
    layout->addWidget(ProgressBar1);

    onUserAction(Button1, &QPushButton::clicked, this, &Tback::Button1Click);
    onUserAction(Button2, &QPushButton::clicked, this, &Tback::Button2Click);
    setFixedSize(340, 170);
}

// Beside the database: an installed program's folder cannot be written, and a
// restore copies the backup over the database file anyway.
QString Tback::backupFolder() const
{
    if (!m_folder.isEmpty() || !dm)
        return m_folder;
    return QFileInfo(dm->ADOConnection1->filePath()).absolutePath();
}

QString Tback::newBackupPath() const
{
    // A new name each time, so that no earlier backup is overwritten.
    return DatabaseBackup::newPath(dm->ADOConnection1->filePath(), backupFolder(), QStringLiteral("backup"));
}

void Tback::backUp()
{
    const QString into = backupFolder();
    if (!QFileInfo(into).isDir())
        throw DbError(QStringLiteral("备份目录不存在：%1").arg(into));
    const QString path = newBackupPath();
    DatabaseBackup::copyTo(*dm->ADOConnection1, path, [this](int done, int total) {
        ProgressBar1->setValue(total > 0 ? done * kCopiedPercent / total : 0);
        ProgressBar1->repaint();
    });
    m_lastFile = path;
}

void Tback::Button1Click()
{
    ProgressBar1->setValue(ProgressBar1->minimum());
    try {
        backUp();
    } catch (const std::exception &e) {
        qWarning("backup failed: %s", e.what());
        Dialogs::information(QStringLiteral("备份失败，请重新备份一次！"));
        ProgressBar1->setValue(ProgressBar1->minimum());
        return;
    }
    ProgressBar1->setValue(ProgressBar1->maximum());
    ProgressBar1->repaint();
    Dialogs::information(QStringLiteral("数据备份成功，要恢复数据请直接用备份数据覆盖原数据即可"));
    ProgressBar1->setValue(ProgressBar1->minimum());
}

void Tback::Button2Click()
{
    close();
}
