#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

#include <atomic>
#include <vector>

#include "core/record/postgres_db.h"
#include "core/record/printer_record.h"

// Which machine sets a printer up, on the server: a session advisory lock per printer, taken on
// the record's one connection, kept for the run.
//
// Why session locks and not lease rows: a lease outlives a holder that died until it expires, so
// it must be renewed by every holder while it works (ten thousand printers, a thousand at a time)
// and its expiry trusts the machines' clocks; a session lock lives exactly as long as the holder's
// session. A holder killed outright frees its printers at once (its system closes the connection
// and the server ends the session); one whose machine or network went away is dropped by the
// server's keepalives and user timeout, which the connection sets for its session
// (kHolderGoneWithinMs). Taking and letting go are one statement each for any number of printers
// and write nothing that must be cleaned up. A table beside the locks says who took each printer
// and when, so that a machine told to wait can be told whom for; the lock, not the table, decides.
namespace Q6::Pg {

class PrinterHolds {
 public:
  explicit PrinterHolds(Connection& db) : db_(db) {}

  // As PrinterRecord::hold; the connection's lock is taken for each try, never while waiting.
  Result hold(const QStringList& printers, const QString& by, int waitMs,
              const std::atomic<const std::atomic<int>*>& stop, std::vector<PrinterHold>* answers);
  // As PrinterRecord::release.
  Result release(const QStringList& printers);

 private:
  struct Held {
    QString by;
    QDateTime since;
    int generation;  // the session that holds it; a lost session held nothing
  };
  // One try for the printers that are not held here, under the connection's lock: those taken are
  // added to held_, the others answered with who has them.
  Result tryTake(const QStringList& wanted, const QString& by,
                 QHash<QString, PrinterHold>* answers);
  Connection& db_;
  QHash<QString, Held> held_;  // by printer; under the connection's lock
};

// The printer's advisory lock key: a 64-bit hash of its name.
qint64 printerKey(const QString& printer);

}  // namespace Q6::Pg
