// The payloads of apply, reset and test. A preset is read and checked the way the window reads it;
// each --set is chosen as if in the window, in the order given.
#include "cli/payload.h"

#include <QFileInfo>

#include <utility>

#include "cli/targets.h"
#include "core/presets/preset_file.h"
#include "core/presets/preset_folder.h"
#include "core/printer/diagnostic_table.h"
#include "core/settings/clear_all_commands.h"
#include "core/settings/window_content.h"

namespace Q6Cli {

namespace {

// reset and test do not depend on the model, but a misspelt one is still refused.
bool modelKnownOrAbsent(const Options& o, QString* error) {
  if (!o.model.isEmpty() && !Q6::modelFromName(o.model)) {
    *error = QStringLiteral("unknown model \"%1\"; write QLX500 or QLX600.").arg(o.model);
    return false;
  }
  return true;
}

// The record names the model a reset or test was sent as, when one was given.
QString modelGiven(const Options& o) {
  return o.model.isEmpty() ? QString() : Q6::modelName(*Q6::modelFromName(o.model));
}

}  // namespace

Q6::CommandList Payload::commands() const {
  Q6::CommandList all;
  for (const Group& g : groups) {
    all.insert(all.end(), g.commands.begin(), g.commands.end());
  }
  return all;
}

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

std::optional<Payload> buildApply(const Options& o, QString* error) {
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
  Payload payload;
  if (*model == Q6::kModelQLX500 && selection.comSpeed == Q6::kOptimumDensitySpeed) {
    // The advice the window shows when this speed is chosen, in lines for a terminal.
    payload.notes << Q6::speedAdviceText().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  }
  payload.what = QStringLiteral("apply for the %1").arg(Q6::modelName(*model));
  for (const Q6::SettingCommands& part : *plan) {
    payload.groups.push_back({partLabel(part, selection, *model), part.commands});
  }
  payload.action = QStringLiteral("apply");
  payload.effect = Q6::RecordEffect::Settings;
  payload.model = Q6::modelName(*model);
  payload.isApply = true;
  payload.modelIndex = *model;
  payload.selection = selection;
  payload.plan = *plan;
  return payload;
}

std::optional<Payload> buildReset(const Options& o, QString* error) {
  if (!modelKnownOrAbsent(o, error)) {
    return std::nullopt;
  }
  if (!o.yes && !o.dryRun) {
    *error = QStringLiteral(
        "reset restores the factory settings of every target, and a ticket printer goes back "
        "to receipt mode; add --yes to do so.");
    return std::nullopt;
  }
  Payload reset;
  reset.what = QStringLiteral("reset");
  reset.groups = {{QStringLiteral("reset (\"Clear All Settings\")"), Q6::clearAllCommands()}};
  reset.action = QStringLiteral("reset");
  reset.effect = Q6::RecordEffect::Reset;
  reset.model = modelGiven(o);
  return reset;
}

std::optional<Payload> buildTest(const Options& o, QString* error) {
  if (!modelKnownOrAbsent(o, error)) {
    return std::nullopt;
  }
  if (o.testName.isEmpty()) {
    *error = QStringLiteral("test needs a NAME (see --help).");
    return std::nullopt;
  }
  const Q6::PrinterTest* test = Q6::findPrinterTest(o.testName);
  if (!test) {
    const QStringList names = Q6::printerTestNames();
    *error = QStringLiteral("there is no test \"%1\"; the tests are: %2.%3")
                 .arg(displayText(o.testName), names.join(QStringLiteral(", ")),
                      didYouMean(o.testName, names));
    return std::nullopt;
  }
  Payload payload;
  payload.what = QStringLiteral("test %1").arg(QLatin1String(test->name));
  payload.groups = {{QStringLiteral("test %1 (\"%2\")")
                         .arg(QLatin1String(test->name), QLatin1String(test->caption)),
                     Q6::testCommands(*test)}};
  payload.action = payload.what;
  payload.effect = Q6::RecordEffect::None;
  payload.model = modelGiven(o);
  return payload;
}

}  // namespace Q6Cli
