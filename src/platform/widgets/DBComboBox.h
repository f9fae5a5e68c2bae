#pragma once

#include <QComboBox>

class DataSource;
class FieldLink;

// An editable combo box bound to a field: choosing an item or typing a text
// changes the field of the current row.
class DBComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit DBComboBox(QWidget *parent = nullptr);
    void setDataSource(DataSource *source, const QString &field);

private:
    void showValue();
    FieldLink *m_link;
    bool m_showing = false;
};
