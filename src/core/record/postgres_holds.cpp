#include "core/record/postgres_holds.h"

#include <QCryptographicHash>
#include <QtEndian>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <thread>

#include "core/record/postgres_columns.h"

namespace Q6::Pg {

namespace {

using Clock = std::chrono::steady_clock;

// A waiting holder asks again after this long at first, then twice as long each time up to the
// longest: a printer let go is taken soon, a thousand waiting jobs cost the server little.
constexpr std::chrono::milliseconds kFirstRetry{50};
constexpr std::chrono::milliseconds kLongestRetry{500};
// A stopped run is seen within this.
constexpr std::chrono::milliseconds kStopCheck{50};

constexpr const char* kTimeText = "'YYYY-MM-DD\"T\"HH24:MI:SS.MS\"Z\"'";

QDateTime timeFrom(QByteArrayView text) {
  const QDateTime time = QDateTime::fromString(QString::fromUtf8(text), Qt::ISODateWithMs);
  return time.isValid() ? time.toUTC() : QDateTime();
}

bool stopped(const std::atomic<const std::atomic<int>*>& stop) {
  const std::atomic<int>* flag = stop.load();
  return flag && flag->load() != 0;
}

}  // namespace

qint64 printerKey(const QString& printer) {
  const QByteArray hash =
      QCryptographicHash::hash("q6config printer\n" + printer.toUtf8(), QCryptographicHash::Sha256);
  return qFromBigEndian<qint64>(hash.constData());
}

Result PrinterHolds::tryTake(const QStringList& wanted, const QString& by,
                             QHash<QString, PrinterHold>* answers) {
  std::vector<QByteArray> names;
  std::vector<qint64> keys;
  for (const QString& printer : wanted) {
    names.push_back(printer.toUtf8());
    keys.push_back(printerKey(printer));
  }
  const QByteArray holds = kHoldsTable;
  // The locks are taken once (a CTE read twice is computed once); the printers taken note their
  // holder, and the others read theirs, in the same statement.
  const Query take{
      "WITH wanted AS (SELECT w.printer, pg_try_advisory_lock(w.k) AS got FROM "
      "unnest($1::text[], $2::bigint[]) AS w(printer, k)), noted AS (INSERT INTO " +
          holds +
          " (printer, holder, since) SELECT printer, $3, now() FROM wanted WHERE got "
          "ON CONFLICT (printer) DO UPDATE SET holder = EXCLUDED.holder, since = EXCLUDED.since "
          "RETURNING printer, since) SELECT w.printer, w.got, h.holder, "
          "to_char(COALESCE(n.since, h.since) AT TIME ZONE 'UTC', " +
          kTimeText + ") FROM wanted w LEFT JOIN noted n ON n.printer = w.printer LEFT JOIN " +
          holds + " h ON h.printer = w.printer AND NOT w.got",
      {textArray(names), numberArray(keys), by.toUtf8()}};
  Result taken = db_.exec(take);
  if (!taken) {
    // Session locks outlive the statement that failed: none of these may stay taken.
    if (!taken.unreachable()) {
      (void)db_.exec(
          {"SELECT pg_advisory_unlock(k) FROM unnest($1::bigint[]) AS u(k)", {numberArray(keys)}});
    }
    return taken;
  }
  for (int row = 0; row < taken.rows(); ++row) {
    PrinterHold answer;
    answer.printer = QString::fromUtf8(taken.bytes(row, 0));
    answer.held = taken.bytes(row, 1) == "t";
    answer.since = taken.isNull(row, 3) ? QDateTime() : timeFrom(taken.bytes(row, 3));
    if (answer.held) {
      held_.insert(answer.printer, Held{by, answer.since, db_.generation()});
    } else if (!taken.isNull(row, 2)) {
      answer.holder = QString::fromUtf8(taken.bytes(row, 2));
    }
    answers->insert(answer.printer, answer);
  }
  return taken;
}

Result PrinterHolds::hold(const QStringList& printers, const QString& by, int waitMs,
                          const std::atomic<const std::atomic<int>*>& stop,
                          std::vector<PrinterHold>* answers) {
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(std::max(waitMs, 0));
  QStringList left = printers;
  left.removeDuplicates();
  QHash<QString, PrinterHold> found;
  std::chrono::milliseconds retry = kFirstRetry;
  for (;;) {
    {
      const std::lock_guard<std::mutex> lock(db_.lock());
      if (Result up = db_.reconnect(); !up) {
        return up;
      }
      QStringList ask;
      for (const QString& printer : left) {
        const auto here = held_.constFind(printer);
        if (here != held_.constEnd() && here->generation == db_.generation()) {
          // Held by another caller of this record: it waits like anyone else.
          found.insert(printer, PrinterHold{printer, false, here->by, here->since});
        } else {
          ask << printer;
        }
      }
      if (!ask.isEmpty()) {
        if (Result taken = tryTake(ask, by, &found); !taken) {
          return taken;
        }
      }
    }
    left.removeIf([&](const QString& printer) { return found.value(printer).held; });
    if (left.isEmpty() || Clock::now() >= deadline || stopped(stop)) {
      break;
    }
    const Clock::time_point next = std::min(deadline, Clock::now() + retry);
    while (Clock::now() < next && !stopped(stop)) {
      std::this_thread::sleep_for(std::min<Clock::duration>(kStopCheck, next - Clock::now()));
    }
    retry = std::min(retry * 2, kLongestRetry);
  }
  answers->clear();
  for (const QString& printer : printers) {
    answers->push_back(found.value(printer, PrinterHold{printer, false, {}, {}}));
  }
  return Result::success();
}

Result PrinterHolds::release(const QStringList& printers) {
  const std::lock_guard<std::mutex> lock(db_.lock());
  std::vector<qint64> keys;
  for (const QString& printer : printers) {
    const auto here = held_.constFind(printer);
    if (here == held_.constEnd()) {
      continue;
    }
    if (here->generation == db_.generation()) {
      keys.push_back(printerKey(printer));
    }
    held_.erase(here);
  }
  // A session that was lost let its printers go with it.
  if (keys.empty() || !db_.connected()) {
    return Result::success();
  }
  Result let = db_.exec(
      {"SELECT pg_advisory_unlock(k) FROM unnest($1::bigint[]) AS u(k)", {numberArray(keys)}});
  return let || !db_.connected() ? Result::success() : let;
}

}  // namespace Q6::Pg
