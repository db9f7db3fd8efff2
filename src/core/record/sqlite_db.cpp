#include "core/record/sqlite_db.h"

#include <QFile>

#include <sqlite3.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <utility>

#include "core/common/whole_file.h"

namespace Q6::Sqlite {

namespace {

std::atomic<bool> faultSet{false};
std::mutex faultMutex;
Fault fault;

int injected(std::string_view sql) {
  if (!faultSet.load(std::memory_order_relaxed)) {
    return 0;
  }
  const std::lock_guard<std::mutex> lock(faultMutex);
  return fault ? fault(sql) : 0;
}

using Clock = std::chrono::steady_clock;

qint64 msSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

bool isBusy(int code) {
  return (code & 0xff) == SQLITE_BUSY || (code & 0xff) == SQLITE_LOCKED;
}

// The statement as a status names it: its first line, enough to find it in the code.
QByteArray shortSql(std::string_view sql) {
  QByteArray text(sql.data(), static_cast<qsizetype>(sql.size()));
  const qsizetype end = text.indexOf('\n');
  if (end >= 0) {
    text.truncate(end);
  }
  return text.size() > 80 ? text.left(77) + "..." : text;
}

}  // namespace

bool Status::ok() const {
  const int primary = code & 0xff;
  return primary == SQLITE_OK || primary == SQLITE_ROW || primary == SQLITE_DONE;
}

bool Status::row() const {
  return (code & 0xff) == SQLITE_ROW;
}

bool Status::busy() const {
  return isBusy(code);
}

std::unique_ptr<Connection> Connection::open(const QString& file, int flags, int busyMs,
                                             Status* failure) {
  sqlite3* db = nullptr;
  const QByteArray name = QFile::encodeName(file);
  const int code = sqlite3_open_v2(name.constData(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
  std::unique_ptr<Connection> connection;
  if (db) {
    connection.reset(new Connection(db, file, busyMs));
  }
  if (code != SQLITE_OK) {
    *failure = connection ? connection->failure(code, "open")
                          : Status{code, "open", file, QString::fromUtf8(sqlite3_errstr(code))};
    return nullptr;
  }
  sqlite3_extended_result_codes(db, 1);
  sqlite3_busy_handler(db, &Connection::waitWhileBusy, connection.get());
  return connection;
}

Connection::Connection(sqlite3* db, QString file, int busyMs)
    : db_(db), file_(std::move(file)), busyMs_(busyMs) {}

// As SQLite's busy timeout, and a run being stopped stops waiting: a stop must end a run within
// its grace even while another program holds the record.
int Connection::waitWhileBusy(void* connection, int count) {
  auto* self = static_cast<Connection*>(connection);
  const auto now = Clock::now();
  if (count == 0) {
    self->busySince_ = now;
  }
  if (self->stopped() || now - self->busySince_ >= std::chrono::milliseconds(self->busyMs_)) {
    return 0;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(count < 10 ? 1 : 5));
  return 1;
}

Connection::~Connection() {
  sqlite3_close_v2(db_);
}

Status Connection::exec(const char* sql) {
  const auto start = Clock::now();
  int code = injected(sql);
  if (code == 0) {
    code = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
  }
  return code == SQLITE_OK ? Status{code, {}, file_, {}} : failure(code, sql, msSince(start));
}

Status Connection::failure(int code, std::string_view sql, qint64 waitedMs) const {
  // The connection's message is about the last call that failed on it; an injected code has none.
  const bool ownMessage = sqlite3_errcode(db_) == code;
  QString reason = QString::fromUtf8(ownMessage ? sqlite3_errmsg(db_) : sqlite3_errstr(code));
  const int systemError = ownMessage ? sqlite3_system_errno(db_) : 0;
  if (systemError != 0) {
    const QString system = systemReason(systemError);
    if (!reason.contains(system)) {
      reason += QStringLiteral(" (%1)").arg(system);
    }
  }
  if (isBusy(code)) {
    const qint64 waited = waitedMs >= 0 ? waitedMs : busyMs_;
    reason += QStringLiteral(": another program held it for the %1 s this one waited")
                  .arg(QString::number(static_cast<double>(waited) / 1000.0, 'g', 3));
  }
  return Status{code, shortSql(sql), file_, reason};
}

qint64 Connection::dataVersion() {
  sqlite3_stmt* stmt = nullptr;
  qint64 version = -1;
  if (sqlite3_prepare_v2(db_, "PRAGMA data_version", -1, &stmt, nullptr) == SQLITE_OK &&
      sqlite3_step(stmt) == SQLITE_ROW) {
    version = sqlite3_column_int64(stmt, 0);
  }
  sqlite3_finalize(stmt);
  return version;
}

bool Connection::inTransaction() const {
  return sqlite3_get_autocommit(db_) == 0;
}

bool Connection::readOnly() const {
  return sqlite3_db_readonly(db_, "main") == 1;
}

int Connection::changes() const {
  return sqlite3_changes(db_);
}

Statement::Statement(Connection& db, QByteArray sql) : db_(db), sql_(std::move(sql)) {
  const int code = sqlite3_prepare_v3(db.handle(), sql_.constData(), static_cast<int>(sql_.size()),
                                      SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr);
  prepared_ =
      code == SQLITE_OK ? Status{code, {}, db.file(), {}} : db.failure(code, sql_.toStdString());
}

Statement::~Statement() {
  sqlite3_finalize(stmt_);
}

Status Statement::bind(int i, QByteArrayView utf8) {
  if (!prepared_) {
    return prepared_;
  }
  const int code = sqlite3_bind_text(stmt_, i, utf8.data() ? utf8.data() : "",
                                     static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
  return code == SQLITE_OK ? Status{} : db_.failure(code, sql_.toStdString());
}

Status Statement::bind(int i, qint64 value) {
  if (!prepared_) {
    return prepared_;
  }
  const int code = sqlite3_bind_int64(stmt_, i, value);
  return code == SQLITE_OK ? Status{} : db_.failure(code, sql_.toStdString());
}

Status Statement::bindNull(int i) {
  if (!prepared_) {
    return prepared_;
  }
  const int code = sqlite3_bind_null(stmt_, i);
  return code == SQLITE_OK ? Status{} : db_.failure(code, sql_.toStdString());
}

Status Statement::step() {
  if (!prepared_) {
    return prepared_;
  }
  const auto start = Clock::now();
  int code = injected(std::string_view(sql_.constData(), static_cast<size_t>(sql_.size())));
  if (code == 0) {
    code = sqlite3_step(stmt_);
  }
  if (code == SQLITE_ROW || code == SQLITE_DONE) {
    return Status{code, {}, {}, {}};
  }
  return db_.failure(code, std::string_view(sql_.constData(), static_cast<size_t>(sql_.size())),
                     msSince(start));
}

Status Statement::stepWaiting() {
  const auto start = Clock::now();
  const auto giveUp = start + std::chrono::milliseconds(db_.busyMs());
  for (;;) {
    Status status = step();
    if (!status.busy() || Clock::now() > giveUp) {
      if (status.busy()) {
        status = db_.failure(status.code, sql_.toStdString(), msSince(start));
      }
      return status;
    }
    reset();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

void Statement::reset() {
  sqlite3_reset(stmt_);
}

QByteArrayView Statement::bytes(int i) const {
  const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt_, i));
  return data ? QByteArrayView(data, sqlite3_column_bytes(stmt_, i)) : QByteArrayView();
}

qint64 Statement::number(int i) const {
  return sqlite3_column_int64(stmt_, i);
}

bool Statement::isNull(int i) const {
  return sqlite3_column_type(stmt_, i) == SQLITE_NULL;
}

WriteTransaction::WriteTransaction(Connection& db, Sync sync, int longestWaitMs)
    : db_(db), sync_(sync) {
  if (sync_ == Sync::Durable) {
    // A pragma on an open connection outside a transaction: nothing to fail but memory.
    (void)db_.exec("PRAGMA synchronous=FULL");
  }
  const auto start = Clock::now();
  const auto giveUp = start + std::chrono::milliseconds(longestWaitMs);
  qint64 seen = db_.dataVersion();
  for (;;) {
    begun_ = db_.exec("BEGIN IMMEDIATE");
    if (begun_ || !begun_.busy() || Clock::now() > giveUp || db_.stopped()) {
      break;
    }
    const qint64 now = db_.dataVersion();
    if (now == seen || now < 0) {
      break;
    }
    seen = now;
  }
  if (begun_.busy()) {
    begun_ = db_.failure(begun_.code, "BEGIN IMMEDIATE", msSince(start));
  }
  open_ = begun_.ok();
}

WriteTransaction::~WriteTransaction() {
  if (open_ && db_.inTransaction()) {
    (void)db_.exec("ROLLBACK");
  }
  if (sync_ == Sync::Durable) {
    (void)db_.exec("PRAGMA synchronous=NORMAL");
  }
}

Status WriteTransaction::commit() {
  if (!open_) {
    return begun_;
  }
  Status done = db_.exec("COMMIT");
  // A commit that failed may leave the transaction open; the destructor rolls it back.
  open_ = !done.ok();
  return done;
}

ReadTransaction::ReadTransaction(Connection& db) : db_(db), begun_(db.exec("BEGIN")) {}

ReadTransaction::~ReadTransaction() {
  if (begun_ && db_.inTransaction()) {
    // A read changed nothing: ending it keeps nothing and loses nothing.
    (void)db_.exec("COMMIT");
    if (db_.inTransaction()) {
      (void)db_.exec("ROLLBACK");
    }
  }
}

void setFaultForTests(Fault f) {
  const std::lock_guard<std::mutex> lock(faultMutex);
  fault = std::move(f);
  faultSet.store(static_cast<bool>(fault));
}

}  // namespace Q6::Sqlite
