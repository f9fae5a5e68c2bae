#pragma once

#include "db/NewDatabase.h"
#include "db/Tdm.h"

#include <QTemporaryDir>
#include <QVariant>

#include <memory>

// The fifteen rights of the ledger, in the order the rights window lists them.
const QStringList &ledgerRights();
// A ledger as kadero-newdb delivers it: the supervisor holds every right.
NewDatabaseOptions deliveredLedger();

// A fresh ledger database in a temporary folder, opened by a data module
// (so `dm` points at it) for the life of the object.
class TestDb
{
public:
    explicit TestDb(const NewDatabaseOptions &options = deliveredLedger());
    ~TestDb();

    QString path() const { return m_path; }
    QString dir() const { return m_dir.path(); }
    Tdm *dm() const { return m_dm.get(); }
    SqlConnection *connection() const { return m_dm->ADOConnection1; }

    // Runs a statement with bound values (seeding and checking).
    void exec(const QString &sql, const QVariantList &params = {}) const;
    QVariant scalar(const QString &sql, const QVariantList &params = {}) const;
    int count(const QString &table, const QString &where = QString(), const QVariantList &params = {}) const;
    // Rows of a query, each row's values joined by "|" (nulls as "<null>").
    QStringList rows(const QString &sql, const QVariantList &params = {}) const;
    // Adds a row by position, its values converted for their columns as the program does.
    void insert(const QString &table, const QVariantList &values) const;
    // Ends as the program ends: the data module goes, the files stay.
    void end() { m_dm.reset(); }

private:
    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<Tdm> m_dm;
};

// Makes the database file `path` from an SQL dump in the source tree (a path
// under tests/), as the sqlite3 command reads it, and leaves it with a
// write-ahead log like a ledger in use.
void databaseFromDump(const QString &dump, const QString &path);

// Rows of a query, each row's values joined by "|" (nulls as "<null>").
QStringList queryRows(const SqlConnection &connection, const QString &sql, const QVariantList &params = {});
// Every row of every ledger table with its row id, in stored order, as text.
QStringList ledgerRows(const SqlConnection &connection);
