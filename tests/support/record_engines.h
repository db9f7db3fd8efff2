#pragma once

#include <QString>
#include <QTemporaryDir>

#include <vector>

// The printer record's engines, for tables that run against each: a file (SQLite) and a database
// on the tests' own PostgreSQL server (postgres_server.h).
namespace Q6Test {

enum class RecordEngine { Sqlite, Postgres };

const char* engineName(RecordEngine engine);

// The engines a table runs against. PostgreSQL is left out, `leftOut` saying why, only where it is
// not installed; a server that is installed and does not start fails the calling test.
std::vector<RecordEngine> recordEngines(QString* leftOut);

// Where a new record goes: a file in `dir`, or a new database of its own on the server. Empty, the
// calling test failed, when no database could be made.
QString newRecordLocation(RecordEngine engine, const QTemporaryDir& dir);

// What the record's own database answers to `sql` (its first value), apart from this program's
// reading of it; "ERROR: ..." when it cannot answer.
QString askRecordDatabase(RecordEngine engine, const QString& location, const QString& sql);

// The entries table, as each engine names it.
QString entriesTable(RecordEngine engine);

}  // namespace Q6Test
