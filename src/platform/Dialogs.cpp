#include "platform/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace Dialogs {
namespace {
Script *g_script = nullptr;

QWidget *parentWindow()
{
    return QApplication::activeWindow();
}

QString titleOr(const QString &title)
{
    return title.isEmpty() ? QApplication::applicationDisplayName() : title;
}
} // namespace

// Records a message in the installed script and returns its answer (true for
// a message that asks nothing). Only called while a script is installed.
bool record(const Message &m)
{
    g_script->m_messages.append(m);
    if (m.kind != Kind::Confirm)
        return true;
    if (!g_script->m_answers.isEmpty())
        return g_script->m_answers.takeFirst();
    return g_script->m_defaultAnswer;
}

Script::Script() : m_previous(g_script) { g_script = this; }
Script::~Script() { g_script = m_previous; }

QStringList Script::texts() const
{
    QStringList list;
    for (const Message &m : m_messages)
        list << m.text;
    return list;
}

static void plain(Kind kind, const QString &text, const QString &title)
{
    if (g_script) {
        record({kind, title, text, Buttons::Ok});
        return;
    }
    const QMessageBox::Icon icon = kind == Kind::Information ? QMessageBox::Information
                                   : kind == Kind::Warning   ? QMessageBox::Warning
                                                             : QMessageBox::Critical;
    QMessageBox box(icon, titleOr(title), text, QMessageBox::Ok, parentWindow());
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}

void information(const QString &text, const QString &title) { plain(Kind::Information, text, title); }
void warning(const QString &text, const QString &title) { plain(Kind::Warning, text, title); }
void showError(const QString &text) { plain(Kind::Error, text, QString()); }

bool confirm(const QString &title, const QString &text, Buttons buttons)
{
    if (g_script)
        return record({Kind::Confirm, title, text, buttons});
    QMessageBox box(QMessageBox::Question, titleOr(title), text, QMessageBox::NoButton, parentWindow());
    QAbstractButton *yes = nullptr;
    if (buttons == Buttons::YesNo) {
        yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
        box.setDefaultButton(static_cast<QPushButton *>(yes));
        box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
    } else {
        yes = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
        box.setDefaultButton(static_cast<QPushButton *>(yes));
        box.setEscapeButton(box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole));
    }
    box.exec();
    return box.clickedButton() == yes;
}

QString saveFileName(const QString &title, const QString &suggestedPath, const QString &filter)
{
    if (g_script)
        return g_script->m_files.isEmpty() ? QString() : g_script->m_files.takeFirst();
    return QFileDialog::getSaveFileName(parentWindow(), title, suggestedPath, filter, nullptr,
                                        QFileDialog::DontUseNativeDialog);
}

} // namespace Dialogs
