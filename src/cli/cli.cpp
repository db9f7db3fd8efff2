#include "cli/cli.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <QCoreApplication>
#include <QDir>

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <optional>
#include <set>
#include <vector>

#include "cli/fleet.h"
#include "cli/list_targets.h"
#include "cli/targets.h"
#include "core/link/commands.h"
#include "core/link/network_transport.h"
#include "core/presets/preset_file.h"
#include "core/printer_tests/test_commands.h"
#include "core/settings/clear_all_commands.h"
#include "core/settings/settings_table.h"
#include "core/settings/use_settings.h"
#include "core/settings/window_content.h"
#include "version.h"

namespace Q6Cli {

namespace {

constexpr int kDefaultJobs = 16;
constexpr int kMaxJobs = 256;

const QStringList kCommands{"apply", "reset", "test", "show", "list-targets", "help"};
const QStringList kOptions{"--help", "--version", "--dry-run", "--yes",  "--model",   "--preset",
                           "--set",  "--to",      "--targets", "--jobs", "--timeout", "--json"};

// Edits (insert, delete, replace, swap of two neighbours) from a to b, in any case.
int editDistance(const QString& a, const QString& b) {
  const QString x = a.toLower();
  const QString y = b.toLower();
  const qsizetype n = x.size();
  const qsizetype m = y.size();
  std::vector<std::vector<int>> d(static_cast<size_t>(n + 1), std::vector<int>(m + 1));
  for (qsizetype i = 0; i <= n; ++i) d[i][0] = static_cast<int>(i);
  for (qsizetype j = 0; j <= m; ++j) d[0][j] = static_cast<int>(j);
  for (qsizetype i = 1; i <= n; ++i) {
    for (qsizetype j = 1; j <= m; ++j) {
      const int cost = x[i - 1] == y[j - 1] ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
      if (i > 1 && j > 1 && x[i - 1] == y[j - 2] && x[i - 2] == y[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[n][m];
}

// " Did you mean NAME?" for the one known word nearest to a slip of the keyboard; empty when none
// is near enough (about one edit in three letters) or two are equally near.
QString didYouMean(const QString& word, const QStringList& known) {
  const int allowed = std::max(1, static_cast<int>(word.size()) / 3);
  int best = allowed + 1;
  QString nearest;
  bool tie = false;
  for (const QString& k : known) {
    const int d = editDistance(word, k);
    if (d < best) {
      best = d;
      nearest = k;
      tie = false;
    } else if (d == best && k != nearest) {
      tie = true;
    }
  }
  return nearest.isEmpty() || tie || best == 0 ? QString()
                                               : QStringLiteral(" Did you mean %1?").arg(nearest);
}

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
  // Every byte of the line goes out (a NUL would end an fputs early); names in it are escaped by
  // the caller (displayText), so that it stays one line.
  void line(const QString& text, bool flush = true) const { put(text + u'\n', out, flush); }
  void error(const QString& text) const {
    put(QStringLiteral("q6config-cli: ") + text + u'\n', err, true);
  }
  static void put(const QString& text, std::FILE* to, bool flush) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), to);
    if (flush) {
      std::fflush(to);
    }
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
      *error = QStringLiteral("unknown option %1 (see --help).%2")
                   .arg(displayText(arg), didYouMean(arg, kOptions));
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
      "  --json FILE          write the whole report as JSON (- for standard output; the lines\n"
      "                      for people then go to standard error)\n"
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

// The folders a preset named without a folder is also looked for in: the installed Presets folder
// (the window program's, lib/q6config/Presets beside this program's bin/) and one beside this
// program.
QStringList presetFolders() {
  const QString bin = QCoreApplication::applicationDirPath();
  return {QDir::cleanPath(bin + QStringLiteral("/../lib/q6config/Presets")),
          bin + QStringLiteral("/Presets")};
}

// The preset's bytes (at most one past the size limit, so that the check refuses a larger file),
// or nothing with the system's reason why it cannot be read. A bare name that is not a file here is
// looked for in the Presets folders, with or without ".pre".
std::optional<QByteArray> readPreset(const QString& given, QString* reason) {
  QString path = given;
  QStringList names;  // of the Presets folders, for a suggestion
  if (!given.contains(u'/') && !QFileInfo::exists(given)) {
    for (const QString& folder : presetFolders()) {
      for (const QString& name : {given, given + QStringLiteral(".pre")}) {
        if (QFileInfo(folder + u'/' + name).isFile()) {
          path = folder + u'/' + name;
          break;
        }
      }
      if (path != given) {
        break;
      }
      for (const QString& name : QDir(folder).entryList({QStringLiteral("*.pre")}, QDir::Files)) {
        names << name << name.chopped(4);
      }
    }
  }
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
  struct stat info {};
  int problem = fd < 0                    ? errno
                : ::fstat(fd, &info) != 0 ? errno
                : S_ISDIR(info.st_mode)   ? EISDIR
                                          : 0;
  QByteArray bytes;
  if (problem == 0) {
    bytes.resize(Q6::kPresetFileLimit + 1);
    qsizetype got = 0;
    while (got < bytes.size()) {
      const ssize_t n = ::read(fd, bytes.data() + got, static_cast<size_t>(bytes.size() - got));
      if (n < 0 && errno == EINTR) {
        continue;
      }
      if (n < 0) {
        problem = errno;
      }
      if (n <= 0) {
        break;
      }
      got += n;
    }
    bytes.truncate(got);
  }
  if (fd >= 0) {
    ::close(fd);
  }
  if (problem != 0) {
    *reason = QStringLiteral("cannot read the preset %1: %2.%3")
                  .arg(displayText(path), QString::fromLocal8Bit(std::strerror(problem)),
                       didYouMean(given, names));
    return std::nullopt;
  }
  return bytes;
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
    const Q6::PresetCheck check = Q6::checkPreset(*bytes, Q6::presetListCounts(*model));
    if (!check.accepted()) {
      *error = QStringLiteral("preset %1 refused: %2")
                   .arg(displayText(o.preset), Q6::presetRefusalText(check.refusal));
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
      *error = chosen.error() + suggestChoice(*model, set.left(eq), set.mid(eq + 1));
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
    *error = QStringLiteral("there is no test \"%1\"; the tests are: %2.%3")
                 .arg(displayText(o.testName), names.join(QStringLiteral(", ")),
                      didYouMean(o.testName, names));
    return std::nullopt;
  }
  *error = QStringLiteral("unknown command \"%1\" (see --help).%2")
               .arg(displayText(o.command), didYouMean(o.command, kCommands));
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
    io.line(QStringLiteral("# would go to %1").arg(displayText(target.text)), false);
  }
  std::fflush(io.out);
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
    io.line(listLine(f));
  }
  // A missing service is worth a line, not a failure: what was found is still listed.
  for (const QString& note : notes) {
    io.error(displayText(note));
  }
  if (found.empty()) {
    io.error(QStringLiteral(
        "no network printers, printer queues, printer device nodes or serial ports found."));
  }
  return kExitDelivered;
}

// The progress line, on a terminal only, redrawn in place below the result lines. It names the
// target waited on longest, so that a run that seems stuck says what it is stuck on.
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
  void draw(const FleetStatus& status, int failed, const std::vector<Target>& targets) {
    if (!on_) {
      return;
    }
    QString line = QStringLiteral("[%1/%2] %3 delivered, %4 failed")
                       .arg(status.done)
                       .arg(total_)
                       .arg(status.done - failed)
                       .arg(failed);
    if (status.oldest >= 0) {
      line += QStringLiteral("; waiting %1 s on %2")
                  .arg(QString::number(status.oldestWaitMs / 1000),
                       displayText(targets[static_cast<size_t>(status.oldest)].text));
    }
    const QByteArray bytes = (QStringLiteral("\r\033[K") + line).toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), err_);
    std::fflush(err_);
    drawn_ = true;
  }

 private:
  std::FILE* err_;
  int total_;
  bool on_;
  bool drawn_ = false;
};

// SIGINT or SIGTERM during a run: the first stops it (see runFleet), a second ends the program at
// once, leaving no half-written report behind (an earlier one at the path stays as it was).
std::atomic<int> stopSignal{0};
char reportTempPath[PATH_MAX + 16] = {};

extern "C" void onStopSignal(int signo) {
  if (stopSignal.exchange(signo) != 0) {
    if (reportTempPath[0] != 0) {
      ::unlink(reportTempPath);
    }
    ::_exit(128 + signo);
  }
}

class StopSignals {
 public:
  StopSignals() {
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, &oldInt_);
    ::sigaction(SIGTERM, &action, &oldTerm_);
  }
  ~StopSignals() {
    ::sigaction(SIGINT, &oldInt_, nullptr);
    ::sigaction(SIGTERM, &oldTerm_, nullptr);
  }

 private:
  struct sigaction oldInt_ {};
  struct sigaction oldTerm_ {};
};

// The --json report: written to a temporary file beside its path and renamed over it at the end, so
// that a report already there stays whole until the new one is. The temporary file is made before
// the first target opens, so a folder that cannot take it refuses the run.
class ReportFile {
 public:
  ReportFile() = default;
  ReportFile(const ReportFile&) = delete;
  ReportFile& operator=(const ReportFile&) = delete;
  ~ReportFile() { discard(); }

  bool open(const QString& path, QString* error) {
    QFileInfo info(path);
    // A link is followed: the report replaces what it points at, not the link.
    path_ = info.isSymLink() && info.exists() ? info.canonicalFilePath() : path;
    const QByteArray temp =
        QFile::encodeName(QFileInfo(path_).absolutePath() + QStringLiteral("/.") +
                          QFileInfo(path_).fileName() + QStringLiteral(".XXXXXX"));
    if (temp.size() >= static_cast<qsizetype>(sizeof reportTempPath)) {
      *error = QStringLiteral("cannot write the report %1: %2")
                   .arg(displayText(path), QString::fromLocal8Bit(std::strerror(ENAMETOOLONG)));
      return false;
    }
    std::memcpy(reportTempPath, temp.constData(), static_cast<size_t>(temp.size()) + 1);
    fd_ = ::mkostemp(reportTempPath, O_CLOEXEC);
    if (fd_ < 0) {
      const int problem = errno;
      reportTempPath[0] = 0;
      *error = QStringLiteral("cannot write the report %1: %2")
                   .arg(displayText(path), QString::fromLocal8Bit(std::strerror(problem)));
      return false;
    }
    // The permissions a report at the path has, or a new file's.
    struct stat old {};
    if (::stat(QFile::encodeName(path_).constData(), &old) == 0) {
      ::fchmod(fd_, old.st_mode & 07777);
    } else {
      const mode_t mask = ::umask(0);
      ::umask(mask);
      ::fchmod(fd_, 0666 & ~mask);
    }
    return true;
  }

  bool commit(const QByteArray& text, QString* error) {
    qsizetype done = 0;
    while (done < text.size()) {
      const ssize_t n =
          ::write(fd_, text.constData() + done, static_cast<size_t>(text.size() - done));
      if (n < 0 && errno == EINTR) {
        continue;
      }
      if (n <= 0) {
        return failed(error, n < 0 ? errno : EIO);
      }
      done += n;
    }
    if (::fsync(fd_) != 0 || ::close(std::exchange(fd_, -1)) != 0) {
      return failed(error, errno);
    }
    if (::rename(reportTempPath, QFile::encodeName(path_).constData()) != 0) {
      return failed(error, errno);
    }
    reportTempPath[0] = 0;
    return true;
  }

  void discard() {
    if (fd_ >= 0) {
      ::close(std::exchange(fd_, -1));
    }
    if (reportTempPath[0] != 0) {
      ::unlink(reportTempPath);
      reportTempPath[0] = 0;
    }
  }

 private:
  bool failed(QString* error, int problem) {
    discard();
    *error = QStringLiteral("could not write the report %1: %2")
                 .arg(displayText(path_), QString::fromLocal8Bit(std::strerror(problem)));
    return false;
  }
  QString path_;
  int fd_ = -1;
};

int openFileCount() {
  int count = 0;
  if (DIR* dir = ::opendir("/proc/self/fd")) {
    while (const dirent* entry = ::readdir(dir)) {
      count += entry->d_name[0] != '.';
    }
    ::closedir(dir);
  }
  return count;
}

// The open-file limit is raised as far as this user may (the soft limit to the hard one); when the
// jobs would still need more files than that, they are lowered to fit, and the run says so once.
int fitJobsToFileLimit(int jobs, int targets, const Streams& io) {
  rlimit limit{};
  if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) {
    return jobs;
  }
  if (limit.rlim_cur < limit.rlim_max) {
    rlimit raised = limit;
    raised.rlim_cur = limit.rlim_max;
    if (::setrlimit(RLIMIT_NOFILE, &raised) == 0) {
      limit = raised;
    }
  }
  if (limit.rlim_cur == RLIM_INFINITY) {
    return jobs;
  }
  // Each exchange holds its connection attempts and the name look-up's files at most.
  constexpr int kFilesPerJob = Orvanel::kMaxConnectAttempts + 2;
  const long long spare = static_cast<long long>(limit.rlim_cur) - openFileCount() - 16;
  const int fits = static_cast<int>(std::clamp<long long>(spare / kFilesPerJob, 1, kMaxJobs));
  const int wanted = std::min(jobs, targets);
  if (fits >= wanted) {
    return jobs;
  }
  io.error(QStringLiteral("note: --jobs %1 lowered to %2: this process may have only %3 files open "
                          "at once (ulimit -n), and each target being served can need %4.")
               .arg(jobs)
               .arg(fits)
               .arg(static_cast<long long>(limit.rlim_cur))
               .arg(kFilesPerJob));
  return fits;
}

QString statusName(Outcome outcome) {
  switch (outcome) {
    case Outcome::Delivered:
      return QStringLiteral("ok");
    case Outcome::Failed:
      return QStringLiteral("failed");
    case Outcome::Interrupted:
      return QStringLiteral("interrupted");
    case Outcome::NotStarted:
      return QStringLiteral("not started");
  }
  return QString();
}

QString signalName(int signo) {
  return signo == SIGINT ? QStringLiteral("SIGINT") : QStringLiteral("SIGTERM");
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
  options.stop = &stopSignal;
  stopSignal = 0;
  Progress progress(err, static_cast<int>(targets.size()), true);
  int failed = 0;
  FleetRun run;
  {
    const StopSignals handlers;
    run =
        runFleet(targets, commands, options, [&](const TargetResult* r, const FleetStatus& status) {
          if (r) {
            progress.clear();
            if (r->delivered) {
              // One arg() for all: a '%' in a name is not a place for the next value.
              human.line(QStringLiteral("ok %1  %2 bytes  %3 ms")
                             .arg(displayText(r->target), QString::number(r->bytes),
                                  QString::number(r->ms)));
            } else {
              ++failed;
              human.line(QStringLiteral("FAILED %1: %2")
                             .arg(displayText(r->target), displayText(r->error)));
            }
          }
          progress.draw(status, failed, targets);
        });
  }
  progress.clear();
  const int stoppedBy = stopSignal.load();
  const std::vector<TargetResult>& results = run.results;
  int interrupted = 0;
  int notStarted = 0;
  for (const TargetResult& r : results) {
    if (r.outcome == Outcome::Interrupted) {
      ++interrupted;
      human.line(QStringLiteral("STOPPED %1: the run was stopped (%2) while it was being sent; %3 "
                                "bytes had been handed over")
                     .arg(displayText(r.target), signalName(stoppedBy), QString::number(r.bytes)));
    } else if (r.outcome == Outcome::NotStarted) {
      ++notStarted;
      human.line(QStringLiteral("NOT SENT %1: the run was stopped (%2) before its turn")
                     .arg(displayText(r.target), signalName(stoppedBy)));
    }
  }
  const int delivered = static_cast<int>(results.size()) - failed - interrupted - notStarted;
  const int code = stoppedBy ? 128 + stoppedBy : failed ? kExitSomeFailed : kExitDelivered;
  if (stoppedBy) {
    io.error(
        QStringLiteral("stopped by %1: %2 of %3 targets delivered, %4 failed, %5 stopped while "
                       "sending, %6 not started.")
            .arg(signalName(stoppedBy))
            .arg(delivered)
            .arg(results.size())
            .arg(failed)
            .arg(interrupted)
            .arg(notStarted));
  } else if (results.size() > 1) {
    io.error(QStringLiteral("%1 of %2 targets delivered, %3 failed.")
                 .arg(delivered)
                 .arg(results.size())
                 .arg(failed));
  }

  int result = code;
  if (!o.json.isEmpty()) {
    QJsonObject json = reportHeader(o, *payload);
    QJsonArray list;
    for (const TargetResult& r : results) {
      QJsonObject item;
      item[QStringLiteral("target")] = r.target;
      item[QStringLiteral("status")] = statusName(r.outcome);
      item[QStringLiteral("bytes")] = r.bytes;
      item[QStringLiteral("ms")] = r.ms;
      if (r.outcome == Outcome::Failed) {
        item[QStringLiteral("error")] = r.error;
      }
      list.append(item);
    }
    json[QStringLiteral("targets")] = list;
    json[QStringLiteral("delivered")] = delivered;
    json[QStringLiteral("failed")] = failed;
    if (stoppedBy) {
      json[QStringLiteral("stopped_by")] = signalName(stoppedBy);
      json[QStringLiteral("interrupted")] = interrupted;
      json[QStringLiteral("not_started")] = notStarted;
    }
    json[QStringLiteral("exit_code")] = code;
    const QByteArray text = QJsonDocument(json).toJson(QJsonDocument::Indented);
    if (reportToStdout) {
      std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), out);
      std::fflush(out);
    } else if (!report.commit(text, &error)) {
      io.error(error);
      result = stoppedBy ? code : kExitSomeFailed;
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
