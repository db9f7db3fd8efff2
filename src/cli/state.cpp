// `state`: what each printer holds as far as the record knows.
#include <QJsonArray>
#include <QJsonObject>

#include "cli/command.h"
#include "cli/record_read.h"
#include "cli/record_use.h"
#include "cli/state_pages.h"
#include "core/settings/settings_table.h"
#include "core/settings/window_content.h"

namespace Q6Cli {

namespace {

// How far back `state` looks for the model the printer was last set up as.
constexpr int kModelLookBack = 50;

int runState(const Options& o, const Streams& io) {
  const std::optional<std::vector<Target>> read = printersToRead(o, io);
  if (!read) {
    return kExitRefused;
  }
  const std::vector<Target>& targets = *read;
  const Streams human = forPeople(o, io);
  int code = kExitDelivered;
  const std::unique_ptr<Q6::PrinterRecord> record = openForReading(o, human, io, &code);
  QJsonObject json{{QStringLiteral("record"), Q6::maskedRecordLocation(recordPath(o))}};
  QJsonArray printers;
  StatePages pages(o);
  if (record) {
    QStringList names;
    for (const Target& t : targets) {
      names << Q6::recordPrinterName(t.settings);
    }
    const auto states = record->states(names);
    if (!states || states->size() != targets.size()) {
      io.error(QStringLiteral("the record at %1 cannot be read: %2")
                   .arg(displayText(record->path()),
                        displayText(states ? QStringLiteral("it answered for other printers")
                                           : states.refusal().why())));
      return kExitSomeFailed;
    }
    for (size_t i = 0; i < targets.size(); ++i) {
      // The model the printer was last set up as decides which settings it has.
      QString model;
      const auto recent = record->history(names[static_cast<qsizetype>(i)], kModelLookBack);
      for (const Q6::RecordEntry& e : recent ? *recent : std::vector<Q6::RecordEntry>{}) {
        if (!e.model.isEmpty()) {
          model = e.model;
          break;
        }
      }
      const std::optional<int> modelIndex = Q6::modelFromName(model);
      pages.add(targets[i], names[static_cast<qsizetype>(i)], model, (*states)[i]);
      human.line(printerHeading(targets[i], names[static_cast<qsizetype>(i)]) +
                     (model.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(model)),
                 false);
      QJsonArray settings;
      for (const Q6::SettingRow& row : Q6::settingsTable()) {
        if (modelIndex && !Q6::settingAvailable(row, *modelIndex)) {
          continue;
        }
        const QString name = QLatin1String(row.name);
        const Q6::SettingState s = (*states)[i].of(name);
        const QString value = recordedText(s);
        QString line = QStringLiteral("  %1  %2").arg(name, -20).arg(displayText(value));
        if (s.entry != 0) {
          line += QStringLiteral("  since %1 by %2").arg(timeText(s.since), displayText(s.by));
        }
        human.line(line, false);
        settings.append(QJsonObject{{QStringLiteral("setting"), name},
                                    {QStringLiteral("value"), value},
                                    {QStringLiteral("entry"), s.entry},
                                    {QStringLiteral("since"), timeText(s.since)},
                                    {QStringLiteral("by"), s.by}});
      }
      printers.append(QJsonObject{{QStringLiteral("target"), targets[i].text},
                                  {QStringLiteral("printer"), names[static_cast<qsizetype>(i)]},
                                  {QStringLiteral("model"), model},
                                  {QStringLiteral("settings"), settings}});
    }
  }
  std::fflush(human.out);
  json[QStringLiteral("printers")] = printers;
  if (code != kExitDelivered) {
    return code;
  }
  if (!record) {
    for (const Target& t : targets) {
      pages.add(t, Q6::recordPrinterName(t.settings), QString(), Q6::PrinterState{});
    }
  }
  ReportFile report;
  const bool written = o.json.isEmpty() || writeReport(o, json, report, io);
  return pages.write(recordPath(o), io) && written ? kExitDelivered : kExitSomeFailed;
}

}  // namespace

const Command kStateCommand{
    "state", kTakesTargets | kTakesTimeout | kTakesJson | kTakesPages | kTakesRecord,
    "  state --to TARGET... what each printer holds as far as the record knows; opens no link\n",
    "", runState};

}  // namespace Q6Cli
