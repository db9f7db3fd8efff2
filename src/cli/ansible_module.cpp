#include "cli/ansible_module.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "cli/cli.h"
#include "cli/options.h"
#include "cli/output.h"
#include "core/link/link_settings.h"
#include "core/settings/settings_table.h"

namespace Q6Cli {

namespace {

const QStringList kParameters{"target", "model", "preset",     "settings",
                              "reset",  "force", "timeout_ms", "record"};

QString parameterList() {
  return kParameters.join(QStringLiteral(", "));
}

// Ansible's own spellings of yes and no, as its modules written in Python accept them: a playbook
// that templates a flag gets the text.
std::optional<bool> readFlag(const QJsonValue& v) {
  if (v.isBool()) {
    return v.toBool();
  }
  if (v.isDouble() && (v.toDouble() == 0 || v.toDouble() == 1)) {
    return v.toDouble() == 1;
  }
  if (v.isString()) {
    const QString word = v.toString().trimmed().toLower();
    if (QStringList{"yes", "on", "1", "true", "y", "t"}.contains(word)) return true;
    if (QStringList{"no", "off", "0", "false", "n", "f"}.contains(word)) return false;
  }
  return std::nullopt;
}

std::optional<int> readWholeNumber(const QJsonValue& v) {
  if (v.isDouble()) {
    const double d = v.toDouble();
    if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 1e9) {
      return static_cast<int>(d);
    }
    return std::nullopt;
  }
  if (v.isString()) {
    bool ok = false;
    const int n = v.toString().trimmed().toInt(&ok);
    if (ok) {
      return n;
    }
  }
  return std::nullopt;
}

// A text argument; empty when missing or null, as Ansible writes an
// option the playbook left out.
Q6::Result<QString> readText(const QJsonObject& args, const QString& name, const QString& what) {
  const QJsonValue v = args.value(name);
  if (v.isUndefined() || v.isNull()) {
    return QString();
  }
  if (!v.isString() || v.toString().isEmpty()) {
    return Q6::Refused{QStringLiteral("%1 must be %2.").arg(name, what)};
  }
  return v.toString();
}

Q6::Result<QStringList> readSettings(const QJsonValue& v) {
  if (v.isUndefined() || v.isNull()) {
    return QStringList();
  }
  if (!v.isObject()) {
    return Q6::Refused{QStringLiteral("settings must be a mapping of name to entry.")};
  }
  QStringList sets;
  const QJsonObject settings = v.toObject();
  for (auto it = settings.begin(); it != settings.end(); ++it) {
    const QString& name = it.key();
    if (!Q6::findSetting(name)) {
      QStringList names;
      for (const Q6::SettingRow& row : Q6::settingsTable()) {
        names << QLatin1String(row.name);
      }
      return Q6::Refused{QStringLiteral("settings: there is no setting \"%1\".%2")
                             .arg(name, didYouMean(name, names))};
    }
    const QJsonValue entry = it.value();
    if (entry.isString()) {
      sets << name + u'=' + entry.toString();
    } else if (entry.isDouble()) {
      // 2.5 stays "2.5" and 3 stays "3": the settings table reads the text as a person wrote it.
      sets << name + u'=' + QString::number(entry.toDouble(), 'g', 15);
    } else if (entry.isBool()) {
      // YAML reads a bare off, on, yes or no as true or false before the module sees it.
      return Q6::Refused{
          QStringLiteral("settings: the entry of %1 is %2, not an entry; write it in quotes "
                         "(\"off\") so that YAML keeps it as text.")
              .arg(name, entry.toBool() ? QStringLiteral("true") : QStringLiteral("false"))};
    } else {
      return Q6::Refused{
          QStringLiteral("settings: the entry of %1 must be text or a number.").arg(name)};
    }
  }
  return sets;
}

// "q6config-cli: reason" lines, without the program's prefix, joined; the result lines for people
// ("ok …", "FAILED …") are left out, the report says the same.
QString toolMessages(const QString& err) {
  static const QString prefix = QStringLiteral("q6config-cli: ");
  QStringList lines;
  for (const QString& line : err.split(u'\n', Qt::SkipEmptyParts)) {
    if (line.startsWith(prefix)) {
      lines << line.mid(prefix.size());
    }
  }
  return lines.join(u' ');
}

QString nameList(const QStringList& names) {
  return names.join(QStringLiteral(", "));
}

struct DiffLine {
  QString setting;
  QString before;
  QString after;
};

}  // namespace

Q6::Result<ModuleArguments> readModuleArguments(const QJsonObject& args) {
  for (auto it = args.begin(); it != args.end(); ++it) {
    if (!kParameters.contains(it.key()) && !it.key().startsWith(QStringLiteral("_ansible_"))) {
      return Q6::Refused{QStringLiteral("unsupported parameter %1 (q6config_printer takes %2).%3")
                             .arg(it.key(), parameterList(), didYouMean(it.key(), kParameters))};
    }
  }
  ModuleArguments a;
  const QJsonValue target = args.value(QStringLiteral("target"));
  if (target.isUndefined() || target.isNull()) {
    return Q6::Refused{QStringLiteral(
        "target is required: the printer as q6config-cli names it (tcp://HOST[:PORT], "
        "queue:NAME, file:PATH, serial:PORT or stored).")};
  }
  const auto text = [&](const char* name, const QString& what, QString* out) -> Q6::Result<> {
    Q6::Result<QString> v = readText(args, QLatin1String(name), what);
    if (!v) {
      return Q6::Refused{v.error()};
    }
    *out = *v;
    return {};
  };
  for (const Q6::Result<>& r :
       {text("target", QStringLiteral("the printer as q6config-cli names it, as text"), &a.target),
        text("model", QStringLiteral("QLX500 or QLX600"), &a.model),
        text("preset", QStringLiteral("a preset file or the name of an installed preset"),
             &a.preset),
        text("record", QStringLiteral("the path of the record file"), &a.record)}) {
    if (!r) {
      return Q6::Refused{r.error()};
    }
  }
  if (!a.model.isEmpty() && !Q6::modelFromName(a.model)) {
    return Q6::Refused{QStringLiteral("model must be QLX500 or QLX600, not \"%1\".").arg(a.model)};
  }
  Q6::Result<QStringList> sets = readSettings(args.value(QStringLiteral("settings")));
  if (!sets) {
    return Q6::Refused{sets.error()};
  }
  a.sets = *sets;
  for (const auto& [name, flag] : {std::pair{"reset", &a.reset}, std::pair{"force", &a.force}}) {
    const QJsonValue v = args.value(QLatin1String(name));
    if (v.isUndefined() || v.isNull()) {
      continue;
    }
    const std::optional<bool> value = readFlag(v);
    if (!value) {
      return Q6::Refused{QStringLiteral("%1 must be true or false.").arg(QLatin1String(name))};
    }
    *flag = *value;
  }
  const QJsonValue timeout = args.value(QStringLiteral("timeout_ms"));
  if (!timeout.isUndefined() && !timeout.isNull()) {
    const std::optional<int> ms = readWholeNumber(timeout);
    if (!ms || *ms < 1 || *ms > Orvanel::kMaxTimeoutMs) {
      return Q6::Refused{
          QStringLiteral("timeout_ms must be a whole number of milliseconds from 1 to %1.")
              .arg(Orvanel::kMaxTimeoutMs)};
    }
    a.timeoutMs = ms;
  }
  a.checkMode = readFlag(args.value(QStringLiteral("_ansible_check_mode"))).value_or(false);
  a.diff = readFlag(args.value(QStringLiteral("_ansible_diff"))).value_or(false);

  const bool applies = !a.sets.isEmpty() || !a.preset.isEmpty();
  if (applies && a.model.isEmpty()) {
    return Q6::Refused{
        QStringLiteral("model is required with settings or preset (QLX500 or QLX600).")};
  }
  if (!applies && !a.reset) {
    return Q6::Refused{QStringLiteral("nothing to do: give settings, a preset or reset: true.")};
  }
  return a;
}

QString resolvePreset(const QString& given, const QStringList& presetFolders) {
  if (given.contains(u'/') || QFileInfo::exists(given)) {
    return given;
  }
  for (const QString& folder : presetFolders) {
    for (const QString& name : {given, given + QStringLiteral(".pre")}) {
      const QString path = folder + u'/' + name;
      if (QFileInfo(path).isFile()) {
        return path;
      }
    }
  }
  return given;
}

std::vector<QStringList> cliCommandLines(const ModuleArguments& a) {
  // Every value rides with its option (--to=…): a target or path that starts with "--" stays a
  // value.
  const QString to = QStringLiteral("--to=") + a.target;
  QStringList link;
  if (a.timeoutMs) {
    link << QStringLiteral("--timeout=%1").arg(*a.timeoutMs);
  }
  QStringList record;
  if (!a.record.isEmpty()) {
    record << QStringLiteral("--record=") + a.record;
  }

  std::vector<QStringList> lines;
  if (a.reset) {
    QStringList reset{QStringLiteral("reset"), QStringLiteral("--yes")};
    if (!a.model.isEmpty()) {
      reset << QStringLiteral("--model=") + a.model;
    }
    // A reset has nothing to check: it always sends. Checking, the dry run still refuses a
    // target that could not be opened as written.
    if (a.checkMode) {
      lines.push_back(reset + link + QStringList{QStringLiteral("--dry-run"), to});
    } else {
      lines.push_back(reset + link + record + QStringList{QStringLiteral("--json=-"), to});
    }
  }
  if (!a.sets.isEmpty() || !a.preset.isEmpty()) {
    QStringList apply{QStringLiteral("apply"), QStringLiteral("--model=") + a.model};
    if (!a.preset.isEmpty()) {
      apply << QStringLiteral("--preset=") + a.preset;
    }
    for (const QString& set : a.sets) {
      apply << QStringLiteral("--set=") + set;
    }
    apply << QStringLiteral("--changes-only");
    // After a reset every setting counts as changed; checking, the reset has not happened, so
    // the check is told to count them all.
    if (a.force || (a.reset && a.checkMode)) {
      apply << QStringLiteral("--force");
    }
    if (a.checkMode) {
      apply << QStringLiteral("--check");
    }
    lines.push_back(apply + QStringList{QStringLiteral("--diff")} + link + record +
                    QStringList{QStringLiteral("--json=-"), to});
  }
  return lines;
}

QJsonObject failedResult(const QString& msg) {
  QJsonObject result;
  result[QStringLiteral("failed")] = true;
  result[QStringLiteral("changed")] = false;
  result[QStringLiteral("msg")] = msg;
  return result;
}

QJsonObject moduleResult(const ModuleArguments& a, const std::vector<CliAnswer>& answers) {
  bool changed = false;
  qint64 bytes = 0;
  QString failure;
  QStringList recordWarnings;
  QStringList notes;
  QStringList sent;
  std::vector<DiffLine> diff;
  bool resetDone = false;

  for (size_t i = 0; i < answers.size() && failure.isEmpty(); ++i) {
    const CliAnswer& answer = answers[i];
    const bool isReset = a.reset && i == 0;
    const QString messages = toolMessages(answer.err);
    for (const QString& line : answer.err.split(u'\n', Qt::SkipEmptyParts)) {
      if (line.startsWith(QStringLiteral("q6config-cli: note: "))) {
        notes << line.mid(20);
      }
    }
    if (isReset && a.checkMode) {
      // The dry run: it writes the commands as text, no report.
      if (answer.code != 0) {
        failure = !messages.isEmpty()
                      ? messages
                      : QStringLiteral("q6config-cli ended with status %1.").arg(answer.code);
        break;
      }
      changed = resetDone = true;
      continue;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(answer.out, &parseError);
    if (answer.code == kExitRefused || !doc.isObject()) {
      // A refusal writes no report: nothing was sent anywhere, and the tool said why.
      failure =
          !messages.isEmpty()
              ? messages
              : QStringLiteral("q6config-cli ended with status %1 and no report.").arg(answer.code);
      break;
    }
    const QJsonObject report = doc.object();
    if (report.contains(QStringLiteral("record_error"))) {
      recordWarnings << report.value(QStringLiteral("record_error")).toString();
    }
    const QJsonArray targets = report.value(QStringLiteral("targets")).toArray();
    if (targets.isEmpty()) {
      failure = QStringLiteral("q6config-cli reported no target. %1").arg(messages).trimmed();
      break;
    }
    const QJsonObject t = targets.first().toObject();
    const QString status = t.value(QStringLiteral("status")).toString();
    // Checking, the report counts the bytes that would go; none went.
    const qint64 targetBytes = a.checkMode ? 0 : t.value(QStringLiteral("bytes")).toInteger();
    bytes += targetBytes;
    // An exchange that failed part way may have changed the printer all the same.
    const bool targetChanged = t.contains(QStringLiteral("changed"))
                                   ? t.value(QStringLiteral("changed")).toBool()
                                   : targetBytes > 0;
    changed = changed || targetChanged;
    QStringList carried;
    for (const QJsonValue& v : t.value(QStringLiteral("diff")).toArray()) {
      const QJsonObject d = v.toObject();
      const QString setting = d.value(QStringLiteral("setting")).toString();
      const QString before = d.value(QStringLiteral("before")).toString();
      const QString after = d.value(QStringLiteral("after")).toString();
      carried << setting;
      // A part of the settings goes whole: a setting it carries unchanged is sent, not changed.
      if (before != after) {
        diff.push_back({setting, before, after});
      }
    }
    if (status != u"ok" && status != u"unchanged" && status != u"would change") {
      const QString error = t.value(QStringLiteral("error")).toString();
      failure = !error.isEmpty() ? error
                : !messages.isEmpty()
                    ? messages
                    : QStringLiteral("%1 was not delivered (%2).")
                          .arg(t.value(QStringLiteral("target")).toString(), status);
      break;
    }
    if (isReset) {
      resetDone = targetChanged;
      continue;
    }
    if (targetBytes > 0) {
      sent = carried;
    }
  }

  QJsonObject result;
  result[QStringLiteral("changed")] = changed;
  result[QStringLiteral("sent")] = QJsonArray::fromStringList(sent);
  result[QStringLiteral("bytes")] = bytes;
  QStringList changing;
  for (const DiffLine& l : diff) {
    changing << l.setting;
  }
  if (!failure.isEmpty()) {
    result[QStringLiteral("failed")] = true;
    result[QStringLiteral("msg")] = failure;
  } else if (a.checkMode) {
    result[QStringLiteral("msg")] =
        !changed ? QStringLiteral(
                       "%1 holds these settings already, by the record; nothing would "
                       "be sent.")
                       .arg(a.target)
        : a.reset ? QStringLiteral("%1 would be reset to the factory settings%2.")
                        .arg(a.target, changing.isEmpty()
                                           ? QString()
                                           : QStringLiteral(", then get ") + nameList(changing))
                  : QStringLiteral("%1 would get %2.")
                        .arg(a.target, changing.isEmpty() ? QStringLiteral("the settings")
                                                          : nameList(changing));
  } else if (!changed) {
    result[QStringLiteral("msg")] =
        QStringLiteral("%1 holds these settings already, by the record; nothing was sent.")
            .arg(a.target);
  } else {
    QString msg =
        resetDone ? QStringLiteral("%1 was reset to the factory settings").arg(a.target) : a.target;
    if (!sent.isEmpty()) {
      msg += (resetDone ? QStringLiteral(", then got ") : QStringLiteral(" got ")) + nameList(sent);
    } else if (!resetDone) {
      msg += QStringLiteral(" got the settings");
    }
    result[QStringLiteral("msg")] = msg + u'.';
  }
  if (!recordWarnings.isEmpty()) {
    result[QStringLiteral("record_warning")] = recordWarnings.join(u' ');
  }
  if (!notes.isEmpty()) {
    result[QStringLiteral("warnings")] = QJsonArray::fromStringList(notes);
  }
  if (a.diff) {
    QString before;
    QString after;
    for (const DiffLine& l : diff) {
      before += l.setting + QStringLiteral(": ") + l.before + u'\n';
      after += l.setting + QStringLiteral(": ") + l.after + u'\n';
    }
    QJsonObject d;
    d[QStringLiteral("before")] = before;
    d[QStringLiteral("after")] = after;
    result[QStringLiteral("diff")] = d;
  }
  return result;
}

CliAnswer runCliInProcess(const QStringList& commandLine) {
  char* outText = nullptr;
  size_t outSize = 0;
  char* errText = nullptr;
  size_t errSize = 0;
  std::FILE* out = open_memstream(&outText, &outSize);
  std::FILE* err = open_memstream(&errText, &errSize);
  CliAnswer answer;
  if (!out || !err) {
    answer.err = QStringLiteral("q6config-cli: could not set up its output in memory.");
  } else {
    answer.code = runCli(commandLine, out, err);
  }
  if (out) std::fclose(out);
  if (err) std::fclose(err);
  answer.out = QByteArray(outText ? outText : "", static_cast<qsizetype>(outSize));
  answer.err += QString::fromLocal8Bit(errText ? errText : "", static_cast<qsizetype>(errSize));
  std::free(outText);
  std::free(errText);
  return answer;
}

QJsonObject runModule(const QByteArray& argumentsJson, const QStringList& presetFolders,
                      const CliRunner& run) {
  QJsonParseError parseError;
  const QJsonDocument doc = QJsonDocument::fromJson(argumentsJson, &parseError);
  if (!doc.isObject()) {
    return failedResult(QStringLiteral("the module's arguments are not a JSON object (%1).")
                            .arg(parseError.error != QJsonParseError::NoError
                                     ? parseError.errorString()
                                     : QStringLiteral("another value")));
  }
  const Q6::Result<ModuleArguments> read = readModuleArguments(doc.object());
  if (!read) {
    return failedResult(read.error());
  }
  ModuleArguments arguments = *read;
  if (!arguments.preset.isEmpty()) {
    arguments.preset = resolvePreset(arguments.preset, presetFolders);
  }
  std::vector<CliAnswer> answers;
  for (const QStringList& commandLine : cliCommandLines(arguments)) {
    answers.push_back(run(commandLine));
    if (answers.back().code != 0) {
      break;
    }
  }
  return moduleResult(arguments, answers);
}

}  // namespace Q6Cli
