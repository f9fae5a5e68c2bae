#include "platform/widgets/OverlayDatePicker.h"

#include "platform/data/Format.h"

#include <QFocusEvent>
#include <QLineEdit>

OverlayDatePicker::OverlayDatePicker(QLineEdit *edit) : DateTimePicker(edit->parentWidget()), m_edit(edit)
{
    // Tab passes over it; a click puts the focus into it.
    setFocusPolicy(Qt::ClickFocus);
    hide();
    edit->installEventFilter(this);
}

void OverlayDatePicker::showOverEdit()
{
    setGeometry(m_edit->geometry());
    setValue(QDate::currentDate());
    m_picked = false;
    raise();
    show();
}

void OverlayDatePicker::takeDate(QWidget *next)
{
    m_edit->setText(Format::date(date()));
    m_picked = true;
    // A hidden picker must not keep the keyboard.
    if (hasFocus())
        next->setFocus(Qt::TabFocusReason);
    hide();
}

void OverlayDatePicker::forget()
{
    m_picked = false;
    hide();
}

bool OverlayDatePicker::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit) {
        if (event->type() == QEvent::FocusIn) {
            const auto reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                Q_EMIT editEntered();
        } else if (event->type() == QEvent::Move || event->type() == QEvent::Resize) {
            setGeometry(m_edit->geometry());
        }
    }
    return DateTimePicker::eventFilter(watched, event);
}
