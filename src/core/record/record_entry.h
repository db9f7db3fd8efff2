#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

#include "core/printer/commands.h"

// The record's vocabulary: one entry per exchange, and what a printer holds after its entries.
// Every engine stores these and nothing else; nothing here knows how.
namespace Q6 {

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

// The words a record holds for them ("none", "settings", "reset"; "pending", "delivered",
// "failed", "not-sent"), so that it reads plainly in a database shell.
QString recordEffectName(RecordEffect effect);
QString recordOutcomeName(RecordOutcome outcome);
// Back from those words; an unknown word reads as the safe side (None, Pending).
RecordEffect recordEffectNamed(QStringView name);
RecordOutcome recordOutcomeNamed(QStringView name);

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
  // Names the entry wherever it is kept, so that one carried from the outbox to the server more
  // than once is stored there once. Made when begun on a shared record; a file does not store it.
  QString uid;
};

// How an exchange ended, for its begun entry.
struct RecordCompletion {
  qint64 id = 0;
  RecordOutcome outcome = RecordOutcome::Delivered;  // never Pending
  qint64 sent = 0;
  QString reason;
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

// The settings that have a state of their own, in the order of their names, in one piece of
// memory: a printer's few settings cost one allocation, which ten thousand printers' states read
// at once can afford (a hash of them cost several, and kilobytes each).
class SettingStates {
 public:
  bool isEmpty() const { return items_.isEmpty(); }
  qsizetype size() const { return items_.size(); }
  // The setting's own state, or nullptr when it has none.
  const SettingState* find(const QString& name) const;
  // Gives the setting this state, in place of any it had.
  void insert(const QString& name, const SettingState& state);
  void reserve(qsizetype count) { items_.reserve(count); }
  // Each (name, state), by name.
  auto begin() const { return items_.cbegin(); }
  auto end() const { return items_.cend(); }
  void clear() { items_.clear(); }
  bool operator==(const SettingStates&) const = default;

 private:
  QList<std::pair<QString, SettingState>> items_;
};

struct PrinterState {
  SettingState base;  // every setting that has no state of its own
  SettingStates settings;
  SettingState of(const QString& name) const {
    const SettingState* own = settings.find(name);
    return own ? *own : base;
  }
};

// What a printer holds after the entries, oldest first: a delivered reset makes every setting
// "factory", a delivered apply gives the settings it carried their values, a pending or failed
// reset or apply makes what it would have changed unknown, and everything else changes nothing.
// With no entries every setting is unknown.
PrinterState stateFromEntries(const std::vector<RecordEntry>& oldestFirst);

// stateFromEntries for many printers, one after another: what consecutive printers' entries share
// (the same list of settings, the same user and computer, as a reader hands them out shared) is
// taken apart once, and their states share its strings. Ten thousand printers set up alike cost
// one parse of their settings, not ten thousand.
class StateBuilder {
 public:
  PrinterState operator()(const std::vector<RecordEntry>& oldestFirst);

 private:
  struct Setting {
    QString name;
    QString value;
    bool hasValue = false;  // "name=value"; a bare name says only that it changed
  };
  const std::vector<Setting>& split(const QStringList& settings);
  const QString& by(const RecordEntry& entry);
  QStringList list_;  // kept so that its data, compared by address, cannot be another's
  std::vector<Setting> split_;
  QString user_;
  QString host_;
  QString by_;
};

// Whether nothing before this entry can matter to what the printer holds: a reset that may have
// reached it. A reader walking back from the newest entry stops after it.
bool endsLookBack(const RecordEntry& entry);

// Why an entry cannot be stored as it is (no printer or time, a setting that spans lines); empty
// when it can. Every engine refuses the same entries.
QString entryFault(const RecordEntry& entry);

// An entry begun now, by this login on this computer, with the program named ("q6config 1.8.0");
// the caller fills in the rest.
RecordEntry entryBegunNow(const QString& program);
// The exchange's bytes as its entry notes them: their count and SHA-256.
void noteBytes(RecordEntry& entry, const CommandList& commands);

// This login and this computer, as entries name them.
QString recordUser();
QString recordHost();

}  // namespace Q6
