#pragma once

#include <QString>

#include <memory>

#include "core/record/printer_record.h"

// A shared record opened for writing, behind its outbox (outbox_store.h): nothing written to it is
// lost while its server cannot be used.
//
// Opening it first carries over whatever waits in the outbox from an earlier time, then entries are
// begun and completed on the server. When the server cannot be opened or used at all (down,
// refusing, a password it rejects, the network), or when it goes away later (a refusal that says
// it is unreachable), the record is away for the rest of its life: entries are begun and completed
// in the outbox instead, completions of entries begun on the server before it went away among
// them, states() answers every setting unknown, which is the safe side, and hold() grants every
// printer, as there is no one to ask. The next open that reaches the server carries all of it over
// in order, each entry once, as does `q6config-cli record sync`.
//
// An entry begun in the outbox has a negative id, its place there; one begun on the server keeps
// the server's id.
namespace Q6 {

class CarriedOver;
class OutboxStore;

// PrinterRecord::open for writing to a postgresql:// or postgres:// location.
RecordResult<std::unique_ptr<PrinterRecord>> openOutboxRecord(const QString& location);

// How many entries and completions were carried (for a copy: how many entries were new).
struct CarriedCount {
  qint64 entries = 0;
  qint64 completions = 0;
};

// Entries and completions carried a batch at a time: each batch one transaction on the server.
inline constexpr int kCarryBatch = 5000;

// Carries what waits in the outbox over to the server, oldest first: each batch is stored there,
// then let go of here. A carry cut short anywhere and run again stores each entry once and applies
// each completion once, and the outbox lets go only of what the server has.
RecordResult<CarriedCount> carryOutbox(OutboxStore& outbox, CarriedOver& server,
                                       int batch = kCarryBatch);

// What `record sync` does: opens the server for writing and carries the location's outbox over.
// `outbox` is set to the outbox's file; nothing is carried when there is none.
RecordResult<CarriedCount> syncOutbox(const QString& location, QString* outbox);

}  // namespace Q6
