#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

#include "core/common/result.h"
#include "core/link/link_settings.h"
#include "core/printer/commands.h"

// The record of what was sent to each printer. The printers never answer, so what a printer holds
// is known only from what this program delivered to it: every exchange, from the window, the
// command-line tool or the Ansible module, is one entry in an SQLite file (WAL, busy timeout,
// schema version in PRAGMA user_version). An entry is begun, and on disk, before the first byte
// leaves, and completed once the close is confirmed; an entry that never completes (a kill, a power
// cut) or that failed after the link opened leaves the settings it carried unknown.
//
// The record never stops or changes an exchange: every operation here returns a refusal naming the
// file and the system's reason, and the caller reports it and sends anyway. The file is never
// deleted or recreated.
namespace Q6 {

// How long an operation waits for another program that holds the file's write lock. A program
// that keeps committing is waited for as long as it makes headway; one that holds the lock and
// commits nothing for this long is reported.
inline constexpr int kRecordBusyMs = 2000;
// The schema this program writes (PRAGMA user_version); older files are brought up to it, newer
// ones are refused untouched.
inline constexpr int kRecordVersion = 1;

// What a delivered exchange does to what the printer holds.
enum class RecordEffect {
  None,      // tests, sheets, the self test: nothing changes
  Settings,  // apply, Use Settings, the cut adjuster: the carried settings take their values
  Reset,     // reset, Clear All Settings: every setting goes back to the factory's
};

enum class RecordOutcome {
  Pending,    // begun, not completed: the printer may hold part of it
  Delivered,  // every byte taken and the close confirmed
  Failed,     // failed after the link opened: the printer may hold part of it
  NotSent,    // failed before the link opened, or never started: nothing reached the printer
};

// The words the file holds for them ("none", "settings", "reset"; "pending", "delivered",
// "failed", "not-sent"), so that the file reads plainly in the sqlite3 shell.
QString recordEffectName(RecordEffect effect);
QString recordOutcomeName(RecordOutcome outcome);

struct RecordEntry {
  qint64 id = 0;
  QDateTime time;   // UTC, when begun
  QString user;     // the login name
  QString host;     // this computer's name
  QString program;  // "q6config-cli 1.8.0"
  QString printer;  // recordPrinterName() of the connection
  QString model;    // "QLX500", "QLX600", or empty when the exchange does not depend on it
  QString action;   // "apply", "reset", "test line-feed", "Use Settings", "Clear All Settings"...
  RecordEffect effect = RecordEffect::None;
  QStringList settings;  // what it carried, "name=entry" with the settings table's names
  qint64 bytes = 0;      // the bytes of the exchange
  QByteArray sha256;     // of those bytes, 32 raw bytes
  RecordOutcome outcome = RecordOutcome::Pending;
  qint64 sent = 0;      // bytes handed to the link when completed
  QString reason;       // why it failed
  QDateTime completed;  // UTC; null while Pending
};

enum class SettingStatus { Unknown, Factory, Known };

// One setting as far as the record knows, and the entry that made it so (id 0, null time: no
// entry ever said anything about it).
struct SettingState {
  SettingStatus status = SettingStatus::Unknown;
  QString value;  // the entry name, Known only
  qint64 entry = 0;
  QDateTime since;
  QString by;  // "user@host"
  bool operator==(const SettingState&) const = default;
};

struct PrinterState {
  SettingState base;  // every setting that has no state of its own
  QHash<QString, SettingState> settings;
  SettingState of(const QString& name) const { return settings.value(name, base); }
};

// What a printer holds after the entries, oldest first: a delivered reset makes every setting
// "factory", a delivered apply gives the settings it carried their values, a pending or failed
// reset or apply makes what it would have changed unknown, and everything else changes nothing.
// With no entries every setting is unknown.
PrinterState stateFromEntries(const std::vector<RecordEntry>& oldestFirst);

// The record the programs use: Q6CONFIG_RECORD when set and not empty, else
// $XDG_STATE_HOME/q6config/record.sqlite3 ($HOME/.local/state when XDG_STATE_HOME is unset).
QString defaultRecordPath();

// The printer as the record names it: "tcp://host:port" (host in lower case, without a trailing
// dot, an address in canonical form, IPv6 in brackets; a .local name stays a name),
// "queue:name" (lower case), "file:/path" with every link followed, "serial:/dev/ttyUSB0".
QString recordPrinterName(const Orvanel::LinkSettings& settings);

// An entry begun now, by this login on this computer, with the program named ("q6config 1.8.0");
// the caller fills in the rest.
RecordEntry entryBegunNow(const QString& program);
// The exchange's bytes as its entry notes them: their count and SHA-256.
void noteBytes(RecordEntry& entry, const CommandList& commands);

// "user@host" of this login, as entries write it.
QString recordUser();
QString recordHost();

// One open record. Every operation may be called from any thread (they take turns on one
// connection); other programs writing the same file wait up to the busy timeout.
class PrinterRecord {
 public:
  // Opens the record, creating the file (and its folder) when it does not exist yet, and brings
  // an older schema up to date. Refused, naming the file and the reason, when it cannot be opened
  // or is no record ("file is not a database"); a refusal leaves the file as it was.
  static Result<std::unique_ptr<PrinterRecord>> open(const QString& path);
  ~PrinterRecord();
  PrinterRecord(const PrinterRecord&) = delete;
  PrinterRecord& operator=(const PrinterRecord&) = delete;

  const QString& path() const { return path_; }

  // Begins the entries in one transaction that is on disk when this returns, and gives their ids
  // in the same order. id, outcome, sent, reason and completed of the entries are ignored.
  Result<std::vector<qint64>> begin(const std::vector<RecordEntry>& entries);

  struct Completion {
    qint64 id = 0;
    RecordOutcome outcome = RecordOutcome::Delivered;  // never Pending
    qint64 sent = 0;
    QString reason;
  };
  // Completes the entries in one transaction.
  Result<> complete(const std::vector<Completion>& completions);

  // The printer's entries, newest first, at most `limit` (all when limit <= 0).
  Result<std::vector<RecordEntry>> history(const QString& printer, int limit);
  // What each printer holds, in the order asked, read in one transaction.
  Result<std::vector<PrinterState>> states(const QStringList& printers);

 private:
  struct Db;
  PrinterRecord(QString path, std::unique_ptr<Db> db);
  QString path_;
  std::unique_ptr<Db> db_;
};

}  // namespace Q6
