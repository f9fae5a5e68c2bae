#pragma once

#include "platform/data/DbError.h"

#include <QList>
#include <QString>

#include <functional>

class Schema;
class SqlConnection;

// A database keeps the number of its schema's version. A program upgrades an
// older database one step at a time to its own version and refuses a newer
// one. Each change of the schema adds one step.

// What a step may change, each done the engine's way.
class SchemaEditor
{
public:
    SchemaEditor(const SqlConnection &connection, const Schema &schema);

    const SqlConnection &connection() const { return m_connection; }

    // Gives the table the structure that the schema declares for it now
    // (columns, how they compare, checks, its indexes) and keeps its rows and
    // their row ids. Columns are matched by name; a new column starts empty.
    void rebuildTable(const QString &table);
    // Creates the declared indexes that the database does not have yet.
    void createMissingIndexes();

private:
    void createIndex(const QString &sql, const QString &table, const QStringList &columns, bool unique);

    const SqlConnection &m_connection;
    const Schema &m_schema;
};

// The step that turns the version before into `version`.
struct SchemaStep {
    int version;
    std::function<void(SchemaEditor &)> apply;
};

// A database that is newer than the program, or whose upgrade failed; either
// way it was left as it was.
class SchemaVersionError : public DbError
{
public:
    using DbError::DbError;
};

// The version of an open database and its upgrade to the program's version,
// the last step's (1 without steps). A database that never stored a version
// is version 1.
class SchemaUpgrade
{
public:
    // Reads the stored version; throws SchemaVersionError for a database newer
    // than the program. Nothing is written.
    SchemaUpgrade(const SqlConnection &connection, const Schema &schema, const QList<SchemaStep> &steps);

    int storedVersion() const { return m_stored; }
    int currentVersion() const { return m_current; }

    // For an older database: writes a verified backup beside it, then runs the
    // missing steps and stores the new version in one transaction. Returns
    // what to tell the user, or an empty text when nothing was needed. Throws
    // SchemaVersionError; a failed upgrade leaves the database as it was and
    // removes its backup.
    QString run() const;

    static int versionOf(const QList<SchemaStep> &steps) { return steps.isEmpty() ? 1 : steps.last().version; }

private:
    const SqlConnection &m_connection;
    const Schema &m_schema;
    QList<SchemaStep> m_steps;
    int m_stored = 1;
    int m_current = 1;
};
