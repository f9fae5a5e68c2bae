#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

class SqlConnection;

// One statement without a result set (CommandText, Execute).
class SqlCommand : public QObject
{
    Q_OBJECT
public:
    explicit SqlCommand(SqlConnection *connection, QObject *parent = nullptr)
        : QObject(parent), m_connection(connection) {}

    void setCommandText(const QString &sql, const QVariantList &params = {})
    {
        m_sql = sql;
        m_params = params;
    }
    QString commandText() const { return m_sql; }
    // Runs it; returns the number of rows changed. Throws DbError.
    int execute();

private:
    SqlConnection *m_connection;
    QString m_sql;
    QVariantList m_params;
};
