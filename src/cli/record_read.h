#pragma once

#include <QDateTime>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

#include "cli/options.h"
#include "cli/output.h"
#include "cli/targets.h"
#include "core/record/printer_record.h"

// What history and state share: they read the record only and open no link.
namespace Q6Cli {

// The targets whose printers are looked up, as --to and --targets name them; nothing once the
// refusal is printed.
std::optional<std::vector<Target>> printersToRead(const Options& o, const Streams& io);

// The record for a read: opened only when its file exists, so that a look creates nothing.
// Nothing with *code set when there is nothing to read (0) or it cannot be read (1).
std::unique_ptr<Q6::PrinterRecord> openForReading(const Options& o, const Streams& human,
                                                  const Streams& io, int* code);

// A time as the record's readers show it: UTC, ISO 8601; empty when there is none.
QString timeText(const QDateTime& time);

// The printer a target reaches as the lists head it: the record's name for it, after the target
// when the two differ.
QString printerHeading(const Target& target, const QString& printer);

}  // namespace Q6Cli
