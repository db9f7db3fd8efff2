#include "link/settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryDir>

#include "link/link_error.h"

namespace Orvanel {

namespace {

QByteArray sectionHeader(const QString& group) {
  return "[" + group.toUtf8() + "]";
}

// The part of an INI line before '=' (trimmed); empty for lines that set nothing.
QByteArray lineKey(const QByteArray& line) {
  const qsizetype equals = line.indexOf('=');
  return equals < 0 ? QByteArray() : line.left(equals).trimmed();
}

bool isSection(const QByteArray& line) {
  const QByteArray t = line.trimmed();
  return t.startsWith('[') && t.endsWith(']');
}

// The raw value bytes of `key` in `group` of an INI text (the last one wins, as when reading).
QByteArray rawValue(const QByteArray& text, const QString& group, const QString& key) {
  const QByteArray header = sectionHeader(group);
  const QByteArray wanted = key.toUtf8();
  QByteArray value;
  bool inGroup = false;
  for (const QByteArray& line : text.split('\n')) {
    if (isSection(line)) {
      inGroup = line.trimmed() == header;
    } else if (inGroup && lineKey(line) == wanted) {
      value = line.mid(line.indexOf('=') + 1);
    }
  }
  return value;
}

bool isUtf8(const QByteArray& bytes) {
  QStringDecoder decoder(QStringDecoder::Utf8);
  const QString ignored = decoder(bytes);
  return !decoder.hasError();
}

// The key whose text decides where this kind of connection sends.
QString targetKey(ConnectionKind kind) {
  switch (kind) {
    case ConnectionKind::Network:
      return Keys::kHost;
    case ConnectionKind::Queue:
      return Keys::kQueue;
    case ConnectionKind::File:
      return Keys::kPath;
    case ConnectionKind::Serial:
      return Keys::kSerialPort;
    case ConnectionKind::NotSet:
      break;
  }
  return QString();
}

// The lines QSettings itself writes for these values, so that what is spliced into the file reads
// back exactly as QSettings would have stored it (quoting, escapes, lists).
bool formatLines(const QString& group, const StoredValues& values, QByteArray* header,
                 std::vector<std::pair<QByteArray, QByteArray>>* lines) {
  QTemporaryDir dir;
  if (!dir.isValid()) {
    return false;
  }
  const QString path = dir.filePath(QStringLiteral("format.ini"));
  {
    QSettings scratch(path, QSettings::IniFormat);
    scratch.beginGroup(group);
    for (const auto& [key, value] : values) {
      scratch.setValue(key, value);
    }
    scratch.endGroup();
    scratch.sync();
    if (scratch.status() != QSettings::NoError) {
      return false;
    }
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return false;
  }
  for (const QByteArray& raw : file.readAll().split('\n')) {
    const QByteArray line = raw.trimmed();
    if (isSection(line)) {
      *header = line;
    } else if (!lineKey(line).isEmpty()) {
      lines->emplace_back(lineKey(line), line);
    }
  }
  return !header->isEmpty() && lines->size() == values.size();
}

}  // namespace

QString settingsFilePath() {
  // Worked out at every opening, not once per process: the per-user folder ($XDG_CONFIG_HOME,
  // else ~/.config) is the one in force now, which is what a provisioning script or a harness that
  // switches it expects.
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/Q56Config/Q56Config.ini");
}

std::unique_ptr<QSettings> openSettingsStore() {
  return std::make_unique<QSettings>(settingsFilePath(), QSettings::IniFormat);
}

QString settingsFileProblem() {
  const QString path = settingsFilePath();
  const QFileInfo info(path);
  if (!info.exists()) {
    return QString();
  }
  QString reason;
  if (info.isDir()) {
    reason = QStringLiteral("it is a folder");
  } else {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
      return QString();
    }
    reason = file.errorString();
  }
  return QStringLiteral(
             "The settings file %1 cannot be read (%2), so the printer connection is not known. "
             "Fix or remove that file, then press \"Communication\" on the Main tab.")
      .arg(path, reason);
}

StoredLinkSettings readStoredLinkSettings(const QString& key) {
  StoredLinkSettings result;
  result.problem = settingsFileProblem();
  if (!result.problem.isEmpty()) {
    result.unreadable = true;
    return result;
  }
  const QString path = settingsFilePath();
  QStringList problems;
  {
    QSettings store(path, QSettings::IniFormat);
    result.settings = readLinkSettings(store, key, &problems);
  }
  // The reader turns bytes that are not UTF-8 into other characters, which would send to another
  // file or host than the one the administrator meant; such a value is refused instead.
  const QString target = targetKey(result.settings.kind);
  if (!target.isEmpty()) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly) && !isUtf8(rawValue(file.readAll(), key, target))) {
      problems << QStringLiteral("%1 is not UTF-8 text (write the file in UTF-8).").arg(target);
    }
  }
  if (!problems.isEmpty()) {
    const QString check = validateLinkSettings(result.settings);
    if (result.settings.kind != ConnectionKind::NotSet && !check.isEmpty()) {
      problems << check;
    }
    result.problem = QStringLiteral(
                         "The printer connection is not set up correctly in [%1] of %2: %3 Press "
                         "\"Communication\" on the Main tab to fix it.")
                         .arg(key, path, problems.join(QLatin1Char(' ')));
  }
  return result;
}

LinkSettings loadStoredLinkSettings(const QString& key) {
  StoredLinkSettings stored = readStoredLinkSettings(key);
  if (!stored.problem.isEmpty()) {
    throw LinkError(stored.problem);
  }
  return stored.settings;
}

QString storeValues(const QString& group, const StoredValues& values) {
  const QString path = settingsFilePath();
  const auto cannotStore = [&](const QString& reason) {
    return QStringLiteral("Could not store the settings in %1: %2.").arg(path, reason);
  };
  const QFileInfo info(path);
  QByteArray text;
  if (info.exists()) {
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
      return cannotStore(info.isDir() ? QStringLiteral("it is a folder") : file.errorString());
    }
    text = file.readAll();
  } else if (!QDir().mkpath(info.absolutePath())) {
    return cannotStore(QStringLiteral("the folder %1 cannot be made").arg(info.absolutePath()));
  }

  QByteArray header;
  std::vector<std::pair<QByteArray, QByteArray>> formatted;
  if (!formatLines(group, values, &header, &formatted)) {
    return cannotStore(QStringLiteral("the values could not be written out"));
  }

  // Lines are kept byte for byte; a line that sets one of our keys in our group is replaced, and
  // keys the group does not have yet go after its last line (or into a new group at the end).
  QList<QByteArray> lines = text.split('\n');
  const bool endedWithNewline = text.isEmpty() || text.endsWith('\n');
  if (endedWithNewline && !lines.isEmpty()) {
    lines.removeLast();
  }
  std::vector<bool> placed(formatted.size(), false);
  qsizetype groupEnd = -1;  // index after the last non-blank line of our group
  bool inGroup = false;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    QByteArray& line = lines[i];
    if (isSection(line)) {
      inGroup = line.trimmed() == header;
      if (inGroup) {
        groupEnd = i + 1;
      }
      continue;
    }
    if (!inGroup) {
      continue;
    }
    if (!line.trimmed().isEmpty()) {
      groupEnd = i + 1;
    }
    const QByteArray key = lineKey(line);
    for (size_t k = 0; k < formatted.size(); ++k) {
      if (key == formatted[k].first) {
        line = formatted[k].second + (line.endsWith('\r') ? "\r" : "");
        placed[k] = true;
      }
    }
  }
  QList<QByteArray> missing;
  for (size_t k = 0; k < formatted.size(); ++k) {
    if (!placed[k]) {
      missing << formatted[k].second;
    }
  }
  if (!missing.isEmpty()) {
    if (groupEnd < 0) {
      if (!lines.isEmpty() && !lines.last().trimmed().isEmpty()) {
        lines << QByteArray();
      }
      lines << header;
      groupEnd = lines.size();
    }
    for (const QByteArray& line : missing) {
      lines.insert(groupEnd++, line);
    }
  }

  QSaveFile out(path);
  if (!out.open(QIODevice::WriteOnly)) {
    return cannotStore(out.errorString());
  }
  const QByteArray joined = lines.join('\n') + '\n';
  if (out.write(joined) != joined.size() || !out.commit()) {
    return cannotStore(out.errorString());
  }
  // Read back what a later start will read.
  QSettings check(path, QSettings::IniFormat);
  for (const auto& [key, value] : values) {
    if (check.value(group + QLatin1Char('/') + key).toString() != value.toString()) {
      return cannotStore(QStringLiteral("%1 in [%2] reads back differently").arg(key, group));
    }
  }
  return QString();
}

QString storeLinkSettings(const QString& key, const LinkSettings& settings) {
  return storeValues(key, linkSettingsValues(settings));
}

}  // namespace Orvanel
