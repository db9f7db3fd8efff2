#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>
#include <utility>
#include <vector>

struct pg_conn;
struct pg_result;

// A small layer over libpq for the record: every statement answers with a Result that carries the
// server's words (the password never among them), the SQLSTATE, and whether the server could not
// be reached at all; values travel as text, arrays as array literals. One connection is one lock:
// callers hold lock() for as long as they use it.
namespace Q6::Pg {

// One statement's answer.
class Result {
 public:
  // A failure of this program's own, or of the connection, before the server answered.
  static Result failed(QString reason, bool unreachable);
  static Result success();

  bool ok() const { return ok_; }
  explicit operator bool() const { return ok_; }
  const QString& reason() const { return reason_; }   // empty when ok
  const QByteArray& state() const { return state_; }  // the SQLSTATE; empty when none was given
  bool unreachable() const { return unreachable_; }

  int rows() const;
  // Rows the statement inserted, updated or deleted.
  qint64 affected() const;
  bool isNull(int row, int column) const;
  // Valid for as long as this Result.
  QByteArrayView bytes(int row, int column) const;
  qint64 number(int row, int column) const;

 private:
  friend class Connection;
  std::shared_ptr<pg_result> result_;
  bool ok_ = false;
  bool unreachable_ = false;
  QString reason_;
  QByteArray state_;
};

// One row of a Result, as Record::EntryReader reads it.
class Row {
 public:
  Row(const Result& result, int row) : result_(result), row_(row) {}
  bool isNull(int column) const { return result_.isNull(row_, column); }
  qint64 number(int column) const { return result_.number(row_, column); }
  QByteArrayView bytes(int column) const { return result_.bytes(row_, column); }

 private:
  const Result& result_;
  int row_;
};

// A statement and its parameters, all text, none null.
struct Query {
  QByteArray sql;
  std::vector<QByteArray> params;
};

// {"a","b"} for a text[] parameter: each item quoted, its quotes and backslashes escaped.
QByteArray textArray(const std::vector<QByteArray>& items);
// {1,2,3} for a bigint[] parameter.
QByteArray numberArray(const std::vector<qint64>& items);
// "name" as an identifier.
QByteArray quoted(const char* name);

class Connection {
 public:
  // Connects to the URI with the session settings the record relies on (postgres_db.cpp). Null
  // and the reason, unreachable or not, when there is no connection.
  static std::unique_ptr<Connection> open(const QString& location, bool readOnly, Result* failure);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  std::mutex& lock() { return mutex_; }

  // A connection that was lost is made again: it answers whether there is one now. Everything
  // the lost session held (its printers) is gone; generation() counts the sessions.
  Result reconnect();
  int generation() const { return generation_; }
  // Whether the session is there as far as libpq knows (it learns of a loss when it next talks).
  bool connected() const;

  Result exec(const Query& query);
  // Statements without parameters, several in one text (a schema step); the last one's answer.
  Result execScript(const QByteArray& sql);

  // The text with the location's password masked, for anything that is shown.
  QString scrub(const QString& text) const { return withoutSecrets(text); }

 private:
  Connection(pg_conn* conn, QStringList secrets);
  QString withoutSecrets(const QString& text) const;
  Result answer(pg_result* result);
  Result setUp();

  pg_conn* conn_;
  QStringList secrets_;
  bool readOnly_ = false;
  int generation_ = 1;
  std::mutex mutex_;
};

}  // namespace Q6::Pg
