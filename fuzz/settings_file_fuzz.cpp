// Feeds arbitrary bytes as the settings file through reading, storing the program's own keys and
// reading back. Besides the sanitizers' checks it traps when a store loses a byte outside the
// program's keys, changes the file although it refused, or stores something that reads back
// otherwise.
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QList>
#include <QSet>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/store/settings_store.h"

namespace {

void require(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

QByteArray readAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Lines that set one of the program's keys, wherever they stand; everything else must survive.
bool setsOurKey(const QByteArray& line, const QSet<QByteArray>& keys) {
  const qsizetype equals = line.indexOf('=');
  return equals >= 0 && keys.contains(line.left(equals).trimmed());
}

// Every old line that is not one of ours is in the new text, in the same order.
bool keptInOrder(const QByteArray& before, const QByteArray& after, const QSet<QByteArray>& keys) {
  const QList<QByteArray> newLines = after.split('\n');
  qsizetype at = 0;
  QList<QByteArray> oldLines = before.split('\n');
  if (before.endsWith('\n')) {
    oldLines.removeLast();
  }
  for (const QByteArray& line : oldLines) {
    if (setsOurKey(line, keys)) {
      continue;
    }
    while (at < newLines.size() && newLines[at] != line) {
      ++at;
    }
    if (at == newLines.size()) {
      return false;
    }
    ++at;
  }
  return true;
}

Orvanel::LinkSettings wanted() {
  Orvanel::LinkSettings s;
  s.kind = Orvanel::ConnectionKind::File;
  s.path = QStringLiteral("/tmp/caf\u00e9, till;\"1\" =\\x41.prn");
  s.host = QStringLiteral("dr\u00fccker.local");  // the reader trims blanks around a host
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static QCoreApplication app(*argc, *argv);
  // A folder of its own on a memory file system: the store syncs every file it writes.
  const QString home =
      QDir::tempPath() +
      QStringLiteral("/q6config-settings-fuzz-%1").arg(QCoreApplication::applicationPid());
  QDir().mkpath(home + QStringLiteral("/Q56Config"));
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(home));
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray before(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QString path = Orvanel::settingsFilePath();
  {
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    require(file.write(before) == before.size());
  }
  const Orvanel::StoredLinkSettings read =
      Orvanel::readStoredLinkSettings(Orvanel::kLinkSettingsKey);
  require(!read.unreadable);

  QSet<QByteArray> keys;
  const Orvanel::StoredValues values = Orvanel::linkSettingsValues(wanted());
  for (const auto& [key, value] : values) {
    keys.insert(key.toUtf8());
  }
  const Q6::Result<> stored = Orvanel::storeLinkSettings(Orvanel::kLinkSettingsKey, wanted());
  const QByteArray after = readAll(path);
  if (!stored) {
    require(!stored.error().isEmpty());
    require(after == before);  // refused: the file as it was
    return 0;
  }
  require(keptInOrder(before, after, keys));
  const Orvanel::StoredLinkSettings back =
      Orvanel::readStoredLinkSettings(Orvanel::kLinkSettingsKey);
  require(back.settings == wanted());
  return 0;
}
