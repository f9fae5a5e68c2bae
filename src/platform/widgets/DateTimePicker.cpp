#include "platform/widgets/DateTimePicker.h"

DateTimePicker::DateTimePicker(QWidget *parent) : QDateEdit(parent)
{
    setCalendarPopup(true);
    // With a calendar pop-up, Qt 6.4 takes a click into the text for a click
    // on the spin-down arrow and moves the date; the pop-up arrow stays.
    setButtonSymbols(QAbstractSpinBox::NoButtons);
    setDisplayFormat(QStringLiteral("yyyy/M/d"));
    setDate(QDate::currentDate());
    connect(this, &QDateEdit::dateChanged, this, [this](const QDate &d) {
        if (!m_setting)
            Q_EMIT userChanged(d);
    });
}

void DateTimePicker::setValue(const QDate &date)
{
    m_setting = true;
    setDate(date);
    m_setting = false;
}
