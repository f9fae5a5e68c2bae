#include "ShellFixture.h"

#include "platform/Application.h"
#include "platform/PasswordHash.h"
#include "platform/IniFile.h"
#include "shell/ShellConfig.h"
#include "shell/TLogin.h"
#include "shell/TMain.h"
#include "support/Gui.h"

#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

void writeKdIni(const QString &dir, const QString &database, const QString &password, const QString &user)
{
    IniFile ini(dir + QStringLiteral("/KD.ini"));
    ini.writeString(QStringLiteral("KD"), QStringLiteral("database"), database);
    ini.writeString(QStringLiteral("KD"), QStringLiteral("user"), user);
    ini.writeString(QStringLiteral("KD"), QStringLiteral("password"), password);
}

Shell::Shell()
{
    writeKdIni(configDir.path(), db.path(), QString());
    ShellConfig::setDirectory(configDir.path());
    main = std::make_unique<TMain>();
    login = new TLogin(main.get());
    main->show();
    if (!QTest::qWaitForWindowExposed(main.get()))
        qWarning("main window not exposed");
    QApplication::processEvents();
}

Shell::~Shell()
{
    main.reset();
    ShellConfig::setDirectory(QString());
}

QAction *Shell::item(const QString &name) const
{
    return Gui::find<QAction>(main.get(), qPrintable(name));
}

void Shell::addUser(const QString &jobNumber, const QString &name, const QString &department, const QString &password,
                    const QStringList &rights) const
{
    db.insert(QStringLiteral("用户清单"), {jobNumber, department, name, QStringLiteral("男"), PasswordHash::hash(password)});
    for (const QString &r : rights)
        db.insert(QStringLiteral("权限清单"), {jobNumber, r});
}

void Shell::logIn(const QString &jobNumber, const QString &password)
{
    Gui::retype(login->Edit1, jobNumber);
    Gui::retype(login->Edit2, password);
    Gui::click(login->BitBtn1);
}

int Shell::logRows(const QString &action) const
{
    return action.isEmpty() ? db.count(QStringLiteral("日志"))
                            : db.count(QStringLiteral("日志"), QStringLiteral("动作=?"), {action});
}

static QStringList entries(const QList<QAction *> &actions)
{
    QStringList out;
    for (QAction *a : actions)
        if (a->isVisible())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

QStringList visibleEntries(QMenuBar *bar) { return entries(bar->actions()); }
QStringList visibleEntries(QMenu *menu) { return entries(menu->actions()); }

namespace {
bool g_ended = false;
}

EndRecorder::EndRecorder()
{
    g_ended = false;
    Program::resetEnded();
    Program::setEndHandler([] { g_ended = true; });
}

EndRecorder::~EndRecorder()
{
    Program::setEndHandler({});
    Program::resetEnded();
}

bool EndRecorder::ended() const { return g_ended; }

void Shell::clickNode(const QString &text)
{
    QTreeWidget *tree = main->TreeView1;
    tree->expandAll();
    const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    if (found.isEmpty())
        qFatal("no node %s", qPrintable(text));
    tree->scrollToItem(found.first());
    QApplication::processEvents();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, tree->visualItemRect(found.first()).center());
    QApplication::processEvents();
}
