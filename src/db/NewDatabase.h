#pragma once

#include <QString>

#include <QStringList>

// Creates a ledger database file with the rows expected at first start: the
// reminder lead days, the supervisor "admin" (系统主管) with its rights and
// its first password hashed. With demo, a small living ledger.
struct NewDatabaseOptions {
    QString databasePassword;      // empty: the database opens with an empty password
    QString supervisorPassword = QStringLiteral("kadero");
    bool demo = false;
    // Stored in this order. The program's commands define the rights, so
    // kadero-newdb gives the supervisor every right of the command table.
    QStringList supervisorRights;
};

// Throws DbError when the file exists or cannot be written.
void createLedgerDatabase(const QString &path, const NewDatabaseOptions &options = {});
