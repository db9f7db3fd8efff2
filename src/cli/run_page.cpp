// The --html page of apply, reset and test: what was run, the counts, then a row per target, those
// that need a look first.
#include "cli/html_page.h"
#include "cli/markup.h"
#include "cli/record_use.h"
#include "cli/run_reports.h"

namespace Q6Cli {

namespace {

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

QString rowOf(const RunRow& row, const RunRows& rows, const RunFacts& f) {
  QString t = QStringLiteral("<tr><th>");
  appendMarkup(t, row.target);
  t += QStringLiteral("</th><td class=\"s\">") + statusName(row.outcome) +
       QStringLiteral("</td><td class=\"d\">");
  bool first = true;
  for (const SettingChange& c : row.note ? row.note->diff : std::vector<SettingChange>{}) {
    t += first ? QString() : QStringLiteral("<br/>");
    first = false;
    const bool same = c.before == c.after;
    t += same ? QStringLiteral("<span class=\"same\">") : QString();
    appendMarkup(t, c.setting);
    t += QStringLiteral(": ");
    appendMarkup(t, c.before);
    t += QStringLiteral(" → ");
    appendMarkup(t, c.after);
    t += same ? QStringLiteral("</span>") : QString();
  }
  const bool timed = row.outcome != Outcome::WouldChange && row.outcome != Outcome::Unchanged &&
                     row.outcome != Outcome::NotStarted;
  t += QStringLiteral("</td><td class=\"n\">%1</td><td class=\"n\">%2</td><td class=\"why\">")
           .arg(QString::number(row.bytes), timed ? QString::number(row.ms) : QString());
  appendMarkup(t, reasonOf(row, rows, f));
  return t + QStringLiteral("</td></tr>\n");
}

}  // namespace

bool writeRunPage(ReportFile& file, const RunFacts& facts, const RunRows& rows, QString* error) {
  PieceWriter out(file);
  out.put(pageStart(startOf(facts)));
  for (int g = 0; g < kRowGroups; ++g) {
    if (facts.counts[g] == 0) {
      continue;
    }
    out.put(groupStart(kGroupIds[g]));
    for (const RunRow& row : rows.rows) {
      if (row.given && static_cast<int>(groupOf(row)) == g) {
        out.put(rowOf(row, rows, facts).toUtf8());
      }
    }
    out.put(groupEnd());
  }
  out.put(pageEnd());
  return out.finish(error);
}

}  // namespace Q6Cli
