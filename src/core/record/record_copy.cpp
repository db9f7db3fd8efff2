#include "core/record/record_copy.h"

#include <QCryptographicHash>
#include <QFileInfo>

#include <sqlite3.h>

#include "core/record/postgres_record.h"
#include "core/record/record_columns.h"
#include "core/record/sqlite_columns.h"
#include "core/record/sqlite_db.h"
#include "core/record/sqlite_record.h"

namespace Q6 {

namespace {

using Sqlite::Statement;
using Sqlite::StatementUse;
using Sqlite::Status;

// The same entry of the same file gives the same uid, whichever machine copies it.
QString copiedUid(const RecordEntry& e) {
  QCryptographicHash hash(QCryptographicHash::Sha256);
  hash.addData(QByteArray::number(e.id));
  for (const QString& part : {e.time.toString(Qt::ISODateWithMs), e.user, e.host, e.printer}) {
    hash.addData(QByteArray("\n") + part.toUtf8());
  }
  hash.addData(e.sha256);
  return QStringLiteral("copied-") + QString::fromLatin1(hash.result().toHex().left(32));
}

}  // namespace

RecordResult<CarriedCount> copyRecordFile(const QString& file, const QString& location) {
  const QString absolute = QFileInfo(file).absoluteFilePath();
  if (isServerRecordLocation(file)) {
    return RecordRefusal{maskedRecordLocation(file), QStringLiteral("be copied from"),
                         QStringLiteral("it is a shared record; --from names a record file")};
  }
  if (!isServerRecordLocation(location)) {
    return RecordRefusal{location, QStringLiteral("be copied to"),
                         QStringLiteral("it is not a shared record (postgresql://...)")};
  }
  // Opened as a record first: no record, or a newer one, is refused in the record's own words.
  auto record = openSqliteRecord(absolute, RecordAccess::Read);
  if (!record) {
    return record.refusal();
  }
  auto server = openPostgresRecord(location, RecordAccess::Write);
  if (!server) {
    return server.refusal();
  }
  auto* carrier = dynamic_cast<CarriedOver*>(server->get());
  Status failure;
  std::unique_ptr<Sqlite::Connection> db =
      Sqlite::Connection::open(absolute, SQLITE_OPEN_READONLY, kRecordBusyMs, &failure);
  if (!db || !carrier) {
    return RecordRefusal{absolute, QStringLiteral("be read"), failure.reason};
  }
  CarriedCount copied;
  Statement any(*db, "SELECT count(*) FROM sqlite_master WHERE name = 'entries'");
  {
    const StatementUse use(any);
    const Status read = any.step();
    if (!read.row()) {
      return RecordRefusal{absolute, QStringLiteral("be read"), read.reason};
    }
    if (any.number(0) == 0) {
      return copied;  // nothing recorded yet
    }
  }
  Statement next(*db, "SELECT " + Sqlite::selectedColumns() +
                          " FROM entries WHERE id > ? ORDER BY id LIMIT ?");
  qint64 after = 0;
  for (;;) {
    std::vector<RecordEntry> entries;
    std::vector<RecordEntry> completions;
    {
      const StatementUse use(next);
      Record::EntryReader reader;
      Status done = next.bind(1, after);
      if (done) done = next.bind(2, static_cast<qint64>(kCarryBatch));
      while (done && (done = next.step()).row()) {
        RecordEntry entry = reader.read(next);
        entry.uid = copiedUid(entry);
        after = entry.id;
        if (entry.outcome != RecordOutcome::Pending) {
          completions.push_back(entry);
        }
        entries.push_back(std::move(entry));
      }
      if (!done) {
        return RecordRefusal{absolute, QStringLiteral("be read"), done.reason};
      }
    }
    if (entries.empty()) {
      return copied;
    }
    auto stored = carrier->carry(entries, completions);
    if (!stored) {
      return stored.refusal();
    }
    copied.entries += *stored;
    copied.completions += static_cast<qint64>(completions.size());
  }
}

}  // namespace Q6
