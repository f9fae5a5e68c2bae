#pragma once

#include <QComboBox>

class DataSource;
class FieldLink;

// A drop-down list of the values of a list dataset (the list field shown, the
// key field given). Bound to a field, choosing an item writes its key into the
// current row; unbound, keyValue() tells what was chosen. The list is read
// when the list dataset is bound or read again.
class DBLookupComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit DBLookupComboBox(QWidget *parent = nullptr);
    void setListSource(DataSource *list, const QString &keyField, const QString &listField);
    void setDataSource(DataSource *source, const QString &field);

    // Key of the chosen item; empty when nothing is chosen.
    QString keyValue() const;
    void setKeyValue(const QString &key);

private:
    void readList();
    void showValue();

    DataSource *m_list = nullptr;
    QString m_keyField;
    QString m_listField;
    FieldLink *m_link;
    bool m_showing = false;
};
