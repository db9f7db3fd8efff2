// Carrying an outbox over to the shared record: 100,000 entries kept while the server was away
// (half of them completed there, a fleet's worth of completions of entries the server took before
// it went away) carried over in one go. Prints the figures and PASS when the carry takes less than
// 10 s.
//
//   q6config_outbox_bench postgresql:///DB?host=/run/postgresql [ENTRIES]
// (bench/run_outbox_bench.sh starts a server of its own and gives its URI.)
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

#include "core/record/outbox_record.h"
#include "core/record/outbox_store.h"
#include "core/record/postgres_record.h"

namespace {

constexpr double kLimitSeconds = 10.0;

Q6::RecordEntry entryFor(int i) {
  Q6::RecordEntry e = Q6::entryBegunNow(QStringLiteral("q6config-cli bench"));
  e.printer =
      QStringLiteral("tcp://10.%1.%2.%3:9100").arg(i / 65536).arg(i / 256 % 256).arg(i % 256);
  e.action = QStringLiteral("apply");
  e.effect = Q6::RecordEffect::Settings;
  e.settings = {QStringLiteral("form-feed=partial-cut"), QStringLiteral("code-page=1252")};
  e.bytes = 44;
  e.sha256 = QByteArray(32, 'x');
  e.uid = QStringLiteral("bench-%1").arg(i);
  return e;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: q6config_outbox_bench URI [ENTRIES]\n");
    return 2;
  }
  const QString uri = QString::fromLocal8Bit(argv[1]);
  const int count = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 100000;
  QTemporaryDir state;
  qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());

  auto server = Q6::openPostgresRecord(uri, Q6::RecordAccess::Write);
  if (!server) {
    std::fprintf(stderr, "%s\n", qPrintable(server.error()));
    return 2;
  }
  auto* carrier = dynamic_cast<Q6::CarriedOver*>(server->get());
  auto box = Q6::OutboxStore::open(Q6::outboxFileFor(uri), uri);
  if (!box || !carrier) {
    std::fprintf(stderr, "%s\n", qPrintable(box ? QStringLiteral("no carrier") : box.error()));
    return 2;
  }
  std::vector<Q6::RecordEntry> entries;
  entries.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    entries.push_back(entryFor(i));
  }
  QElapsedTimer keeping;
  keeping.start();
  auto places = (*box)->keep(entries);
  if (!places) {
    std::fprintf(stderr, "%s\n", qPrintable(places.error()));
    return 2;
  }
  std::vector<Q6::RecordEntry> ends;
  for (size_t i = 0; i < entries.size(); i += 2) {
    Q6::RecordEntry end = entries[i];
    end.id = (*places)[i];
    end.outcome = Q6::RecordOutcome::Delivered;
    end.sent = 44;
    end.completed = QDateTime::currentDateTimeUtc();
    ends.push_back(end);
  }
  if (auto done = (*box)->complete(ends); !done) {
    std::fprintf(stderr, "%s\n", qPrintable(done.error()));
    return 2;
  }
  const double keptSeconds = static_cast<double>(keeping.elapsed()) / 1000.0;

  QElapsedTimer carrying;
  carrying.start();
  auto carried = Q6::carryOutbox(**box, *carrier);
  const double carrySeconds = static_cast<double>(carrying.elapsed()) / 1000.0;
  if (!carried) {
    std::fprintf(stderr, "%s\n", qPrintable(carried.error()));
    return 2;
  }
  const bool pass = carried->entries == count && carrySeconds < kLimitSeconds;
  std::printf("outbox: %d entries kept (half completed there) in %.2f s\n", count, keptSeconds);
  std::printf("carry:  %lld entries over to the server in %.2f s (%.0f a second), limit %.0f s\n",
              static_cast<long long>(carried->entries), carrySeconds,
              static_cast<double>(carried->entries) / carrySeconds, kLimitSeconds);
  std::printf("%s\n", pass ? "PASS" : "FAIL");
  return pass ? 0 : 1;
}
