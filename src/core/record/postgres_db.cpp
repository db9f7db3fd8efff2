#include "core/record/postgres_db.h"

#include <libpq-fe.h>

#include "core/record/record_location.h"

namespace Q6::Pg {

namespace {

// libpq's words are several lines with tabs; a refusal is one line.
QString oneLine(const char* text) {
  return QString::fromUtf8(text ? text : "").simplified();
}

// SQLSTATEs that mean the session is gone or the server is not taking it: the connection
// exceptions, and a server shutting down, crashed or starting.
bool sessionGone(const QByteArray& state) {
  return state.startsWith("08") || state == "57P01" || state == "57P02" || state == "57P03";
}

void ignoreNotice(void*, const char*) {
  // The server's notices (a lock released twice, a table already there) are not this program's
  // output: a command-line tool's error stream is its reader's.
}

// Connection keywords, before the URI so that the URI's own choices win, except the encoding,
// which every text this program sends and reads is in. The keepalives and the user timeout
// notice a server that went away while a call waits for it; the server's own are set by setUp().
struct ConnectParams {
  std::vector<const char*> keys;
  std::vector<const char*> values;
  ConnectParams(const QByteArray& uri, const char* connectTimeout) {
    add("connect_timeout", connectTimeout);
    add("keepalives", "1");
    add("keepalives_idle", "10");
    add("keepalives_interval", "5");
    add("keepalives_count", "3");
    add("tcp_user_timeout", "30000");
    add("fallback_application_name", "q6config");
    add("dbname", uri.constData());
    add("client_encoding", "UTF8");
    keys.push_back(nullptr);
    values.push_back(nullptr);
  }
  void add(const char* key, const char* value) {
    keys.push_back(key);
    values.push_back(value);
  }
};

}  // namespace

Result Result::failed(QString reason, bool unreachable) {
  Result r;
  r.reason_ = std::move(reason);
  r.unreachable_ = unreachable;
  return r;
}

Result Result::success() {
  Result r;
  r.ok_ = true;
  return r;
}

int Result::rows() const {
  return result_ ? PQntuples(result_.get()) : 0;
}

qint64 Result::affected() const {
  return result_ ? QByteArray(PQcmdTuples(result_.get())).toLongLong() : 0;
}

bool Result::isNull(int row, int column) const {
  return PQgetisnull(result_.get(), row, column) != 0;
}

QByteArrayView Result::bytes(int row, int column) const {
  return QByteArrayView(PQgetvalue(result_.get(), row, column),
                        PQgetlength(result_.get(), row, column));
}

qint64 Result::number(int row, int column) const {
  return bytes(row, column).toLongLong();
}

QByteArray textArray(const std::vector<QByteArray>& items) {
  QByteArray array = "{";
  for (const QByteArray& item : items) {
    if (array.size() > 1) {
      array += ',';
    }
    array += '"';
    for (const char c : item) {
      if (c == '"' || c == '\\') {
        array += '\\';
      }
      array += c;
    }
    array += '"';
  }
  return array + "}";
}

QByteArray numberArray(const std::vector<qint64>& items) {
  QByteArray array = "{";
  for (const qint64 item : items) {
    if (array.size() > 1) {
      array += ',';
    }
    array += QByteArray::number(item);
  }
  return array + "}";
}

QByteArray quoted(const char* name) {
  return '"' + QByteArray(name) + '"';
}

std::unique_ptr<Connection> Connection::open(const QString& location, bool readOnly,
                                             Result* failure) {
  const QStringList secrets = locationSecrets(location);
  const QByteArray uri = location.toUtf8();
  char* parseError = nullptr;
  PQconninfoOption* parsed = PQconninfoParse(uri.constData(), &parseError);
  if (!parsed) {
    *failure = Result::failed(
        Q6::withoutSecrets(parseError ? oneLine(parseError) : QStringLiteral("out of memory"),
                           secrets),
        false);
    PQfreemem(parseError);
    return nullptr;
  }
  PQconninfoFree(parsed);

  const ConnectParams params(uri, "10");
  PGconn* conn = PQconnectdbParams(params.keys.data(), params.values.data(), 1);
  if (!conn || PQstatus(conn) != CONNECTION_OK) {
    const QString reason = Q6::withoutSecrets(
        conn ? oneLine(PQerrorMessage(conn)) : QStringLiteral("out of memory"), secrets);
    PQfinish(conn);
    // Whether anything answered: a server that said no (a password, a database, a certificate)
    // is an answer; one that cannot be reached, or takes no connections now, is not.
    const ConnectParams ping(uri, "2");
    const PGPing answer = PQpingParams(ping.keys.data(), ping.values.data(), 1);
    *failure = Result::failed(reason, answer == PQPING_NO_RESPONSE || answer == PQPING_REJECT);
    return nullptr;
  }
  PQsetNoticeProcessor(conn, ignoreNotice, nullptr);
  std::unique_ptr<Connection> connection(new Connection(conn, secrets));
  connection->readOnly_ = readOnly;
  if (Result set = connection->setUp(); !set) {
    *failure = set;
    return nullptr;
  }
  return connection;
}

Connection::Connection(pg_conn* conn, QStringList secrets)
    : conn_(conn), secrets_(std::move(secrets)) {}

Connection::~Connection() {
  PQfinish(conn_);
}

QString Connection::withoutSecrets(const QString& text) const {
  return Q6::withoutSecrets(text, secrets_);
}

// The session's settings, in one round trip. The server's keepalives and user timeout free a
// dead holder's printers (kHolderGoneWithinMs): idle, it is probed after 10 s, three times 5 s
// apart (25 s); with data unacknowledged it is dropped after 30 s. A client gone in the middle of
// a statement is noticed within 5 s. A begun entry must be durable when begin() returns, so a
// server whose commits are asynchronous by default is made to wait for this session's. Settings
// the server does not know (an older server) are passed over.
Result Connection::setUp() {
  QByteArray sql =
      "SELECT set_config(v.name, v.value, false) FROM (VALUES "
      "('tcp_keepalives_idle', '10'), ('tcp_keepalives_interval', '5'), "
      "('tcp_keepalives_count', '3'), ('tcp_user_timeout', '30000'), "
      "('client_connection_check_interval', '5000'), "
      "('synchronous_commit', CASE current_setting('synchronous_commit') WHEN 'off' THEN 'on' "
      "ELSE current_setting('synchronous_commit') END)";
  if (readOnly_) {
    sql += ", ('default_transaction_read_only', 'on')";
  }
  sql += ") AS v(name, value) WHERE v.name IN (SELECT name FROM pg_settings)";
  return exec(Query{sql, {}});
}

bool Connection::connected() const {
  return PQstatus(conn_) == CONNECTION_OK;
}

Result Connection::reconnect() {
  if (PQstatus(conn_) == CONNECTION_OK) {
    return Result::success();
  }
  PQreset(conn_);
  if (PQstatus(conn_) != CONNECTION_OK) {
    return Result::failed(withoutSecrets(oneLine(PQerrorMessage(conn_))), true);
  }
  ++generation_;
  return setUp();
}

Result Connection::answer(pg_result* result) {
  Result r;
  r.result_.reset(result, PQclear);
  const ExecStatusType status = result ? PQresultStatus(result) : PGRES_FATAL_ERROR;
  if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) {
    r.ok_ = true;
    return r;
  }
  if (result) {
    r.state_ = QByteArray(PQresultErrorField(result, PG_DIAG_SQLSTATE));
    const char* primary = PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY);
    r.reason_ = withoutSecrets(oneLine(primary ? primary : PQresultErrorMessage(result)));
  }
  if (r.reason_.isEmpty()) {
    r.reason_ = withoutSecrets(oneLine(PQerrorMessage(conn_)));
  }
  // The server gives every error of its own a SQLSTATE; an answer without one is libpq's, which
  // found the connection gone (closed under it by a server that crashed or was stopped at once)
  // before it marked the connection bad.
  r.unreachable_ = PQstatus(conn_) != CONNECTION_OK || sessionGone(r.state_) || r.state_.isEmpty();
  return r;
}

Result Connection::exec(const Query& query) {
  if (PQstatus(conn_) != CONNECTION_OK) {
    return Result::failed(QStringLiteral("the connection to the server was lost"), true);
  }
  std::vector<const char*> values;
  values.reserve(query.params.size());
  for (const QByteArray& param : query.params) {
    values.push_back(param.constData());
  }
  return answer(PQexecParams(conn_, query.sql.constData(), static_cast<int>(values.size()), nullptr,
                             values.data(), nullptr, nullptr, 0));
}

Result Connection::execScript(const QByteArray& sql) {
  if (PQstatus(conn_) != CONNECTION_OK) {
    return Result::failed(QStringLiteral("the connection to the server was lost"), true);
  }
  return answer(PQexec(conn_, sql.constData()));
}

}  // namespace Q6::Pg
