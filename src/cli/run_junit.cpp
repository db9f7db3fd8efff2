// The --junit file of apply, reset and test: a case per target, in the order given.
#include <QStringList>

#include "cli/junit.h"
#include "cli/markup.h"
#include "cli/run_reports.h"

namespace Q6Cli {

namespace {

struct CaseEnd {
  JunitEnd end = JunitEnd::Passed;
  QString type;
  QString message;
};

QStringList changingNames(const TargetNote* note) {
  QStringList names;
  for (const SettingChange& c : note ? note->diff : QList<SettingChange>{}) {
    if (c.before != c.after) {
      names << c.setting;
    }
  }
  return names;
}

// A check says which printers differ from what is wanted: those fail, as a build would want to
// hear. A dry run knows nothing of the printers, so its cases are skipped.
CaseEnd endOf(const RunRow& row, const RunRows& rows, const RunFacts& f) {
  switch (row.outcome) {
    case Outcome::Delivered:
      return {};
    case Outcome::Failed:
      return {JunitEnd::Failure, QStringLiteral("failed"), rows.errors.value(row.error)};
    case Outcome::Interrupted:
      return {JunitEnd::Error, QStringLiteral("stopped"),
              QStringLiteral("the run was stopped (%1) while it was being sent; %2 bytes had been "
                             "handed over")
                  .arg(f.stoppedBy, QString::number(row.bytes))};
    case Outcome::NotStarted:
      return {JunitEnd::Error, QStringLiteral("not sent"),
              QStringLiteral("the run was stopped (%1) before its turn").arg(f.stoppedBy)};
    case Outcome::Unchanged:
      return {JunitEnd::Skipped, {}, QStringLiteral("unchanged: the record says it holds it all")};
    case Outcome::WouldChange:
      break;
  }
  if (f.dryRun) {
    return {JunitEnd::Skipped, {}, QStringLiteral("dry run: nothing was sent")};
  }
  const QStringList names = changingNames(row.note);
  return {JunitEnd::Failure, QStringLiteral("would change"),
          QStringLiteral("would change") +
              (names.isEmpty() ? QString() : QStringLiteral(": ") + names.join(u", "))};
}

}  // namespace

bool writeRunJunit(ReportFile& file, const RunFacts& f, const RunRows& rows, QString* error) {
  JunitSuite suite;
  suite.name = QStringLiteral("q6config-cli ") + f.what +
               (f.check    ? QStringLiteral(" (check)")
                : f.dryRun ? QStringLiteral(" (dry run)")
                           : QString());
  suite.started = f.started;
  suite.seconds = static_cast<double>(f.started.msecsTo(f.finished)) / 1000.0;
  suite.host = f.host;
  for (const RunRow& row : rows.rows) {
    if (!row.given) {
      continue;
    }
    ++suite.tests;
    const JunitEnd end = endOf(row, rows, f).end;
    suite.failures += end == JunitEnd::Failure ? 1 : 0;
    suite.errors += end == JunitEnd::Error ? 1 : 0;
    suite.skipped += end == JunitEnd::Skipped ? 1 : 0;
  }
  suite.properties = {{QStringLiteral("command"), f.command},
                      {QStringLiteral("by"), f.by},
                      {QStringLiteral("record"), f.record}};
  if (!f.preset.isEmpty()) {
    suite.properties.emplace_back(QStringLiteral("preset"), f.preset);
  }
  if (!f.sets.isEmpty()) {
    suite.properties.emplace_back(QStringLiteral("settings"), f.sets.join(u' '));
  }
  if (!f.model.isEmpty()) {
    suite.properties.emplace_back(QStringLiteral("model"), f.model);
  }
  PieceWriter out(file);
  out.put(junitStart(suite));
  const QString className = QStringLiteral("q6config-cli.") + f.command;
  for (const RunRow& row : rows.rows) {
    if (row.given) {
      const CaseEnd end = endOf(row, rows, f);
      out.put(junitCase(className, row.target, static_cast<double>(row.ms) / 1000.0, end.end,
                        end.type, end.message));
    }
  }
  QStringList said = f.notes;
  if (!f.recordError.isEmpty()) {
    said.prepend(QStringLiteral("the record could not be used: ") + f.recordError);
  }
  out.put(junitEnd(said.join(u'\n')));
  return out.finish(error);
}

}  // namespace Q6Cli
