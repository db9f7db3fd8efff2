// q6config-cli's options: the hand parser (an option's value as --name=value or as the next
// argument; --to and --set take every argument up to the next option) and the suggestions for a
// slip of the keyboard.
#include "cli/options.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "cli/targets.h"

namespace Q6Cli {

namespace {

const QStringList kOptions{"--help",    "--version", "--dry-run", "--yes",       "--model",
                           "--preset",  "--set",     "--to",      "--targets",   "--jobs",
                           "--timeout", "--json",    "--record",  "--no-record", "--changes-only",
                           "--check",   "--diff",    "--force",   "--limit",     "--html",
                           "--junit",   "--from"};

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
    } else if (arg == u"--html") {
      if (!value(&o->html)) return false;
    } else if (arg == u"--junit") {
      if (!value(&o->junit)) return false;
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
    } else if (arg == u"--from") {
      if (!value(&o->from)) return false;
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
    } else if (o->command == u"record" && o->recordAction.isEmpty()) {
      o->recordAction = arg;
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

}  // namespace Q6Cli
