#include "platform/widgets/DBLookupComboBox.h"

#include "platform/data/DataSource.h"
#include "platform/data/Dataset.h"
#include "platform/widgets/FieldLink.h"

DBLookupComboBox::DBLookupComboBox(QWidget *parent)
    : QComboBox(parent), m_link(new FieldLink(this, [this] { showValue(); }))
{
    setEditable(false);
    setMaxVisibleItems(20);
    connect(this, &QComboBox::activated, this, [this](int) {
        if (!m_showing && !m_link->field().isEmpty())
            m_link->setText(keyValue());
    });
}

void DBLookupComboBox::setListSource(DataSource *list, const QString &keyField, const QString &listField)
{
    m_list = list;
    m_keyField = keyField;
    m_listField = listField;
    if (list && list->dataset())
        connect(list->dataset(), &Dataset::reset, this, &DBLookupComboBox::readList);
    readList();
}

void DBLookupComboBox::setDataSource(DataSource *source, const QString &field)
{
    m_link->bind(source, field);
}

void DBLookupComboBox::readList()
{
    const QString chosen = keyValue();
    m_showing = true;
    clear();
    Dataset *ds = m_list ? m_list->dataset() : nullptr;
    if (ds && ds->isOpen()) {
        const int key = ds->fieldIndex(m_keyField);
        const int shown = ds->fieldIndex(m_listField);
        for (int row = 0; row < ds->recordCount(); ++row)
            addItem(ds->text(row, shown), ds->text(row, key));
    }
    setCurrentIndex(findData(chosen));
    m_showing = false;
    showValue();
}

QString DBLookupComboBox::keyValue() const
{
    return currentIndex() >= 0 ? currentData().toString() : QString();
}

void DBLookupComboBox::setKeyValue(const QString &key)
{
    setCurrentIndex(findData(key));
}

void DBLookupComboBox::showValue()
{
    if (m_link->field().isEmpty())
        return;
    m_showing = true;
    setCurrentIndex(findData(m_link->text()));
    m_showing = false;
}
