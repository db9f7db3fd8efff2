#include "core/record/sqlite_record.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "core/common/whole_file.h"
#include "core/record/sqlite_columns.h"
#include "core/record/sqlite_db.h"

// Opening a record file: what may be handed to SQLite, what the file must hold before anything is
// written to it, and the schema's steps that bring an older one up to date.
namespace Q6 {

namespace {

using Sqlite::Statement;
using Sqlite::StatementUse;
using Sqlite::Status;

const SchemaStep kSchemaSteps[] = {
    {1, "the entries, and their index by printer",
     "CREATE TABLE entries ("
     " id INTEGER PRIMARY KEY,"
     " time TEXT NOT NULL,"
     " user TEXT NOT NULL,"
     " host TEXT NOT NULL,"
     " program TEXT NOT NULL,"
     " printer TEXT NOT NULL,"
     " model TEXT NOT NULL,"
     " action TEXT NOT NULL,"
     " effect TEXT NOT NULL CHECK (effect IN ('none', 'settings', 'reset')),"
     " settings TEXT NOT NULL,"
     " bytes INTEGER NOT NULL,"
     " sha256 TEXT NOT NULL,"
     " outcome TEXT NOT NULL"
     "  CHECK (outcome IN ('pending', 'delivered', 'failed', 'not-sent')),"
     " sent INTEGER NOT NULL DEFAULT 0,"
     " reason TEXT NOT NULL DEFAULT '',"
     " completed TEXT);"
     "CREATE INDEX entries_by_printer ON entries (printer, id);"},
};
static_assert(std::size(kSchemaSteps) == kRecordVersion);

// Bringing a file up to date waits as long as a write may.
constexpr int kLongestWaitMs = 60000;

// Version and tables in one statement, so one snapshot: a program making the record meanwhile is
// seen either before or after.
constexpr const char* kVersionAndTables =
    "SELECT (SELECT user_version FROM pragma_user_version), (SELECT count(*) FROM sqlite_master)";

QString newerReason(int version) {
  return QStringLiteral(
             "it was written by a newer q6config (record version %1; this one knows up "
             "to %2), and it is left as it is")
      .arg(version)
      .arg(kRecordVersion);
}

const QString kStranger =
    QStringLiteral("it is a database, but not a printer record, and it is left as it is");

// Why the location cannot hold a record before SQLite is let near it: anything but a regular file
// (a folder, a device, a pipe, a link to one) would be used by SQLite, which makes its journal
// beside whatever the location points at. 0 when it is a regular file or not there yet.
QString notAFile(const QString& file) {
  struct stat st {};
  if (::stat(QFile::encodeName(file).constData(), &st) != 0) {
    return {};
  }
  if (S_ISDIR(st.st_mode)) {
    return QStringLiteral("it is a folder");
  }
  if (!S_ISREG(st.st_mode)) {
    return QStringLiteral("it is not a regular file (%1)")
        .arg(S_ISCHR(st.st_mode)    ? QStringLiteral("a character device")
             : S_ISBLK(st.st_mode)  ? QStringLiteral("a block device")
             : S_ISFIFO(st.st_mode) ? QStringLiteral("a named pipe")
             : S_ISSOCK(st.st_mode) ? QStringLiteral("a socket")
                                    : QStringLiteral("not a file"));
  }
  return {};
}

}  // namespace

std::span<const SchemaStep> recordSchemaSteps() {
  return kSchemaSteps;
}

RecordResult<std::unique_ptr<PrinterRecord>> openSqliteRecord(const QString& file,
                                                              RecordAccess access) {
  const bool writing = access == RecordAccess::Write;
  const QString absolute = QFileInfo(file).absoluteFilePath();
  const auto cannot = [&](const QString& doing, const QString& reason) {
    return RecordRefusal{absolute, doing, reason};
  };
  const QString opened = QStringLiteral("be opened");
  const QString used = QStringLiteral("be used");
  if (const QString fault = notAFile(absolute); !fault.isEmpty()) {
    return cannot(opened, fault);
  }
  if (writing) {
    const int error = makeFolder(QFileInfo(absolute).absolutePath());
    if (error != 0) {
      return cannot(
          QStringLiteral("be made"),
          error == EEXIST
              ? QStringLiteral("%1 is not a folder").arg(QFileInfo(absolute).absolutePath())
              : systemReason(error));
    }
  } else if (!QFileInfo::exists(absolute)) {
    return cannot(QStringLiteral("be read"), systemReason(ENOENT));
  }

  Status failure;
  std::unique_ptr<Sqlite::Connection> db = Sqlite::Connection::open(
      absolute, writing ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE : SQLITE_OPEN_READONLY,
      kRecordBusyMs, &failure);
  if (!db) {
    return cannot(opened, failure.reason);
  }
  if (writing && db->readOnly()) {
    const int error = ::access(QFile::encodeName(absolute).constData(), W_OK) == 0 ? EACCES : errno;
    return cannot(QStringLiteral("be written"), systemReason(error));
  }

  // Nothing is written before the file has shown itself to be a record this program knows: a
  // newer program's record, or another program's database, is left byte for byte as it was.
  Statement versionAndTables(*db, kVersionAndTables);
  int version = 0;
  bool empty = false;
  {
    const StatementUse use(versionAndTables);
    const Status read = versionAndTables.stepWaiting();
    if (!read.row()) {
      return cannot(opened, read.reason);
    }
    version = static_cast<int>(versionAndTables.number(0));
    empty = versionAndTables.number(1) == 0;
  }
  if (version > kRecordVersion) {
    return cannot(used, newerReason(version));
  }
  if (version == 0 && !empty) {
    return cannot(used, kStranger);
  }

  // A file damaged where it matters is reported, never mended, and never touched.
  const auto sound = [&]() -> QString {
    Statement probe(*db, "SELECT " + Sqlite::selectedColumns() + " FROM entries LIMIT 0");
    return probe.prepared() ? QString()
                            : QStringLiteral("it is damaged (%1)").arg(probe.prepared().reason);
  };
  if (version == kRecordVersion) {
    if (const QString damage = sound(); !damage.isEmpty()) {
      return cannot(used, damage);
    }
  }
  if (!writing) {
    // Nothing recorded yet (a file another program is making, or an empty one): nothing to read.
    return sqliteRecordOn(absolute, std::move(db), version == 0);
  }

  {
    Statement mode(*db, "PRAGMA journal_mode=WAL");
    const StatementUse use(mode);
    const Status switched = mode.stepWaiting();
    if (!switched.row()) {
      return cannot(opened, switched.reason);
    }
    const QString journal = QString::fromUtf8(mode.bytes(0));
    if (journal.compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0) {
      return cannot(
          opened,
          QStringLiteral("it cannot be shared with other programs (journal mode %1)").arg(journal));
    }
  }
  (void)db->exec("PRAGMA synchronous=NORMAL");

  if (version < kRecordVersion) {
    const QString updating = QStringLiteral("be brought up to date");
    Sqlite::WriteTransaction write(*db, Sqlite::WriteTransaction::Sync::Normal, kLongestWaitMs);
    if (!write.begun()) {
      return cannot(updating, write.begun().reason);
    }
    // Another program may have brought it up to date while this one waited.
    const StatementUse use(versionAndTables);
    const Status again = versionAndTables.step();
    if (!again.row()) {
      return cannot(updating, again.reason);
    }
    int current = static_cast<int>(versionAndTables.number(0));
    if (current == 0 && versionAndTables.number(1) != 0) {
      return cannot(used, kStranger);
    }
    if (current > kRecordVersion) {
      return cannot(used, newerReason(current));
    }
    for (const SchemaStep& step : kSchemaSteps) {
      if (step.version <= current) {
        continue;
      }
      if (const Status done = db->exec(step.sql); !done) {
        return cannot(updating, done.reason);
      }
      current = step.version;
    }
    const QByteArray setVersion = "PRAGMA user_version=" + QByteArray::number(current);
    Status done = db->exec(setVersion.constData());
    if (done) done = write.commit();
    if (!done) {
      return cannot(updating, done.reason);
    }
  }

  if (const QString damage = sound(); !damage.isEmpty()) {
    return cannot(used, damage);
  }
  return sqliteRecordOn(absolute, std::move(db), false);
}

}  // namespace Q6
