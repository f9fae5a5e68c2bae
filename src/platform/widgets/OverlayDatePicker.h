#pragma once

#include "platform/widgets/DateTimePicker.h"

class QLineEdit;

// A date picker that lies over a date edit, outside any layout: entering the
// edit brings it up (set to today) for the user to pick a date with its
// calendar or the keyboard; the picked date goes into the edit in the short
// date format and the picker goes away. It remembers whether a date was
// picked since it came up, so that only a date somebody chose is stored.
class OverlayDatePicker : public DateTimePicker
{
    Q_OBJECT
public:
    // Made in the edit's parent; hidden until shown over the edit.
    explicit OverlayDatePicker(QLineEdit *edit);

    // Comes up over the edit, set to today, with no date picked yet.
    void showOverEdit();
    // Writes the date into the edit and goes away; when it had the keyboard,
    // the keyboard goes on to `next`, as Tab would take it there.
    void takeDate(QWidget *next);
    bool isPicked() const { return m_picked; }
    // Goes away and forgets a picked date.
    void forget();

Q_SIGNALS:
    // The user entered the edit (not by coming back to the window or out of a pop-up).
    void editEntered();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_edit;
    bool m_picked = false;
};
