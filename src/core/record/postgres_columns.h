#pragma once

#include <QByteArray>
#include <QStringList>

#include <vector>

#include "core/record/postgres_db.h"
#include "core/record/record_entry.h"

// The PostgreSQL statements of the entries, made from the record's one list of columns
// (record_columns.h). A batch is one statement whatever its size: its entries travel as one array
// a column, which unnest() turns back into rows, so a fleet's thousand entries cost one round trip.
// Times are timestamptz, read back in UTC whatever the session's time zone.
namespace Q6::Pg {

// The record's tables; the names say whose they are in a database shared with others.
inline constexpr const char* kEntriesTable = "q6config_entries";
inline constexpr const char* kHoldsTable = "q6config_holds";
inline constexpr const char* kVersionTable = "q6config_schema";

// Every column, in entryColumns()' order, of the entries table as `alias`.
QByteArray selectedColumns(const char* alias);

// Begins the entries, giving their ids.
Query insertQuery(const std::vector<RecordEntry>& entries);

// Carries entries over from an outbox, with their uids and however far they got: an entry whose
// uid is there already is passed over. Nothing is returned.
Query carryEntriesQuery(const std::vector<RecordEntry>& entries);
// Applies the completions (outcome, sent, reason, completed) to the pending entries with their
// uids; those not pending, or not there, are passed over.
Query carryCompletionsQuery(const std::vector<RecordEntry>& completions);

// Completes the entries: every completion's entry, or none when any of them is not pending (or
// named twice). Its affected() is the number completed.
Query completeQuery(const std::vector<RecordCompletion>& completions, const QDateTime& completed);

// The printer's entries, newest first, at most `limit` (all when limit <= 0).
Query historyQuery(const QString& printer, int limit);

// Each printer's entries back to the last reset that may have reached it (at least what
// endsLookBack() needs), by printer and newest first, in one snapshot.
Query statesQuery(const QStringList& printers);

}  // namespace Q6::Pg
