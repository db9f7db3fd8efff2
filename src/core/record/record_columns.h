#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <span>
#include <vector>

#include "core/record/record_entry.h"

// The entries' columns, listed once for every engine: each engine makes its INSERT, its
// completion's UPDATE, its SELECTs, its binds and its reader from this list, so a column cannot be
// added to one and forgotten in another, or stored one way in one engine and another way in the
// next. Every value is an integer or text that reads plainly in a database shell.
namespace Q6 {

// One step of a schema: it takes a record from the version before to `version`. A step is never
// changed once shipped: records out there were made by it.
struct SchemaStep {
  int version;
  const char* adds;  // what it adds, in words
  const char* sql;
};

}  // namespace Q6

namespace Q6::Record {

// When a column is written.
enum ColumnUse : unsigned {
  kKey = 0,               // the id: given by the database
  kAtBegin = 1u << 0,     // bound from the entry when it is begun
  kPending = 1u << 1,     // written as "pending" when begun
  kAtComplete = 1u << 2,  // bound from the completion
  kForState = 1u << 3,    // read to know what a printer holds (stateFromEntries, endsLookBack)
  kEveryColumn = ~0u,
};

// What a column holds. A time is text in ISO 8601, UTC with milliseconds, where the engine has no
// time of its own.
enum class ColumnType { Integer, Text, Time };

struct Column {
  const char* name;
  unsigned use;
  ColumnType type;
  qint64 (*numberOf)(const RecordEntry&);
  QByteArray (*textOf)(const RecordEntry&);
  void (*readNumber)(RecordEntry&, qint64);
  void (*readText)(RecordEntry&, QByteArrayView);
  bool (*same)(const RecordEntry&, const RecordEntry&);
  void (*copy)(RecordEntry& to, const RecordEntry& from);
  bool number() const { return type == ColumnType::Integer; }
  // Whether it has any of `uses`; every column has kEveryColumn.
  bool has(unsigned uses) const { return uses == kEveryColumn || (use & uses) != 0; }
};

// In the order SELECT lists them, which is the order of the table as version 1 made it.
std::span<const Column> entryColumns();
// How many columns have any of `use`.
int columnCount(unsigned use);
// The word a begun entry's outcome is written as.
QByteArray pendingWord();

// The columns with any of `use` (every column for kEveryColumn), each as form(column) gives it,
// between separators.
template <typename Form>
QByteArray joinColumns(unsigned use, const char* separator, Form form) {
  QByteArray joined;
  for (const Column& c : entryColumns()) {
    if (c.has(use)) {
      if (!joined.isEmpty()) {
        joined += separator;
      }
      joined += form(c);
    }
  }
  return joined;
}

// Reads entries from rows that list the columns with any of `use` (every column unless told) in
// entryColumns()' order; the fields of the others keep their defaults. A row is anything with
// isNull(i), number(i) and bytes(i). A column equal to the row before's gives the same value back,
// shared, instead of being converted again: ten thousand printers' states read quickly.
class EntryReader {
 public:
  explicit EntryReader(unsigned use = kEveryColumn);

  template <typename Row>
  RecordEntry read(const Row& row) {
    RecordEntry entry;
    for (size_t i = 0; i < columns_.size(); ++i) {
      const Column& column = *columns_[i];
      const int at = static_cast<int>(i);
      if (row.isNull(at)) {
        known_[i] = false;  // the field's own default: a completion time while pending
      } else if (column.number()) {
        column.readNumber(entry, row.number(at));
      } else {
        take(entry, i, row.bytes(at));
      }
    }
    last_ = entry;
    return entry;
  }

 private:
  void take(RecordEntry& entry, size_t column, QByteArrayView bytes);
  std::vector<const Column*> columns_;  // those read, in the order of the rows
  std::vector<QByteArray> raw_;
  std::vector<bool> known_;  // raw_ holds the row before's bytes of the column
  RecordEntry last_;
};

}  // namespace Q6::Record
