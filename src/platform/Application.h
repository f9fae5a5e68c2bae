#pragma once

#include <QApplication>

#include <functional>

// The application object: Qt's own texts in Chinese; an error that escapes an
// event handler is shown by the default error display and the program goes on.
class Application : public QApplication
{
public:
    Application(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;

    // Sets the fonts and hint pause the whole program uses.
    static void setUpLook();
};

// Runs an action; a DbError or std::exception it throws goes to the default
// error display. For code that Qt calls outside an event (queued slots, models).
bool guarded(const std::function<void()> &action);

// Connects a user action (a click, a menu item, Enter in a search text) to its
// handler through guarded(): an error the handler throws is shown and never
// leaves the slot. Every handler of a user action is connected this way.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection onUserAction(Sender *sender, Signal signal, const QObject *context, Handler handler)
{
    return QObject::connect(sender, signal, context, [handler = std::move(handler)] { guarded(handler); });
}

template <typename Sender, typename SignalOwner, typename... SignalArgs, typename Receiver, typename... Args>
QMetaObject::Connection onUserAction(Sender *sender, void (SignalOwner::*signal)(SignalArgs...), Receiver *receiver,
                                     void (Receiver::*handler)(Args...))
{
    return QObject::connect(sender, signal, receiver, [receiver, handler](Args... args) {
        guarded([&] { (receiver->*handler)(args...); });
    });
}

// Ending the program. Windows call endProgram(); a test installs a handler and
// observes the end instead of the process exiting.
namespace Program {
void end();
void setEndHandler(std::function<void()> handler);
bool hasEnded();
void resetEnded();
} // namespace Program
