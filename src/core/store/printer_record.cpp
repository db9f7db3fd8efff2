#include "core/store/printer_record.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <pwd.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <climits>
#include <mutex>
#include <thread>
#include <utility>

#include "core/common/whole_file.h"
#include "core/link/printer_key.h"

namespace Q6 {

namespace {

// Each step takes the file from the version before it to its own (step i: version i to i + 1).
// A step is never changed once shipped: files out there were made by it.
const char* const kSchemaSteps[] = {
    // 0 -> 1
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
    "CREATE INDEX entries_by_printer ON entries (printer, id);",
};
static_assert(std::size(kSchemaSteps) == kRecordVersion);

constexpr const char* kColumns =
    "id, time, user, host, program, printer, model, action, effect, settings, bytes, sha256, "
    "outcome, sent, reason, completed";

// A transaction never waits longer than this in all, however many programs keep committing.
constexpr int kLongestWaitMs = 60000;

QString timeText(const QDateTime& time) {
  return time.isValid() ? time.toUTC().toString(Qt::ISODateWithMs) : QString();
}

QDateTime timeFrom(const QString& text) {
  QDateTime time = QDateTime::fromString(text, Qt::ISODateWithMs);
  return time.isValid() ? time.toUTC() : QDateTime();
}

RecordEffect effectNamed(const QString& name) {
  for (RecordEffect effect : {RecordEffect::Settings, RecordEffect::Reset}) {
    if (name == recordEffectName(effect)) {
      return effect;
    }
  }
  return RecordEffect::None;
}

RecordOutcome outcomeNamed(const QString& name) {
  for (RecordOutcome outcome :
       {RecordOutcome::Delivered, RecordOutcome::Failed, RecordOutcome::NotSent}) {
    if (name == recordOutcomeName(outcome)) {
      return outcome;
    }
  }
  return RecordOutcome::Pending;
}

// SQLite's words for what went wrong, and the system's where the system said no.
QString sqliteReason(sqlite3* db, int code) {
  QString reason =
      db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(code));
  const int systemError = db ? sqlite3_system_errno(db) : 0;
  if (systemError != 0) {
    const QString system = systemReason(systemError);
    if (!reason.contains(system)) {
      reason += QStringLiteral(" (%1)").arg(system);
    }
  }
  if ((code & 0xff) == SQLITE_BUSY || (code & 0xff) == SQLITE_LOCKED) {
    reason += QStringLiteral(": another program has held it for more than %1 s")
                  .arg(kRecordBusyMs / 1000.0);
  }
  return reason;
}

// A column's UTF-8 for a run of rows: converted again only when the value changes, as a fleet's
// entries share every column but the printer.
template <typename Value>
class KeptText {
 public:
  template <typename Convert>
  const QByteArray& of(const Value& value, Convert convert) {
    if (!known_ || !(value == last_)) {
      last_ = value;
      utf8_ = convert(value);
      known_ = true;
    }
    return utf8_;
  }

 private:
  bool known_ = false;
  Value last_{};
  QByteArray utf8_;
};

class Statement {
 public:
  Statement(sqlite3* db, const char* sql) {
    code_ = sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr);
  }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  int prepared() const { return code_; }
  void bind(int i, const QString& text) { bind(i, text.toUtf8()); }
  // SQLite copies the bytes: they need not outlive the call.
  void bind(int i, const QByteArray& utf8) {
    sqlite3_bind_text(stmt_, i, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
  }
  void bind(int i, qint64 value) { sqlite3_bind_int64(stmt_, i, value); }
  void bindNull(int i) { sqlite3_bind_null(stmt_, i); }
  int step() { return sqlite3_step(stmt_); }
  // Every use binds all of a statement's parameters, so the old ones need no clearing.
  void reset() { sqlite3_reset(stmt_); }
  // The column's bytes, valid until the next step.
  QByteArrayView bytes(int i) const {
    const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt_, i));
    return data ? QByteArrayView(data, sqlite3_column_bytes(stmt_, i)) : QByteArrayView();
  }
  QString text(int i) const {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
    return bytes ? QString::fromUtf8(bytes, sqlite3_column_bytes(stmt_, i)) : QString();
  }
  qint64 number(int i) const { return sqlite3_column_int64(stmt_, i); }
  bool isNull(int i) const { return sqlite3_column_type(stmt_, i) == SQLITE_NULL; }

 private:
  sqlite3_stmt* stmt_ = nullptr;
  int code_ = SQLITE_OK;
};

// Reads entries row by row. A fleet's entries repeat most of their columns (the time, who, the
// settings, the outcome), so a column equal to the row before's gives the same value back,
// shared, instead of being converted again: reading ten thousand printers' states stays quick.
class EntryReader {
 public:
  RecordEntry read(const Statement& row) {
    RecordEntry entry;
    entry.id = row.number(0);
    entry.time = time_.of(row, 1, [](const QString& t) { return timeFrom(t); });
    entry.user = text_[0].of(row, 2, same);
    entry.host = text_[1].of(row, 3, same);
    entry.program = text_[2].of(row, 4, same);
    entry.printer = text_[3].of(row, 5, same);
    entry.model = text_[4].of(row, 6, same);
    entry.action = text_[5].of(row, 7, same);
    entry.effect = effect_.of(row, 8, [](const QString& t) { return effectNamed(t); });
    entry.settings = settings_.of(
        row, 9, [](const QString& t) { return t.isEmpty() ? QStringList() : t.split(u'\n'); });
    entry.bytes = row.number(10);
    entry.sha256 =
        sha256_.of(row, 11, [](const QString& t) { return QByteArray::fromHex(t.toLatin1()); });
    entry.outcome = outcome_.of(row, 12, [](const QString& t) { return outcomeNamed(t); });
    entry.sent = row.number(13);
    entry.reason = text_[6].of(row, 14, same);
    entry.completed = row.isNull(15)
                          ? QDateTime()
                          : completed_.of(row, 15, [](const QString& t) { return timeFrom(t); });
    return entry;
  }

 private:
  static QString same(const QString& text) { return text; }
  template <typename Value>
  class Column {
   public:
    template <typename Make>
    const Value& of(const Statement& row, int i, Make make) {
      const QByteArrayView bytes = row.bytes(i);
      if (!known_ || bytes != QByteArrayView(raw_)) {
        raw_ = bytes.toByteArray();
        value_ = make(QString::fromUtf8(raw_));
        known_ = true;
      }
      return value_;
    }

   private:
    bool known_ = false;
    QByteArray raw_;
    Value value_{};
  };
  Column<QDateTime> time_, completed_;
  Column<QString> text_[7];
  Column<RecordEffect> effect_;
  Column<RecordOutcome> outcome_;
  Column<QStringList> settings_;
  Column<QByteArray> sha256_;
};

SettingState stateOf(SettingStatus status, const RecordEntry& entry, const QString& by,
                     const QString& value = {}) {
  return SettingState{status, value, entry.id, entry.time, by};
}

Result<> makeRecordFolder(const QString& folder) {
  const int error = makeFolder(folder);
  if (error == 0) {
    return {};
  }
  if (error == EEXIST) {
    return Refused{QStringLiteral("%1 is not a folder").arg(folder)};
  }
  return Refused{systemReason(error)};
}

}  // namespace

QString recordEffectName(RecordEffect effect) {
  switch (effect) {
    case RecordEffect::None:
      return QStringLiteral("none");
    case RecordEffect::Settings:
      return QStringLiteral("settings");
    case RecordEffect::Reset:
      return QStringLiteral("reset");
  }
  return QStringLiteral("none");
}

QString recordOutcomeName(RecordOutcome outcome) {
  switch (outcome) {
    case RecordOutcome::Pending:
      return QStringLiteral("pending");
    case RecordOutcome::Delivered:
      return QStringLiteral("delivered");
    case RecordOutcome::Failed:
      return QStringLiteral("failed");
    case RecordOutcome::NotSent:
      return QStringLiteral("not-sent");
  }
  return QStringLiteral("pending");
}

PrinterState stateFromEntries(const std::vector<RecordEntry>& oldestFirst) {
  PrinterState state;
  for (const RecordEntry& entry : oldestFirst) {
    if (entry.outcome == RecordOutcome::NotSent) {
      continue;
    }
    const bool delivered = entry.outcome == RecordOutcome::Delivered;
    const QString by = entry.user + u'@' + entry.host;
    switch (entry.effect) {
      case RecordEffect::None:
        break;
      case RecordEffect::Reset:
        state.base =
            stateOf(delivered ? SettingStatus::Factory : SettingStatus::Unknown, entry, by);
        state.settings.clear();
        break;
      case RecordEffect::Settings:
        for (const QString& setting : entry.settings) {
          const qsizetype equals = setting.indexOf(u'=');
          const QString name = equals < 0 ? setting : setting.left(equals);
          // A setting written without its entry says only that it changed, not to what.
          state.settings.insert(
              name, delivered && equals >= 0
                        ? stateOf(SettingStatus::Known, entry, by, setting.mid(equals + 1))
                        : stateOf(SettingStatus::Unknown, entry, by));
        }
        break;
    }
  }
  return state;
}

QString defaultRecordPath() {
  const QString chosen = qEnvironmentVariable("Q6CONFIG_RECORD");
  if (!chosen.isEmpty()) {
    return chosen;
  }
  QString state = qEnvironmentVariable("XDG_STATE_HOME");
  // The base directory rules ignore a relative XDG_STATE_HOME.
  if (state.isEmpty() || !QDir::isAbsolutePath(state)) {
    QString home = qEnvironmentVariable("HOME");
    if (home.isEmpty()) {
      home = QDir::homePath();
    }
    state = home + QStringLiteral("/.local/state");
  }
  return state + QStringLiteral("/q6config/record.sqlite3");
}

QString recordPrinterName(const Orvanel::LinkSettings& s) {
  using Orvanel::ConnectionKind;
  switch (s.kind) {
    case ConnectionKind::Network: {
      const QString host = Orvanel::canonicalHost(s.host);
      return QStringLiteral("tcp://%1:%2")
          .arg(host.contains(u':') ? u'[' + host + u']' : host, QString::number(s.port));
    }
    case ConnectionKind::Queue:
      return QStringLiteral("queue:") + s.queue.toLower();
    case ConnectionKind::File:
      return QStringLiteral("file:") + Orvanel::canonicalFilePath(s.path);
    case ConnectionKind::Serial:
      // A link such as /dev/serial/by-id/... names the port it points to today.
      return QStringLiteral("serial:") +
             Orvanel::canonicalFilePath(Orvanel::serialPortLocation(s.serialPort));
    case ConnectionKind::NotSet:
      break;
  }
  return QString();
}

RecordEntry entryBegunNow(const QString& program) {
  RecordEntry entry;
  entry.time = QDateTime::currentDateTimeUtc();
  entry.user = recordUser();
  entry.host = recordHost();
  entry.program = program;
  return entry;
}

void noteBytes(RecordEntry& entry, const CommandList& commands) {
  QCryptographicHash sha(QCryptographicHash::Sha256);
  entry.bytes = 0;
  for (const Command& command : commands) {
    sha.addData(command);
    entry.bytes += command.size();
  }
  entry.sha256 = sha.result();
}

QString recordUser() {
  std::array<char, 4096> buffer{};
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
      found->pw_name && *found->pw_name) {
    return QString::fromLocal8Bit(found->pw_name);
  }
  const QString user = qEnvironmentVariable("USER");
  return user.isEmpty() ? QString::number(::geteuid()) : user;
}

QString recordHost() {
  std::array<char, HOST_NAME_MAX + 1> name{};
  if (::gethostname(name.data(), name.size() - 1) != 0) {
    return QStringLiteral("localhost");
  }
  return QString::fromLocal8Bit(name.data());
}

struct PrinterRecord::Db {
  sqlite3* db = nullptr;
  std::mutex mutex;
  QString path;

  ~Db() { sqlite3_close_v2(db); }

  // Why the last beginWrite() gave up, taken before the questions it asked after it.
  QString beginFailure;

  Refused refused(const QString& doing, int code) {
    const QString reason = beginFailure.isEmpty() ? sqliteReason(db, code) : beginFailure;
    beginFailure.clear();
    return Refused{
        QStringLiteral("The printer record %1 cannot be %2: %3").arg(path, doing, reason)};
  }

  int exec(const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }

  // Steps a statement, trying again for up to the busy timeout while the file is busy. While
  // another program makes a new record (its tables, the switch to WAL), SQLite answers a reader
  // or a second switch "busy" at once, without waiting the busy timeout.
  int stepWaiting(Statement& statement) {
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(kRecordBusyMs);
    for (;;) {
      const int code = statement.step();
      if ((code & 0xff) != SQLITE_BUSY || std::chrono::steady_clock::now() > giveUp) {
        return code;
      }
      statement.reset();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }

  qint64 dataVersion() {
    Statement version(db, "PRAGMA data_version");
    return version.prepared() == SQLITE_OK && version.step() == SQLITE_ROW ? version.number(0) : -1;
  }

  // BEGIN IMMEDIATE, waiting for other programs while they make headway: the busy timeout covers
  // one holder, and a lock that changed hands (the file's data moved on) is tried for again, so
  // that a program among many busy writers is not turned away by bad luck.
  int beginWrite() {
    const auto giveUp =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kLongestWaitMs);
    beginFailure.clear();
    qint64 seen = dataVersion();
    for (;;) {
      const int code = exec("BEGIN IMMEDIATE");
      if (code == SQLITE_OK) {
        beginFailure.clear();
        return code;
      }
      beginFailure = sqliteReason(db, code);
      if ((code & 0xff) != SQLITE_BUSY || std::chrono::steady_clock::now() > giveUp) {
        return code;
      }
      const qint64 now = dataVersion();
      if (now == seen || now < 0) {
        return code;
      }
      seen = now;
    }
  }

  // Ends a transaction that failed half way; the caller has taken the reason that stopped it.
  void rollBack() {
    if (!sqlite3_get_autocommit(db)) {
      exec("ROLLBACK");
    }
  }
};

PrinterRecord::PrinterRecord(QString path, std::unique_ptr<Db> db)
    : path_(std::move(path)), db_(std::move(db)) {}

PrinterRecord::~PrinterRecord() = default;

Result<std::unique_ptr<PrinterRecord>> PrinterRecord::open(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  const QString folder = QFileInfo(absolute).absolutePath();
  const auto cannot = [&](const QString& doing, const QString& reason) {
    return Refused{
        QStringLiteral("The printer record %1 cannot be %2: %3").arg(absolute, doing, reason)};
  };
  if (const Result<> made = makeRecordFolder(folder); !made) {
    return cannot(QStringLiteral("made"), made.error());
  }
  if (QFileInfo(absolute).isDir()) {
    return cannot(QStringLiteral("opened"), QStringLiteral("it is a folder"));
  }

  auto db = std::make_unique<Db>();
  db->path = absolute;
  const QByteArray name = QFile::encodeName(absolute);
  int code =
      sqlite3_open_v2(name.constData(), &db->db,
                      SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX, nullptr);
  if (code != SQLITE_OK) {
    return db->refused(QStringLiteral("opened"), code);
  }
  sqlite3_extended_result_codes(db->db, 1);
  sqlite3_busy_timeout(db->db, kRecordBusyMs);
  if (sqlite3_db_readonly(db->db, "main") == 1) {
    const int error = ::access(name.constData(), W_OK) == 0 ? EACCES : errno;
    return cannot(QStringLiteral("written"), systemReason(error));
  }

  // Nothing is written before the file has shown itself to be a record this program knows: a
  // newer program's record, or another program's database, is left byte for byte as it was.
  // Version and tables in one statement, so one snapshot: a program making the record meanwhile
  // is seen either before or after.
  constexpr const char* kVersionAndTables =
      "SELECT (SELECT user_version FROM pragma_user_version), (SELECT count(*) FROM sqlite_master)";
  int version = 0;
  bool empty = false;
  {
    Statement read(db->db, kVersionAndTables);
    code = read.prepared() == SQLITE_OK ? db->stepWaiting(read) : read.prepared();
    if (code != SQLITE_ROW) {
      return db->refused(QStringLiteral("opened"), code);
    }
    version = static_cast<int>(read.number(0));
    empty = read.number(1) == 0;
  }
  if (version > kRecordVersion) {
    return cannot(QStringLiteral("used"),
                  QStringLiteral("it was written by a newer q6config (record version %1; this one "
                                 "knows up to %2), and it is left as it is")
                      .arg(version)
                      .arg(kRecordVersion));
  }
  if (version == 0 && !empty) {
    return cannot(QStringLiteral("used"),
                  QStringLiteral("it is a database, but not a printer record, and it is left as "
                                 "it is"));
  }

  // A file damaged where it matters is reported, never mended, and never touched.
  const auto soundRecord = [&]() -> Result<> {
    const QByteArray probe = QByteArray("SELECT ") + kColumns + " FROM entries LIMIT 0";
    Statement columns(db->db, probe.constData());
    if (columns.prepared() != SQLITE_OK) {
      return Refused{
          QStringLiteral("it is damaged (%1)").arg(sqliteReason(db->db, columns.prepared()))};
    }
    return {};
  };
  if (version == kRecordVersion) {
    if (const Result<> sound = soundRecord(); !sound) {
      return cannot(QStringLiteral("used"), sound.error());
    }
  }

  {
    Statement mode(db->db, "PRAGMA journal_mode=WAL");
    code = mode.prepared() == SQLITE_OK ? db->stepWaiting(mode) : mode.prepared();
    if (code != SQLITE_ROW) {
      return db->refused(QStringLiteral("opened"), code);
    }
    if (mode.text(0).compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0) {
      return cannot(QStringLiteral("opened"),
                    QStringLiteral("it cannot be shared with other programs (journal mode %1)")
                        .arg(mode.text(0)));
    }
  }
  db->exec("PRAGMA synchronous=NORMAL");

  if (version < kRecordVersion) {
    code = db->beginWrite();
    if (code != SQLITE_OK) {
      return db->refused(QStringLiteral("brought up to date"), code);
    }
    // Another program may have brought it up to date while this one waited.
    Statement again(db->db, kVersionAndTables);
    code = again.prepared() == SQLITE_OK ? again.step() : again.prepared();
    if (code != SQLITE_ROW) {
      const Refused refusal = db->refused(QStringLiteral("brought up to date"), code);
      db->rollBack();
      return refusal;
    }
    int current = static_cast<int>(again.number(0));
    const bool stillEmpty = again.number(1) == 0;
    again.reset();
    if (current == 0 && !stillEmpty) {
      db->rollBack();
      return cannot(QStringLiteral("used"),
                    QStringLiteral("it is a database, but not a printer record, and it is left as "
                                   "it is"));
    }
    if (current > kRecordVersion) {
      db->rollBack();
      return cannot(QStringLiteral("used"),
                    QStringLiteral("it was written by a newer q6config (record version %1; this "
                                   "one knows up to %2), and it is left as it is")
                        .arg(current)
                        .arg(kRecordVersion));
    }
    code = SQLITE_OK;  // nothing to do when another program brought it up to date meanwhile
    for (; current < kRecordVersion; ++current) {
      code = db->exec(kSchemaSteps[current]);
      if (code != SQLITE_OK) {
        break;
      }
    }
    if (code == SQLITE_OK) {
      const QByteArray setVersion = "PRAGMA user_version=" + QByteArray::number(kRecordVersion);
      code = db->exec(setVersion.constData());
    }
    if (code == SQLITE_OK) {
      code = db->exec("COMMIT");
    }
    if (code != SQLITE_OK) {
      const Refused refusal = db->refused(QStringLiteral("brought up to date"), code);
      db->rollBack();
      return refusal;
    }
  }

  if (const Result<> sound = soundRecord(); !sound) {
    return cannot(QStringLiteral("used"), sound.error());
  }
  return std::unique_ptr<PrinterRecord>(new PrinterRecord(absolute, std::move(db)));
}

Result<std::vector<qint64>> PrinterRecord::begin(const std::vector<RecordEntry>& entries) {
  for (const RecordEntry& entry : entries) {
    if (entry.printer.isEmpty() || !entry.time.isValid()) {
      return Refused{QStringLiteral("The printer record %1 cannot take an entry without a printer "
                                    "or a time (action \"%2\")")
                         .arg(path_, entry.action)};
    }
    for (const QString& setting : entry.settings) {
      if (setting.contains(u'\n')) {
        return Refused{QStringLiteral("The printer record %1 cannot take the setting \"%2\": it "
                                      "spans lines")
                           .arg(path_, setting)};
      }
    }
  }
  const std::lock_guard<std::mutex> lock(db_->mutex);
  // A begun entry must outlive a power cut: its bytes may be on their way to the printer.
  db_->exec("PRAGMA synchronous=FULL");
  const auto done = [this](int code) -> Refused {
    const Refused refusal = db_->refused(QStringLiteral("written"), code);
    db_->rollBack();
    db_->exec("PRAGMA synchronous=NORMAL");
    return refusal;
  };
  int code = db_->beginWrite();
  if (code != SQLITE_OK) {
    return done(code);
  }
  // Rows go in kRowsAtOnce to a statement: far fewer statements for a fleet's thousands.
  constexpr size_t kRowsAtOnce = 32;
  const auto insertFor = [](size_t rows) {
    QByteArray sql =
        "INSERT INTO entries (time, user, host, program, printer, model, action, effect, "
        "settings, bytes, sha256, outcome) VALUES ";
    for (size_t r = 0; r < rows; ++r) {
      sql += r == 0 ? "" : ", ";
      sql += "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'pending')";
    }
    sql += " RETURNING id";
    return sql;
  };
  std::unique_ptr<Statement> full;  // for kRowsAtOnce rows; the last few get one of their own
  std::vector<qint64> ids;
  ids.reserve(entries.size());
  KeptText<QDateTime> time;
  KeptText<QString> user, host, program, model, action;
  KeptText<RecordEffect> effect;
  KeptText<QStringList> settings;
  KeptText<QByteArray> sha256;
  for (size_t first = 0; first < entries.size();) {
    const size_t rows = std::min(kRowsAtOnce, entries.size() - first);
    std::unique_ptr<Statement> rest;
    if (rows == kRowsAtOnce && !full) {
      full = std::make_unique<Statement>(db_->db, insertFor(rows).constData());
    } else if (rows != kRowsAtOnce) {
      rest = std::make_unique<Statement>(db_->db, insertFor(rows).constData());
    }
    Statement& insert = rest ? *rest : *full;
    if (insert.prepared() != SQLITE_OK) {
      return done(insert.prepared());
    }
    const auto utf8 = [](const QString& text) { return text.toUtf8(); };
    for (size_t r = 0; r < rows; ++r) {
      const RecordEntry& entry = entries[first + r];
      const int at = static_cast<int>(r) * 11;
      insert.bind(at + 1,
                  time.of(entry.time, [](const QDateTime& t) { return timeText(t).toUtf8(); }));
      insert.bind(at + 2, user.of(entry.user, utf8));
      insert.bind(at + 3, host.of(entry.host, utf8));
      insert.bind(at + 4, program.of(entry.program, utf8));
      insert.bind(at + 5, entry.printer);
      insert.bind(at + 6, model.of(entry.model, utf8));
      insert.bind(at + 7, action.of(entry.action, utf8));
      insert.bind(at + 8, effect.of(entry.effect,
                                    [](RecordEffect e) { return recordEffectName(e).toUtf8(); }));
      insert.bind(at + 9, settings.of(entry.settings, [](const QStringList& list) {
        return list.join(u'\n').toUtf8();
      }));
      insert.bind(at + 10, entry.bytes);
      insert.bind(at + 11,
                  sha256.of(entry.sha256, [](const QByteArray& hash) { return hash.toHex(); }));
    }
    while ((code = insert.step()) == SQLITE_ROW) {
      ids.push_back(insert.number(0));
    }
    if (code != SQLITE_DONE) {
      return done(code);
    }
    insert.reset();
    // The rows get their ids in the order they are given; RETURNING may list them in any order.
    std::sort(ids.begin() + static_cast<qsizetype>(first), ids.end());
    first += rows;
    if (ids.size() != first) {
      db_->rollBack();
      db_->exec("PRAGMA synchronous=NORMAL");
      return Refused{QStringLiteral("The printer record %1 took %2 of %3 entries")
                         .arg(path_)
                         .arg(ids.size())
                         .arg(entries.size())};
    }
  }
  code = db_->exec("COMMIT");
  if (code != SQLITE_OK) {
    return done(code);
  }
  db_->exec("PRAGMA synchronous=NORMAL");
  return ids;
}

Result<> PrinterRecord::complete(const std::vector<Completion>& completions) {
  for (const Completion& c : completions) {
    if (c.outcome == RecordOutcome::Pending) {
      return Refused{QStringLiteral("The printer record %1 cannot complete entry %2 as pending")
                         .arg(path_)
                         .arg(c.id)};
    }
  }
  const std::lock_guard<std::mutex> lock(db_->mutex);
  const auto done = [this](int code) -> Refused {
    const Refused refusal = db_->refused(QStringLiteral("written"), code);
    db_->rollBack();
    return refusal;
  };
  int code = db_->beginWrite();
  if (code != SQLITE_OK) {
    return done(code);
  }
  // A fleet's entries were begun together and mostly end alike: neighbouring ids that end the
  // same way are completed by one statement.
  Statement update(db_->db,
                   "UPDATE entries SET outcome = ?, sent = ?, reason = ?, completed = ? "
                   "WHERE id BETWEEN ? AND ? AND outcome = 'pending'");
  if (update.prepared() != SQLITE_OK) {
    return done(update.prepared());
  }
  std::vector<const Completion*> byId;
  byId.reserve(completions.size());
  for (const Completion& c : completions) {
    byId.push_back(&c);
  }
  std::stable_sort(byId.begin(), byId.end(),
                   [](const Completion* a, const Completion* b) { return a->id < b->id; });
  const auto alike = [](const Completion& a, const Completion& b) {
    return b.id == a.id + 1 && a.outcome == b.outcome && a.sent == b.sent && a.reason == b.reason;
  };
  const QByteArray now = timeText(QDateTime::currentDateTimeUtc()).toUtf8();
  KeptText<RecordOutcome> outcome;
  KeptText<QString> reason;
  for (size_t first = 0, last = 0; first < byId.size(); first = last + 1) {
    last = first;
    while (last + 1 < byId.size() && alike(*byId[last], *byId[last + 1])) {
      ++last;
    }
    const Completion& c = *byId[first];
    update.bind(
        1, outcome.of(c.outcome, [](RecordOutcome o) { return recordOutcomeName(o).toUtf8(); }));
    update.bind(2, c.sent);
    update.bind(3, reason.of(c.reason, [](const QString& text) { return text.toUtf8(); }));
    update.bind(4, now);
    update.bind(5, c.id);
    update.bind(6, byId[last]->id);
    code = update.step();
    if (code != SQLITE_DONE) {
      return done(code);
    }
    update.reset();
    if (sqlite3_changes(db_->db) != static_cast<int>(last - first + 1)) {
      db_->rollBack();
      return Refused{
          QStringLiteral("The printer record %1 has no pending entry %2 to complete")
              .arg(path_, first == last
                              ? QString::number(c.id)
                              : QStringLiteral("among %1 to %2").arg(c.id).arg(byId[last]->id))};
    }
  }
  code = db_->exec("COMMIT");
  if (code != SQLITE_OK) {
    return done(code);
  }
  return {};
}

Result<std::vector<RecordEntry>> PrinterRecord::history(const QString& printer, int limit) {
  const std::lock_guard<std::mutex> lock(db_->mutex);
  const QByteArray sql =
      QByteArray("SELECT ") + kColumns + " FROM entries WHERE printer = ? ORDER BY id DESC LIMIT ?";
  Statement query(db_->db, sql.constData());
  if (query.prepared() != SQLITE_OK) {
    return db_->refused(QStringLiteral("read"), query.prepared());
  }
  query.bind(1, printer);
  query.bind(2, static_cast<qint64>(limit > 0 ? limit : -1));
  std::vector<RecordEntry> entries;
  EntryReader reader;
  int code = SQLITE_ROW;
  while ((code = query.step()) == SQLITE_ROW) {
    entries.push_back(reader.read(query));
  }
  if (code != SQLITE_DONE) {
    return db_->refused(QStringLiteral("read"), code);
  }
  return entries;
}

Result<std::vector<PrinterState>> PrinterRecord::states(const QStringList& printers) {
  const std::lock_guard<std::mutex> lock(db_->mutex);
  // One snapshot for every printer: a write from another program lands wholly before or after.
  int code = db_->exec("BEGIN");
  if (code != SQLITE_OK) {
    return db_->refused(QStringLiteral("read"), code);
  }
  const auto failed = [this](int code) -> Refused {
    const Refused refusal = db_->refused(QStringLiteral("read"), code);
    db_->rollBack();
    return refusal;
  };
  const QByteArray sql =
      QByteArray("SELECT ") + kColumns + " FROM entries WHERE printer = ? ORDER BY id DESC";
  Statement query(db_->db, sql.constData());
  if (query.prepared() != SQLITE_OK) {
    return failed(query.prepared());
  }
  std::vector<PrinterState> states;
  states.reserve(printers.size());
  EntryReader reader;
  for (const QString& printer : printers) {
    query.bind(1, printer);
    std::vector<RecordEntry> entries;
    // Back to the last reset that may have reached the printer: nothing before it counts.
    while ((code = query.step()) == SQLITE_ROW) {
      entries.push_back(reader.read(query));
      const RecordEntry& last = entries.back();
      if (last.effect == RecordEffect::Reset && last.outcome != RecordOutcome::NotSent) {
        break;
      }
    }
    if (code != SQLITE_ROW && code != SQLITE_DONE) {
      return failed(code);
    }
    query.reset();
    std::reverse(entries.begin(), entries.end());
    states.push_back(stateFromEntries(entries));
  }
  code = db_->exec("COMMIT");
  if (code != SQLITE_OK) {
    return failed(code);
  }
  return states;
}

}  // namespace Q6
