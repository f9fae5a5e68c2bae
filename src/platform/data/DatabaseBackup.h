#pragma once

#include <QString>

#include <functional>

class SqlConnection;

// A consistent copy of an open database, made by the engine while the
// database stays open and in use.
namespace DatabaseBackup {

// Called after each step of the copy with the pages copied so far and the
// pages in all.
using Progress = std::function<void(int done, int total)>;

// Copies the database of `connection` into the new file `targetPath`, a few
// pages at a time, then checks the copy. The copy is a self-contained file
// (no journal beside it) that can replace the original when the program is
// not running. An existing file is never overwritten. Throws DbError; on any
// failure no partial copy is left behind.
void copyTo(const SqlConnection &connection, const QString &targetPath, const Progress &progress = {},
            int pagesPerStep = 8);

// A name in `folder` that no file has yet, for a copy of the database at
// `databasePath`: "<name>-<label>-<yyyyMMdd-HHmmss>.<suffix>", with "-2",
// "-3"... added when two copies fall in the same second.
QString newPath(const QString &databasePath, const QString &folder, const QString &label);

} // namespace DatabaseBackup
