// The record's SQLite layer: a write that fails at any statement leaves nothing of itself behind
// and the connection as it was; a record made by 1.8.0 reads the same, and one made now is what
// 1.8.0 made; only a regular file is ever handed to SQLite; a record that may only be read is read.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>
#include <sys/stat.h>

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "core/record/printer_record.h"
#include "core/record/sqlite_db.h"
#include "support/core_support.h"

namespace {

using Q6::PrinterRecord;
using Q6::RecordEffect;
using Q6::RecordEntry;
using Q6::RecordOutcome;

RecordEntry entryOn(const QString& printer, int second) {
  RecordEntry entry;
  entry.time = QDateTime(QDate(2026, 3, 14), QTime(9, 26, second, 535), Qt::UTC);
  entry.user = QStringLiteral("ana");
  entry.host = QStringLiteral("till-3");
  entry.program = QStringLiteral("q6config-cli 1.8.0");
  entry.printer = printer;
  entry.model = QStringLiteral("QLX600");
  entry.action = QStringLiteral("apply");
  entry.effect = RecordEffect::Settings;
  entry.settings = {QStringLiteral("density=3"), QStringLiteral("cutter=Full Cut")};
  entry.bytes = 11;
  entry.sha256 = Q6Test::hex("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  return entry;
}

int execOn(const QString& path, const char* sql) {
  sqlite3* db = nullptr;
  int code = sqlite3_open(QFile::encodeName(path).constData(), &db);
  if (code == SQLITE_OK) {
    code = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
  }
  sqlite3_close(db);
  return code;
}

// Every statement the layer runs, as SQLite would have been given it; one of them fails.
class FaultAt {
 public:
  FaultAt(std::string part, int occurrence) : part_(std::move(part)), left_(occurrence) {
    Q6::Sqlite::setFaultForTests([this](std::string_view sql) {
      const std::lock_guard<std::mutex> lock(mutex_);
      ran_.emplace_back(sql);
      if (left_ > 0 && sql.find(part_) != std::string_view::npos && --left_ == 0) {
        failedAt_ = ran_.size();
        return SQLITE_IOERR_WRITE;
      }
      return 0;
    });
  }
  ~FaultAt() { Q6::Sqlite::setFaultForTests(nullptr); }
  // What ran after the fault.
  std::vector<std::string> after() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return failedAt_ == 0 ? std::vector<std::string>{}
                          : std::vector<std::string>(ran_.begin() + failedAt_, ran_.end());
  }

 private:
  mutable std::mutex mutex_;
  std::string part_;
  int left_;
  std::vector<std::string> ran_;
  size_t failedAt_ = 0;
};

bool contains(const std::vector<std::string>& ran, const std::string& sql) {
  return std::find(ran.begin(), ran.end(), sql) != ran.end();
}

// A begin or a completion that fails at any of its statements takes back all it wrote, ends its
// transaction, and puts the connection's syncing back: the next write on the same record works.
TEST(RecordTransactions, AFailureAnywhereLeavesNothingBehind) {
  const struct {
    const char* name;
    bool completing;
    const char* part;  // of the statement that fails
    int occurrence;
    bool rolledBack;  // a transaction was open
  } points[] = {
      {"begin: the lock", false, "BEGIN IMMEDIATE", 1, false},
      {"begin: the first rows", false, "INSERT INTO entries", 1, true},
      {"begin: rows after 32 went in", false, "INSERT INTO entries", 2, true},
      {"begin: the commit", false, "COMMIT", 1, true},
      {"complete: the lock", true, "BEGIN IMMEDIATE", 1, false},
      {"complete: the second run of alike ids", true, "UPDATE entries", 2, true},
      {"complete: the commit", true, "COMMIT", 1, true},
  };
  for (const auto& point : points) {
    SCOPED_TRACE(point.name);
    QTemporaryDir dir;
    const QString printer = QStringLiteral("queue:kitchen");
    auto opened = PrinterRecord::open(dir.filePath(QStringLiteral("record.sqlite3")));
    ASSERT_TRUE(opened.ok()) << opened.error().toStdString();
    PrinterRecord& record = **opened;
    std::vector<RecordEntry> entries(40, entryOn(printer, 1));
    std::vector<qint64> ids;
    if (point.completing) {
      auto begun = record.begin(entries);
      ASSERT_TRUE(begun.ok()) << begun.error().toStdString();
      ids = *begun;
    }
    {
      FaultAt fault(point.part, point.occurrence);
      std::optional<Q6::RecordRefusal> refusal;
      if (point.completing) {
        // Two runs of neighbouring ids: the first delivered, the rest failed.
        std::vector<PrinterRecord::Completion> done;
        for (size_t i = 0; i < ids.size(); ++i) {
          done.push_back({ids[i], i < 10 ? RecordOutcome::Delivered : RecordOutcome::Failed, 0,
                          i < 10 ? QString() : QStringLiteral("Broken pipe")});
        }
        auto completed = record.complete(done);
        ASSERT_FALSE(completed.ok());
        refusal = completed.refusal();
      } else {
        auto begun = record.begin(entries);
        ASSERT_FALSE(begun.ok());
        refusal = begun.refusal();
      }
      EXPECT_EQ(refusal->location, dir.filePath(QStringLiteral("record.sqlite3")));
      EXPECT_EQ(refusal->doing, QStringLiteral("be written"));
      EXPECT_TRUE(refusal->reason.contains(QStringLiteral("disk I/O error")))
          << refusal->reason.toStdString();
      const std::vector<std::string> after = fault.after();
      EXPECT_EQ(contains(after, "ROLLBACK"), point.rolledBack);
      EXPECT_EQ(contains(after, "PRAGMA synchronous=NORMAL"), !point.completing);
    }
    auto history = record.history(printer, 0);
    ASSERT_TRUE(history.ok()) << history.error().toStdString();
    ASSERT_EQ(history->size(), point.completing ? entries.size() : 0u);
    for (const RecordEntry& e : *history) {
      EXPECT_EQ(e.outcome, RecordOutcome::Pending);
    }
    // Nothing was left open: the same record takes the next write.
    auto again = record.begin({entryOn(printer, 2)});
    EXPECT_TRUE(again.ok()) << again.error().toStdString();
  }
}

// The schema and a row as q6config 1.8.0 wrote them, word for word.
constexpr const char* kSchemaOf180 =
    "CREATE TABLE entries ( id INTEGER PRIMARY KEY, time TEXT NOT NULL, user TEXT NOT NULL, host "
    "TEXT NOT NULL, program TEXT NOT NULL, printer TEXT NOT NULL, model TEXT NOT NULL, action TEXT "
    "NOT NULL, effect TEXT NOT NULL CHECK (effect IN ('none', 'settings', 'reset')), settings "
    "TEXT NOT NULL, bytes INTEGER NOT NULL, sha256 TEXT NOT NULL, outcome TEXT NOT NULL  CHECK "
    "(outcome IN ('pending', 'delivered', 'failed', 'not-sent')), sent INTEGER NOT NULL DEFAULT "
    "0, reason TEXT NOT NULL DEFAULT '', completed TEXT)";

TEST(RecordSchema, ARecordOf180ReadsTheSameAndOneMadeNowIsWhat180Made) {
  QTemporaryDir dir;
  const QString old = dir.filePath(QStringLiteral("old.sqlite3"));
  const std::string made = std::string(kSchemaOf180) +
                           ";CREATE INDEX entries_by_printer ON entries (printer, id);"
                           "PRAGMA user_version=1; PRAGMA journal_mode=WAL;"
                           "INSERT INTO entries (time, user, host, program, printer, model, "
                           "action, effect, settings, bytes, sha256, outcome, sent, reason, "
                           "completed) VALUES ('2026-03-14T09:26:01.535Z', 'ana', 'till-3', "
                           "'q6config-cli 1.8.0', 'queue:kitchen', 'QLX600', 'apply', 'settings', "
                           "'density=3\ncutter=Full Cut', 11, "
                           "'e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855', "
                           "'failed', 4, 'Broken pipe', '2026-03-14T09:26:02.000Z');";
  ASSERT_EQ(execOn(old, made.c_str()), SQLITE_OK);
  auto opened = PrinterRecord::open(old);
  ASSERT_TRUE(opened.ok()) << opened.error().toStdString();
  auto history = (*opened)->history(QStringLiteral("queue:kitchen"), 0);
  ASSERT_TRUE(history.ok()) << history.error().toStdString();
  ASSERT_EQ(history->size(), 1u);
  const RecordEntry& e = history->front();
  const RecordEntry want = entryOn(QStringLiteral("queue:kitchen"), 1);
  EXPECT_EQ(e.id, 1);
  EXPECT_EQ(e.time, want.time);
  EXPECT_EQ(e.user, want.user);
  EXPECT_EQ(e.host, want.host);
  EXPECT_EQ(e.program, want.program);
  EXPECT_EQ(e.model, want.model);
  EXPECT_EQ(e.action, want.action);
  EXPECT_EQ(e.effect, RecordEffect::Settings);
  EXPECT_EQ(e.settings, want.settings);
  EXPECT_EQ(e.bytes, 11);
  EXPECT_EQ(e.sha256, want.sha256);
  EXPECT_EQ(e.outcome, RecordOutcome::Failed);
  EXPECT_EQ(e.sent, 4);
  EXPECT_EQ(e.reason, QStringLiteral("Broken pipe"));
  EXPECT_EQ(e.completed, QDateTime(QDate(2026, 3, 14), QTime(9, 26, 2), Qt::UTC));

  // A record made now holds the same table, so that 1.8.0 opens it.
  const QString now = dir.filePath(QStringLiteral("now.sqlite3"));
  ASSERT_TRUE(PrinterRecord::open(now).ok());
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(QFile::encodeName(now).constData(), &db), SQLITE_OK);
  sqlite3_stmt* stmt = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT sql FROM sqlite_master WHERE name = 'entries'", -1,
                               &stmt, nullptr),
            SQLITE_OK);
  ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
  const std::string table = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
  sqlite3_finalize(stmt);
  sqlite3_close(db);
  EXPECT_EQ(table, kSchemaOf180);
}

// Only a regular file, or a place where one can be made, is handed to SQLite: anything else is
// refused with what it is, and nothing is made beside what the location points at.
TEST(RecordPlace, OnlyARegularFileIsUsed) {
  QTemporaryDir dir;
  const QString fifo = dir.filePath(QStringLiteral("pipe"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const struct {
    const char* name;
    QString target;  // what the location is, or points at
    bool link;
    const char* reason;
  } places[] = {
      {"a named pipe", fifo, false, "it is not a regular file (a named pipe)"},
      {"a link to /dev/null", QStringLiteral("/dev/null"), true,
       "it is not a regular file (a character device)"},
      {"a link to /dev/zero", QStringLiteral("/dev/zero"), true,
       "it is not a regular file (a character device)"},
      {"a link to a folder", dir.path(), true, "it is a folder"},
  };
  int links = 0;
  for (const auto& place : places) {
    SCOPED_TRACE(place.name);
    const QString location =
        place.link ? dir.filePath(QStringLiteral("link-%1").arg(++links)) : place.target;
    if (place.link) {
      ASSERT_TRUE(QFile::link(place.target, location));
    }
    for (Q6::RecordAccess access : {Q6::RecordAccess::Write, Q6::RecordAccess::Read}) {
      auto opened = PrinterRecord::open(location, access);
      ASSERT_FALSE(opened.ok());
      EXPECT_EQ(opened.refusal().location, location);
      EXPECT_EQ(opened.refusal().reason, QLatin1String(place.reason));
    }
    for (const char* beside : {"-journal", "-wal", "-shm"}) {
      EXPECT_FALSE(QFileInfo::exists(place.target + QLatin1String(beside))) << beside;
      EXPECT_FALSE(QFileInfo::exists(location + QLatin1String(beside))) << beside;
    }
  }
}

// A record on a read-only share is read for everything that only reads, and nothing is made; a
// missing one is refused for reading with its real cause.
TEST(RecordPlace, ARecordThatMayOnlyBeReadIsRead) {
  QTemporaryDir dir;
  const QString folder = dir.filePath(QStringLiteral("share"));
  Q6Test::PrivateTmpfs share(folder);
  if (!share.unavailable().isEmpty()) {
    GTEST_SKIP() << share.unavailable().toStdString();
  }
  const QString path = folder + QStringLiteral("/record.sqlite3");
  const QString printer = QStringLiteral("tcp://10.0.0.7:9100");
  {
    auto made = PrinterRecord::open(path);
    ASSERT_TRUE(made.ok()) << made.error().toStdString();
    ASSERT_TRUE((*made)->begin({entryOn(printer, 1)}).ok());
  }
  ASSERT_TRUE(share.makeReadOnly());
  const QStringList before = QDir(folder).entryList(QDir::Files | QDir::Hidden);

  auto writing = PrinterRecord::open(path);
  ASSERT_FALSE(writing.ok());
  EXPECT_TRUE(writing.refusal().reason.contains(QStringLiteral("Read-only file system")))
      << writing.error().toStdString();
  auto reading = PrinterRecord::open(path, Q6::RecordAccess::Read);
  ASSERT_TRUE(reading.ok()) << reading.error().toStdString();
  auto history = (*reading)->history(printer, 0);
  ASSERT_TRUE(history.ok()) << history.error().toStdString();
  EXPECT_EQ(history->size(), 1u);
  auto states = (*reading)->states({printer});
  ASSERT_TRUE(states.ok()) << states.error().toStdString();
  EXPECT_EQ(states->at(0).of(QStringLiteral("density")).status, Q6::SettingStatus::Unknown);
  EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), before);

  auto missing =
      PrinterRecord::open(folder + QStringLiteral("/none.sqlite3"), Q6::RecordAccess::Read);
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.refusal().reason, QStringLiteral("No such file or directory"));
}

}  // namespace
