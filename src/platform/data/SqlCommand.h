#pragma once

#include "platform/data/Schema.h"

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
        setCommandText(Statement{sql, {}}, params);
    }
    // A statement of a table definition: the values are converted for its columns.
    void setCommandText(const Statement &statement, const QVariantList &params = {})
    {
        m_statement = statement;
        m_params = params;
    }
    QString commandText() const { return m_statement.sql; }
    // Runs it; returns the number of rows changed. Throws DbError.
    int execute();

private:
    SqlConnection *m_connection;
    Statement m_statement;
    QVariantList m_params;
};
