#include "gui/record/record_view.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <optional>

#include "core/settings/settings_table.h"
#include "gui/common/translation.h"

namespace Q6 {

namespace {

// A refusal that came without its parts still names the record and says what went wrong.
template <typename T>
RecordRefusal refusalOf(const RecordResult<T>& result, const QString& location) {
  RecordRefusal refusal = result.refusal();
  if (refusal.location.isEmpty()) {
    refusal.location = location;
  }
  if (refusal.reason.isEmpty() && refusal.doing.isEmpty()) {
    refusal.reason = result.error();
  }
  return refusal;
}

QString outcomeText(RecordOutcome outcome) {
  switch (outcome) {
    case RecordOutcome::Pending:
      return QCoreApplication::translate("frmRecord", "unfinished");
    case RecordOutcome::Delivered:
      return QCoreApplication::translate("frmRecord", "delivered");
    case RecordOutcome::Failed:
      return QCoreApplication::translate("frmRecord", "failed");
    case RecordOutcome::NotSent:
      break;
  }
  return QCoreApplication::translate("frmRecord", "not sent");
}

// A value as the window's list shows it; a value the model's list does not have (the record may
// be older than the lists) as the record wrote it.
QString valueText(const SettingRow& row, const QString& value, std::optional<int> model) {
  if (row.kind == SettingKind::CutOffset) {
    return QCoreApplication::translate("frmRecord", "%1 mm").arg(value);
  }
  if (row.kind != SettingKind::List || !model) {
    return value;
  }
  const QStringList entries = settingEntries(row, *model);
  const qsizetype position = entryNames(entries).indexOf(value);
  return position > 0 ? shown(kListsContext, entries[position]) : value;
}

}  // namespace

RecordReading readRecord(const QString& location, const QString& printer, int limit) {
  RecordReading reading;
  const bool server = isServerRecordLocation(location);
  reading.location =
      server ? maskedRecordLocation(location) : QFileInfo(location).absoluteFilePath();
  // Reading never makes a record: with no file there is simply nothing recorded yet. A server's
  // record is asked, and has nothing for a printer it never saw.
  if (!server && !QFileInfo::exists(location)) {
    return reading;
  }
  reading.found = RecordReading::Found::Refused;
  auto opened = PrinterRecord::open(location, RecordAccess::Read);
  if (!opened) {
    reading.refusal = refusalOf(opened, reading.location);
    return reading;
  }
  PrinterRecord& record = **opened;
  // One more than shown tells whether there are older ones.
  auto history = record.history(printer, limit > 0 ? limit + 1 : 0);
  if (!history) {
    reading.refusal = refusalOf(history, reading.location);
    return reading;
  }
  auto states = record.states({printer});
  if (!states) {
    reading.refusal = refusalOf(states, reading.location);
    return reading;
  }
  if (states->size() != 1) {
    reading.refusal = RecordRefusal{reading.location, QStringLiteral("be read"),
                                    QStringLiteral("it answered for other printers")};
    return reading;
  }
  reading.found = RecordReading::Found::Read;
  reading.entries = std::move(*history);
  if (limit > 0 && reading.entries.size() > static_cast<std::size_t>(limit)) {
    reading.entries.resize(static_cast<std::size_t>(limit));
    reading.older = true;
  }
  reading.state = std::move(states->front());
  return reading;
}

QString recordModel(const std::vector<RecordEntry>& newestFirst, const QString& windowModel) {
  for (const RecordEntry& entry : newestFirst) {
    if (modelFromName(entry.model)) {
      return modelName(*modelFromName(entry.model));
    }
  }
  return windowModel;
}

QString localTimeText(const QDateTime& time) {
  return time.isValid() ? time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                        : QString();
}

std::vector<RecordRow> entryRows(const std::vector<RecordEntry>& newestFirst) {
  std::vector<RecordRow> rows;
  rows.reserve(newestFirst.size());
  for (const RecordEntry& e : newestFirst) {
    RecordRow row;
    const QString what = e.settings.isEmpty()
                             ? e.action
                             : QStringLiteral("%1: %2").arg(e.action, e.settings.join(u' '));
    row.cells = QStringList{localTimeText(e.time),
                            QStringLiteral("%1@%2").arg(e.user, e.host),
                            what,
                            outcomeText(e.outcome),
                            QCoreApplication::translate("frmRecord", "%1 of %2")
                                .arg(QString::number(e.sent), QString::number(e.bytes)),
                            e.reason};
    // What it would have changed may now hold anything.
    row.uncertain = e.effect != RecordEffect::None &&
                    (e.outcome == RecordOutcome::Pending || e.outcome == RecordOutcome::Failed);
    row.tip = e.model.isEmpty() ? e.program : QStringLiteral("%1, %2").arg(e.program, e.model);
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<RecordRow> stateRows(const PrinterState& state, const QString& model) {
  const std::optional<int> modelIndex = modelFromName(model);
  std::vector<RecordRow> rows;
  for (const SettingRow& setting : settingsTable()) {
    if (modelIndex && !settingAvailable(setting, *modelIndex)) {
      continue;
    }
    const QString name = QLatin1String(setting.name);
    const SettingState s = state.of(name);
    RecordRow row;
    QString value;
    switch (s.status) {
      case SettingStatus::Known:
        value = valueText(setting, s.value, modelIndex);
        break;
      case SettingStatus::Factory:
        value = QCoreApplication::translate("frmRecord", "factory");
        break;
      case SettingStatus::Unknown:
        value = QCoreApplication::translate("frmRecord", "unknown");
        row.uncertain = true;
        break;
    }
    const bool said = s.entry != 0;
    row.cells = QStringList{shown(kSettingsContext, QString::fromUtf8(setting.caption)), value,
                            said ? localTimeText(s.since) : QString(), said ? s.by : QString()};
    row.tip = s.status == SettingStatus::Known ? QStringLiteral("%1=%2").arg(name, s.value) : name;
    rows.push_back(std::move(row));
  }
  return rows;
}

QString recordNote(const RecordReading& reading) {
  switch (reading.found) {
    case RecordReading::Found::NoRecord:
      return QCoreApplication::translate("frmRecord",
                                         "Nothing has been sent with this computer's record yet.");
    case RecordReading::Found::Refused:
      return QCoreApplication::translate("frmRecord", "The record at %1 cannot be read: %2")
          .arg(QDir::toNativeSeparators(reading.refusal.location), reading.refusal.why());
    case RecordReading::Found::Read:
      break;
  }
  if (reading.entries.empty()) {
    return QCoreApplication::translate("frmRecord",
                                       "The record holds nothing sent to this printer yet.");
  }
  if (reading.older) {
    return QCoreApplication::translate("frmRecord",
                                       "The newest %1 entries are shown; the record holds older "
                                       "ones too (q6config-cli history lists them all).")
        .arg(reading.entries.size());
  }
  return {};
}

}  // namespace Q6
