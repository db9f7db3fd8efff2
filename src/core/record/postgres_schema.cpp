#include <optional>

#include "core/record/postgres_columns.h"
#include "core/record/postgres_db.h"
#include "core/record/postgres_record.h"

// Opening a record on a server: what the database must hold before anything is written to it, and
// the schema's steps that bring an older one up to date, one program at a time.
namespace Q6 {

namespace {

const SchemaStep kSchemaSteps[] = {
    {1, "the entries and their index by printer, who holds which printer, and the version",
     "CREATE TABLE q6config_schema (version integer NOT NULL);"
     "INSERT INTO q6config_schema VALUES (0);"
     "CREATE TABLE q6config_entries ("
     " id bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY,"
     " \"time\" timestamptz NOT NULL,"
     " \"user\" text NOT NULL,"
     " host text NOT NULL,"
     " program text NOT NULL,"
     " printer text NOT NULL,"
     " model text NOT NULL,"
     " action text NOT NULL,"
     " effect text NOT NULL CHECK (effect IN ('none', 'settings', 'reset')),"
     " settings text NOT NULL,"
     " bytes bigint NOT NULL,"
     " sha256 text NOT NULL,"
     " outcome text NOT NULL"
     "  CHECK (outcome IN ('pending', 'delivered', 'failed', 'not-sent')),"
     " sent bigint NOT NULL DEFAULT 0,"
     " reason text NOT NULL DEFAULT '',"
     " completed timestamptz);"
     "CREATE INDEX q6config_entries_by_printer ON q6config_entries (printer, id);"
     "CREATE TABLE q6config_holds ("
     " printer text PRIMARY KEY,"
     " holder text NOT NULL,"
     " since timestamptz NOT NULL);"},
    {2, "the entries' uid, so that one carried over from a machine's outbox is stored once",
     "ALTER TABLE q6config_entries ADD COLUMN uid text;"
     "CREATE UNIQUE INDEX q6config_entries_by_uid ON q6config_entries (uid);"},
};
static_assert(std::size(kSchemaSteps) == kPostgresRecordVersion);

// Held by whoever brings the schema up to date: the key is the program's name in ASCII, apart from
// the printers' keys (postgres_holds.cpp), which are hashes of theirs. A session lock, taken before
// the step's transaction begins: a transaction that began before another program's step was
// committed may still find the tables missing in its caches, and would make them a second time.
constexpr const char* kSchemaLock =
    "BEGIN; SET LOCAL lock_timeout = '60s'; SELECT pg_advisory_lock(8157817105272957287); COMMIT";
constexpr const char* kSchemaUnlock = "SELECT pg_advisory_unlock(8157817105272957287)";

QString newerReason(int version) {
  return QStringLiteral(
             "it was written by a newer q6config (record version %1; this one knows up "
             "to %2), and it is left as it is")
      .arg(version)
      .arg(kPostgresRecordVersion);
}

// The schema's version: 0 when the record was never made here.
Pg::Result readVersion(Pg::Connection& db, int* version) {
  Pg::Result there =
      db.exec({"SELECT to_regclass('" + QByteArray(Pg::kVersionTable) + "') IS NOT NULL", {}});
  if (!there || there.bytes(0, 0) != "t") {
    *version = 0;
    return there;
  }
  Pg::Result read = db.exec({"SELECT max(version) FROM " + QByteArray(Pg::kVersionTable), {}});
  if (read) {
    *version = read.isNull(0, 0) ? 0 : static_cast<int>(read.number(0, 0));
  }
  return read;
}

// One step after another, each in its own transaction with its version, under the schema's lock
// (waited for up to a minute): a program that finds another one's steps done meanwhile goes on
// from there. Stops at a newer version, leaving it for the caller to refuse.
Pg::Result stepUnderLock(Pg::Connection& db, int* version) {
  for (;;) {
    Pg::Result done = db.execScript("BEGIN");
    if (done) done = readVersion(db, version);
    if (done && *version >= kPostgresRecordVersion) {
      return db.execScript("COMMIT");
    }
    if (done) done = db.execScript(kSchemaSteps[*version].sql);
    if (done) {
      done = db.exec({"UPDATE " + QByteArray(Pg::kVersionTable) + " SET version = $1",
                      {QByteArray::number(kSchemaSteps[*version].version)}});
    }
    if (done) done = db.execScript("COMMIT");
    if (!done) {
      (void)db.execScript("ROLLBACK");
      return done;
    }
  }
}

Pg::Result bringUpToDate(Pg::Connection& db, int* version) {
  Pg::Result locked = db.execScript(kSchemaLock);
  if (!locked) {
    (void)db.execScript("ROLLBACK");
    return locked;
  }
  const Pg::Result done = stepUnderLock(db, version);
  (void)db.exec({kSchemaUnlock, {}});
  return done;
}

}  // namespace

std::span<const SchemaStep> postgresSchemaSteps() {
  return kSchemaSteps;
}

QStringList postgresRecordGrants(const QString& role, const QString& schema) {
  return {
      QStringLiteral("GRANT USAGE ON SCHEMA %1 TO %2").arg(schema, role),
      QStringLiteral("GRANT SELECT ON %1.%2 TO %3")
          .arg(schema, QLatin1String(Pg::kVersionTable), role),
      QStringLiteral("GRANT SELECT, INSERT, UPDATE ON %1.%2, %1.%3 TO %4")
          .arg(schema, QLatin1String(Pg::kEntriesTable), QLatin1String(Pg::kHoldsTable), role),
  };
}

QString postgresRecordCheck() {
  return QStringLiteral(
             "SELECT has_table_privilege('%1', 'SELECT, INSERT, UPDATE') AND "
             "has_table_privilege('%2', 'SELECT, INSERT, UPDATE') AND "
             "has_table_privilege('%3', 'SELECT')")
      .arg(QLatin1String(Pg::kEntriesTable), QLatin1String(Pg::kHoldsTable),
           QLatin1String(Pg::kVersionTable));
}

RecordResult<std::unique_ptr<PrinterRecord>> openPostgresRecord(const QString& location,
                                                                RecordAccess access) {
  const bool writing = access == RecordAccess::Write;
  const QString shown = maskedRecordLocation(location);
  const QString opened = QStringLiteral("be opened");
  const QString used = QStringLiteral("be used");
  const auto cannot = [&](const QString& doing, const Pg::Result& why) {
    return RecordRefusal{shown, doing, why.reason(), why.unreachable()};
  };

  Pg::Result failure;
  std::unique_ptr<Pg::Connection> db = Pg::Connection::open(location, !writing, &failure);
  if (!db) {
    return cannot(opened, failure);
  }
  // Nothing is written before the database has shown itself to hold a record this program knows,
  // or none: a newer program's record is left as it was.
  int version = 0;
  if (const Pg::Result read = readVersion(*db, &version); !read) {
    return cannot(opened, read);
  }
  if (version > kPostgresRecordVersion) {
    return RecordRefusal{shown, used, newerReason(version)};
  }
  // A record damaged where it matters is reported, never mended, and never touched: one made by
  // an older program is looked at before it is brought up to date.
  const auto damage = [&]() -> std::optional<RecordRefusal> {
    for (const QByteArray& probe :
         {"SELECT " + Pg::selectedColumns("e") + " FROM " + Pg::kEntriesTable + " e LIMIT 0",
          "SELECT printer, holder, since FROM " + QByteArray(Pg::kHoldsTable) + " LIMIT 0"}) {
      if (const Pg::Result sound = db->exec({probe, {}}); !sound) {
        return sound.unreachable()
                   ? cannot(opened, sound)
                   : RecordRefusal{shown, used,
                                   QStringLiteral("it is damaged (%1)").arg(sound.reason())};
      }
    }
    return std::nullopt;
  };
  if (version > 0 && version < kPostgresRecordVersion) {
    if (auto damaged = damage()) {
      return *damaged;
    }
  }
  if (version < kPostgresRecordVersion) {
    if (!writing) {
      // Nothing recorded yet: nothing to read, and nothing made.
      return postgresRecordOn(shown, std::move(db), true, version == 0);
    }
    if (const Pg::Result done = bringUpToDate(*db, &version); !done) {
      return cannot(QStringLiteral("be brought up to date"), done);
    }
    if (version > kPostgresRecordVersion) {
      return RecordRefusal{shown, used, newerReason(version)};
    }
  }
  if (auto damaged = damage()) {
    return *damaged;
  }
  return postgresRecordOn(shown, std::move(db), !writing, false);
}

}  // namespace Q6
