#include "support/Gui.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

namespace Gui {

void typeText(QWidget *widget, const QString &text)
{
    QString ascii;
    auto flush = [&] {
        if (!ascii.isEmpty())
            QTest::keyClicks(widget, ascii);
        ascii.clear();
    };
    for (const QChar ch : text) {
        if (ch.unicode() < 0x80) {
            ascii += ch;
            continue;
        }
        flush();
        QInputMethodEvent commit;
        commit.setCommitString(QString(ch));
        QApplication::sendEvent(widget, &commit);
    }
    flush();
    QApplication::processEvents();
}

void retype(QWidget *edit, const QString &text)
{
    focus(edit);
    if (auto *line = qobject_cast<QLineEdit *>(edit))
        line->selectAll();
    else
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        typeText(edit, text);
}

void click(QWidget *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
    QApplication::processEvents();
}

void pressEnter(QWidget *widget)
{
    QTest::keyClick(widget, Qt::Key_Return);
    QApplication::processEvents();
}

void clickCell(QAbstractItemView *view, int row, int column)
{
    const QRect r = view->visualRect(view->model()->index(row, column));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    QApplication::processEvents();
}

void clickSelectedCell(QAbstractItemView *view, int row, int column)
{
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    clickCell(view, row, column);
    QTest::qWait(QApplication::doubleClickInterval() + 50);
}

void focus(QWidget *widget)
{
    widget->activateWindow();
    widget->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
}

} // namespace Gui
