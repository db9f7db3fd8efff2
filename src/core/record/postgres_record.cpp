#include "core/record/postgres_record.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <utility>

#include "core/record/postgres_columns.h"
#include "core/record/postgres_db.h"
#include "core/record/postgres_holds.h"

// The record's operations on PostgreSQL: each one statement, so one snapshot and one round trip
// whatever the batch's size, committed when it returns.
namespace Q6 {

namespace {

const QString kWritten = QStringLiteral("be written");
const QString kRead = QStringLiteral("be read");
const QString kHeld = QStringLiteral("hold its printers");
const QString kReadOnly = QStringLiteral("it was opened for reading only");

class PostgresRecord final : public PrinterRecord, public CarriedOver {
 public:
  PostgresRecord(QString shown, std::unique_ptr<Pg::Connection> db, bool readOnly, bool empty)
      : path_(std::move(shown)),
        db_(std::move(db)),
        holds_(*db_),
        readOnly_(readOnly),
        empty_(empty) {}

  const QString& path() const override { return path_; }
  void stopWaitingWhen(const std::atomic<int>* stop) override { stop_.store(stop); }

  RecordResult<std::vector<qint64>> begin(const std::vector<RecordEntry>& entries) override {
    for (const RecordEntry& entry : entries) {
      if (const QString fault = entryFault(entry); !fault.isEmpty()) {
        return refused(QStringLiteral("take ") + fault, QString());
      }
    }
    if (readOnly_) {
      return refused(kWritten, kReadOnly);
    }
    std::vector<qint64> ids;
    if (entries.empty()) {
      return ids;
    }
    const std::lock_guard<std::mutex> lock(db_->lock());
    // One statement, committed when it answers: a begun entry is on the server's disk before its
    // bytes leave (the session waits for its commits to be flushed, postgres_db.cpp).
    const Pg::Result inserted = run(Pg::insertQuery(entries));
    if (!inserted) {
      return refused(kWritten, inserted);
    }
    ids.reserve(entries.size());
    for (int row = 0; row < inserted.rows(); ++row) {
      ids.push_back(inserted.number(row, 0));
    }
    // The rows take their ids from the sequence in the order they are given; RETURNING may list
    // them in any order.
    std::sort(ids.begin(), ids.end());
    if (ids.size() != entries.size()) {
      return refused(
          kWritten, QStringLiteral("it took %1 of %2 entries").arg(ids.size()).arg(entries.size()));
    }
    return ids;
  }

  RecordResult<> complete(const std::vector<Completion>& completions) override {
    for (const Completion& c : completions) {
      if (c.outcome == RecordOutcome::Pending) {
        return refused(QStringLiteral("complete entry %1 as pending").arg(c.id), QString());
      }
    }
    if (readOnly_) {
      return refused(kWritten, kReadOnly);
    }
    if (completions.empty()) {
      return {};
    }
    const std::lock_guard<std::mutex> lock(db_->lock());
    const Pg::Result updated = run(Pg::completeQuery(completions, QDateTime::currentDateTimeUtc()));
    if (!updated) {
      return refused(kWritten, updated);
    }
    if (updated.affected() != static_cast<qint64>(completions.size())) {
      QStringList ids;
      for (const Completion& c : completions) {
        ids << QString::number(c.id);
      }
      return refused(
          kWritten, QStringLiteral("not every one of entries %1 is pending, and none was completed")
                        .arg(ids.join(QStringLiteral(", "))));
    }
    return {};
  }

  RecordResult<std::vector<RecordEntry>> history(const QString& printer, int limit) override {
    std::vector<RecordEntry> entries;
    if (empty_) {
      return entries;
    }
    const std::lock_guard<std::mutex> lock(db_->lock());
    const Pg::Result read = run(Pg::historyQuery(printer, limit));
    if (!read) {
      return refused(kRead, read);
    }
    Record::EntryReader reader;
    entries.reserve(static_cast<size_t>(read.rows()));
    for (int row = 0; row < read.rows(); ++row) {
      entries.push_back(reader.read(Pg::Row(read, row)));
    }
    return entries;
  }

  RecordResult<std::vector<PrinterState>> states(const QStringList& printers) override {
    std::vector<PrinterState> states(static_cast<size_t>(printers.size()));
    if (empty_ || printers.isEmpty()) {
      return states;
    }
    Pg::Result read;
    {
      const std::lock_guard<std::mutex> lock(db_->lock());
      read = run(Pg::statesQuery(printers));
    }
    if (!read) {
      return refused(kRead, read);
    }
    // Rows come by printer, newest first; each printer's walk back stops where endsLookBack()
    // says, as the file's does.
    QHash<QString, PrinterState> byPrinter;
    Record::EntryReader reader;
    std::vector<RecordEntry> entries;
    bool cut = false;
    const auto settle = [&] {
      if (!entries.empty()) {
        std::reverse(entries.begin(), entries.end());
        byPrinter.insert(entries.front().printer, stateFromEntries(entries));
      }
      entries.clear();
      cut = false;
    };
    for (int row = 0; row < read.rows(); ++row) {
      RecordEntry entry = reader.read(Pg::Row(read, row));
      if (!entries.empty() && entry.printer != entries.front().printer) {
        settle();
      }
      if (!cut) {
        cut = endsLookBack(entry);
        entries.push_back(std::move(entry));
      }
    }
    settle();
    for (qsizetype i = 0; i < printers.size(); ++i) {
      states[static_cast<size_t>(i)] = byPrinter.value(printers[i]);
    }
    return states;
  }

  RecordResult<qint64> carry(const std::vector<RecordEntry>& entries,
                             const std::vector<RecordEntry>& completions) override {
    if (readOnly_) {
      return refused(kWritten, kReadOnly);
    }
    const std::lock_guard<std::mutex> lock(db_->lock());
    // Both or neither: a carry cut short anywhere is carried again whole, and changes nothing
    // the first one did.
    Pg::Result done = db_->reconnect();
    qint64 stored = 0;
    if (done) done = db_->execScript("BEGIN");
    if (done && !entries.empty()) {
      done = db_->exec(Pg::carryEntriesQuery(entries));
      stored = done ? done.affected() : 0;
    }
    if (done && !completions.empty()) done = db_->exec(Pg::carryCompletionsQuery(completions));
    if (done) done = db_->execScript("COMMIT");
    if (!done) {
      if (db_->connected()) {
        (void)db_->execScript("ROLLBACK");
      }
      return refused(kWritten, done);
    }
    return stored;
  }

  RecordResult<std::vector<PrinterHold>> hold(const QStringList& printers, const QString& by,
                                              int waitMs) override {
    if (readOnly_) {
      return refused(kHeld, kReadOnly);
    }
    std::vector<PrinterHold> answers;
    if (const Pg::Result done = holds_.hold(printers, by, waitMs, stop_, &answers); !done) {
      return refused(kHeld, done);
    }
    return answers;
  }

  RecordResult<> release(const QStringList& printers) override {
    if (const Pg::Result done = holds_.release(printers); !done) {
      return refused(QStringLiteral("let its printers go"), done);
    }
    return {};
  }

 private:
  RecordRefusal refused(const QString& doing, const Pg::Result& why) const {
    return RecordRefusal{path_, doing, why.reason(), why.unreachable()};
  }
  RecordRefusal refused(const QString& doing, const QString& reason) const {
    return RecordRefusal{path_, doing, reason};
  }

  // Runs the statement on a connection made again first if it was lost; under the lock.
  Pg::Result run(const Pg::Query& query) {
    if (Pg::Result up = db_->reconnect(); !up) {
      return up;
    }
    return db_->exec(query);
  }

  QString path_;
  std::unique_ptr<Pg::Connection> db_;
  Pg::PrinterHolds holds_;
  bool readOnly_;
  bool empty_;  // opened for reading before anything was recorded: no table to read
  std::atomic<const std::atomic<int>*> stop_{nullptr};
};

}  // namespace

std::unique_ptr<PrinterRecord> postgresRecordOn(QString shown, std::unique_ptr<Pg::Connection> db,
                                                bool readOnly, bool empty) {
  return std::make_unique<PostgresRecord>(std::move(shown), std::move(db), readOnly, empty);
}

}  // namespace Q6
