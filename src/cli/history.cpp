// `history`: what the record says was sent to each printer, newest first.
#include <QJsonArray>
#include <QJsonObject>

#include "cli/command.h"
#include "cli/record_read.h"
#include "cli/record_use.h"

namespace Q6Cli {

namespace {

QJsonObject entryJson(const Q6::RecordEntry& e) {
  return QJsonObject{{QStringLiteral("id"), e.id},
                     {QStringLiteral("time"), timeText(e.time)},
                     {QStringLiteral("completed"), timeText(e.completed)},
                     {QStringLiteral("outcome"), Q6::recordOutcomeName(e.outcome)},
                     {QStringLiteral("action"), e.action},
                     {QStringLiteral("model"), e.model},
                     {QStringLiteral("effect"), Q6::recordEffectName(e.effect)},
                     {QStringLiteral("settings"), QJsonArray::fromStringList(e.settings)},
                     {QStringLiteral("bytes"), e.bytes},
                     {QStringLiteral("sent"), e.sent},
                     {QStringLiteral("sha256"), QString::fromLatin1(e.sha256.toHex())},
                     {QStringLiteral("user"), e.user},
                     {QStringLiteral("host"), e.host},
                     {QStringLiteral("program"), e.program},
                     {QStringLiteral("reason"), e.reason}};
}

QString entryLine(const Q6::RecordEntry& e) {
  QString line =
      QStringLiteral("  %1  %2  %3")
          .arg(timeText(e.time), Q6::recordOutcomeName(e.outcome), displayText(e.action));
  if (!e.settings.isEmpty()) {
    line += QStringLiteral("  ") + displayText(e.settings.join(u' '));
  }
  line += QStringLiteral("  %1 bytes  %2@%3  %4")
              .arg(QString::number(e.bytes), displayText(e.user), displayText(e.host),
                   displayText(e.program));
  if (!e.reason.isEmpty()) {
    line += QStringLiteral(": ") + displayText(e.reason);
  }
  return line;
}

int runHistory(const Options& o, const Streams& io) {
  const std::optional<std::vector<Target>> read = printersToRead(o, io);
  if (!read) {
    return kExitRefused;
  }
  const std::vector<Target>& targets = *read;
  const Streams human = forPeople(o, io);
  int code = kExitDelivered;
  const std::unique_ptr<Q6::PrinterRecord> record = openForReading(o, human, io, &code);
  QJsonObject json{{QStringLiteral("record"), Q6::maskedRecordLocation(recordPath(o))}};
  QJsonArray printers;
  for (size_t i = 0; record && i < targets.size(); ++i) {
    const QString printer = Q6::recordPrinterName(targets[i].settings);
    const auto entries = record->history(printer, o.limit);
    if (!entries) {
      io.error(QStringLiteral("the record at %1 cannot be read: %2")
                   .arg(displayText(record->path()), displayText(entries.refusal().why())));
      return kExitSomeFailed;
    }
    human.line(printerHeading(targets[i], printer), false);
    if (entries->empty()) {
      human.line(QStringLiteral("  nothing recorded"), false);
    }
    QJsonArray list;
    for (const Q6::RecordEntry& e : *entries) {
      human.line(entryLine(e), false);
      list.append(entryJson(e));
    }
    printers.append(QJsonObject{{QStringLiteral("target"), targets[i].text},
                                {QStringLiteral("printer"), printer},
                                {QStringLiteral("entries"), list}});
  }
  std::fflush(human.out);
  json[QStringLiteral("printers")] = printers;
  if (code != kExitDelivered) {
    return code;
  }
  ReportFile report;
  return o.json.isEmpty() || writeReport(o, json, report, io) ? kExitDelivered : kExitSomeFailed;
}

}  // namespace

const Command kHistoryCommand{
    "history", kTakesTargets | kTakesTimeout | kTakesJson | kTakesRecord | kTakesLimit,
    "  history --to TARGET... [--limit N]   what the record says was sent to each printer,\n"
    "                      newest first; opens no link\n",
    "  --limit N            history: at most N entries per printer\n", runHistory};

}  // namespace Q6Cli
