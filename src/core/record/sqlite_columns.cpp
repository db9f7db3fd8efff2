#include "core/record/sqlite_columns.h"

namespace Q6::Sqlite {

namespace {

using Record::Column;

QByteArray namesOf(unsigned use, const char* separator, const char* after = "") {
  return Record::joinColumns(use, separator,
                             [after](const Column& c) { return QByteArray(c.name) + after; });
}

}  // namespace

QByteArray selectedColumns(unsigned use) {
  return namesOf(use, ", ");
}

QByteArray insertStatement(int rows) {
  const QByteArray row = "(" +
                         Record::joinColumns(kAtBegin | Record::kPending, ", ",
                                             [](const Column& c) {
                                               return (c.use & kAtBegin) != 0
                                                          ? QByteArray("?")
                                                          : "'" + Record::pendingWord() + "'";
                                             }) +
                         ")";
  QByteArray sql =
      "INSERT INTO entries (" + namesOf(kAtBegin | Record::kPending, ", ") + ") VALUES " + row;
  for (int r = 1; r < rows; ++r) {
    sql += ", " + row;
  }
  return sql + " RETURNING id";
}

int insertParameters() {
  return Record::columnCount(kAtBegin);
}

QByteArray completeStatement() {
  return "UPDATE entries SET " + namesOf(kAtComplete, ", ", " = ?") +
         " WHERE id BETWEEN ? AND ? AND outcome = '" + Record::pendingWord() + "'";
}

int completeParameters() {
  return Record::columnCount(kAtComplete) + 2;
}

EntryBinder::EntryBinder(unsigned use) {
  for (const Column& c : Record::entryColumns()) {
    if (c.has(use)) {
      columns_.push_back(&c);
    }
  }
  text_.resize(columns_.size());
}

Status EntryBinder::bind(Statement& statement, int first, const RecordEntry& entry) {
  for (size_t i = 0; i < columns_.size(); ++i) {
    const Column& c = *columns_[i];
    const int at = first + static_cast<int>(i);
    Status bound;
    if (c.number()) {
      bound = statement.bind(at, c.numberOf(entry));
    } else {
      if (!any_ || !c.same(last_, entry)) {
        text_[i] = c.textOf(entry);
      }
      bound = statement.bind(at, QByteArrayView(text_[i]));
    }
    if (!bound) {
      return bound;
    }
  }
  last_ = entry;
  any_ = true;
  return Status{};
}

}  // namespace Q6::Sqlite
