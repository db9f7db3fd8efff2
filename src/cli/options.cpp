// q6config-cli's options: the hand parser (an option's value as --name=value or as the next
// argument; --to and --set take every argument up to the next option), the suggestions for a slip
// of the keyboard, and the help, whose lists come from the test and settings tables.
#include "cli/options.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "cli/targets.h"
#include "core/printer/diagnostic_table.h"
#include "core/settings/settings_table.h"
#include "core/settings/window_content.h"

namespace Q6Cli {

const QStringList kCommands{"apply",   "reset", "test",         "show",
                            "history", "state", "list-targets", "help"};

namespace {

const QStringList kOptions{"--help",    "--version", "--dry-run", "--yes",       "--model",
                           "--preset",  "--set",     "--to",      "--targets",   "--jobs",
                           "--timeout", "--json",    "--record",  "--no-record", "--changes-only",
                           "--check",   "--diff",    "--force",   "--limit"};

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

}  // namespace

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
    } else if (arg == u"--record") {
      if (!value(&o->record)) return false;
      if (o->record.isEmpty()) {
        *error = QStringLiteral("--record needs a file name.");
        return false;
      }
    } else if (arg == u"--no-record") {
      o->noRecord = true;
    } else if (arg == u"--changes-only") {
      o->changesOnly = true;
    } else if (arg == u"--check") {
      o->check = true;
    } else if (arg == u"--diff") {
      o->diff = true;
    } else if (arg == u"--force") {
      o->force = true;
    } else if (arg == u"--limit") {
      if (!value(&v) || !parseNumberOption(arg, v, 1, 1000000000, &o->limit, error)) return false;
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
  if (o->noRecord && !o->record.isEmpty()) {
    *error = QStringLiteral("--record and --no-record cannot be given together.");
    return false;
  }
  if (o->noRecord && (o->changesOnly || o->check || o->diff)) {
    *error = QStringLiteral(
        "--changes-only, --check and --diff decide from the record; --no-record leaves it out.");
    return false;
  }
  if (showSeen && o->command.isEmpty()) {
    *error = QStringLiteral("show needs a command: show apply|reset|test ... (see --help).");
    return false;
  }
  return true;
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
      "  history --to TARGET... [--limit N]   what the record says was sent to each printer,\n"
      "                      newest first; opens no link\n"
      "  state --to TARGET... what each printer holds as far as the record knows; opens no link\n"
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
      "  --record FILE        the record of what was sent to each printer (default\n"
      "                      $Q6CONFIG_RECORD, else ~/.local/state/q6config/record.sqlite3)\n"
      "  --no-record          send without writing the record\n"
      "  --changes-only       apply: send each printer only the settings the record does not\n"
      "                      know it holds; a printer that holds them all gets nothing\n"
      "  --check              apply: say which printers --changes-only would change; opens "
      "nothing\n"
      "  --diff               apply: print each setting that changes, recorded -> wanted\n"
      "  --force              apply: send everything whatever the record says (and record it)\n"
      "  --limit N            history: at most N entries per printer\n"
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
  t += wrapList(Q6::printerTestNames(), 2) +
       QStringLiteral("\n\nSettings (--set NAME=ENTRY), entries per model:\n");
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

}  // namespace Q6Cli
