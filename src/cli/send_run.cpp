#include "cli/send_run.h"

#include <QDateTime>

#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "cli/decide.h"
#include "cli/file_limit.h"
#include "cli/fleet.h"
#include "cli/record_use.h"
#include "cli/run_reports.h"
#include "cli/show.h"
#include "cli/stop_signals.h"
#include "cli/target_list.h"
#include "cli/targets.h"

namespace Q6Cli {

namespace {

// What the check and the sending share, read and decided before the first link opens.
struct Run {
  const Options& o;
  const Streams& io;
  const Streams& human;
  const Payload& payload;
  const std::vector<Target>& targets;
  std::shared_ptr<const std::vector<Target>> shared;  // the same, for the fleet's workers
  const Decisions& decisions;
  QStringList& notes;
  ReportFiles& report;
};

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

// --check: which printers the run would change, and (--diff) how; nothing is opened.
int checkOnly(const Run& run, const RecordNote& recordNote) {
  const auto& [o, io, human, payload, targets, shared, decisions, notes, report] = run;
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
  RunReports stream(o, report, io);
  stream.begin(payload, recordNote.path, QDateTime::currentDateTimeUtc());
  for (size_t i = 0; i < results.size(); ++i) {
    stream.add(i, results[i], decisions.notes[i]);
  }
  return stream.end(RunSummary{}, recordNote.error, notes) ? kExitDelivered : kExitSomeFailed;
}

// Sends each target what was decided for it, on the fleet's workers, and records every exchange.
int sendToTargets(const Run& run, RunRecord& record, const QStringList& printers) {
  const auto& [o, io, human, payload, targets, shared, decisions, notes, report] = run;
  // The targets that are sent anything, and their lists.
  FleetTargets sending{run.shared, {}};
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
    sending.which.push_back(static_cast<int>(i));
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
  RunEntries entries;
  if ((record.usable() || record.truthful()) && !sending.empty()) {
    const Q6::RecordEntry begun = Q6::entryBegunNow(programName());
    entries.ofList.assign(commands.lists.size(), begun);
    for (size_t list = 0; list < commands.lists.size(); ++list) {
      Q6::RecordEntry& e = entries.ofList[list];
      e.model = payload.model;
      e.action = payload.action;
      e.effect = payload.effect;
      e.settings = decisions.carried[list];
      Q6::noteBytes(e, commands.lists[list]);
    }
    entries.listOf = commands.listOf;
    entries.printers.reserve(static_cast<qsizetype>(sending.size()));
    for (size_t k = 0; k < sending.size(); ++k) {
      entries.printers << printers[static_cast<qsizetype>(sendingIndex[k])];
    }
    options.gate = std::make_shared<ReleaseGate>();
    if (record.sharesPrinters()) {
      // One machine at a time per printer: a printer set up elsewhere is waited for up to the
      // target's own time limit.
      options.beforeOpen = [&record, &targets, &sendingIndex](int k) {
        const size_t index = static_cast<size_t>(k);
        return record.takePrinter(index, targets[sendingIndex[index]].settings.timeoutMs);
      };
    }
  }

  Progress progress(io.err, static_cast<int>(sending.size()), true);
  int failed = 0;
  FleetRun fleet;
  const QDateTime started = QDateTime::currentDateTimeUtc();
  // The report is written as the run goes; the targets that are sent nothing are known now.
  RunReports stream(o, report, io);
  stream.begin(payload, record.path(), started);
  for (size_t i = 0, k = 0; i < targets.size(); ++i) {
    if (k < sendingIndex.size() && sendingIndex[k] == i) {
      ++k;
      continue;
    }
    TargetResult unchanged;
    unchanged.target = targets[i].text;
    unchanged.outcome = Outcome::Unchanged;
    stream.add(i, unchanged, decisions.notes[i]);
  }
  std::vector<bool> completed(sending.size(), false);
  if (!sending.empty()) {
    const StopSignals handlers;
    std::optional<EntriesAhead> ahead;
    if (options.gate) {
      ahead.emplace(record, std::move(entries), ids, options.gate, stopSignal());
    }
    fleet = runFleet(std::move(sending), std::move(commands), options,
                     [&](const TargetResult* r, const FleetStatus& status) {
                       if (r) {
                         progress.clear();
                         failed += r->delivered ? 0 : 1;
                         printResult(*r, human);
                         const size_t k = static_cast<size_t>(r->index);
                         record.complete(completionOf(ids[k], *r));
                         record.letGo(k);
                         completed[k] = true;
                         stream.add(sendingIndex[k], *r, decisions.notes[sendingIndex[k]]);
                       } else {
                         std::fflush(human.out);
                         record.flush();
                       }
                       progress.draw(
                           status, failed,
                           status.oldest < 0
                               ? QString()
                               : targets[sendingIndex[static_cast<size_t>(status.oldest)]].text);
                     });
  }
  progress.clear();
  // The targets the stop left: not started ones got nothing; interrupted ones may hold part.
  for (size_t k = 0; k < fleet.results.size(); ++k) {
    if (!completed[k]) {
      record.complete(completionOf(ids[k], fleet.results[k]));
      stream.add(sendingIndex[k], fleet.results[k], decisions.notes[sendingIndex[k]]);
    }
  }
  record.finish();
  RunSummary summary = summarize(fleet.results, failed, stopSignal().load(), human, io);
  summary.started = started;
  const size_t unchanged = targets.size() - sendingIndex.size();
  if (unchanged > 0) {
    io.error(QStringLiteral("%1 of %2 targets unchanged: the record says they hold it all.")
                 .arg(unchanged)
                 .arg(targets.size()));
  }

  int result = summary.code;
  if (!stream.end(summary, record.error(), notes)) {
    result = summary.stoppedBy ? summary.code : kExitSomeFailed;
  }
  if (fleet.abandoned) {
    // Exchanges that did not end within the grace are left to the system to close.
    std::fflush(io.out);
    std::fflush(io.err);
    std::_Exit(result);
  }
  return result;
}

}  // namespace

int runSend(const Options& o, const Streams& io, const Command& command, BuildPayload build) {
  // Everything is read and checked before the first link opens: a refusal sends nothing anywhere.
  QString error;
  if (!(command.takes & kTakesChoices) && (!o.preset.isEmpty() || !o.sets.isEmpty())) {
    io.error(QStringLiteral("--preset and --set belong to apply."));
    return kExitRefused;
  }
  const std::optional<Payload> payload = build(o, &error);
  if (!payload) {
    io.error(error);
    return kExitRefused;
  }
  QStringList notes;
  for (const QString& note : payload->notes) {
    io.note(note, &notes);
  }
  if (!(command.takes & kTakesDecisions) && (o.changesOnly || o.check || o.diff)) {
    io.error(QStringLiteral("--changes-only, --check and --diff belong to apply."));
    return kExitRefused;
  }
  // Shared with the fleet's workers, which may outlive a stopped run.
  auto shared = std::make_shared<std::vector<Target>>();
  std::vector<Target>& targets = *shared;
  if (!readTargets(o, io, true, &targets)) {
    return kExitRefused;
  }
  if (o.dryRun) {
    printDryRun(*payload, targets, io);
    return writeDryRunPages(o, *payload, targets, io);
  }
  if (targets.empty()) {
    refuseNoTarget(io);
    return kExitRefused;
  }
  const Streams human = forPeople(o, io);
  // The report's file is made before the first link opens: a folder that cannot take it refuses
  // the run.
  ReportFiles report;
  if (!report.open(o, &error)) {
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
  const Run run{o, io, human, *payload, targets, shared, decisions, notes, report};
  return o.check ? checkOnly(run, RecordNote{record.path(), record.error()})
                 : sendToTargets(run, record, printers);
}

}  // namespace Q6Cli
