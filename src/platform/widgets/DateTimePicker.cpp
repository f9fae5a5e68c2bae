#include "platform/widgets/DateTimePicker.h"

DateTimePicker::DateTimePicker(QWidget *parent) : QDateEdit(parent)
{
    setCalendarPopup(true);
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
