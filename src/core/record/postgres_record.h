#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <span>
#include <vector>

#include "core/record/printer_record.h"
#include "core/record/record_columns.h"

// The record on a PostgreSQL server, shared by every machine that sets printers up: one
// connection per open record, kept for its life, whose session holds the printers this record
// holds. The schema is made and brought up to date by the program when its role may, one step at
// a time under an advisory lock, with its version in a table of its own; a role that may only read
// and write the entries works once the schema is there (postgresRecordGrants()).
//
// Supported: a direct connection, or a pooler in session mode. A pooler in transaction mode
// (PgBouncer's pool_mode = transaction) hands a session to another client between statements:
// the printers' session locks would be held by, and freed with, whichever client had it, so a
// record behind one holds nothing it can rely on.
namespace Q6 {

namespace Pg {
class Connection;
}

// The schema this program writes; older ones are brought up to it, newer ones refused untouched.
inline constexpr int kPostgresRecordVersion = 2;
std::span<const SchemaStep> postgresSchemaSteps();

// What a role that only reads and writes the record needs once the schema is there, as GRANT
// statements for the schema's owner to run ("public" is the schema the tables are in), and the
// question that role asks to see that it has it: it answers "t".
//   GRANT USAGE ON SCHEMA public TO q6writer;
//   GRANT SELECT ON q6config_schema TO q6writer;
//   GRANT SELECT, INSERT, UPDATE ON q6config_entries, q6config_holds TO q6writer;
//   psql "postgresql://q6writer@db.example/q6" -Atc "SELECT ..." (postgresRecordCheck()) -> t
// A role that may only look at the record needs USAGE and SELECT on the three alone. Nothing is
// ever deleted: no role needs DELETE.
QStringList postgresRecordGrants(const QString& role,
                                 const QString& schema = QStringLiteral("public"));
QString postgresRecordCheck();

// What a record on a server takes from a machine's outbox (outbox_record.h), in one transaction:
// the entries, each stored unless one with its uid is there already, and the completions, each
// applied to the entry with its uid while that entry is pending. Carried again, the same ones
// change nothing.
class CarriedOver {
 public:
  // How many of the entries were not there yet.
  virtual RecordResult<qint64> carry(const std::vector<RecordEntry>& entries,
                                     const std::vector<RecordEntry>& completions) = 0;

 protected:
  ~CarriedOver() = default;
};

// PrinterRecord::open for a postgresql:// or postgres:// URI (postgres_schema.cpp).
RecordResult<std::unique_ptr<PrinterRecord>> openPostgresRecord(const QString& location,
                                                                RecordAccess access);

// The record on a connection whose schema was checked and brought up to date; `empty` when it was
// opened for reading before anything was recorded. `shown` is the location with its password
// masked.
std::unique_ptr<PrinterRecord> postgresRecordOn(QString shown, std::unique_ptr<Pg::Connection> db,
                                                bool readOnly, bool empty);

}  // namespace Q6
