// q6config-cli's runs: what a command sends (the payload), read and checked whole before the first
// link opens, and the run over the targets. The options and help are in options.cpp, what the run
// writes in output.cpp.
#include "cli/cli.h"

#include <QFileInfo>
#include <QHash>

#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

#include "cli/file_limit.h"
#include "cli/fleet.h"
#include "cli/list_targets.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/stop_signals.h"
#include "cli/targets.h"
#include "core/presets/preset_file.h"
#include "core/presets/preset_folder.h"
#include "core/printer/diagnostic_table.h"
#include "core/settings/clear_all_commands.h"
#include "core/settings/settings_table.h"
#include "core/settings/use_settings.h"
#include "core/settings/window_content.h"
#include "version.h"

namespace Q6Cli {

namespace {

// The preset's bytes, or nothing with the system's reason why it cannot be read. A bare name that
// is not a file here is looked for in the Presets folder, with or without ".pre".
std::optional<QByteArray> readPreset(const QString& given, QString* reason) {
  QString path = given;
  QStringList names;  // of the Presets folder, for a suggestion
  if (!given.contains(u'/') && !QFileInfo::exists(given)) {
    const QString folder = Q6::presetsFolder();
    for (const QString& name : {given, given + QStringLiteral(".pre")}) {
      if (QFileInfo(folder + u'/' + name).isFile()) {
        path = folder + u'/' + name;
        break;
      }
    }
    if (path == given) {
      for (const QString& name : Q6::presetFilesIn(folder)) {
        names << name << name.chopped(4);
      }
    }
  }
  Q6::Result<QByteArray> bytes = Q6::readPresetFile(path);
  if (!bytes) {
    *reason = QStringLiteral("cannot read the preset %1: %2.%3")
                  .arg(displayText(path), bytes.error(), didYouMean(given, names));
    return std::nullopt;
  }
  return std::move(*bytes);
}

// A suggestion for a --set the table refused: the nearest setting name, or the nearest entry of the
// setting on this model.
QString suggestChoice(int model, const QString& name, const QString& entry) {
  const Q6::SettingRow* row = Q6::findSetting(name);
  if (!row) {
    QStringList names;
    for (const Q6::SettingRow& r : Q6::settingsTable()) {
      if (Q6::settingAvailable(r, model)) {
        names << QLatin1String(r.name);
      }
    }
    return didYouMean(name, names);
  }
  if (row->kind != Q6::SettingKind::List) {
    return {};
  }
  return didYouMean(entry, Q6::entryNames(Q6::settingEntries(*row, model)));
}

// How the dry run shows the value a setting sends: a list's entry as --set names it, with the
// window's text beside it.
QString chosenValue(const Q6::SettingRow& row, const Q6::Selection& s, int model) {
  switch (row.kind) {
    case Q6::SettingKind::List: {
      const int position = s.*(row.position);
      const QStringList entries = Q6::settingEntries(row, model);
      const bool known = position > 0 && position < entries.size();
      return QStringLiteral("%1 (\"%2\")")
          .arg(known ? Q6::entryNames(entries)[position]
                     : QStringLiteral("position %1").arg(position),
               known ? entries[position] : QString());
    }
    case Q6::SettingKind::CutOffset:
      return QStringLiteral("%1 (\"%2\")")
          .arg(QString::fromLatin1(s.txtCutOffset).trimmed(), QLatin1String(row.caption));
    case Q6::SettingKind::FeedCount:
      return QString::fromLatin1(s.txtContFeeds).trimmed();
  }
  return {};
}

// A part of "Use Settings" as the dry run names it: NAME = VALUE for each setting it carries.
QString partLabel(const Q6::SettingCommands& part, const Q6::Selection& s, int model) {
  if (part.settings.empty()) {
    return QStringLiteral("write");
  }
  QStringList choices;
  for (const Q6::SettingRow* row : part.settings) {
    choices << QStringLiteral("%1 = %2").arg(QLatin1String(row->name), chosenValue(*row, s, model));
  }
  return choices.join(QStringLiteral(", "));
}

std::optional<Payload> buildApply(const Options& o, const Streams& io, QString* error) {
  if (o.model.isEmpty()) {
    *error = QStringLiteral("apply needs --model QLX500 or --model QLX600.");
    return std::nullopt;
  }
  const std::optional<int> model = Q6::modelFromName(o.model);
  if (!model) {
    *error = QStringLiteral("unknown model \"%1\"; write QLX500 or QLX600.").arg(o.model);
    return std::nullopt;
  }
  if (o.preset.isEmpty() && o.sets.isEmpty()) {
    *error = QStringLiteral("apply needs --preset FILE or --set NAME=ENTRY.");
    return std::nullopt;
  }
  // The window as it opens: every list at "No Change", the adjuster off at " 0mm", count "2".
  Q6::Selection selection;
  if (!o.preset.isEmpty()) {
    QString reason;
    const std::optional<QByteArray> bytes = readPreset(o.preset, &reason);
    if (!bytes) {
      *error = reason;
      return std::nullopt;
    }
    const Q6::Result<Q6::PresetValues> check =
        Q6::checkPreset(*bytes, Q6::presetListCounts(*model));
    if (!check) {
      *error = QStringLiteral("preset %1 refused: %2").arg(displayText(o.preset), check.error());
      return std::nullopt;
    }
    Q6::applyPreset(selection, *check);
  }
  for (const QString& set : o.sets) {
    const qsizetype eq = set.indexOf(u'=');
    if (eq <= 0) {
      *error = QStringLiteral("--set \"%1\" is not NAME=ENTRY.").arg(set);
      return std::nullopt;
    }
    const Q6::Result<> chosen = Q6::applyChoice(selection, *model, set.left(eq), set.mid(eq + 1));
    if (!chosen) {
      *error = chosen.error() + suggestChoice(*model, set.left(eq), set.mid(eq + 1));
      return std::nullopt;
    }
  }
  const Q6::Result<Q6::UseSettingsPlan> plan = Q6::planUseSettings(selection);
  if (!plan) {
    *error = plan.error();
    return std::nullopt;
  }
  if (*model == Q6::kModelQLX500 && selection.comSpeed == Q6::kOptimumDensitySpeed) {
    io.error(QStringLiteral("note: ") +
             Q6::speedAdviceText().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  }
  Payload payload{QStringLiteral("apply for the %1").arg(Q6::modelName(*model)), {}};
  for (const Q6::SettingCommands& part : *plan) {
    payload.groups.push_back({partLabel(part, selection, *model), part.commands});
  }
  return payload;
}

std::optional<Payload> buildPayload(const Options& o, const Streams& io, QString* error) {
  if (o.command == u"apply") {
    return buildApply(o, io, error);
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
  if (!o.model.isEmpty() && !Q6::modelFromName(o.model)) {
    *error = QStringLiteral("unknown model \"%1\"; write QLX500 or QLX600.").arg(o.model);
    return std::nullopt;
  }
  if (o.command == u"reset") {
    if (!o.yes && !o.dryRun) {
      *error = QStringLiteral(
          "reset restores the factory settings of every target, and a ticket printer goes back "
          "to receipt mode; add --yes to do so.");
      return std::nullopt;
    }
    return Payload{QStringLiteral("reset"),
                   {{QStringLiteral("reset (\"Clear All Settings\")"), Q6::clearAllCommands()}}};
  }
  if (o.command == u"test") {
    if (o.testName.isEmpty()) {
      *error = QStringLiteral("test needs a NAME (see --help).");
      return std::nullopt;
    }
    if (const Q6::PrinterTest* test = Q6::findPrinterTest(o.testName)) {
      return Payload{QStringLiteral("test %1").arg(QLatin1String(test->name)),
                     {{QStringLiteral("test %1 (\"%2\")")
                           .arg(QLatin1String(test->name), QLatin1String(test->caption)),
                       Q6::testCommands(*test)}}};
    }
    const QStringList names = Q6::printerTestNames();
    *error = QStringLiteral("there is no test \"%1\"; the tests are: %2.%3")
                 .arg(displayText(o.testName), names.join(QStringLiteral(", ")),
                      didYouMean(o.testName, names));
    return std::nullopt;
  }
  *error = QStringLiteral("unknown command \"%1\" (see --help).%2")
               .arg(displayText(o.command), didYouMean(o.command, kCommands));
  return std::nullopt;
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
    io.line(QStringLiteral("q6config-cli %1")
                .arg(Q6::versionText(Q6Version::kMajor, Q6Version::kMinor, Q6Version::kRevision)));
    return kExitDelivered;
  }
  if (o.command.isEmpty()) {
    io.error(QStringLiteral("no command given (see --help)."));
    return kExitRefused;
  }
  if (o.command == u"list-targets") {
    return listTargets(o, io);
  }

  // Everything is read and checked before the first link opens: a refusal sends nothing anywhere.
  const std::optional<Payload> payload = buildPayload(o, io, &error);
  if (!payload) {
    io.error(error);
    return kExitRefused;
  }
  std::vector<TargetLine> targetLines;
  targetLines.reserve(static_cast<size_t>(o.targets.size()));
  for (const QString& text : o.targets) {
    targetLines.push_back({text, QString()});
  }
  for (const QString& file : o.targetFiles) {
    if (!readTargetsFile(file, &targetLines, &error)) {
      io.error(error);
      return kExitRefused;
    }
  }
  std::vector<Target> targets;
  targets.reserve(targetLines.size());
  // Two exchanges at once on one printer would interleave their bytes: each printer once, however
  // it is spelt. One look-up per target keeps a chain of tens of thousands quick.
  QHash<QString, size_t> printers;
  printers.reserve(static_cast<qsizetype>(targetLines.size()));
  const auto where = [](const TargetLine& line) {
    return line.origin.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(line.origin);
  };
  for (const TargetLine& line : targetLines) {
    std::optional<Target> target = parseTarget(line.text, o.timeoutMs, o.timeoutGiven, &error);
    if (!target) {
      io.error(line.origin.isEmpty() ? error : line.origin + QStringLiteral(": ") + error);
      return kExitRefused;
    }
    QString key = printerKey(target->settings);
    const auto at = printers.constFind(key);
    if (at != printers.cend()) {
      const TargetLine& earlier = targetLines[*at];
      io.error(
          QStringLiteral("target %1%2 is given twice (as %3%4); each printer once per run.")
              .arg(displayText(line.text), where(line), displayText(earlier.text), where(earlier)));
      return kExitRefused;
    }
    printers.insert(std::move(key), targets.size());
    targets.push_back(std::move(*target));
  }
  if (o.dryRun) {
    printDryRun(*payload, targets, io);
    return kExitDelivered;
  }
  if (targets.empty()) {
    io.error(QStringLiteral("no target given: add --to TARGET or --targets FILE."));
    return kExitRefused;
  }
  // With the report on standard output, the lines for people go to standard error.
  const bool reportToStdout = o.json == u"-";
  const Streams human{reportToStdout ? err : out, err};
  ReportFile report;
  if (!o.json.isEmpty() && !reportToStdout && !report.open(o.json, &error)) {
    io.error(error);
    return kExitRefused;
  }

  const Q6::CommandList commands = payload->commands();
  FleetOptions options;
  options.jobs = fitJobsToFileLimit(o.jobs, static_cast<int>(targets.size()), io);
  options.stop = &stopSignal();
  stopSignal() = 0;
  Progress progress(err, static_cast<int>(targets.size()), true);
  int failed = 0;
  FleetRun run;
  const QDateTime started = QDateTime::currentDateTimeUtc();
  {
    const StopSignals handlers;
    run =
        runFleet(targets, commands, options, [&](const TargetResult* r, const FleetStatus& status) {
          if (r) {
            progress.clear();
            failed += r->delivered ? 0 : 1;
            printResult(*r, human);
          }
          progress.draw(status, failed, targets);
        });
  }
  progress.clear();
  RunSummary summary = summarize(run.results, failed, stopSignal().load(), human, io);
  summary.started = started;

  int result = summary.code;
  if (!o.json.isEmpty()) {
    const QByteArray text = reportText(o, *payload, run.results, summary);
    if (reportToStdout) {
      std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), out);
      std::fflush(out);
    } else if (!report.commit(text, &error)) {
      io.error(error);
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
