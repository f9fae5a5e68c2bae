#include "platform/widgets/DBEdit.h"

#include "platform/widgets/FieldLink.h"
#include "platform/data/DataSource.h"
#include "platform/widgets/GbkLengthValidator.h"

DBEdit::DBEdit(QWidget *parent)
    : QLineEdit(parent), m_link(new FieldLink(this, [this] { showValue(); })),
      m_validator(new GbkLengthValidator(0, this))
{
    setValidator(m_validator);
    // Any change but our own display of the row reaches the row, also a text
    // that the window puts into the edit.
    connect(this, &QLineEdit::textChanged, this, [this](const QString &text) { m_link->setText(text); });
}

void DBEdit::setDataSource(DataSource *source, const QString &field)
{
    m_link->bind(source, field);
}

QString DBEdit::dataField() const
{
    return m_link->field();
}

void DBEdit::showValue()
{
    m_validator->setMaxBytes(m_link->width());
    const QString value = m_link->text();
    if (value != text()) {
        const bool wasBlocked = blockSignals(true);
        setText(value);
        blockSignals(wasBlocked);
    }
}
