#pragma once

#include <QString>

// Creates a ledger database file with the rows expected at first start: the
// reminder lead days, the supervisor "admin" (系统主管) with all fifteen
// rights and its first password hashed. With demo, a small living ledger.
struct NewDatabaseOptions {
    QString databasePassword;      // empty: the database opens with an empty password
    QString supervisorPassword = QStringLiteral("kadero");
    bool demo = false;
};

// Throws DbError when the file exists or cannot be written.
void createLedgerDatabase(const QString &path, const NewDatabaseOptions &options = {});
