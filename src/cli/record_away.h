#pragma once

#include <QString>

#include <optional>

// That the shared record was away during this run, for the report, which is written by the run's
// own code apart from the record: a run is one per program, so the note is the program's.
namespace Q6Cli {

struct RecordAway {
  QString reason;  // why the server could not be used
  QString outbox;  // where the entries wait
};

// Noted by the record when its server goes away, the first time; cleared when a run opens it.
void noteRecordAway(const RecordAway& away);
void clearRecordAway();
std::optional<RecordAway> recordAway();

}  // namespace Q6Cli
