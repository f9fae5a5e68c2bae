#pragma once

#include <QApplication>
#include <QComboBox>
#include <QTest>

// Chooses an item of a drop-down list with the arrow keys, as a user does
// (each step is a choice of the user, like a click in the open list).
inline bool chooseItem(QComboBox *combo, const QString &text)
{
    const int target = combo->findText(text);
    if (target < 0)
        return false;
    combo->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    while (combo->currentIndex() != target) {
        const int before = combo->currentIndex();
        QTest::keyClick(combo, combo->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
        QApplication::processEvents();
        if (combo->currentIndex() == before)
            return false;
    }
    return true;
}
