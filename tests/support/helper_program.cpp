// A second program for the tests that need one running beside them.
//   store-in-a-loop GROUP KEY CONFIG_HOME: stores KEY-0 ... KEY-29 in GROUP/KEY of the settings
//     file under CONFIG_HOME, each store read back at once;
//   hold-lock PATH: takes the lock file PATH, says "held" and keeps the lock until it is killed
//     (at most a minute).
// Ends with status 0 when all went as it should, 1 with the reason on stderr otherwise, 2 for a
// command line it does not know.
#include <QCoreApplication>
#include <QLockFile>
#include <QThread>

#include <cstdio>

#include "core/store/settings_store.h"

namespace {

int fail(const QString& why) {
  std::fprintf(stderr, "q6config_test_helper: %s\n", qPrintable(why));
  return 1;
}

int storeInALoop(const QString& group, const QString& key) {
  for (int round = 0; round < 30; ++round) {
    const QString value = QStringLiteral("%1-%2").arg(key).arg(round);
    const Q6::Result<> stored = Orvanel::storeValues(group, {{key, value}});
    if (!stored) {
      return fail(QStringLiteral("round %1: %2").arg(round).arg(stored.error()));
    }
    const QString read = Orvanel::readStoredValue(group, key, QString()).toString();
    if (read != value) {
      return fail(QStringLiteral("round %1: stored %2, read back %3").arg(round).arg(value, read));
    }
  }
  return 0;
}

int holdLock(const QString& path) {
  QLockFile lock(path);
  if (!lock.lock()) {
    return fail(QStringLiteral("cannot take the lock %1").arg(path));
  }
  std::fputs("held\n", stdout);
  std::fflush(stdout);
  QThread::sleep(60);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const QByteArray command = argc > 1 ? QByteArray(argv[1]) : QByteArray();
  if (command == "store-in-a-loop" && argc == 5) {
    qputenv("XDG_CONFIG_HOME", argv[4]);
  }
  const QCoreApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (command == "store-in-a-loop" && args.size() == 5) {
    return storeInALoop(args[2], args[3]);
  }
  if (command == "hold-lock" && args.size() == 3) {
    return holdLock(args[2]);
  }
  std::fputs(
      "usage: q6config_test_helper store-in-a-loop GROUP KEY CONFIG_HOME\n"
      "       q6config_test_helper hold-lock PATH\n",
      stderr);
  return 2;
}
