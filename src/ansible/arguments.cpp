#include "ansible/arguments.h"

#include <QJsonValue>

#include <cmath>
#include <utility>

#include "cli/options.h"
#include "core/link/link_settings.h"
#include "core/settings/settings_table.h"

namespace Q6Ansible {

namespace {

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
                             .arg(name, Q6Cli::didYouMean(name, names))};
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

}  // namespace

const QStringList& moduleParameters() {
  static const QStringList parameters{"target", "model", "preset",     "settings",
                                      "reset",  "force", "timeout_ms", "record"};
  return parameters;
}

Q6::Result<ModuleArguments> readModuleArguments(const QJsonObject& args) {
  const QStringList& known = moduleParameters();
  for (auto it = args.begin(); it != args.end(); ++it) {
    if (!known.contains(it.key()) && !it.key().startsWith(QStringLiteral("_ansible_"))) {
      return Q6::Refused{QStringLiteral("unsupported parameter %1 (%2 takes %3).%4")
                             .arg(it.key(), QLatin1String(kModuleName),
                                  known.join(QStringLiteral(", ")),
                                  Q6Cli::didYouMean(it.key(), known))};
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

}  // namespace Q6Ansible
