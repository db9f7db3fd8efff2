// q6config-cli's runs: what a command sends (the payload), read and checked whole before the first
// link opens, and the run over the targets. The options and help are in options.cpp, what the run
// writes in output.cpp.
#include "cli/cli.h"

#include <QHash>
#include <QVector>

#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

#include "cli/file_limit.h"
#include "cli/fleet.h"
#include "cli/list_targets.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/payload.h"
#include "cli/record_read.h"
#include "cli/record_use.h"
#include "cli/stop_signals.h"
#include "cli/target_list.h"
#include "cli/targets.h"
#include "core/settings/settings_table.h"
#include "core/settings/use_settings.h"
#include "core/settings/window_content.h"
#include "version.h"

namespace Q6Cli {

namespace {

std::optional<Payload> buildPayload(const Options& o, QString* error) {
  if (o.command == u"apply") {
    return buildApply(o, error);
  }
  if (o.command != u"reset" && o.command != u"test") {
    *error = QStringLiteral("unknown command \"%1\" (see --help).%2")
                 .arg(displayText(o.command), didYouMean(o.command, kCommands));
    return std::nullopt;
  }
  if (!o.preset.isEmpty() || !o.sets.isEmpty()) {
    *error = QStringLiteral("--preset and --set belong to apply.");
    return std::nullopt;
  }
  return o.command == u"reset" ? buildReset(o, error) : buildTest(o, error);
}

// What each target is sent, and what it is told about it. Targets that would be sent the same
// parts share one command list.
struct Decisions {
  FleetCommands commands;            // lists only; listOf is per target of `sending`
  std::vector<int> listOf;           // per target: its list, or -1 when nothing needs sending
  std::vector<QStringList> carried;  // per list: the settings it carries, "name=entry"
  std::vector<TargetNote> notes;     // per target
};

Decisions decide(const Options& o, const Payload& payload, size_t count,
                 const std::optional<std::vector<Q6::PrinterState>>& states) {
  Decisions d;
  d.notes.resize(count);
  d.listOf.assign(count, 0);
  if (!payload.isApply) {
    d.commands.lists.push_back(payload.commands());
    d.carried.emplace_back();
    return d;
  }
  const bool fromRecord = (o.changesOnly || o.check) && !o.force;
  QHash<QVector<bool>, int> listOfParts;  // which parts of the plan -> list
  // Printers the record sees alike get the same decision: a fleet set up together is decided
  // once, not ten thousand times.
  struct Decided {
    int list = -1;
    TargetNote note;
  };
  QHash<QString, Decided> decided;
  const Q6::PrinterState nothingKnown;
  for (size_t t = 0; t < count; ++t) {
    const Q6::PrinterState& state = states ? (*states)[t] : nothingKnown;
    QString seen;
    QHash<QString, QString> known;
    for (const Q6::SettingCommands& part : payload.plan) {
      for (const Q6::SettingRow* row : part.settings) {
        const QString name = QLatin1String(row->name);
        const Q6::SettingState s = state.of(name);
        seen += recordedText(s) + u'\n';
        if (s.status == Q6::SettingStatus::Known) {
          known.insert(name, s.value);
        }
      }
    }
    if (const auto same = decided.constFind(seen); same != decided.cend()) {
      d.listOf[t] = same->list;
      d.notes[t] = same->note;
      continue;
    }
    const Q6::UseSettingsPlan parts =
        fromRecord ? Q6::changedParts(payload.plan, payload.selection, payload.modelIndex, known)
                   : payload.plan;
    Decided decision;
    if (parts.empty()) {
      decision.note.changed = false;
    } else {
      QVector<bool> kept(static_cast<qsizetype>(payload.plan.size()), false);
      for (size_t p = 0, q = 0; p < payload.plan.size() && q < parts.size(); ++p) {
        if (payload.plan[p].settings == parts[q].settings) {
          kept[static_cast<qsizetype>(p)] = true;
          ++q;
        }
      }
      auto at = listOfParts.constFind(kept);
      if (at == listOfParts.cend()) {
        Q6::CommandList list;
        QStringList carried;
        for (const Q6::SettingCommands& part : parts) {
          list.insert(list.end(), part.commands.begin(), part.commands.end());
          carried += Q6::carriedSettings(part, payload.selection, payload.modelIndex);
        }
        at = listOfParts.insert(kept, static_cast<int>(d.commands.lists.size()));
        d.commands.lists.push_back(std::move(list));
        d.carried.push_back(std::move(carried));
      }
      decision.list = *at;
      for (const QString& setting : d.carried[static_cast<size_t>(*at)]) {
        const QString name = setting.section(u'=', 0, 0);
        decision.note.diff.push_back(
            {name, recordedText(state.of(name)), setting.section(u'=', 1)});
      }
    }
    d.listOf[t] = decision.list;
    d.notes[t] = decision.note;
    decided.insert(seen, std::move(decision));
  }
  return d;
}

// The settings of a target that change, as --check names them.
QStringList changingNames(const TargetNote& note) {
  QStringList names;
  for (const SettingChange& c : note.diff) {
    if (c.before != c.after) {
      names << c.setting;
    }
  }
  return names;
}

void printDiff(const TargetNote& note, const Streams& human) {
  for (const SettingChange& c : note.diff) {
    if (c.before != c.after) {
      human.line(QStringLiteral("  %1: %2 → %3")
                     .arg(c.setting, displayText(c.before), displayText(c.after)),
                 false);
    }
  }
}

}  // namespace

int runCli(const QStringList& arguments, std::FILE* out, std::FILE* err) {
  const Streams io{out, err};
  Options o;
  QString error;
  if (!parseArguments(arguments, &o, &error)) {
    io.error(error);
    return kExitRefused;
  }
  if (o.help || o.command == u"help") {
    io.line(helpText());
    return kExitDelivered;
  }
  if (o.version) {
    io.line(programName());
    return kExitDelivered;
  }
  if (o.command.isEmpty()) {
    io.error(QStringLiteral("no command given (see --help)."));
    return kExitRefused;
  }
  if (o.command == u"list-targets") {
    return listTargets(o, io);
  }
  if (o.command == u"history") {
    return runHistory(o, io);
  }
  if (o.command == u"state") {
    return runState(o, io);
  }

  // Everything is read and checked before the first link opens: a refusal sends nothing anywhere.
  std::optional<Payload> payload = buildPayload(o, &error);
  if (!payload) {
    io.error(error);
    return kExitRefused;
  }
  QStringList notes;
  for (const QString& note : payload->notes) {
    io.note(note, &notes);
  }
  if (!payload->isApply && (o.changesOnly || o.check || o.diff)) {
    io.error(QStringLiteral("--changes-only, --check and --diff belong to apply."));
    return kExitRefused;
  }
  std::vector<Target> targets;
  if (!readTargets(o, io, true, &targets)) {
    return kExitRefused;
  }
  if (o.dryRun) {
    printDryRun(*payload, targets, io);
    return kExitDelivered;
  }
  if (targets.empty()) {
    refuseNoTarget(io);
    return kExitRefused;
  }
  // With the report on standard output, the lines for people go to standard error.
  const bool reportToStdout = o.json == u"-";
  const Streams human = forPeople(o, io);
  ReportFile report;
  if (!o.json.isEmpty() && !reportToStdout && !report.open(o.json, &error)) {
    io.error(error);
    return kExitRefused;
  }

  // The record: what each printer holds decides --changes-only and --check, and every exchange
  // is an entry in it. A check writes nothing and creates no record.
  RunRecord record(o, io);
  QStringList printers;
  if (!record.path().isEmpty()) {
    printers.reserve(static_cast<qsizetype>(targets.size()));
    for (const Target& t : targets) {
      printers << Q6::recordPrinterName(t.settings);
    }
    record.open(!o.check);
  }
  std::optional<std::vector<Q6::PrinterState>> states;
  if (o.changesOnly || o.check || o.diff) {
    states = record.states(printers);
    if (states && states->size() != targets.size()) {
      states.reset();
    }
  }
  const Decisions decisions = decide(o, *payload, targets.size(), states);
  const RecordNote recordNote{record.path(), record.error()};

  if (o.check) {
    std::vector<TargetResult> results(targets.size());
    for (size_t i = 0; i < targets.size(); ++i) {
      TargetResult& r = results[i];
      r.target = targets[i].text;
      r.index = static_cast<int>(i);
      const int list = decisions.listOf[i];
      r.outcome = list < 0 ? Outcome::Unchanged : Outcome::WouldChange;
      r.bytes = list < 0 ? 0 : Q6::byteCount(decisions.commands.lists[static_cast<size_t>(list)]);
      if (list < 0) {
        human.line(QStringLiteral("unchanged %1").arg(displayText(r.target)), false);
        continue;
      }
      human.line(QStringLiteral("would change %1: %2")
                     .arg(displayText(r.target),
                          changingNames(decisions.notes[i]).join(QStringLiteral(", "))),
                 false);
      if (o.diff) {
        printDiff(decisions.notes[i], human);
      }
    }
    std::fflush(human.out);
    if (!o.json.isEmpty()) {
      RunSummary summary;
      summary.started = QDateTime::currentDateTimeUtc();
      const QJsonObject json =
          reportJson(o, *payload, results, decisions.notes, notes, recordNote, summary);
      if (!writeReport(o, json, report, io)) {
        return kExitSomeFailed;
      }
    }
    return kExitDelivered;
  }

  // The targets that are sent anything, and their lists.
  std::vector<Target> sending;
  std::vector<size_t> sendingIndex;  // in targets
  FleetCommands commands{decisions.commands.lists, {}};
  for (size_t i = 0; i < targets.size(); ++i) {
    const int list = decisions.listOf[i];
    if (list < 0) {
      human.line(QStringLiteral("unchanged %1").arg(displayText(targets[i].text)), false);
      continue;
    }
    if (o.diff) {
      human.line(QStringLiteral("changing %1: %2")
                     .arg(displayText(targets[i].text),
                          changingNames(decisions.notes[i]).join(QStringLiteral(", "))),
                 false);
      printDiff(decisions.notes[i], human);
    }
    sending.push_back(targets[i]);
    sendingIndex.push_back(i);
    commands.listOf.push_back(list);
  }
  std::fflush(human.out);

  FleetOptions options;
  options.jobs = fitJobsToFileLimit(o.jobs, static_cast<int>(sending.size()), io, &notes);
  options.stop = &stopSignal();
  stopSignal() = 0;

  // Every target's entry is begun, and on disk, before its first byte leaves: a stretch of
  // entries ahead of the targets, on a thread of their own (EntriesAhead).
  std::vector<qint64> ids(sending.size(), 0);
  std::vector<Q6::RecordEntry> entries;
  if (record.usable() && !sending.empty()) {
    // Targets sent the same list differ in their printer only.
    const Q6::RecordEntry begun = Q6::entryBegunNow(programName());
    std::vector<Q6::RecordEntry> ofList(commands.lists.size(), begun);
    for (size_t list = 0; list < commands.lists.size(); ++list) {
      Q6::RecordEntry& e = ofList[list];
      e.model = payload->model;
      e.action = payload->action;
      e.effect = payload->effect;
      e.settings = decisions.carried[list];
      Q6::noteBytes(e, commands.lists[list]);
    }
    entries.reserve(sending.size());
    for (size_t k = 0; k < sending.size(); ++k) {
      entries.push_back(ofList[static_cast<size_t>(commands.listOf[k])]);
      entries.back().printer = printers[static_cast<qsizetype>(sendingIndex[k])];
    }
    options.gate = std::make_shared<ReleaseGate>();
  }

  Progress progress(err, static_cast<int>(sending.size()), true);
  int failed = 0;
  FleetRun run;
  const QDateTime started = QDateTime::currentDateTimeUtc();
  std::vector<bool> completed(sending.size(), false);
  if (!sending.empty()) {
    const StopSignals handlers;
    std::optional<EntriesAhead> ahead;
    if (options.gate) {
      ahead.emplace(record, std::move(entries), ids, options.gate, stopSignal());
    }
    run = runFleet(sending, std::move(commands), options,
                   [&](const TargetResult* r, const FleetStatus& status) {
                     if (r) {
                       progress.clear();
                       failed += r->delivered ? 0 : 1;
                       printResult(*r, human);
                       const size_t k = static_cast<size_t>(r->index);
                       record.complete(completionOf(ids[k], *r));
                       completed[k] = true;
                     } else {
                       record.flush();
                     }
                     progress.draw(status, failed, sending);
                   });
  }
  progress.clear();
  // The targets the stop left: not started ones got nothing; interrupted ones may hold part.
  for (size_t k = 0; k < run.results.size(); ++k) {
    if (!completed[k]) {
      record.complete(completionOf(ids[k], run.results[k]));
    }
  }
  record.flush();
  RunSummary summary = summarize(run.results, failed, stopSignal().load(), human, io);
  summary.started = started;
  const size_t unchanged = targets.size() - sending.size();
  if (unchanged > 0) {
    io.error(QStringLiteral("%1 of %2 targets unchanged: the record says they hold it all.")
                 .arg(unchanged)
                 .arg(targets.size()));
  }

  int result = summary.code;
  if (!o.json.isEmpty()) {
    std::vector<TargetResult> all(targets.size());
    for (size_t i = 0; i < targets.size(); ++i) {
      all[i].target = targets[i].text;
      all[i].index = static_cast<int>(i);
      all[i].outcome = Outcome::Unchanged;
    }
    for (size_t k = 0; k < run.results.size(); ++k) {
      all[sendingIndex[k]] = run.results[k];
      all[sendingIndex[k]].index = static_cast<int>(sendingIndex[k]);
    }
    const RecordNote finalNote{record.path(), record.error()};
    const QJsonObject json =
        reportJson(o, *payload, all, decisions.notes, notes, finalNote, summary);
    if (!writeReport(o, json, report, io)) {
      result = summary.stoppedBy ? summary.code : kExitSomeFailed;
    }
  }
  if (run.abandoned) {
    // Exchanges that did not end within the grace are left to the system to close.
    std::fflush(out);
    std::fflush(err);
    std::_Exit(result);
  }
  return result;
}

}  // namespace Q6Cli
