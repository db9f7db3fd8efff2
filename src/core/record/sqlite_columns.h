#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <span>
#include <vector>

#include "core/record/record_entry.h"
#include "core/record/sqlite_db.h"

// The entries table's columns, listed once: the record's INSERT, its completion's UPDATE, its
// SELECTs, the binds and the reader are all made from this list, so a column cannot be added to
// one and forgotten in another. Every value is stored as text or an integer that reads plainly in
// the sqlite3 shell.
namespace Q6::Sqlite {

// When a column is written.
enum ColumnUse : unsigned {
  kKey = 0,               // the id: given by SQLite
  kAtBegin = 1u << 0,     // bound from the entry when it is begun
  kPending = 1u << 1,     // written as "pending" when begun
  kAtComplete = 1u << 2,  // bound from the completion
};

struct Column {
  const char* name;
  unsigned use;
  bool number;  // an INTEGER column; else text
  qint64 (*numberOf)(const RecordEntry&);
  QByteArray (*textOf)(const RecordEntry&);
  void (*readNumber)(RecordEntry&, qint64);
  void (*readText)(RecordEntry&, QByteArrayView);
  bool (*same)(const RecordEntry&, const RecordEntry&);
  void (*copy)(RecordEntry& to, const RecordEntry& from);
};

// In the order SELECT lists them.
std::span<const Column> entryColumns();

// "id, time, user, ..." for a SELECT.
QByteArray selectedColumns();
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
  std::vector<const Column*> columns_;
  std::vector<QByteArray> text_;
  RecordEntry last_;
  bool any_ = false;
};

// Reads entries from rows of selectedColumns(). A column equal to the row before's gives the same
// value back, shared, instead of being converted again: ten thousand printers' states read quickly.
class EntryReader {
 public:
  EntryReader();
  RecordEntry read(const Statement& row);

 private:
  std::vector<QByteArray> raw_;
  std::vector<bool> known_;  // raw_ holds the row before's bytes of the column
  RecordEntry last_;
};

}  // namespace Q6::Sqlite
