#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <chrono>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

// A small layer over SQLite's C API for the record: every bind, step and exec answers with a
// Status that names the statement and the file, so that no failure goes unchecked or unexplained;
// a write transaction is a guard that rolls back on every way out but its commit; statements are
// prepared once and kept. One connection is one lock: SQLite's own mutex is off
// (SQLITE_OPEN_NOMUTEX) and callers hold lock() for as long as they use it.
namespace Q6::Sqlite {

// How one call went. ok() for SQLITE_OK, SQLITE_ROW and SQLITE_DONE.
struct [[nodiscard]] Status {
  int code = 0;          // SQLite's code, extended
  QByteArray statement;  // the SQL it was for, as far as it was given
  QString file;          // the database's file
  QString reason;        // empty when ok: SQLite's words, the system's, and how long it waited

  bool ok() const;
  bool row() const;   // a step that gave a row
  bool busy() const;  // another connection held the lock
  explicit operator bool() const { return ok(); }
};

class Connection {
 public:
  // Opens the file (flags as sqlite3_open_v2's; NOMUTEX and extended codes are added), with a
  // busy timeout of busyMs. Null and the reason when SQLite gives no connection at all.
  static std::unique_ptr<Connection> open(const QString& file, int flags, int busyMs,
                                          Status* failure);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  sqlite3* handle() const { return db_; }
  const QString& file() const { return file_; }
  int busyMs() const { return busyMs_; }
  // The one lock of the connection: held by whoever uses it.
  std::mutex& lock() { return mutex_; }

  Status exec(const char* sql);
  // A failed call's status: SQLite's reason for `code`, the system's where it said no, and how
  // long it waited when another program held the lock.
  Status failure(int code, std::string_view sql, qint64 waitedMs = -1) const;
  // PRAGMA data_version: moves whenever another connection commits. -1 when it cannot be read.
  qint64 dataVersion();
  bool inTransaction() const;
  bool readOnly() const;
  // Rows the last statement changed.
  int changes() const;
  // While *stop is non-zero, a wait for another program's lock ends at once, busy. Null: never.
  void setStop(const std::atomic<int>* stop) { stop_.store(stop); }
  bool stopped() const {
    const std::atomic<int>* stop = stop_.load();
    return stop && stop->load() != 0;
  }

 private:
  Connection(sqlite3* db, QString file, int busyMs);
  static int waitWhileBusy(void* connection, int count);
  sqlite3* db_;
  QString file_;
  int busyMs_;
  std::atomic<const std::atomic<int>*> stop_{nullptr};
  std::chrono::steady_clock::time_point busySince_;
  std::mutex mutex_;
};

// One prepared statement, kept for as long as its connection.
class Statement {
 public:
  Statement(Connection& db, QByteArray sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  // Whether it could be prepared, and why not.
  const Status& prepared() const { return prepared_; }
  const QByteArray& sql() const { return sql_; }

  // SQLite copies the bytes: they need not outlive the call.
  Status bind(int i, QByteArrayView utf8);
  Status bind(int i, qint64 value);
  Status bindNull(int i);
  // One step; a step of a statement that could not be prepared answers as its preparation.
  Status step();
  // Steps again while another program makes a new record: SQLite then answers a reader, or a
  // second switch to WAL, "busy" at once, without waiting its busy timeout.
  Status stepWaiting();
  // Ready to run again; the old binds stay until rebound.
  void reset();

  // The row's columns, valid until the next step.
  QByteArrayView bytes(int i) const;
  qint64 number(int i) const;
  bool isNull(int i) const;

 private:
  Connection& db_;
  QByteArray sql_;
  sqlite3_stmt* stmt_ = nullptr;
  Status prepared_;
};

// Resets a statement on every way out of a use, so that no statement keeps a read snapshot open.
class StatementUse {
 public:
  explicit StatementUse(Statement& statement) : statement_(statement) {}
  ~StatementUse() { statement_.reset(); }
  StatementUse(const StatementUse&) = delete;
  StatementUse& operator=(const StatementUse&) = delete;

 private:
  Statement& statement_;
};

// A write transaction (BEGIN IMMEDIATE) that is rolled back unless committed. A durable one is
// synced to disk by its commit (synchronous=FULL), and the connection is back at NORMAL when the
// guard ends, however it ends.
class WriteTransaction {
 public:
  enum class Sync { Normal, Durable };
  // Waits for other programs while they make headway: the busy timeout covers one holder, and a
  // lock that changed hands (the data moved on) is tried for again, up to longestWaitMs in all.
  WriteTransaction(Connection& db, Sync sync, int longestWaitMs);
  ~WriteTransaction();
  WriteTransaction(const WriteTransaction&) = delete;
  WriteTransaction& operator=(const WriteTransaction&) = delete;

  // Whether it began, and why not.
  const Status& begun() const { return begun_; }
  Status commit();

 private:
  Connection& db_;
  Sync sync_;
  bool open_ = false;
  Status begun_;
};

// A read transaction: one snapshot for every statement until it ends.
class ReadTransaction {
 public:
  explicit ReadTransaction(Connection& db);
  ~ReadTransaction();
  ReadTransaction(const ReadTransaction&) = delete;
  ReadTransaction& operator=(const ReadTransaction&) = delete;
  const Status& begun() const { return begun_; }

 private:
  Connection& db_;
  Status begun_;
};

// For tests: a fault that answers instead of SQLite. Given each statement's SQL as it is stepped or
// executed, it returns a code to fail it with, or 0 to let it run. Null: none.
using Fault = std::function<int(std::string_view sql)>;
void setFaultForTests(Fault fault);

}  // namespace Q6::Sqlite
