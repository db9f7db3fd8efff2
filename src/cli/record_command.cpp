// `record sync` and `record copy`: the shared record and what waits for it on this machine.
#include "cli/command.h"
#include "cli/record_use.h"
#include "core/record/outbox_record.h"
#include "core/record/record_copy.h"
#include "core/settings/window_content.h"

namespace Q6Cli {

namespace {

int refuse(const Streams& io, const QString& text) {
  io.error(text);
  return kExitRefused;
}

int runSync(const Options& o, const Streams& io) {
  const QString location = recordPath(o);
  if (location.isEmpty() || !Q6::isServerRecordLocation(location)) {
    return refuse(io, QStringLiteral("record sync needs a shared record: --record postgresql://... "
                                     "(or Q6CONFIG_RECORD); a record file keeps no outbox."));
  }
  QString outbox;
  const auto carried = Q6::syncOutbox(location, &outbox);
  if (!carried) {
    io.error(QStringLiteral("nothing carried over from %1: %2")
                 .arg(displayText(outbox), displayText(carried.error())));
    return kExitSomeFailed;
  }
  io.line(QStringLiteral("carried %1 entries and %2 completions from %3 to %4")
              .arg(carried->entries)
              .arg(carried->completions)
              .arg(displayText(outbox), displayText(Q6::maskedRecordLocation(location))));
  return kExitDelivered;
}

int runCopy(const Options& o, const Streams& io) {
  if (o.from.isEmpty() || o.targets.size() != 1) {
    return refuse(io, QStringLiteral("record copy needs --from FILE and --to postgresql://..."));
  }
  const QString to = o.targets.front();
  const auto copied = Q6::copyRecordFile(o.from, to);
  if (!copied) {
    io.error(copied.error());
    return kExitSomeFailed;
  }
  io.line(QStringLiteral("copied %1 new entries from %2 to %3")
              .arg(copied->entries)
              .arg(displayText(o.from), displayText(Q6::maskedRecordLocation(to))));
  return kExitDelivered;
}

int runRecord(const Options& o, const Streams& io) {
  if (o.recordAction == u"sync") {
    return runSync(o, io);
  }
  if (o.recordAction == u"copy") {
    return runCopy(o, io);
  }
  return refuse(io, QStringLiteral("record needs sync or copy (see --help)."));
}

}  // namespace

const Command kRecordCommand{
    "record", kTakesRecord | kTakesTargets,
    "  record sync          carries what waits in this machine's outbox over to the shared\n"
    "                       record (--record) once it can be reached; runs do it too\n"
    "  record copy --from FILE --to URI\n"
    "                       copies a record file into a shared record; run again, it copies\n"
    "                       nothing twice\n",
    "  --from FILE          record copy: the record file to copy\n", runRecord};

}  // namespace Q6Cli
