#include "core/record/postgres_columns.h"

#include "core/record/record_columns.h"

namespace Q6::Pg {

namespace {

using Record::Column;
using Record::ColumnType;

// A time that may be missing (a pending entry's completion) travels as text, '' for none.
const char* arrayType(const Column& c, bool missingTimes) {
  switch (c.type) {
    case ColumnType::Integer:
      return "bigint[]";
    case ColumnType::Time:
      return missingTimes ? "text[]" : "timestamptz[]";
    case ColumnType::Text:
      break;
  }
  return "text[]";
}

QByteArray wordOf(RecordEffect effect) {
  return recordEffectName(effect).toUtf8();
}

QByteArray wordOf(RecordOutcome outcome) {
  return recordOutcomeName(outcome).toUtf8();
}

// unnest($n::type[], ...) AS alias(c1, c2, ...) over the columns of `use`, their arrays from the
// entries added to the parameters; `arrays` and `names` may begin with columns of the caller's.
QByteArray unnestOf(unsigned use, const std::vector<RecordEntry>& rows, const char* alias,
                    std::vector<QByteArray>& params, QByteArray arrays = {}, QByteArray names = {},
                    bool missingTimes = false) {
  for (const Column& c : Record::entryColumns()) {
    if (!c.has(use)) {
      continue;
    }
    if (c.number()) {
      std::vector<qint64> values;
      values.reserve(rows.size());
      for (const RecordEntry& row : rows) {
        values.push_back(c.numberOf(row));
      }
      params.push_back(numberArray(values));
    } else {
      std::vector<QByteArray> values;
      values.reserve(rows.size());
      for (const RecordEntry& row : rows) {
        values.push_back(c.textOf(row));
      }
      params.push_back(textArray(values));
    }
    arrays += (arrays.isEmpty() ? "" : ", ") + QByteArray("$") + QByteArray::number(params.size()) +
              "::" + arrayType(c, missingTimes);
    names += (names.isEmpty() ? "" : ", ") + quoted(c.name);
  }
  return "unnest(" + arrays + ") AS " + alias + "(" + names + ")";
}

// The uids as the first parameter, text[].
void uidsFirst(const std::vector<RecordEntry>& rows, Query& q) {
  std::vector<QByteArray> uids;
  uids.reserve(rows.size());
  for (const RecordEntry& row : rows) {
    uids.push_back(row.uid.toUtf8());
  }
  q.params.push_back(textArray(uids));
}

}  // namespace

QByteArray selectedColumns(const char* alias) {
  return Record::joinColumns(Record::kEveryColumn, ", ", [alias](const Column& c) {
    const QByteArray name = QByteArray(alias) + "." + quoted(c.name);
    return c.type == ColumnType::Time
               ? "to_char(" + name + " AT TIME ZONE 'UTC', 'YYYY-MM-DD\"T\"HH24:MI:SS.MS\"Z\"')"
               : name;
  });
}

Query insertQuery(const std::vector<RecordEntry>& entries) {
  Query q;
  uidsFirst(entries, q);
  const QByteArray rows = unnestOf(Record::kAtBegin, entries, "r", q.params, "$1::text[]", "uid");
  const unsigned written = Record::kAtBegin | Record::kPending;
  const QByteArray values = Record::joinColumns(written, ", ", [](const Column& c) {
    return (c.use & Record::kAtBegin) != 0 ? "r." + quoted(c.name)
                                           : "'" + Record::pendingWord() + "'";
  });
  // An entry begun without a uid (none is made for it) has none on the server either.
  q.sql = "INSERT INTO " + QByteArray(kEntriesTable) + " (uid, " +
          Record::joinColumns(written, ", ", [](const Column& c) { return quoted(c.name); }) +
          ") SELECT NULLIF(r.uid, ''), " + values + " FROM " + rows + " RETURNING id";
  return q;
}

Query carryEntriesQuery(const std::vector<RecordEntry>& entries) {
  Query q;
  uidsFirst(entries, q);
  const unsigned use = Record::kAtBegin | Record::kAtComplete;
  const QByteArray rows = unnestOf(use, entries, "r", q.params, "$1::text[]", "uid", true);
  const auto value = [](const Column& c) {
    const QByteArray name = "r." + quoted(c.name);
    return c.type == ColumnType::Time ? "NULLIF(" + name + ", '')::timestamptz" : name;
  };
  q.sql = "INSERT INTO " + QByteArray(kEntriesTable) + " (uid, " +
          Record::joinColumns(use, ", ", [](const Column& c) { return quoted(c.name); }) +
          ") SELECT r.uid, " + Record::joinColumns(use, ", ", value) + " FROM " + rows +
          " ON CONFLICT (uid) DO NOTHING";
  return q;
}

Query carryCompletionsQuery(const std::vector<RecordEntry>& completions) {
  Query q;
  uidsFirst(completions, q);
  const QByteArray rows =
      unnestOf(Record::kAtComplete, completions, "c", q.params, "$1::text[]", "uid");
  const QByteArray pending = "'" + Record::pendingWord() + "'";
  q.sql = "UPDATE " + QByteArray(kEntriesTable) + " AS e SET " +
          Record::joinColumns(
              Record::kAtComplete, ", ",
              [](const Column& c) { return quoted(c.name) + " = c." + quoted(c.name); }) +
          " FROM " + rows + " WHERE e.uid = c.uid AND e.\"outcome\" = " + pending;
  return q;
}

// The check and the change are one statement, so one snapshot: a batch that names an entry
// already complete, or one entry twice, changes nothing. Two programs completing the same entry
// at the same moment (which no caller does: an entry is its exchange's) complete it once.
Query completeQuery(const std::vector<RecordCompletion>& completions, const QDateTime& completed) {
  std::vector<RecordEntry> ended;
  std::vector<qint64> ids;
  ended.reserve(completions.size());
  ids.reserve(completions.size());
  for (const RecordCompletion& c : completions) {
    RecordEntry e;
    e.outcome = c.outcome;
    e.sent = c.sent;
    e.reason = c.reason;
    e.completed = completed;
    ended.push_back(e);
    ids.push_back(c.id);
  }
  Query q;
  q.params.push_back(numberArray(ids));
  const QByteArray rows = unnestOf(Record::kAtComplete, ended, "c", q.params, "$1::bigint[]", "id");
  q.params.push_back(QByteArray::number(static_cast<qint64>(completions.size())));
  const QByteArray pending = "'" + Record::pendingWord() + "'";
  const QByteArray table = kEntriesTable;
  q.sql = "WITH c AS (SELECT * FROM " + rows +
          "), ready AS (SELECT count(DISTINCT e.id) AS n FROM " + table +
          " e JOIN c ON e.id = c.id WHERE e.\"outcome\" = " + pending + ") UPDATE " + table +
          " AS e SET " +
          Record::joinColumns(
              Record::kAtComplete, ", ",
              [](const Column& c) { return quoted(c.name) + " = c." + quoted(c.name); }) +
          " FROM c, ready WHERE e.id = c.id AND e.\"outcome\" = " + pending + " AND ready.n = $" +
          QByteArray::number(q.params.size());
  return q;
}

Query historyQuery(const QString& printer, int limit) {
  Query q;
  q.sql = "SELECT " + selectedColumns("e") + " FROM " + kEntriesTable +
          " e WHERE e.\"printer\" = $1 ORDER BY e.id DESC";
  q.params.push_back(printer.toUtf8());
  if (limit > 0) {
    q.sql += " LIMIT $2";
    q.params.push_back(QByteArray::number(limit));
  }
  return q;
}

Query statesQuery(const QStringList& printers) {
  std::vector<QByteArray> names;
  names.reserve(static_cast<size_t>(printers.size()));
  for (const QString& printer : printers) {
    names.push_back(printer.toUtf8());
  }
  const QByteArray table = kEntriesTable;
  Query q;
  q.params.push_back(textArray(names));
  // The cut-off is endsLookBack() in SQL: a reset that was not refused before it left.
  q.sql = "SELECT " + selectedColumns("e") +
          " FROM (SELECT DISTINCT name FROM unnest($1::text[]) AS n(name)) p " +
          "CROSS JOIN LATERAL (SELECT COALESCE(max(r.id), 0) AS since FROM " + table +
          " r WHERE r.\"printer\" = p.name AND r.\"effect\" = '" + wordOf(RecordEffect::Reset) +
          "' AND r.\"outcome\" <> '" + wordOf(RecordOutcome::NotSent) + "') cut JOIN " + table +
          " e ON e.\"printer\" = p.name AND e.id >= cut.since ORDER BY e.\"printer\", e.id DESC";
  return q;
}

}  // namespace Q6::Pg
