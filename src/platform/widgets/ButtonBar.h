#pragma once

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

    // A thin line between groups of buttons.
    void addSeparator();

private:
    QHBoxLayout *m_row;
};
