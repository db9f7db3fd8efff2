#include "core/record/outbox_record.h"

#include <QFileInfo>
#include <QUuid>

#include <mutex>
#include <optional>
#include <unordered_map>
#include <utility>

#include "core/record/outbox_store.h"
#include "core/record/postgres_record.h"

namespace Q6 {

namespace {

QString newUid() {
  return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

class OutboxRecord final : public PrinterRecord {
 public:
  OutboxRecord(QString shown, QString file, std::unique_ptr<PrinterRecord> server,
               std::unique_ptr<OutboxStore> outbox, std::optional<RecordRefusal> away)
      : shown_(std::move(shown)),
        file_(std::move(file)),
        server_(std::move(server)),
        outbox_(std::move(outbox)),
        away_(std::move(away)) {}

  const QString& path() const override { return shown_; }
  QString outbox() const override { return file_; }
  std::optional<RecordRefusal> away() const override {
    const std::lock_guard<std::mutex> lock(mutex_);
    return away_;
  }
  void whenAway(std::function<void(const RecordRefusal&)> said) override {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!away_) {
      said_ = std::move(said);
      return;
    }
    const RecordRefusal why = *away_;
    lock.unlock();
    if (said) {
      said(why);
    }
  }

  void stopWaitingWhen(const std::atomic<int>* stop) override {
    const std::lock_guard<std::mutex> lock(mutex_);
    stop_ = stop;
    if (server_) {
      server_->stopWaitingWhen(stop);
    }
    if (outbox_) {
      outbox_->stopWaitingWhen(stop);
    }
  }

  RecordResult<std::vector<qint64>> begin(const std::vector<RecordEntry>& entries) override {
    std::vector<RecordEntry> named = entries;
    for (RecordEntry& entry : named) {
      if (entry.uid.isEmpty()) {
        entry.uid = newUid();
      }
    }
    if (PrinterRecord* server = answering()) {
      auto begun = server->begin(named);
      if (begun) {
        const std::lock_guard<std::mutex> lock(mutex_);
        for (size_t i = 0; i < begun->size() && i < named.size(); ++i) {
          onServer_.emplace((*begun)[i], named[i].uid);
        }
        return begun;
      }
      // Stored or not, the server did not say: kept here under the same uids, they are stored
      // there once whichever it was.
      if (!begun.refusal().unreachable) {
        return begun;
      }
      if (auto gone = goAway(begun.refusal()); !gone) {
        return gone.refusal();
      }
    }
    auto kept = box()->keep(named);
    if (!kept) {
      return kept.refusal();
    }
    const std::lock_guard<std::mutex> lock(mutex_);
    std::vector<qint64> ids;
    ids.reserve(kept->size());
    for (size_t i = 0; i < kept->size(); ++i) {
      inOutbox_.emplace((*kept)[i], named[i].uid);
      ids.push_back(-(*kept)[i]);
    }
    return ids;
  }

  RecordResult<> complete(const std::vector<Completion>& completions) override {
    std::vector<Completion> there;
    std::vector<RecordEntry> here;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (const Completion& c : completions) {
      if (c.outcome == RecordOutcome::Pending) {
        return RecordRefusal{shown_, QStringLiteral("complete entry %1 as pending").arg(c.id), {}};
      }
      if (c.id > 0) {
        there.push_back(c);
      } else {
        const std::lock_guard<std::mutex> lock(mutex_);
        here.push_back(ended(c, -c.id, inOutbox_, now));
      }
    }
    if (!there.empty()) {
      if (auto done = completeThere(there, now); !done) {
        return done;
      }
    }
    if (!here.empty()) {
      return box()->complete(here);
    }
    return {};
  }

  RecordResult<std::vector<RecordEntry>> history(const QString& printer, int limit) override {
    if (PrinterRecord* server = answering()) {
      auto read = server->history(printer, limit);
      if (read || !read.refusal().unreachable) {
        return read;
      }
      (void)goAway(read.refusal());
    }
    // What the outbox holds is not the printer's history: only the server can tell it.
    const std::lock_guard<std::mutex> lock(mutex_);
    return RecordRefusal{shown_, QStringLiteral("be read"), away_->reason, true};
  }

  RecordResult<std::vector<PrinterState>> states(const QStringList& printers) override {
    if (PrinterRecord* server = answering()) {
      auto read = server->states(printers);
      if (read || !read.refusal().unreachable) {
        return read;
      }
      (void)goAway(read.refusal());
    }
    // Another machine may have set any of them up meanwhile: nothing is known.
    return std::vector<PrinterState>(static_cast<size_t>(printers.size()));
  }

  RecordResult<std::vector<PrinterHold>> hold(const QStringList& printers, const QString& by,
                                              int waitMs) override {
    if (PrinterRecord* server = answering()) {
      auto held = server->hold(printers, by, waitMs);
      if (held || !held.refusal().unreachable) {
        return held;
      }
      (void)goAway(held.refusal());
    }
    // With the server away there is no one to ask who holds a printer: each is granted, as a
    // file's record grants them.
    std::vector<PrinterHold> granted;
    for (const QString& printer : printers) {
      granted.push_back(PrinterHold{printer, true, {}, {}});
    }
    return granted;
  }

  RecordResult<> release(const QStringList& printers) override {
    if (PrinterRecord* server = answering()) {
      auto let = server->release(printers);
      if (let || !let.refusal().unreachable) {
        return let;
      }
      (void)goAway(let.refusal());
    }
    return {};  // the lost session let them go
  }

 private:
  // The server while it answers; null once away.
  PrinterRecord* answering() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return away_ ? nullptr : server_.get();
  }
  OutboxStore* box() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return outbox_.get();
  }

  // The completion as the outbox keeps it, its entry named by its uid; with mutex_ held.
  static RecordEntry ended(const Completion& c, qint64 id,
                           const std::unordered_map<qint64, QString>& uids, const QDateTime& now) {
    RecordEntry e;
    e.id = id;
    e.uid = uids.count(id) != 0 ? uids.at(id) : QString();
    e.outcome = c.outcome;
    e.sent = c.sent;
    e.reason = c.reason;
    e.completed = now;
    return e;
  }

  RecordResult<> completeThere(const std::vector<Completion>& completions, const QDateTime& now) {
    if (PrinterRecord* server = answering()) {
      auto done = server->complete(completions);
      // Applied or not, the server did not say: kept here, it is applied there once at most.
      if (done || !done.refusal().unreachable) {
        return done;
      }
      if (auto gone = goAway(done.refusal()); !gone) {
        return gone;
      }
    }
    std::vector<RecordEntry> kept;
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      for (const Completion& c : completions) {
        kept.push_back(ended(c, c.id, onServer_, now));
        if (kept.back().uid.isEmpty()) {
          return RecordRefusal{shown_, QStringLiteral("keep the completion of entry %1").arg(c.id),
                               QStringLiteral("it was not begun by this program")};
        }
      }
    }
    return box()->keepCompletions(kept);
  }

  // The server is away from now on: the outbox takes over, opened now if it was not, and whoever
  // asked is told, once. Refused when the outbox cannot be opened either.
  RecordResult<> goAway(const RecordRefusal& why) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (away_) {
      return {};
    }
    if (!outbox_) {
      auto opened = OutboxStore::open(file_, shown_);
      if (!opened) {
        return RecordRefusal{why.location, why.doing,
                             QStringLiteral("%1; and the outbox %2 cannot be opened: %3")
                                 .arg(why.why(), file_, opened.refusal().why()),
                             true};
      }
      outbox_ = std::move(*opened);
      outbox_->stopWaitingWhen(stop_);
    }
    away_ = why;
    const auto said = std::move(said_);
    lock.unlock();
    if (said) {
      said(why);
    }
    return {};
  }

  const QString shown_;
  const QString file_;
  mutable std::mutex mutex_;
  std::unique_ptr<PrinterRecord> server_;
  std::unique_ptr<OutboxStore> outbox_;
  std::optional<RecordRefusal> away_;
  std::function<void(const RecordRefusal&)> said_;
  const std::atomic<int>* stop_ = nullptr;
  // Each entry's uid by its id, for a completion that must be kept by its uid.
  std::unordered_map<qint64, QString> onServer_;
  std::unordered_map<qint64, QString> inOutbox_;
};

}  // namespace

RecordResult<CarriedCount> carryOutbox(OutboxStore& outbox, CarriedOver& server, int batch) {
  CarriedCount carried;
  for (;;) {
    auto taken = outbox.oldest(batch);
    if (!taken) {
      return taken.refusal();
    }
    if (taken->empty()) {
      return carried;
    }
    // An entry an earlier carry stored while it was pending is completed by its completion.
    std::vector<RecordEntry> completions = taken->completions;
    for (const RecordEntry& entry : taken->entries) {
      if (entry.outcome != RecordOutcome::Pending) {
        completions.push_back(entry);
      }
    }
    if (auto stored = server.carry(taken->entries, completions); !stored) {
      return stored.refusal();
    }
    if (auto forgotten = outbox.forget(*taken); !forgotten) {
      return forgotten.refusal();
    }
    carried.entries += static_cast<qint64>(taken->entries.size());
    carried.completions += static_cast<qint64>(taken->completions.size());
  }
}

RecordResult<std::unique_ptr<PrinterRecord>> openOutboxRecord(const QString& location) {
  const QString shown = maskedRecordLocation(location);
  const QString file = outboxFileFor(location);
  auto server = openPostgresRecord(location, RecordAccess::Write);
  std::unique_ptr<OutboxStore> outbox;
  std::optional<RecordRefusal> away;
  // Every failure to reach the server or to be let in (down, refused, a password or a database it
  // rejects, the network) is "be opened"; the record's own answers (newer than this program,
  // damaged, not to be brought up to date by this role) stay refusals: waiting changes nothing.
  if (!server &&
      (server.refusal().unreachable || server.refusal().doing == QLatin1String("be opened"))) {
    // The entries are safe in the outbox until the server lets this program in again.
    away = server.refusal();
    auto opened = OutboxStore::open(file, shown);
    if (!opened) {
      const RecordRefusal& why = server.refusal();
      return RecordRefusal{why.location, why.doing,
                           QStringLiteral("%1; and the outbox %2 cannot be opened: %3")
                               .arg(why.why(), file, opened.refusal().why()),
                           why.unreachable};
    }
    return std::unique_ptr<PrinterRecord>(
        std::make_unique<OutboxRecord>(shown, file, nullptr, std::move(*opened), std::move(away)));
  }
  if (!server) {
    return server.refusal();
  }
  std::unique_ptr<PrinterRecord> record = std::move(*server);
  if (QFileInfo::exists(file)) {
    // What waits goes first, so that the server has the entries in the order they were begun.
    auto opened = OutboxStore::open(file, shown);
    auto* carrier = dynamic_cast<CarriedOver*>(record.get());
    if (opened && carrier) {
      outbox = std::move(*opened);
      if (auto carried = carryOutbox(*outbox, *carrier); !carried) {
        // Not carried, the rest would land ahead of it: everything waits in the outbox.
        away = carried.refusal();
      }
    }
  }
  return std::unique_ptr<PrinterRecord>(std::make_unique<OutboxRecord>(
      shown, file, std::move(record), std::move(outbox), std::move(away)));
}

RecordResult<CarriedCount> syncOutbox(const QString& location, QString* outbox) {
  *outbox = outboxFileFor(location);
  auto server = openPostgresRecord(location, RecordAccess::Write);
  if (!server) {
    return server.refusal();
  }
  if (!QFileInfo::exists(*outbox)) {
    return CarriedCount{};
  }
  auto opened = OutboxStore::open(*outbox, maskedRecordLocation(location));
  if (!opened) {
    return opened.refusal();
  }
  auto* carrier = dynamic_cast<CarriedOver*>(server->get());
  if (!carrier) {
    return RecordRefusal{maskedRecordLocation(location), QStringLiteral("take the outbox"),
                         QStringLiteral("it is not a record on a server")};
  }
  return carryOutbox(**opened, *carrier);
}

}  // namespace Q6
