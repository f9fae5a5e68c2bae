#pragma once

#include "platform/data/DataSource.h" // held by a QPointer

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class Dataset;

// What a bound control shares: its data source and field, and a call back
// whenever the value it shows may have changed (another row became current,
// the rows were read again, the row's values changed).
class FieldLink : public QObject
{
    Q_OBJECT
public:
    FieldLink(QObject *parent, std::function<void()> onChange);

    void bind(DataSource *source, const QString &field);
    DataSource *dataSource() const { return m_source; }
    Dataset *dataset() const;
    const QString &field() const { return m_field; }
    bool isBound() const;

    // The field's text in the current row; empty when there is none.
    QString text() const;
    // Hands the user's text to the row (the row enters its edit state).
    // Errors go to the default error display; returns whether it was taken.
    bool setText(const QString &text);
    // Width in GBK bytes of a text field, 0 when unlimited or unknown.
    int width() const;
    bool isUpdating() const { return m_updating; }

private:
    void connectDataset();

    QPointer<DataSource> m_source;
    QString m_field;
    std::function<void()> m_onChange;
    QList<QMetaObject::Connection> m_connections;
    bool m_updating = false;
};
