#include "support/record_engines.h"

#include <gtest/gtest.h>

#include <QFile>

#include <libpq-fe.h>
#include <sqlite3.h>

#include "support/postgres_server.h"

namespace Q6Test {

namespace {

QString askSqlite(const QString& path, const QString& sql) {
  sqlite3* db = nullptr;
  QString answer = QStringLiteral("ERROR: cannot open");
  if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
      SQLITE_OK) {
    sqlite3_stmt* stmt = nullptr;
    answer = QStringLiteral("ERROR: cannot ask");
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW) {
      answer = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    }
    sqlite3_finalize(stmt);
  }
  sqlite3_close(db);
  return answer;
}

QString askPostgres(const QString& location, const QString& sql) {
  PGconn* conn = PQconnectdb(location.toUtf8().constData());
  QString answer;
  if (PQstatus(conn) != CONNECTION_OK) {
    answer = QStringLiteral("ERROR: ") + QString::fromUtf8(PQerrorMessage(conn)).simplified();
  } else {
    PGresult* result = PQexec(conn, sql.toUtf8().constData());
    const ExecStatusType status = PQresultStatus(result);
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
      answer =
          QStringLiteral("ERROR: ") + QString::fromUtf8(PQresultErrorMessage(result)).simplified();
    } else if (PQntuples(result) > 0 && PQnfields(result) > 0) {
      answer = QString::fromUtf8(PQgetvalue(result, 0, 0));
    }
    PQclear(result);
  }
  PQfinish(conn);
  return answer;
}

}  // namespace

const char* engineName(RecordEngine engine) {
  return engine == RecordEngine::Sqlite ? "SQLite" : "PostgreSQL";
}

std::vector<RecordEngine> recordEngines(QString* leftOut) {
  QString unavailable;
  QString failure;
  if (PrivatePostgres::shared(&unavailable, &failure)) {
    return {RecordEngine::Sqlite, RecordEngine::Postgres};
  }
  if (!failure.isEmpty()) {
    ADD_FAILURE() << "the tests' PostgreSQL server did not start: " << failure.toStdString();
  }
  *leftOut = unavailable;
  return {RecordEngine::Sqlite};
}

QString newRecordLocation(RecordEngine engine, const QTemporaryDir& dir) {
  if (engine == RecordEngine::Sqlite) {
    return dir.filePath(QStringLiteral("record.sqlite3"));
  }
  QString unavailable;
  QString failure;
  PrivatePostgres* server = PrivatePostgres::shared(&unavailable, &failure);
  const QString database = server ? server->newDatabase(&failure) : QString();
  if (database.isEmpty()) {
    ADD_FAILURE() << "no database for the record: " << (failure + unavailable).toStdString();
    return {};
  }
  return server->socketUri(database);
}

QString askRecordDatabase(RecordEngine engine, const QString& location, const QString& sql) {
  return engine == RecordEngine::Sqlite ? askSqlite(location, sql) : askPostgres(location, sql);
}

QString entriesTable(RecordEngine engine) {
  return engine == RecordEngine::Sqlite ? QStringLiteral("entries")
                                        : QStringLiteral("q6config_entries");
}

}  // namespace Q6Test
