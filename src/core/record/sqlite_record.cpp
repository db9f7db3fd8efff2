#include "core/record/sqlite_record.h"

#include <algorithm>
#include <map>
#include <utility>

#include "core/record/sqlite_columns.h"
#include "core/record/sqlite_db.h"

// The record's operations on SQLite: each a transaction, its statements prepared once.
namespace Q6 {

namespace {

using Sqlite::Statement;
using Sqlite::StatementUse;
using Sqlite::Status;

// A write never waits longer than this in all, however many programs keep committing.
constexpr int kLongestWaitMs = 60000;
// Rows go in this many to an INSERT: far fewer statements for a fleet's thousands.
constexpr int kRowsAtOnce = 32;

class SqliteRecord final : public PrinterRecord {
 public:
  SqliteRecord(QString path, std::unique_ptr<Sqlite::Connection> db, bool empty)
      : path_(std::move(path)), db_(std::move(db)), empty_(empty) {}

  RecordRefusal refused(const QString& doing, const Status& status) const {
    return RecordRefusal{path_, doing, status.reason};
  }
  RecordRefusal refused(const QString& doing, const QString& reason) const {
    return RecordRefusal{path_, doing, reason};
  }

  // Prepares the statements every operation uses, once.
  Status prepare() {
    if (empty_) {
      return Status{};
    }
    const QByteArray select = "SELECT " + Sqlite::selectedColumns() + " FROM entries";
    history_ =
        std::make_unique<Statement>(*db_, select + " WHERE printer = ? ORDER BY id DESC LIMIT ?");
    // What a printer holds needs only some of an entry's columns.
    states_ =
        std::make_unique<Statement>(*db_, "SELECT " + Sqlite::selectedColumns(Record::kForState) +
                                              " FROM entries WHERE printer = ? ORDER BY id DESC");
    for (const Statement* s : {history_.get(), states_.get()}) {
      if (!s->prepared()) {
        return s->prepared();
      }
    }
    return Status{};
  }

  const QString& path() const override { return path_; }
  void stopWaitingWhen(const std::atomic<int>* stop) override { db_->setStop(stop); }

  // One machine's record: there is no other machine to wait for.
  RecordResult<std::vector<PrinterHold>> hold(const QStringList& printers, const QString&,
                                              int) override {
    std::vector<PrinterHold> held;
    held.reserve(static_cast<size_t>(printers.size()));
    for (const QString& printer : printers) {
      held.push_back(PrinterHold{printer, true, {}, {}});
    }
    return held;
  }
  RecordResult<> release(const QStringList&) override { return {}; }

  RecordResult<std::vector<qint64>> begin(const std::vector<RecordEntry>& entries) override {
    for (const RecordEntry& entry : entries) {
      if (const QString fault = entryFault(entry); !fault.isEmpty()) {
        return refused(QStringLiteral("take ") + fault, QString());
      }
    }
    const std::lock_guard<std::mutex> lock(db_->lock());
    // A begun entry must outlive a power cut: its bytes may be on their way to the printer.
    Sqlite::WriteTransaction write(*db_, Sqlite::WriteTransaction::Sync::Durable, kLongestWaitMs);
    if (!write.begun()) {
      return refused(kWritten, write.begun());
    }
    std::vector<qint64> ids;
    ids.reserve(entries.size());
    Sqlite::EntryBinder binder(Sqlite::kAtBegin);
    const int each = Sqlite::insertParameters();
    for (size_t first = 0; first < entries.size();) {
      const int rows = static_cast<int>(std::min<size_t>(kRowsAtOnce, entries.size() - first));
      Statement& insert = insertFor(rows);
      const StatementUse use(insert);
      for (int r = 0; r < rows; ++r) {
        if (const Status bound = binder.bind(insert, r * each + 1, entries[first + r]); !bound) {
          return refused(kWritten, bound);
        }
      }
      Status step;
      while ((step = insert.step()).row()) {
        ids.push_back(insert.number(0));
      }
      if (!step) {
        return refused(kWritten, step);
      }
      // The rows get their ids in the order they are given; RETURNING may list them in any order.
      std::sort(ids.begin() + static_cast<qsizetype>(first), ids.end());
      first += static_cast<size_t>(rows);
      if (ids.size() != first) {
        return refused(
            kWritten,
            QStringLiteral("it took %1 of %2 entries").arg(ids.size()).arg(entries.size()));
      }
    }
    if (const Status committed = write.commit(); !committed) {
      return refused(kWritten, committed);
    }
    return ids;
  }

  RecordResult<> complete(const std::vector<Completion>& completions) override {
    for (const Completion& c : completions) {
      if (c.outcome == RecordOutcome::Pending) {
        return refused(QStringLiteral("complete entry %1 as pending").arg(c.id), QString());
      }
    }
    const std::lock_guard<std::mutex> lock(db_->lock());
    Sqlite::WriteTransaction write(*db_, Sqlite::WriteTransaction::Sync::Normal, kLongestWaitMs);
    if (!write.begun()) {
      return refused(kWritten, write.begun());
    }
    if (!complete_) {
      complete_ = std::make_unique<Statement>(*db_, Sqlite::completeStatement());
    }
    Statement& update = *complete_;
    std::vector<const Completion*> byId;
    byId.reserve(completions.size());
    for (const Completion& c : completions) {
      byId.push_back(&c);
    }
    std::stable_sort(byId.begin(), byId.end(),
                     [](const Completion* a, const Completion* b) { return a->id < b->id; });
    // A fleet's entries were begun together and mostly end alike: neighbouring ids that end the
    // same way are completed by one statement.
    const auto alike = [](const Completion& a, const Completion& b) {
      return b.id == a.id + 1 && a.outcome == b.outcome && a.sent == b.sent && a.reason == b.reason;
    };
    RecordEntry ended;
    ended.completed = QDateTime::currentDateTimeUtc();
    Sqlite::EntryBinder binder(Sqlite::kAtComplete);
    const int firstId = Sqlite::completeParameters() - 1;
    for (size_t first = 0, last = 0; first < byId.size(); first = last + 1) {
      last = first;
      while (last + 1 < byId.size() && alike(*byId[last], *byId[last + 1])) {
        ++last;
      }
      const Completion& c = *byId[first];
      ended.outcome = c.outcome;
      ended.sent = c.sent;
      ended.reason = c.reason;
      const StatementUse use(update);
      Status done = binder.bind(update, 1, ended);
      if (done) done = update.bind(firstId, c.id);
      if (done) done = update.bind(firstId + 1, byId[last]->id);
      if (done) done = update.step();
      if (!done) {
        return refused(kWritten, done);
      }
      if (db_->changes() != static_cast<int>(last - first + 1)) {
        return refused(
            kWritten,
            QStringLiteral("it has no pending entry %1 to complete")
                .arg(first == last
                         ? QString::number(c.id)
                         : QStringLiteral("among %1 to %2").arg(c.id).arg(byId[last]->id)));
      }
    }
    if (const Status committed = write.commit(); !committed) {
      return refused(kWritten, committed);
    }
    return {};
  }

  RecordResult<std::vector<RecordEntry>> history(const QString& printer, int limit) override {
    const std::lock_guard<std::mutex> lock(db_->lock());
    std::vector<RecordEntry> entries;
    if (empty_) {
      return entries;
    }
    const StatementUse use(*history_);
    Status done = history_->bind(1, QByteArrayView(printer.toUtf8()));
    if (done) done = history_->bind(2, static_cast<qint64>(limit > 0 ? limit : -1));
    Record::EntryReader reader;
    while (done && (done = history_->step()).row()) {
      entries.push_back(reader.read(*history_));
    }
    if (!done) {
      return refused(kRead, done);
    }
    return entries;
  }

  RecordResult<std::vector<PrinterState>> states(const QStringList& printers) override {
    const std::lock_guard<std::mutex> lock(db_->lock());
    std::vector<PrinterState> states;
    states.reserve(static_cast<size_t>(printers.size()));
    if (empty_) {
      states.resize(static_cast<size_t>(printers.size()));
      return states;
    }
    // One snapshot for every printer: a write from another program lands wholly before or after.
    const Sqlite::ReadTransaction read(*db_);
    if (!read.begun()) {
      return refused(kRead, read.begun());
    }
    Record::EntryReader reader(Record::kForState);
    StateBuilder stateOf;
    std::vector<RecordEntry> entries;
    for (const QString& printer : printers) {
      const StatementUse use(*states_);
      Status done = states_->bind(1, QByteArrayView(printer.toUtf8()));
      entries.clear();
      // Back to the last reset that may have reached the printer: nothing before it counts.
      while (done && (done = states_->step()).row()) {
        entries.push_back(reader.read(*states_));
        if (endsLookBack(entries.back())) {
          break;
        }
      }
      if (!done) {
        return refused(kRead, done);
      }
      std::reverse(entries.begin(), entries.end());
      states.push_back(stateOf(entries));
    }
    return states;
  }

 private:
  inline static const QString kWritten = QStringLiteral("be written");
  inline static const QString kRead = QStringLiteral("be read");

  Statement& insertFor(int rows) {
    std::unique_ptr<Statement>& kept = inserts_[rows];
    if (!kept) {
      kept = std::make_unique<Statement>(*db_, Sqlite::insertStatement(rows));
    }
    return *kept;
  }

  QString path_;
  std::unique_ptr<Sqlite::Connection> db_;
  bool empty_;  // opened for reading before anything was recorded: no table to read
  std::unique_ptr<Statement> history_, states_, complete_;
  std::map<int, std::unique_ptr<Statement>> inserts_;  // by rows
};

}  // namespace

RecordResult<std::unique_ptr<PrinterRecord>> sqliteRecordOn(const QString& file,
                                                            std::unique_ptr<Sqlite::Connection> db,
                                                            bool empty) {
  auto record = std::make_unique<SqliteRecord>(file, std::move(db), empty);
  if (const Status prepared = record->prepare(); !prepared) {
    return RecordRefusal{file, QStringLiteral("be opened"), prepared.reason};
  }
  return std::unique_ptr<PrinterRecord>(std::move(record));
}

}  // namespace Q6
