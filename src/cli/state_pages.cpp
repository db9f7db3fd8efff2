#include "cli/state_pages.h"

#include <QDateTime>

#include "cli/html_page.h"
#include "cli/junit.h"
#include "cli/markup.h"
#include "core/settings/settings_table.h"
#include "core/settings/window_content.h"

namespace Q6Cli {

namespace {

using Group = StatePages::Group;
using Kind = StatePages::Kind;

constexpr int kGroups = 3;
const char* const kGroupIds[kGroups] = {"unknown", "never", "known"};
const char* const kGroupLabels[kGroups] = {"with unknown settings", "never set up",
                                           "every setting known"};
const char* const kKindClasses[] = {"", " class=\"f\"", " class=\"u\"", " class=\"x\""};

QString unknownNames(const StatePages::Row& row) {
  QStringList names;
  const auto table = Q6::settingsTable();
  for (size_t i = 0; i < row.cells.size(); ++i) {
    if (row.cells[i].kind == Kind::Unknown) {
      names << QLatin1String(table[i].name);
    }
  }
  return names.join(QStringLiteral(", "));
}

void putRow(QByteArray& t, const StatePages::Row& row) {
  t += "<tr><th>";
  appendMarkup(t, row.name);
  t += "</th><td>";
  appendMarkup(t, row.model);
  t += "</td><td class=\"s\">";
  t += kGroupLabels[int(row.group)];
  t += "</td>";
  for (const StatePages::Cell& cell : row.cells) {
    const qsizetype end = cell.text.indexOf(u'\n');
    const QStringView value = QStringView(cell.text).left(end);
    const QStringView since = end < 0 ? QStringView() : QStringView(cell.text).mid(end + 1);
    t += "<td";
    t += kKindClasses[int(cell.kind)];
    if (!since.isEmpty()) {
      t += " title=\"";
      appendMarkup(t, since);
      t += '"';
    }
    t += '>';
    appendMarkup(t, cell.kind == Kind::Absent ? QStringView(u"—") : value);
    t += "</td>";
  }
  t += "</tr>\n";
}

bool writePage(ReportFile& file, const std::vector<StatePages::Row>& rows,
               const QString& recordPath, QString* error) {
  PageStart p;
  p.title = QStringLiteral("q6config-cli state: what each printer holds");
  p.facts = {{QStringLiteral("Record"), recordPath},
             {QStringLiteral("Read"), reportTime(QDateTime::currentDateTimeUtc())},
             {QStringLiteral("By"), Q6::recordUser() + u'@' + Q6::recordHost()}};
  p.notes << QStringLiteral(
      "What the record knows from what was sent; a change made at the printer itself is not in "
      "it. — means the printer's model has no such setting.");
  int counts[kGroups] = {};
  for (const StatePages::Row& row : rows) {
    ++counts[int(row.group)];
  }
  for (int g = 0; g < kGroups; ++g) {
    p.groups.push_back({kGroupIds[g], QLatin1String(kGroupLabels[g]), counts[g]});
  }
  p.columns =
      QStringList{QStringLiteral("Printer"), QStringLiteral("Model"), QStringLiteral("Settings")};
  for (const Q6::SettingRow& setting : Q6::settingsTable()) {
    p.columns << QLatin1String(setting.name);
  }
  // A column a setting: the page scrolls sideways rather than squeeze them.
  p.columnWidths = QStringLiteral("minmax(12em,24em) 7em 12em repeat(%1,minmax(8em,max-content))")
                       .arg(Q6::settingsTable().size());
  p.wide = true;
  PieceWriter out(file);
  out.put(pageStart(p));
  for (int g = 0; g < kGroups; ++g) {
    if (counts[g] == 0) {
      continue;
    }
    out.put(groupStart(kGroupIds[g]));
    int index = 0;
    for (const StatePages::Row& row : rows) {
      if (int(row.group) == g) {
        blockBreak(out.pending(), kGroupIds[g], index++);
        putRow(out.pending(), row);
        out.passOn();
      }
    }
    out.put(groupEnd());
  }
  out.put(pageEnd());
  return out.finish(error);
}

bool writeJunit(ReportFile& file, const std::vector<StatePages::Row>& rows,
                const QString& recordPath, QString* error) {
  JunitSuite suite;
  suite.name = QStringLiteral("q6config-cli state");
  suite.started = QDateTime::currentDateTimeUtc();
  suite.host = Q6::recordHost();
  suite.properties = {{QStringLiteral("command"), QStringLiteral("state")},
                      {QStringLiteral("record"), recordPath}};
  for (const StatePages::Row& row : rows) {
    ++suite.tests;
    suite.failures += row.group == Group::Unknown ? 1 : 0;
    suite.skipped += row.group == Group::Never ? 1 : 0;
  }
  PieceWriter out(file);
  out.put(junitStart(suite));
  for (const StatePages::Row& row : rows) {
    const JunitEnd end = row.group == Group::Unknown ? JunitEnd::Failure
                         : row.group == Group::Never ? JunitEnd::Skipped
                                                     : JunitEnd::Passed;
    const QString message = row.group == Group::Unknown
                                ? QStringLiteral("unknown: ") + unknownNames(row)
                                : QStringLiteral("never set up: the record has nothing on it");
    out.put(junitCase(QStringLiteral("q6config-cli.state"), row.name, 0, end,
                      QStringLiteral("unknown settings"), message));
  }
  out.put(junitEnd(QString()));
  return out.finish(error);
}

}  // namespace

void StatePages::add(const Target& target, const QString& printer, const QString& model,
                     const Q6::PrinterState& state) {
  if (o_.html.isEmpty() && o_.junit.isEmpty()) {
    return;
  }
  Row row;
  row.name = target.text == printer ? printer : QStringLiteral("%1 (%2)").arg(target.text, printer);
  row.model = model;
  const std::optional<int> modelIndex = Q6::modelFromName(model);
  bool unknown = false;
  bool touched = false;
  for (const Q6::SettingRow& setting : Q6::settingsTable()) {
    Cell cell;
    if (!modelIndex || Q6::settingAvailable(setting, *modelIndex)) {
      const Q6::SettingState s = state.of(QLatin1String(setting.name));
      cell.kind = s.status == Q6::SettingStatus::Known     ? Kind::Known
                  : s.status == Q6::SettingStatus::Factory ? Kind::Factory
                                                           : Kind::Unknown;
      cell.text = s.status == Q6::SettingStatus::Known     ? s.value
                  : s.status == Q6::SettingStatus::Factory ? QStringLiteral("factory")
                                                           : QStringLiteral("unknown");
      if (s.entry != 0) {
        cell.text += QStringLiteral("\nsince %1 by %2").arg(reportTime(s.since), s.by);
      }
      unknown = unknown || cell.kind == Kind::Unknown;
      touched = touched || s.entry != 0;
    }
    row.cells.push_back(std::move(cell));
  }
  row.group = !unknown ? Group::Known : touched ? Group::Unknown : Group::Never;
  rows_.push_back(std::move(row));
}

bool StatePages::write(const QString& recordPath, const Streams& io) {
  ReportFile html;
  ReportFile junit;
  QString error;
  const bool written =
      (o_.html.isEmpty() ||
       (html.open(o_.html, &error) && writePage(html, rows_, recordPath, &error))) &&
      (o_.junit.isEmpty() ||
       (junit.open(o_.junit, &error) && writeJunit(junit, rows_, recordPath, &error)));
  if (!written) {
    io.error(error);
  }
  return written;
}

}  // namespace Q6Cli
