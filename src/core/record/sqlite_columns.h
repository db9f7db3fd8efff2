#pragma once

#include <QByteArray>

#include <vector>

#include "core/record/record_columns.h"
#include "core/record/sqlite_db.h"

// The SQLite statements of the entries table, made from the record's one list of columns
// (record_columns.h). A record made by 1.8.0 must open unchanged: these statements read and write
// the table exactly as it made it.
namespace Q6::Sqlite {

using Record::kAtBegin;
using Record::kAtComplete;

// "id, time, user, ..." for a SELECT: every column, or those with any of `use`.
QByteArray selectedColumns(unsigned use = Record::kEveryColumn);
// "INSERT INTO entries (...) VALUES (?, ..., 'pending'), ... RETURNING id" for `rows` entries.
QByteArray insertStatement(int rows);
// Parameters one begun entry takes in the INSERT.
int insertParameters();
// "UPDATE entries SET outcome = ?, ... WHERE id BETWEEN ? AND ? AND outcome = 'pending'": the
// completed columns first, then the first and last id.
QByteArray completeStatement();
int completeParameters();

// Binds entries' columns of one use, converting a column again only when it differs from the entry
// bound before it: a fleet's entries share every column but the printer.
class EntryBinder {
 public:
  explicit EntryBinder(unsigned use);
  // Binds from parameter `first` on; returns the first failure.
  Status bind(Statement& statement, int first, const RecordEntry& entry);

 private:
  std::vector<const Record::Column*> columns_;
  std::vector<QByteArray> text_;
  RecordEntry last_;
  bool any_ = false;
};

}  // namespace Q6::Sqlite
