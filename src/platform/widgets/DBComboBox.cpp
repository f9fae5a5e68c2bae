#include "platform/widgets/DBComboBox.h"

#include "platform/widgets/FieldLink.h"
#include "platform/data/DataSource.h"

#include <QLineEdit>

DBComboBox::DBComboBox(QWidget *parent) : QComboBox(parent), m_link(new FieldLink(this, [this] { showValue(); }))
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::currentTextChanged, this, [this](const QString &text) {
        if (!m_showing)
            m_link->setText(text);
    });
}

void DBComboBox::setDataSource(DataSource *source, const QString &field)
{
    m_link->bind(source, field);
}

void DBComboBox::showValue()
{
    const QString value = m_link->text();
    if (value == currentText())
        return;
    m_showing = true;
    const int i = findText(value);
    if (i >= 0)
        setCurrentIndex(i);
    else
        setEditText(value);
    m_showing = false;
}
