#pragma once

#include <QLineEdit>

class DataSource;
class FieldLink;
class GbkLengthValidator;

// An edit bound to a field of the current row. The user's first change puts
// the row into its edit state; a text field takes no more GBK bytes than its
// column holds.
class DBEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit DBEdit(QWidget *parent = nullptr);
    void setDataSource(DataSource *source, const QString &field);
    QString dataField() const;

private:
    void showValue();

    FieldLink *m_link;
    GbkLengthValidator *m_validator;
};
