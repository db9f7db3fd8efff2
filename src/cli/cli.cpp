#include "cli/cli.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <unistd.h>

#include <optional>
#include <set>
#include <vector>

#include "cli/fleet.h"
#include "cli/list_targets.h"
#include "cli/targets.h"
#include "link/commands.h"
#include "main_window/window_content.h"
#include "presets/preset_file.h"
#include "printer_tests/test_commands.h"
#include "settings/clear_all_commands.h"
#include "settings/settings_table.h"
#include "settings/use_settings.h"
#include "version.h"

namespace Q6Cli {

namespace {

constexpr int kDefaultJobs = 16;
constexpr int kMaxJobs = 256;

struct TestRow {
  const char* name;
  const char* button;  // the window's button that sends the same
  std::optional<Q6::TestCommand> single;
  Q6::CommandList (*sheet)();
};

const std::vector<TestRow>& testTable() {
  using T = Q6::TestCommand;
  static const std::vector<TestRow> rows{
      {"line-feed", "butLineFeed", T::LineFeed, nullptr},
      {"form-feed", "butFormFeed", T::FormFeed, nullptr},
      {"feed-5cm", "butfeedlength", T::Feed5cm, nullptr},
      {"full-cut", "butFullCut", T::FullCut, nullptr},
      {"partial-cut", "Command3", T::PartialCut, nullptr},
      {"feed-full-cut", "Command8", T::FeedFullCut, nullptr},
      {"feed-partial-cut", "Command9", T::FeedPartialCut, nullptr},
      {"cash-drawer-1", "butCDrawer1", T::CashDrawer1, nullptr},
      {"cash-drawer-2", "butCDrawer2", T::CashDrawer2, nullptr},
      {"self-test", "Command4", T::SelfTest, nullptr},
      {"charset-sheet", "butPrintCharSet", std::nullopt, &Q6::characterSetSheet},
      {"ticket-test", "butTicketTest", std::nullopt, &Q6::ticketTest},
  };
  return rows;
}

struct Options {
  QString command;
  bool dryRun = false;
  QString model;
  QString preset;
  QStringList sets;
  QStringList targets;
  QStringList targetFiles;
  QString testName;
  bool yes = false;
  int jobs = kDefaultJobs;
  int timeoutMs = Orvanel::kDefaultTimeoutMs;
  bool timeoutGiven = false;
  QString json;
  bool help = false;
  bool version = false;
};

// Where the output goes, with the program's own prefix on errors.
struct Streams {
  std::FILE* out;
  std::FILE* err;
  void line(const QString& text) const {
    std::fputs((text + u'\n').toLocal8Bit().constData(), out);
    std::fflush(out);
  }
  void error(const QString& text) const {
    std::fputs((QStringLiteral("q6config-cli: ") + text + u'\n').toLocal8Bit().constData(), err);
    std::fflush(err);
  }
};

bool parseNumberOption(const QString& name, const QString& value, int low, int high, int* out,
                       QString* error) {
  bool ok = false;
  const int n = value.toInt(&ok);
  if (!ok || n < low || n > high) {
    *error = QStringLiteral("%1 \"%2\" is not a number from %3 to %4.")
                 .arg(name, value)
                 .arg(low)
                 .arg(high);
    return false;
  }
  *out = n;
  return true;
}

bool parseArguments(const QStringList& args, Options* o, QString* error) {
  bool showSeen = false;
  for (int i = 0; i < args.size(); ++i) {
    QString arg = args[i];
    std::optional<QString> inlineValue;
    if (arg.startsWith(QStringLiteral("--")) && arg.contains(u'=')) {
      inlineValue = arg.section(u'=', 1);
      arg = arg.section(u'=', 0, 0);
    }
    // The value of an option: written as --name=value or as the next argument.
    const auto value = [&](QString* out) {
      if (inlineValue) {
        *out = *inlineValue;
        return true;
      }
      if (i + 1 >= args.size()) {
        *error = QStringLiteral("%1 needs a value.").arg(arg);
        return false;
      }
      *out = args[++i];
      return true;
    };
    // --to and --set take every following argument up to the next option.
    const auto values = [&](QStringList* out) {
      const qsizetype before = out->size();
      if (inlineValue) {
        out->append(*inlineValue);
      }
      while (i + 1 < args.size() && !args[i + 1].startsWith(QStringLiteral("--"))) {
        out->append(args[++i]);
      }
      if (out->size() == before) {
        *error = QStringLiteral("%1 needs at least one value.").arg(arg);
        return false;
      }
      return true;
    };
    QString v;
    if (arg == u"--help" || arg == u"-h") {
      o->help = true;
    } else if (arg == u"--version") {
      o->version = true;
    } else if (arg == u"--dry-run") {
      o->dryRun = true;
    } else if (arg == u"--yes") {
      o->yes = true;
    } else if (arg == u"--model") {
      if (!value(&o->model)) return false;
    } else if (arg == u"--preset") {
      if (!value(&v)) return false;
      if (!o->preset.isEmpty()) {
        *error = QStringLiteral("only one --preset can be applied at a time.");
        return false;
      }
      o->preset = v;
    } else if (arg == u"--set") {
      if (!values(&o->sets)) return false;
    } else if (arg == u"--to") {
      if (!values(&o->targets)) return false;
    } else if (arg == u"--targets") {
      if (!value(&v)) return false;
      o->targetFiles << v;
    } else if (arg == u"--jobs") {
      if (!value(&v) || !parseNumberOption(arg, v, 1, kMaxJobs, &o->jobs, error)) return false;
    } else if (arg == u"--timeout") {
      if (!value(&v) || !parseNumberOption(arg, v, 1, Orvanel::kMaxTimeoutMs, &o->timeoutMs, error))
        return false;
      o->timeoutGiven = true;
    } else if (arg == u"--json") {
      if (!value(&o->json)) return false;
    } else if (arg.startsWith(u'-') && arg != u"-") {
      *error = QStringLiteral("unknown option %1 (see --help).").arg(arg);
      return false;
    } else if (o->command.isEmpty() && arg == u"show" && !showSeen) {
      showSeen = true;
      o->dryRun = true;
    } else if (o->command.isEmpty()) {
      o->command = arg;
    } else if (o->command == u"test" && o->testName.isEmpty()) {
      o->testName = arg;
    } else {
      *error = QStringLiteral("unexpected argument \"%1\" (see --help).").arg(arg);
      return false;
    }
  }
  if (showSeen && o->command.isEmpty()) {
    *error = QStringLiteral("show needs a command: show apply|reset|test ... (see --help).");
    return false;
  }
  return true;
}

QString wrapList(const QStringList& words, int indent, int width = 100) {
  QString out;
  int column = indent;
  for (int i = 0; i < words.size(); ++i) {
    const QString word = words[i] + (i + 1 < words.size() ? QStringLiteral(",") : QString());
    if (column > indent && column + 1 + word.size() > width) {
      out += u'\n' + QString(indent, u' ');
      column = indent;
    } else if (column > indent) {
      out += u' ';
      ++column;
    }
    out += word;
    column += static_cast<int>(word.size());
  }
  return out;
}

QString helpText() {
  QString t = QStringLiteral(
      "Usage: q6config-cli COMMAND [OPTIONS]\n"
      "Sets up QLX500 and QLX600 printers from a script, many at once, with the same bytes the\n"
      "window program sends.\n"
      "\n"
      "Commands:\n"
      "  apply --model QLX500|QLX600 (--preset FILE.pre | --set NAME=ENTRY...) --to TARGET...\n"
      "                      what \"Use Settings\" sends for these choices (a preset first, then\n"
      "                      each --set, as if chosen in the window in that order)\n"
      "  reset --yes --to TARGET...   \"Clear All Settings\": restore the factory settings\n"
      "  test NAME --to TARGET...     a hardware test or test sheet (names below)\n"
      "  show COMMAND ...     print every command of COMMAND, as hex and in words; opens nothing\n"
      "  list-targets         the network printers (DNS-SD), printer queues, printer device nodes "
      "and\n"
      "                       serial ports this computer can see\n"
      "\n"
      "Options:\n"
      "  --to TARGET...       where to send; every argument up to the next option\n"
      "  --targets FILE       more targets, one a line (# comments; - reads standard input)\n"
      "  --jobs N             targets served at the same time (default 16)\n"
      "  --timeout MS         time limit of each step of a link (default 5000; `stored` keeps its\n"
      "                      own unless this is given)\n"
      "  --json FILE          write the whole report as JSON\n"
      "  --dry-run            as show: print the commands, open nothing\n"
      "  --help, --version\n"
      "\n"
      "Targets:\n"
      "  tcp://HOST[:PORT]    network printer, port 9100 unless given; [ADDRESS]:PORT for IPv6\n"
      "  queue:NAME           CUPS printer queue (one raw job)\n"
      "  file:PATH            capture file (appended to) or device node such as /dev/usb/lp0\n"
      "  serial:PORT?baud=9600&data=8&parity=none|even|odd&stop=1|2&flow=none|hardware|software\n"
      "  stored               the connection the window program stored for this user\n"
      "\n"
      "Exit status: 0 every target delivered, 1 some target failed, 2 bad usage or refused input\n"
      "(then nothing was sent anywhere).\n"
      "\n"
      "Tests (test NAME):\n  ");
  QStringList tests;
  for (const TestRow& row : testTable()) {
    tests << QLatin1String(row.name);
  }
  t += wrapList(tests, 2) + QStringLiteral("\n\nSettings (--set NAME=ENTRY), entries per model:\n");
  for (const Q6::SettingRow& row : Q6::settingsTable()) {
    t += QStringLiteral("  %1  %2\n").arg(QLatin1String(row.name), QLatin1String(row.caption));
    switch (row.kind) {
      case Q6::SettingKind::CutOffset:
        t += QStringLiteral(
            "      both models: off, or millimetres from -10 to 31.75 (to the nearest 0.25)\n");
        continue;
      case Q6::SettingKind::FeedCount:
        t += QStringLiteral(
            "      QLX500: a number from 0 to 15 (default 2), used with context-cut's enabled "
            "entries\n");
        continue;
      case Q6::SettingKind::List:
        break;
    }
    const QStringList qlx600 = Q6::entryNames(Q6::settingEntries(row, Q6::kModelQLX600));
    const QStringList qlx500 = Q6::entryNames(Q6::settingEntries(row, Q6::kModelQLX500));
    if (qlx600 == qlx500) {
      t += QStringLiteral("      both models: ") + wrapList(qlx500, 19) + u'\n';
      continue;
    }
    if (!qlx600.isEmpty()) {
      t += QStringLiteral("      QLX600: ") + wrapList(qlx600, 14) + u'\n';
    }
    if (!qlx500.isEmpty()) {
      t += QStringLiteral("      QLX500: ") + wrapList(qlx500, 14) + u'\n';
    }
  }
  t += QStringLiteral(
      "An entry is named by the name above, by the window's text in quotes, or by the first word\n"
      "of a name when only one name starts with it (code-page=1252).\n");
  return t;
}

// What one run sends: the commands grouped by what they stand for.
struct Payload {
  QString what;  // "apply for the QLX500", "reset", "test line-feed"
  std::vector<Q6::CommandGroup> groups;
  Q6::CommandList commands() const {
    Q6::CommandList all;
    for (const Q6::CommandGroup& g : groups) {
      all.insert(all.end(), g.commands.begin(), g.commands.end());
    }
    return all;
  }
};

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
    const std::optional<QByteArray> bytes = Q6::readPresetFile(o.preset);
    Q6::PresetCheck check;
    check.refusal = Q6::PresetRefusal::Corrupt;
    if (bytes) {
      check = Q6::checkPreset(*bytes, Q6::presetListCounts(*model));
    }
    if (!check.accepted()) {
      *error =
          QStringLiteral("preset %1 refused: %2%3")
              .arg(o.preset, Q6::presetRefusalText(check.refusal),
                   bytes ? QString() : QStringLiteral(" (it cannot be read as a preset file)"));
      return std::nullopt;
    }
    Q6::applyPreset(selection, check.values);
  }
  for (const QString& set : o.sets) {
    const qsizetype eq = set.indexOf(u'=');
    if (eq <= 0) {
      *error = QStringLiteral("--set \"%1\" is not NAME=ENTRY.").arg(set);
      return std::nullopt;
    }
    const Q6::Result<> chosen = Q6::applyChoice(selection, *model, set.left(eq), set.mid(eq + 1));
    if (!chosen) {
      *error = chosen.error();
      return std::nullopt;
    }
  }
  const Q6::Result<Q6::CommandList> plan = Q6::buildUseSettings(selection);
  if (!plan) {
    *error = plan.error();
    return std::nullopt;
  }
  if (*model == Q6::kModelQLX500 && selection.comSpeed == Q6::kOptimumDensitySpeed) {
    io.error(QStringLiteral("note: ") +
             Q6::speedAdviceText().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  }
  return Payload{QStringLiteral("apply for the %1").arg(Q6::modelName(*model)),
                 Q6::explainUseSettings(selection, *model)};
}

std::optional<Payload> buildPayload(const Options& o, const Streams& io, QString* error) {
  if (o.command == u"apply") {
    return buildApply(o, io, error);
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
    for (const TestRow& row : testTable()) {
      if (o.testName.compare(QLatin1String(row.name), Qt::CaseInsensitive) == 0) {
        Q6::CommandList commands =
            row.single ? Q6::CommandList{Q6::testCommand(*row.single)} : row.sheet();
        return Payload{QStringLiteral("test %1").arg(QLatin1String(row.name)),
                       {{QStringLiteral("test %1 (%2)")
                             .arg(QLatin1String(row.name), QLatin1String(row.button)),
                         std::move(commands)}}};
      }
    }
    QStringList names;
    for (const TestRow& row : testTable()) {
      names << QLatin1String(row.name);
    }
    *error = QStringLiteral("there is no test \"%1\"; the tests are: %2.")
                 .arg(o.testName, names.join(QStringLiteral(", ")));
    return std::nullopt;
  }
  *error = QStringLiteral("unknown command \"%1\" (see --help).").arg(o.command);
  return std::nullopt;
}

void printDryRun(const Payload& payload, const std::vector<Target>& targets, const Streams& io) {
  const Q6::CommandList all = payload.commands();
  io.line(QStringLiteral("# %1: %2 commands, %3 bytes; nothing is opened")
              .arg(payload.what)
              .arg(all.size())
              .arg(Q6::byteCount(all)));
  for (const Q6::CommandGroup& group : payload.groups) {
    io.line(group.label);
    for (const Q6::Command& command : group.commands) {
      const QString hex = Q6::hexText(command);
      const QString words = Q6::describeSwitchFrame(command);
      io.line(words.isEmpty() ? QStringLiteral("  ") + hex
                              : QStringLiteral("  %1  %2").arg(hex, -32).arg(words));
    }
  }
  for (const Target& target : targets) {
    io.line(QStringLiteral("# would go to %1").arg(target.text));
  }
}

QJsonObject reportHeader(const Options& o, const Payload& payload) {
  const Q6::CommandList all = payload.commands();
  QJsonObject report;
  report[QStringLiteral("program")] = QStringLiteral("q6config-cli");
  report[QStringLiteral("version")] =
      Q6::versionText(Q6Version::kMajor, Q6Version::kMinor, Q6Version::kRevision);
  report[QStringLiteral("command")] = o.command;
  report[QStringLiteral("what")] = payload.what;
  report[QStringLiteral("commands")] = static_cast<qint64>(all.size());
  report[QStringLiteral("bytes")] = static_cast<qint64>(Q6::byteCount(all));
  report[QStringLiteral("started")] = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
  return report;
}

int listTargets(const Options& o, const Streams& io) {
  QStringList notes;
  const std::vector<FoundTarget> found = findLocalTargets(o.timeoutMs, &notes);
  for (const FoundTarget& f : found) {
    io.line(f.about.isEmpty() ? f.target
                              : QStringLiteral("%1  %2").arg(f.target, -24).arg(f.about));
  }
  // A missing service is worth a line, not a failure: what was found is still listed.
  for (const QString& note : notes) {
    io.error(note);
  }
  if (found.empty()) {
    io.error(QStringLiteral(
        "no network printers, printer queues, printer device nodes or serial ports found."));
  }
  return kExitDelivered;
}

// The progress line, on a terminal only, redrawn in place below the result lines.
class Progress {
 public:
  Progress(std::FILE* err, int total, bool wanted)
      : err_(err), total_(total), on_(wanted && total > 1 && ::isatty(::fileno(err)) == 1) {}
  void clear() {
    if (on_ && drawn_) {
      std::fputs("\r\033[K", err_);
      drawn_ = false;
    }
  }
  void draw(int done, int failed) {
    if (!on_) {
      return;
    }
    std::fprintf(err_, "\r\033[K[%d/%d] %d delivered, %d failed", done, total_, done - failed,
                 failed);
    std::fflush(err_);
    drawn_ = true;
  }

 private:
  std::FILE* err_;
  int total_;
  bool on_;
  bool drawn_ = false;
};

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
  QStringList targetTexts = o.targets;
  for (const QString& file : o.targetFiles) {
    if (!readTargetsFile(file, &targetTexts, &error)) {
      io.error(error);
      return kExitRefused;
    }
  }
  std::vector<Target> targets;
  for (const QString& text : targetTexts) {
    std::optional<Target> target = parseTarget(text, o.timeoutMs, o.timeoutGiven, &error);
    if (!target) {
      io.error(error);
      return kExitRefused;
    }
    for (const Target& earlier : targets) {
      Orvanel::LinkSettings a = earlier.settings;
      a.timeoutMs = target->settings.timeoutMs;
      // Two exchanges at once on one printer would interleave their bytes.
      if (a == target->settings) {
        io.error(QStringLiteral("target %1 is given twice (as %2); each printer once per run.")
                     .arg(text, earlier.text));
        return kExitRefused;
      }
    }
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
  QFile json(o.json);
  if (!o.json.isEmpty() && !json.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    io.error(QStringLiteral("cannot write the report %1: %2").arg(o.json, json.errorString()));
    return kExitRefused;
  }

  const Q6::CommandList commands = payload->commands();
  Progress progress(err, static_cast<int>(targets.size()), true);
  int failed = 0;
  const std::vector<TargetResult> results =
      runFleet(targets, commands, o.jobs, [&](const TargetResult* r, int done) {
        if (r) {
          progress.clear();
          if (r->delivered) {
            io.line(
                QStringLiteral("ok %1  %2 bytes  %3 ms").arg(r->target).arg(r->bytes).arg(r->ms));
          } else {
            ++failed;
            io.line(QStringLiteral("FAILED %1: %2").arg(r->target, r->error));
          }
        }
        progress.draw(done, failed);
      });
  progress.clear();
  const int delivered = static_cast<int>(results.size()) - failed;
  if (results.size() > 1) {
    io.error(QStringLiteral("%1 of %2 targets delivered, %3 failed.")
                 .arg(delivered)
                 .arg(results.size())
                 .arg(failed));
  }

  if (json.isOpen()) {
    QJsonObject report = reportHeader(o, *payload);
    QJsonArray list;
    for (const TargetResult& r : results) {
      QJsonObject item;
      item[QStringLiteral("target")] = r.target;
      item[QStringLiteral("status")] =
          r.delivered ? QStringLiteral("ok") : QStringLiteral("failed");
      item[QStringLiteral("bytes")] = r.bytes;
      item[QStringLiteral("ms")] = r.ms;
      if (!r.delivered) {
        item[QStringLiteral("error")] = r.error;
      }
      list.append(item);
    }
    report[QStringLiteral("targets")] = list;
    report[QStringLiteral("delivered")] = delivered;
    report[QStringLiteral("failed")] = failed;
    report[QStringLiteral("exit_code")] = failed ? kExitSomeFailed : kExitDelivered;
    const QByteArray text = QJsonDocument(report).toJson(QJsonDocument::Indented);
    if (json.write(text) != text.size() || !json.flush()) {
      io.error(QStringLiteral("could not write the report %1: %2").arg(o.json, json.errorString()));
      return kExitSomeFailed;
    }
  }
  return failed ? kExitSomeFailed : kExitDelivered;
}

}  // namespace Q6Cli
