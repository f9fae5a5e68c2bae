#pragma once

#include "platform/data/Schema.h"
#include "platform/data/SqlDialect.h"

#include <QObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <memory>

// The one connection to the database file. Statements run with their values
// bound as parameters; an error becomes a DbError worded for the user.
class SqlConnection : public QObject
{
    Q_OBJECT
public:
    explicit SqlConnection(QObject *parent = nullptr);
    ~SqlConnection() override;

    // Opens an existing database file; never creates one, and writes nothing
    // to it until prepareForWriting(). Throws DbError.
    void open(const QString &filePath);
    // Sets an opened file up for the program's writes (its crash-safe
    // journal). Called once the file is known to be the wanted database.
    void prepareForWriting();
    // Creates a new, empty database file (refuses to overwrite). Throws DbError.
    void create(const QString &filePath);
    void close();
    bool isOpen() const;
    QString filePath() const { return m_path; }

    void setSchema(const Schema *schema) { m_schema = schema; }
    const Schema *schema() const { return m_schema; }
    const SqlDialect &dialect() const { return *m_dialect; }
    QSqlDatabase database() const;

    // Runs one statement with its values bound as they are. Throws DbError.
    QSqlQuery exec(const QString &sql, const QVariantList &params = {}) const;
    // Runs a statement of a table definition: each value is checked and
    // converted for its column first. Throws DbError.
    QSqlQuery exec(const Statement &statement, const QVariantList &params) const;
    // First column of the first row, or a null value when there is none.
    QVariant scalar(const QString &sql, const QVariantList &params = {}) const;

private:
    QString m_name;
    QString m_path;
    const Schema *m_schema = nullptr;
    std::unique_ptr<SqlDialect> m_dialect;
};

// A write transaction as a scope: BEGIN IMMEDIATE at construction, COMMIT by
// commit(), ROLLBACK when it ends uncommitted (an exception passed).
class Transaction
{
public:
    explicit Transaction(const SqlConnection &connection);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    void commit();

private:
    const SqlConnection &m_connection;
    bool m_done = false;
};

// The user's wording of a database error, from what was being done.
QString describeSqlError(const QString &engineText);
