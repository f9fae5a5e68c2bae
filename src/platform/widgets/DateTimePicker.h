#pragma once

#include <QDateEdit>

// A date picker with a drop-down calendar, showing the short date format.
// userChanged is emitted only for changes by the user, never for a date the
// program sets with setValue.
class DateTimePicker : public QDateEdit
{
    Q_OBJECT
public:
    explicit DateTimePicker(QWidget *parent = nullptr);
    void setValue(const QDate &date);

Q_SIGNALS:
    void userChanged(const QDate &date);

private:
    bool m_setting = false;
};
