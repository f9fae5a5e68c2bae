#pragma once

#include "platform/Icons.h"

#include <QFrame>
#include <QIcon>
#include <QString>

#include <functional>

class QHBoxLayout;
class QPushButton;

// A row of flat buttons across the top of a window. Unlike a QToolBar it never
// folds a button into an overflow menu, and its buttons take the focus when
// clicked: a grid that loses the focus settles a new row nobody touched before
// the button's handler runs.
class ButtonBar : public QFrame
{
    Q_OBJECT
public:
    explicit ButtonBar(QWidget *parent = nullptr);

    // Adds a button after the last one. The handler runs through guarded(), so
    // an error it throws is shown and the program goes on.
    QPushButton *addButton(const QString &name, const QString &caption, const QIcon &icon,
                           std::function<void()> handler);

    template <typename Receiver>
    QPushButton *addButton(const QString &name, const QString &caption, const QIcon &icon, Receiver *receiver,
                           void (Receiver::*handler)())
    {
        return addButton(name, caption, icon, [receiver, handler] { (receiver->*handler)(); });
    }

    // A button with one of the program's own icons (by file name).
    template <typename Receiver>
    QPushButton *addButton(const char *name, const char *caption, const char *icon, Receiver *receiver,
                           void (Receiver::*handler)())
    {
        return addButton(QString::fromLatin1(name), QString::fromUtf8(caption), ownIcon(icon), receiver, handler);
    }

    // The record-navigation buttons every list window starts with, BitBtn2 to
    // BitBtn5 ("首记录", "上记录", "下记录", "尾记录"), and a divider after them.
    struct Navigation {
        QPushButton *first, *prior, *next, *last;
    };
    template <typename Receiver>
    Navigation addNavigation(Receiver *receiver, void (Receiver::*first)(), void (Receiver::*prior)(),
                             void (Receiver::*next)(), void (Receiver::*last)())
    {
        Navigation n{addButton("BitBtn2", "首记录", "first", receiver, first),
                     addButton("BitBtn3", "上记录", "prior", receiver, prior),
                     addButton("BitBtn4", "下记录", "next", receiver, next),
                     addButton("BitBtn5", "尾记录", "last", receiver, last)};
        addSeparator();
        return n;
    }

    // A thin line between groups of buttons.
    void addSeparator();

private:
    QHBoxLayout *m_row;
};
