#include "cli/decide.h"

#include <QHash>
#include <QVector>

#include <utility>

#include "cli/record_use.h"
#include "core/settings/settings_table.h"
#include "core/settings/use_settings.h"

namespace Q6Cli {

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
  // The plan's setting names, made once.
  std::vector<QString> names;
  for (const Q6::SettingCommands& part : payload.plan) {
    for (const Q6::SettingRow* row : part.settings) {
      names.push_back(QLatin1String(row->name));
    }
  }
  QString seen;
  for (size_t t = 0; t < count; ++t) {
    const Q6::PrinterState& state = states ? (*states)[t] : nothingKnown;
    // What the record says of each setting the plan touches, as one text: printers alike in it are
    // decided alike.
    seen.resize(0);  // keeps its room
    for (const QString& name : names) {
      const Q6::SettingState* own = state.settings.find(name);
      seen += recordedText(own ? *own : state.base);
      seen += u'\n';
    }
    if (const auto same = decided.constFind(seen); same != decided.cend()) {
      d.listOf[t] = same->list;
      d.notes[t] = same->note;
      continue;
    }
    QHash<QString, QString> known;
    for (const QString& name : names) {
      const Q6::SettingState s = state.of(name);
      if (s.status == Q6::SettingStatus::Known) {
        known.insert(name, s.value);
      }
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

}  // namespace Q6Cli
