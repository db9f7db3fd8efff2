#pragma once

#include <QString>

#include <atomic>
#include <memory>
#include <vector>

#include "core/record/printer_record.h"

// The outbox: an SQLite file of this login's where a shared record's entries and completions wait
// while its server cannot be used, in the order they were written, until they are carried over.
// It is no printer record (a file of its own tables, never read as one), so a record file stays
// exactly as 1.8.0 made it. Every entry in it has its uid; a completion kept for an entry that is
// not here (on the server, or carried meanwhile) names the entry by its uid.
namespace Q6 {

namespace Sqlite {
class Connection;
}

// The outbox's file for a shared record: stateFolder()/outbox/NAME.sqlite3, NAME the server's
// host, port and database as the masked location names them, made safe for a file name, and a
// hash of the whole masked location, so that two records never share one and a password changed
// in the location keeps its outbox.
QString outboxFileFor(const QString& location);

// What a carry takes from the outbox at a time, oldest first.
struct OutboxBatch {
  std::vector<RecordEntry> entries;      // with their uids and however far they got
  std::vector<RecordEntry> completions;  // uid, outcome, sent, reason and completed
  qint64 lastEntry = 0;                  // the newest of each taken, by the outbox's order
  qint64 lastCompletion = 0;
  bool empty() const { return entries.empty() && completions.empty(); }
};

class OutboxStore {
 public:
  // Opens the outbox, made when missing with its folder. `server` is the masked location it is
  // for, kept in it for whoever looks. Refused, naming the file, when it cannot be opened or holds
  // something else.
  static RecordResult<std::unique_ptr<OutboxStore>> open(const QString& file,
                                                         const QString& server);
  ~OutboxStore();
  OutboxStore(const OutboxStore&) = delete;
  OutboxStore& operator=(const OutboxStore&) = delete;

  const QString& file() const { return file_; }
  void stopWaitingWhen(const std::atomic<int>* stop);

  // Keeps the entries, uids made already, on disk when this returns; their places in the outbox,
  // in the same order.
  RecordResult<std::vector<qint64>> keep(const std::vector<RecordEntry>& entries);
  // Completes kept entries, each at its place (id) with its uid: one carried meanwhile is kept as
  // a completion by its uid instead.
  RecordResult<> complete(const std::vector<RecordEntry>& completions);
  // Keeps completions of entries that are not here, by their uids.
  RecordResult<> keepCompletions(const std::vector<RecordEntry>& completions);

  // The oldest `limit` entries and completions, read as of one moment.
  RecordResult<OutboxBatch> oldest(int limit);
  // Lets go of what the batch took, once the server has it.
  RecordResult<> forget(const OutboxBatch& batch);
  // How many entries and completions wait.
  RecordResult<qint64> waiting();

 private:
  OutboxStore(QString file, std::unique_ptr<Sqlite::Connection> db);
  RecordRefusal refused(const QString& doing, const QString& reason) const;
  RecordResult<> addCompletions(const std::vector<const RecordEntry*>& completions);

  QString file_;
  std::unique_ptr<Sqlite::Connection> db_;
};

}  // namespace Q6
