#include "core/store/settings_store.h"

#include <QStandardPaths>
#include <QStringDecoder>

#include <functional>

#include "core/link/link_error.h"
#include "core/store/ini_splice.h"
#include "core/store/settings_file.h"

namespace Orvanel {

namespace {

// A value that decides where or how bytes go must not be guessed: missing or empty takes the
// default, but a value that is there and unreadable becomes 0, which the check refuses with a
// message that says what to fix.
int readSetting(QSettings& store, const QString& name, int fallback) {
  const QString text = store.value(name).toString().trimmed();
  if (text.isEmpty()) {
    return fallback;
  }
  bool ok = false;
  const int value = text.toInt(&ok);
  return ok ? value : 0;
}

// The raw value bytes of `key` in `group` of an INI text (the last one wins, as when reading).
QByteArray rawValue(const QByteArray& text, const QString& group, const QString& key) {
  const QByteArray header = "[" + group.toUtf8() + "]";
  const QByteArray wanted = key.toUtf8();
  QByteArray value;
  bool inGroup = false;
  for (const QByteArray& line : text.split('\n')) {
    const QByteArray t = line.trimmed();
    if (t.startsWith('[') && t.endsWith(']')) {
      inGroup = t == header;
    } else if (const qsizetype equals = line.indexOf('=');
               inGroup && equals >= 0 && line.left(equals).trimmed() == wanted) {
      value = line.mid(equals + 1);
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

namespace {

QString unreadableMessage(const QString& path, const QString& reason) {
  return QStringLiteral(
             "The settings file %1 cannot be read (%2), so the printer connection is not known.")
      .arg(path, reason);
}

// The settings file read once, parsed from those bytes; every answer of one read comes from one
// version of the file, however many stores happen meanwhile.
Q6::Result<QByteArray> readOnce(const QString& path, const std::function<void(QSettings&)>& read) {
  const Q6::Result<SettingsFileText> file = readSettingsFileAt(path);
  if (!file) {
    return Q6::Refused{file.error()};
  }
  if (const Q6::Result<> parsed = readIniText(file->text, read); !parsed) {
    return Q6::Refused{parsed.error()};
  }
  return file->text;
}

}  // namespace

QVariant readStoredValue(const QString& group, const QString& key, const QVariant& fallback) {
  // A file that cannot be read is reported with the link settings; here it only gives the
  // fallback (and is never handed to QSettings, which would hang on a pipe).
  QVariant value = fallback;
  const Q6::Result<QByteArray> read = readOnce(settingsFilePath(), [&](QSettings& store) {
    value = store.value(group + QLatin1Char('/') + key, fallback);
  });
  return read ? value : fallback;
}

StoredLinkSettings readStoredLinkSettings(const QString& key) {
  StoredLinkSettings result;
  const QString path = settingsFilePath();
  QStringList problems;
  const Q6::Result<QByteArray> text = readOnce(
      path, [&](QSettings& store) { result.settings = readLinkSettings(store, key, &problems); });
  if (!text) {
    result = StoredLinkSettings{};
    result.problem = unreadableMessage(path, text.error());
    result.unreadable = true;
    result.remedy = LinkRemedy::FixFile;
    return result;
  }
  // The reader turns bytes that are not UTF-8 into other characters, which would send to another
  // file or host than the one the administrator meant; such a value is refused instead.
  const QString target = targetKey(result.settings.kind);
  if (!target.isEmpty() && !isUtf8(rawValue(*text, key, target))) {
    problems << QStringLiteral("%1 is not UTF-8 text (write the file in UTF-8).").arg(target);
  }
  if (!problems.isEmpty()) {
    const Q6::Result<> check = validateLinkSettings(result.settings);
    if (result.settings.kind != ConnectionKind::NotSet && !check) {
      problems << check.error();
    }
    result.problem =
        QStringLiteral("The printer connection is not set up correctly in [%1] of %2: %3")
            .arg(key, path, problems.join(QLatin1Char(' ')));
    result.remedy = LinkRemedy::Correct;
  }
  return result;
}

LinkSettings loadStoredLinkSettings(const QString& key) {
  StoredLinkSettings stored = readStoredLinkSettings(key);
  if (!stored.problem.isEmpty()) {
    throw LinkError(stored.problem, stored.remedy);
  }
  return stored.settings;
}

Q6::Result<> storeValues(const QString& group, const StoredValues& values) {
  const QString path = settingsFilePath();
  // What a later start reads is checked on the new content before it replaces the file.
  const auto readsBack = [&](const QString& written) -> Q6::Result<> {
    QSettings check(written, QSettings::IniFormat);
    for (const auto& [key, value] : values) {
      const QString got = check.value(group + QLatin1Char('/') + key).toString();
      if (got != value.toString()) {
        return Q6::Refused{
            QStringLiteral("%1 in [%2] would read back as \"%3\" instead of \"%4\" (a line "
                           "before it in the file is not plain INI)")
                .arg(key, group, got, value.toString())};
      }
    }
    return {};
  };
  const Q6::Result<> stored = rewriteSettingsFile(
      path, [&](const QByteArray& current) { return spliceIniValues(current, group, values); },
      readsBack);
  if (!stored) {
    return Q6::Refused{
        QStringLiteral("Could not store the settings in %1: %2.").arg(path, stored.error())};
  }
  return {};
}

Q6::Result<> storeLinkSettings(const QString& key, const LinkSettings& settings) {
  return storeValues(key, linkSettingsValues(settings));
}

LinkSettings readLinkSettings(QSettings& store, const QString& key, QStringList* problems) {
  LinkSettings s;
  QStringList found;
  // A value that is there but names nothing this program knows is refused, never replaced by a
  // default: a guessed connection sends to the wrong place or with the wrong parameters.
  const auto unknown = [&](const QString& name, const QString& value, const QString& allowed) {
    found << QStringLiteral("%1=%2 is not one of %3.").arg(name, value, allowed);
  };
  store.beginGroup(key);
  const QString kind = store.value(Keys::kConnection).toString().trimmed();
  s.kind = choiceNamed(kConnectionKinds, kind).value_or(ConnectionKind::NotSet);
  if (s.kind == ConnectionKind::NotSet && !kind.isEmpty()) {
    unknown(Keys::kConnection, kind, storedNames(kConnectionKinds));
  }
  s.host = store.value(Keys::kHost).toString().trimmed();
  s.port = readSetting(store, Keys::kPort, kDefaultPort);
  const QString timeout = store.value(Keys::kTimeoutMs).toString().trimmed();
  if (!timeout.isEmpty()) {
    bool ok = false;
    const int value = timeout.toInt(&ok);
    if (ok && value >= 1 && value <= kMaxTimeoutMs) {
      s.timeoutMs = value;
    } else {
      found << QStringLiteral("%1=%2 is not a number of milliseconds from 1 to %3.")
                   .arg(Keys::kTimeoutMs, timeout)
                   .arg(kMaxTimeoutMs);
    }
  }
  s.queue = store.value(Keys::kQueue).toString().trimmed();
  s.path = store.value(Keys::kPath).toString();
  s.serialPort = store.value(Keys::kSerialPort).toString().trimmed();
  s.baudRate = readSetting(store, Keys::kBaudRate, s.baudRate);
  s.dataBits = readSetting(store, Keys::kDataBits, s.dataBits);
  const QString parity = store.value(Keys::kParity).toString().trimmed();
  const std::optional<Parity> parityNamed = choiceNamed(kParities, parity);
  s.parity = parityNamed.value_or(s.parity);
  const bool parityKnown = parity.isEmpty() || parityNamed;
  s.stopBits = readSetting(store, Keys::kStopBits, s.stopBits);
  const QString flow = store.value(Keys::kFlowControl).toString().trimmed();
  const std::optional<FlowControl> flowNamed = choiceNamed(kFlowControls, flow);
  s.flowControl = flowNamed.value_or(s.flowControl);
  const bool flowKnown = flow.isEmpty() || flowNamed;
  // Serial parameters only matter to a serial connection.
  if (s.kind == ConnectionKind::Serial && !parityKnown) {
    unknown(Keys::kParity, parity, storedNames(kParities));
  }
  if (s.kind == ConnectionKind::Serial && !flowKnown) {
    unknown(Keys::kFlowControl, flow, storedNames(kFlowControls));
  }
  store.endGroup();
  if (problems) {
    *problems = found;
  }
  return s;
}

std::vector<std::pair<QString, QVariant>> linkSettingsValues(const LinkSettings& s) {
  return {{Keys::kConnection, connectionKindName(s.kind)},
          {Keys::kHost, s.host},
          {Keys::kPort, s.port},
          {Keys::kTimeoutMs, s.timeoutMs},
          {Keys::kQueue, s.queue},
          {Keys::kPath, s.path},
          {Keys::kSerialPort, s.serialPort},
          {Keys::kBaudRate, s.baudRate},
          {Keys::kDataBits, s.dataBits},
          {Keys::kParity, parityName(s.parity)},
          {Keys::kStopBits, s.stopBits},
          {Keys::kFlowControl, flowControlName(s.flowControl)}};
}

}  // namespace Orvanel
