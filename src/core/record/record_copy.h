#pragma once

#include <QString>

#include "core/record/outbox_record.h"
#include "core/record/printer_record.h"

// Moving a machine's record file into a shared record, for a team that starts sharing one.
namespace Q6 {

// Copies every entry of the record file to the shared record at `location`, in the file's order,
// as it stands: each with a uid made from the file's entry (its id, time, user, host, printer and
// bytes), so that a copy run again stores nothing twice and completes only what was pending. The
// file is only read. The count is of the entries stored now, and of the completions looked at.
// Refused when the file is no record, or the location is no shared record.
RecordResult<CarriedCount> copyRecordFile(const QString& file, const QString& location);

}  // namespace Q6
