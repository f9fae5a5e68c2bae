#include "platform/data/SqlCommand.h"

#include "platform/data/SqlConnection.h"

int SqlCommand::execute()
{
    QSqlQuery q = m_connection->exec(m_statement, m_params);
    return q.numRowsAffected();
}
