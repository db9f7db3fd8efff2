#include "cli/record_read.h"

#include <QFileInfo>

#include <utility>

#include "cli/record_use.h"
#include "cli/target_list.h"

namespace Q6Cli {

std::optional<std::vector<Target>> printersToRead(const Options& o, const Streams& io) {
  // A printer named twice is only looked up twice.
  std::vector<Target> targets;
  if (!readTargets(o, io, false, &targets)) {
    return std::nullopt;
  }
  if (targets.empty()) {
    refuseNoTarget(io);
    return std::nullopt;
  }
  return targets;
}

std::unique_ptr<Q6::PrinterRecord> openForReading(const Options& o, const Streams& human,
                                                  const Streams& io, int* code) {
  const QString path = recordPath(o);
  *code = kExitDelivered;
  if (path.isEmpty()) {
    io.error(
        QStringLiteral("%1 reads the record; --no-record leaves nothing to read.").arg(o.command));
    *code = kExitRefused;
    return nullptr;
  }
  if (!Q6::isServerRecordLocation(path) && !QFileInfo::exists(path)) {
    human.error(QStringLiteral("there is no record yet at %1: nothing has been sent with it.")
                    .arg(displayText(path)));
    return nullptr;
  }
  // A look needs nothing but read permission: a record of another user, or on a read-only share.
  auto opened = Q6::PrinterRecord::open(path, Q6::RecordAccess::Read);
  if (!opened) {
    io.error(QStringLiteral("the record at %1 cannot be read: %2")
                 .arg(displayText(path), displayText(opened.refusal().why())));
    *code = kExitSomeFailed;
    return nullptr;
  }
  return std::move(*opened);
}

QString timeText(const QDateTime& time) {
  return time.isValid() ? time.toUTC().toString(Qt::ISODate) : QString();
}

QString printerHeading(const Target& target, const QString& printer) {
  return target.text == printer
             ? displayText(printer)
             : QStringLiteral("%1 (%2)").arg(displayText(target.text), displayText(printer));
}

}  // namespace Q6Cli
