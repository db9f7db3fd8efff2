#include "core/record/outbox_store.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

#include <sqlite3.h>

#include <cerrno>
#include <utility>

#include "core/common/whole_file.h"
#include "core/record/record_columns.h"
#include "core/record/sqlite_columns.h"
#include "core/record/sqlite_db.h"

namespace Q6 {

namespace {

using Sqlite::Statement;
using Sqlite::StatementUse;
using Sqlite::Status;

constexpr int kOutboxVersion = 1;
constexpr int kLongestWaitMs = 60000;
// The outbox's own mark, so that it is never taken for another database, nor a record for it.
constexpr qint64 kOutboxApplication = 0x51364f42;  // "Q6OB"

const QString kWritten = QStringLiteral("be written");
const QString kRead = QStringLiteral("be read");

// The entries' columns as the record names them, then the uid. AUTOINCREMENT: a place is never
// given twice, so that a carry letting go of "up to here" never lets go of an entry kept after
// it read.
QByteArray schemaSql() {
  const QByteArray columns =
      Record::joinColumns(Record::kAtBegin | Record::kAtComplete, ", ", [](const auto& c) {
        const QByteArray type = c.number() ? " INTEGER NOT NULL DEFAULT 0" : " TEXT";
        return QByteArray(c.name) + type;
      });
  return "CREATE TABLE outbox_entries (seq INTEGER PRIMARY KEY AUTOINCREMENT, " + columns +
         ", uid TEXT NOT NULL UNIQUE);"
         "CREATE TABLE outbox_completions (seq INTEGER PRIMARY KEY AUTOINCREMENT,"
         " uid TEXT NOT NULL, outcome TEXT NOT NULL, sent INTEGER NOT NULL,"
         " reason TEXT NOT NULL, completed TEXT NOT NULL);"
         "CREATE TABLE outbox_server (location TEXT NOT NULL);";
}

QByteArray entryColumnsSql() {
  return Record::joinColumns(Record::kAtBegin | Record::kAtComplete, ", ",
                             [](const auto& c) { return QByteArray(c.name); });
}

}  // namespace

QString outboxFileFor(const QString& location) {
  const QString shown = maskedRecordLocation(location);
  const QUrl url(shown);
  QString name = url.host();
  if (url.port() > 0) {
    name += u'-' + QString::number(url.port());
  }
  const QString database = url.path().mid(1);
  if (!database.isEmpty()) {
    name += u'-' + database;
  }
  name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")), QStringLiteral("_"));
  name = name.left(48);
  const QByteArray hash = QCryptographicHash::hash(shown.toUtf8(), QCryptographicHash::Sha256);
  const QString tag = QString::fromLatin1(hash.toHex().left(12));
  return stateFolder() + QStringLiteral("/outbox/") + (name.isEmpty() ? tag : name + u'-' + tag) +
         QStringLiteral(".sqlite3");
}

OutboxStore::OutboxStore(QString file, std::unique_ptr<Sqlite::Connection> db)
    : file_(std::move(file)), db_(std::move(db)) {}

OutboxStore::~OutboxStore() = default;

RecordRefusal OutboxStore::refused(const QString& doing, const QString& reason) const {
  return RecordRefusal{file_, doing, reason};
}

void OutboxStore::stopWaitingWhen(const std::atomic<int>* stop) {
  db_->setStop(stop);
}

RecordResult<std::unique_ptr<OutboxStore>> OutboxStore::open(const QString& file,
                                                             const QString& server) {
  const QString absolute = QFileInfo(file).absoluteFilePath();
  const auto cannot = [&](const QString& reason) {
    return RecordRefusal{absolute, QStringLiteral("be opened"), reason};
  };
  if (const int error = makeFolder(QFileInfo(absolute).absolutePath()); error != 0) {
    return cannot(systemReason(error));
  }
  Status failure;
  std::unique_ptr<Sqlite::Connection> db = Sqlite::Connection::open(
      absolute, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, kRecordBusyMs, &failure);
  if (!db) {
    return cannot(failure.reason);
  }
  if (Status wal = db->exec("PRAGMA journal_mode=WAL"); !wal) {
    return cannot(wal.reason);
  }
  (void)db->exec("PRAGMA synchronous=NORMAL");
  Sqlite::WriteTransaction write(*db, Sqlite::WriteTransaction::Sync::Durable, kLongestWaitMs);
  if (!write.begun()) {
    return cannot(write.begun().reason);
  }
  Statement look(*db,
                 "SELECT (SELECT application_id FROM pragma_application_id),"
                 " (SELECT user_version FROM pragma_user_version),"
                 " (SELECT count(*) FROM sqlite_master)");
  qint64 application = 0;
  int version = 0;
  qint64 tables = 0;
  {
    const StatementUse use(look);
    const Status read = look.step();
    if (!read.row()) {
      return cannot(read.reason);
    }
    application = look.number(0);
    version = static_cast<int>(look.number(1));
    tables = look.number(2);
  }
  if (tables == 0) {
    Status made = db->exec(schemaSql().constData());
    Statement where(*db, "INSERT INTO outbox_server (location) VALUES (?)");
    if (made) made = where.bind(1, QByteArrayView(server.toUtf8()));
    if (made) made = where.step();
    where.reset();
    const QByteArray marks = "PRAGMA application_id=" + QByteArray::number(kOutboxApplication) +
                             "; PRAGMA user_version=" + QByteArray::number(kOutboxVersion);
    if (made) made = db->exec(marks.constData());
    if (!made) {
      return cannot(made.reason);
    }
  } else if (application != kOutboxApplication) {
    return cannot(QStringLiteral("it is not an outbox of q6config's, and it is left as it is"));
  } else if (version > kOutboxVersion) {
    return cannot(
        QStringLiteral("it was written by a newer q6config (outbox version %1), and it is left as "
                       "it is")
            .arg(version));
  }
  if (const Status committed = write.commit(); !committed) {
    return cannot(committed.reason);
  }
  return std::unique_ptr<OutboxStore>(new OutboxStore(absolute, std::move(db)));
}

RecordResult<std::vector<qint64>> OutboxStore::keep(const std::vector<RecordEntry>& entries) {
  const std::lock_guard<std::mutex> lock(db_->lock());
  // Kept as the record keeps a begun entry: on disk before its bytes leave.
  Sqlite::WriteTransaction write(*db_, Sqlite::WriteTransaction::Sync::Durable, kLongestWaitMs);
  if (!write.begun()) {
    return refused(kWritten, write.begun().reason);
  }
  const int each = Sqlite::insertParameters();
  QByteArray marks;
  for (int i = 0; i < each; ++i) {
    marks += "?, ";
  }
  Statement insert(*db_, "INSERT INTO outbox_entries (" +
                             Record::joinColumns(Record::kAtBegin | Record::kPending, ", ",
                                                 [](const auto& c) { return QByteArray(c.name); }) +
                             ", uid) VALUES (" + marks + "'" + Record::pendingWord() +
                             "', ?) RETURNING seq");
  Sqlite::EntryBinder binder(Sqlite::kAtBegin);
  std::vector<qint64> places;
  places.reserve(entries.size());
  for (const RecordEntry& entry : entries) {
    const StatementUse use(insert);
    Status done = binder.bind(insert, 1, entry);
    if (done) done = insert.bind(each + 1, QByteArrayView(entry.uid.toUtf8()));
    if (done) done = insert.step();
    if (!done.row()) {
      return refused(kWritten, done ? QStringLiteral("it gave no place") : done.reason);
    }
    places.push_back(insert.number(0));
  }
  if (const Status committed = write.commit(); !committed) {
    return refused(kWritten, committed.reason);
  }
  return places;
}

RecordResult<> OutboxStore::complete(const std::vector<RecordEntry>& completions) {
  std::vector<const RecordEntry*> elsewhere;
  {
    const std::lock_guard<std::mutex> lock(db_->lock());
    Sqlite::WriteTransaction write(*db_, Sqlite::WriteTransaction::Sync::Normal, kLongestWaitMs);
    if (!write.begun()) {
      return refused(kWritten, write.begun().reason);
    }
    Statement update(
        *db_, "UPDATE outbox_entries SET " +
                  Record::joinColumns(Record::kAtComplete, ", ",
                                      [](const auto& c) { return QByteArray(c.name) + " = ?"; }) +
                  " WHERE seq = ? AND outcome = '" + Record::pendingWord() + "'");
    Sqlite::EntryBinder binder(Sqlite::kAtComplete);
    const int at = Record::columnCount(Record::kAtComplete) + 1;
    for (const RecordEntry& c : completions) {
      const StatementUse use(update);
      Status done = binder.bind(update, 1, c);
      if (done) done = update.bind(at, c.id);
      if (done) done = update.step();
      if (!done) {
        return refused(kWritten, done.reason);
      }
      if (db_->changes() == 0) {
        elsewhere.push_back(&c);
      }
    }
    if (const Status committed = write.commit(); !committed) {
      return refused(kWritten, committed.reason);
    }
  }
  return addCompletions(elsewhere);
}

RecordResult<> OutboxStore::keepCompletions(const std::vector<RecordEntry>& completions) {
  std::vector<const RecordEntry*> all;
  all.reserve(completions.size());
  for (const RecordEntry& c : completions) {
    all.push_back(&c);
  }
  return addCompletions(all);
}

RecordResult<> OutboxStore::addCompletions(const std::vector<const RecordEntry*>& completions) {
  if (completions.empty()) {
    return {};
  }
  const std::lock_guard<std::mutex> lock(db_->lock());
  Sqlite::WriteTransaction write(*db_, Sqlite::WriteTransaction::Sync::Normal, kLongestWaitMs);
  if (!write.begun()) {
    return refused(kWritten, write.begun().reason);
  }
  Statement insert(*db_,
                   "INSERT INTO outbox_completions (uid, outcome, sent, reason, completed)"
                   " VALUES (?, ?, ?, ?, ?)");
  for (const RecordEntry* c : completions) {
    const StatementUse use(insert);
    Status done = insert.bind(1, QByteArrayView(c->uid.toUtf8()));
    if (done) done = insert.bind(2, QByteArrayView(recordOutcomeName(c->outcome).toUtf8()));
    if (done) done = insert.bind(3, c->sent);
    if (done) done = insert.bind(4, QByteArrayView(c->reason.toUtf8()));
    if (done) {
      done =
          insert.bind(5, QByteArrayView(c->completed.toUTC().toString(Qt::ISODateWithMs).toUtf8()));
    }
    if (done) done = insert.step();
    if (!done) {
      return refused(kWritten, done.reason);
    }
  }
  if (const Status committed = write.commit(); !committed) {
    return refused(kWritten, committed.reason);
  }
  return {};
}

RecordResult<OutboxBatch> OutboxStore::oldest(int limit) {
  const std::lock_guard<std::mutex> lock(db_->lock());
  const Sqlite::ReadTransaction read(*db_);
  if (!read.begun()) {
    return refused(kRead, read.begun().reason);
  }
  OutboxBatch batch;
  Statement entries(
      *db_, "SELECT seq, " + entryColumnsSql() + ", uid FROM outbox_entries ORDER BY seq LIMIT ?");
  Statement completions(*db_,
                        "SELECT seq, uid, outcome, sent, reason, completed FROM "
                        "outbox_completions ORDER BY seq LIMIT ?");
  const int uidColumn = Record::columnCount(Record::kAtBegin | Record::kAtComplete) + 1;
  Record::EntryReader reader;
  Status done = entries.bind(1, static_cast<qint64>(limit));
  while (done && (done = entries.step()).row()) {
    RecordEntry entry = reader.read(entries);
    entry.uid = QString::fromUtf8(entries.bytes(uidColumn));
    batch.lastEntry = entry.id;
    batch.entries.push_back(std::move(entry));
  }
  entries.reset();
  if (done) done = completions.bind(1, static_cast<qint64>(limit));
  while (done && (done = completions.step()).row()) {
    RecordEntry c;
    batch.lastCompletion = completions.number(0);
    c.uid = QString::fromUtf8(completions.bytes(1));
    c.outcome = recordOutcomeNamed(QString::fromUtf8(completions.bytes(2)));
    c.sent = completions.number(3);
    c.reason = QString::fromUtf8(completions.bytes(4));
    c.completed = QDateTime::fromString(QString::fromUtf8(completions.bytes(5)), Qt::ISODateWithMs);
    batch.completions.push_back(std::move(c));
  }
  completions.reset();
  if (!done) {
    return refused(kRead, done.reason);
  }
  return batch;
}

RecordResult<> OutboxStore::forget(const OutboxBatch& batch) {
  const std::lock_guard<std::mutex> lock(db_->lock());
  Sqlite::WriteTransaction write(*db_, Sqlite::WriteTransaction::Sync::Normal, kLongestWaitMs);
  if (!write.begun()) {
    return refused(kWritten, write.begun().reason);
  }
  Statement entries(*db_, "DELETE FROM outbox_entries WHERE seq <= ?");
  Statement completions(*db_, "DELETE FROM outbox_completions WHERE seq <= ?");
  Status done = entries.bind(1, batch.lastEntry);
  if (done) done = entries.step();
  entries.reset();
  if (done) done = completions.bind(1, batch.lastCompletion);
  if (done) done = completions.step();
  completions.reset();
  if (done) done = write.commit();
  if (!done) {
    return refused(kWritten, done.reason);
  }
  return {};
}

RecordResult<qint64> OutboxStore::waiting() {
  const std::lock_guard<std::mutex> lock(db_->lock());
  Statement count(*db_,
                  "SELECT (SELECT count(*) FROM outbox_entries) + "
                  "(SELECT count(*) FROM outbox_completions)");
  const StatementUse use(count);
  const Status read = count.step();
  if (!read.row()) {
    return refused(kRead, read.reason);
  }
  return count.number(0);
}

}  // namespace Q6
