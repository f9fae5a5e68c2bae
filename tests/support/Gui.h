#pragma once

#include <QAbstractItemView>
#include <QString>
#include <QWidget>

// Driving widgets as a user would.
namespace Gui {

// Types a text into the focused-or-given widget: ASCII by key presses, other
// characters by an input method commit (QTest::keyClicks aborts on hanzi).
void typeText(QWidget *widget, const QString &text);
// Selects all of an edit's text and types over it.
void retype(QWidget *edit, const QString &text);
void click(QWidget *button);
void pressEnter(QWidget *widget);
// A mouse click in the middle of a cell of a grid.
void clickCell(QAbstractItemView *view, int row, int column);
// A click on the cell that is already selected, which opens its editor in an
// editable grid; waits past the double-click interval on both sides, as the
// view only starts editing once no double click can follow.
void clickSelectedCell(QAbstractItemView *view, int row, int column);
// Sets the focus and processes the events it causes.
void focus(QWidget *widget);

template <typename T>
T *find(QObject *parent, const char *name)
{
    T *w = parent->findChild<T *>(QString::fromLatin1(name));
    if (!w)
        qFatal("no child %s", name);
    return w;
}

} // namespace Gui
