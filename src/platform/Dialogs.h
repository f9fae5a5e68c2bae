#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

// Every message box of the system goes through here, so that a test can
// record what was shown and answer confirmations without a modal box.
namespace Dialogs {

enum class Kind { Information, Warning, Error, Confirm };
enum class Buttons { Ok, OkCancel, YesNo };

// A plain message with an OK button. An empty title uses the application's.
void information(const QString &text, const QString &title = QString());
void warning(const QString &text, const QString &title = QString());

// A question with a title; true only for OK (or Yes).
bool confirm(const QString &title, const QString &text, Buttons buttons = Buttons::OkCancel);

// The application's default error display.
void showError(const QString &text);

// Asks where to save a file; empty when the user cancels.
QString saveFileName(const QString &title, const QString &suggestedPath, const QString &filter);

struct Message {
    Kind kind;
    QString title;
    QString text;
    Buttons buttons;
};

// Installed by a test: records every message and answers each confirmation
// from its queue of answers (OK when the queue is empty, unless told otherwise).
class Script
{
public:
    Script();
    ~Script();
    Script(const Script &) = delete;
    Script &operator=(const Script &) = delete;

    void answer(bool ok) { m_answers.append(ok); }
    // The next save-file question is answered with this path (cancelled when none is queued).
    void answerFile(const QString &path) { m_files.append(path); }
    void setDefaultAnswer(bool ok) { m_defaultAnswer = ok; }

    const QList<Message> &messages() const { return m_messages; }
    QStringList texts() const;
    QString lastText() const { return m_messages.isEmpty() ? QString() : m_messages.last().text; }
    void clear() { m_messages.clear(); }

private:
    friend bool record(const Message &);
    friend QString saveFileName(const QString &, const QString &, const QString &);
    QList<Message> m_messages;
    QList<bool> m_answers;
    QStringList m_files;
    bool m_defaultAnswer = true;
    Script *m_previous = nullptr;
};

} // namespace Dialogs
