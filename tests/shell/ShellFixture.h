#pragma once

#include "support/TestDb.h"

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class TMain;
class TLogin;
class QAction;
class QMenu;
class QMenuBar;

// Ends of the program are observed instead of performed.
struct EndRecorder {
    EndRecorder();
    ~EndRecorder();
    bool ended() const;
};

// A main window started the way the program starts it: KD.ini in a temporary
// folder naming a fresh ledger database, the login window inside, shown.
class Shell
{
public:
    Shell();
    ~Shell();

    EndRecorder ends;
    TestDb db;
    QTemporaryDir configDir;
    std::unique_ptr<TMain> main;
    TLogin *login = nullptr;

    // A menu item of the main window by its component name.
    QAction *item(const QString &name) const;

    void addUser(const QString &jobNumber, const QString &name, const QString &department, const QString &password,
                 const QStringList &rights = {}) const;
    // Types both values into the login window and clicks "登录".
    void logIn(const QString &jobNumber, const QString &password);
    int logRows(const QString &action = QString()) const;
    // A mouse click on the tree node with this text (the tree expanded first).
    void clickNode(const QString &text);
};

// Writes KD.ini with the three keys in the given folder.
void writeKdIni(const QString &dir, const QString &database, const QString &password, const QString &user = {});

// Visible entries of a menu bar or menu: texts, "-" for a separator.
QStringList visibleEntries(QMenuBar *bar);
QStringList visibleEntries(QMenu *menu);

