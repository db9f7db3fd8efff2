// The --html page of apply, reset and test: what was run, the counts, then a row per target, those
// that need a look first.
#include <algorithm>
#include <charconv>
#include <cstring>

#include "cli/html_page.h"
#include "cli/markup.h"
#include "cli/record_use.h"
#include "cli/run_reports.h"

namespace Q6Cli {

namespace {

constexpr int kOutcomes = static_cast<int>(Outcome::WouldChange) + 1;

const char* const kGroupIds[kRowGroups] = {"failed", "stopped", "not-sent", "changed", "unchanged"};

QString changedLabel(const RunFacts& f) {
  if (f.check || f.dryRun) {
    return f.changes ? QStringLiteral("would change") : QStringLiteral("would be sent");
  }
  return f.changes ? QStringLiteral("changed") : QStringLiteral("delivered");
}

QString markOf(const RunFacts& f) {
  if (f.dryRun) {
    return QStringLiteral("Dry run: nothing was sent");
  }
  if (f.check) {
    return QStringLiteral("Check: nothing was sent");
  }
  if (!f.stoppedBy.isEmpty()) {
    return QStringLiteral("Stopped by %1: not every printer was sent to").arg(f.stoppedBy);
  }
  return QString();
}

PageStart startOf(const RunFacts& f) {
  PageStart p;
  p.title = QStringLiteral("q6config-cli ") + f.what;
  p.mark = markOf(f);
  p.facts.emplace_back(QStringLiteral("Command"),
                       f.command + (f.check    ? QStringLiteral(" --check")
                                    : f.dryRun ? QStringLiteral(" --dry-run")
                                               : QString()));
  if (!f.preset.isEmpty()) {
    p.facts.emplace_back(QStringLiteral("Preset"), f.preset);
  }
  if (!f.sets.isEmpty()) {
    p.facts.emplace_back(QStringLiteral("Settings given"), f.sets.join(QStringLiteral(", ")));
  }
  if (!f.model.isEmpty()) {
    p.facts.emplace_back(QStringLiteral("Model"), f.model);
  }
  p.facts.emplace_back(QStringLiteral("Started"), reportTime(f.started));
  p.facts.emplace_back(QStringLiteral("Finished"), reportTime(f.finished));
  p.facts.emplace_back(QStringLiteral("By"), f.by);
  QString record = f.dryRun             ? QStringLiteral("not read (dry run)")
                   : f.record.isEmpty() ? QStringLiteral("none (--no-record)")
                                        : f.record;
  if (!f.recordError.isEmpty()) {
    record += QStringLiteral(" — could not be used: ") + f.recordError;
  }
  p.facts.emplace_back(QStringLiteral("Record"), record);
  p.facts.emplace_back(QStringLiteral("Program"), programName());
  p.notes = f.notes;
  const QString labels[kRowGroups] = {
      QStringLiteral("failed"), QStringLiteral("stopped while sending"), QStringLiteral("not sent"),
      changedLabel(f), QStringLiteral("unchanged")};
  for (int g = 0; g < kRowGroups; ++g) {
    if (g != static_cast<int>(RowGroup::Stopped) || f.counts[g] > 0) {
      p.groups.push_back({kGroupIds[g], labels[g], f.counts[g]});
    }
  }
  p.columns = QStringList{QStringLiteral("Printer"),
                          QStringLiteral("Status"),
                          QStringLiteral("Settings, recorded → sent"),
                          QStringLiteral("Bytes"),
                          QStringLiteral("ms"),
                          QStringLiteral("Why")};
  p.columnWidths =
      QStringLiteral("minmax(10em,2fr) 7.5em minmax(16em,3fr) 4.5em 4em minmax(10em,3fr)");
  return p;
}

QString reasonOf(const RunRow& row, const RunRows& rows, const RunFacts& f) {
  switch (row.outcome) {
    case Outcome::Failed:
      return rows.errors.value(row.error);
    case Outcome::Interrupted:
      return QStringLiteral(
                 "the run was stopped (%1) while it was being sent; %2 bytes had been "
                 "handed over")
          .arg(f.stoppedBy, QString::number(row.bytes));
    case Outcome::NotStarted:
      return QStringLiteral("the run was stopped (%1) before its turn").arg(f.stoppedBy);
    case Outcome::Unchanged:
      return QStringLiteral("the record says it holds it all");
    default:
      return QString();
  }
}

// The settings cell of the row before, kept: a fleet's printers mostly get the same settings from
// the same values, and that cell is most of a row.
struct SettingsCell {
  const QList<SettingChange>* diff = nullptr;
  QByteArray text;
};

bool sameChanges(const QList<SettingChange>& a, const QList<SettingChange>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const SettingChange& x, const SettingChange& y) {
                      return x.setting == y.setting && x.before == y.before && x.after == y.after;
                    });
}

const QByteArray& settingsCell(const QList<SettingChange>& diff, SettingsCell& last) {
  if (last.diff &&
      (last.diff == &diff || last.diff->isSharedWith(diff) || sameChanges(*last.diff, diff))) {
    return last.text;
  }
  last.diff = &diff;
  QByteArray& t = last.text;
  t.resize(0);
  for (const SettingChange& c : diff) {
    t += t.isEmpty() ? "" : "<br/>";
    const bool same = c.before == c.after;
    t += same ? "<span class=\"same\">" : "";
    appendMarkup(t, c.setting);
    t += ": ";
    appendMarkup(t, c.before);
    t += " → ";
    appendMarkup(t, c.after);
    t += same ? "</span>" : "";
  }
  return t;
}

template <size_t N>
char* put(char* to, const char (&text)[N]) {
  std::memcpy(to, text, N - 1);
  return to + N - 1;
}

char* put(char* to, const QByteArray& bytes) {
  std::memcpy(to, bytes.constData(), static_cast<size_t>(bytes.size()));
  return to + bytes.size();
}

// What a row holds beside its names, its settings and its numbers, at most.
constexpr qsizetype kRowFrame = 160;
constexpr qsizetype kNumber = 20;

// A row goes straight into the page's bytes, in room made for it at once: ten thousand of them
// are most of what --html costs.
void putRow(QByteArray& t, const RunRow& row, const RunRows& rows, const RunFacts& f,
            const QByteArray (&status)[kOutcomes], SettingsCell& cell) {
  static const QList<SettingChange> kNone;
  const QByteArray& settings = settingsCell(row.note ? row.note->diff : kNone, cell);
  const QByteArray& state = status[static_cast<int>(row.outcome)];
  const QString reason = reasonOf(row, rows, f);
  const qsizetype at = t.size();
  t.resize(at + kRowFrame + 2 * kNumber + state.size() + settings.size() +
           kMarkupGrowth * (row.target.size() + reason.size()));
  char* to = t.data() + at;
  char* const end = t.data() + t.size();
  to = put(to, "<tr><th>");
  to = markupInto(to, row.target);
  to = put(to, "</th><td class=\"s\">");
  to = put(to, state);
  to = put(to, "</td><td class=\"d\">");
  to = put(to, settings);
  to = put(to, "</td><td class=\"n\">");
  to = std::to_chars(to, end, row.bytes).ptr;
  to = put(to, "</td><td class=\"n\">");
  const bool timed = row.outcome != Outcome::WouldChange && row.outcome != Outcome::Unchanged &&
                     row.outcome != Outcome::NotStarted;
  if (timed) {
    to = std::to_chars(to, end, row.ms).ptr;
  }
  to = put(to, "</td><td class=\"why\">");
  to = markupInto(to, reason);
  to = put(to, "</td></tr>\n");
  t.resize(to - t.constData());
}

}  // namespace

bool writeRunPage(ReportFile& file, const RunFacts& facts, const RunRows& rows, QString* error) {
  PieceWriter out(file);
  out.put(pageStart(startOf(facts)));
  QByteArray status[kOutcomes];
  for (int o = 0; o < kOutcomes; ++o) {
    status[o] = statusName(static_cast<Outcome>(o)).toUtf8();
  }
  SettingsCell cell;
  for (int g = 0; g < kRowGroups; ++g) {
    if (facts.counts[g] == 0) {
      continue;
    }
    out.put(groupStart(kGroupIds[g]));
    int index = 0;
    for (const RunRow& row : rows.rows) {
      if (row.given && static_cast<int>(groupOf(row)) == g) {
        blockBreak(out.pending(), kGroupIds[g], index++);
        putRow(out.pending(), row, rows, facts, status, cell);
        out.passOn();
      }
    }
    out.put(groupEnd());
  }
  out.put(pageEnd());
  return out.finish(error);
}

}  // namespace Q6Cli
