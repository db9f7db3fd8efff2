#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>

#include <memory>
#include <utility>
#include <vector>

#include "core/common/result.h"
#include "core/link/link_error.h"
#include "core/link/link_settings.h"
#include "core/store/ini_splice.h"

// The per-user settings file shared by the window program, the command-line tool and the
// printer-link component: $XDG_CONFIG_HOME/Q56Config/Q56Config.ini (usually ~/.config/...).
// Administrators provision it by hand, so what they wrote (comments, keys of other tools, the
// order) is kept when the program stores its own values.
namespace Orvanel {

// Storage keys inside the group named by the link settings key. Administrators provision machines
// by writing these by hand, so they never change.
namespace Keys {
inline const QString kConnection = QStringLiteral("Connection");
inline const QString kHost = QStringLiteral("Host");
inline const QString kPort = QStringLiteral("Port");
inline const QString kTimeoutMs = QStringLiteral("TimeoutMs");
inline const QString kQueue = QStringLiteral("Queue");
inline const QString kPath = QStringLiteral("Path");
inline const QString kSerialPort = QStringLiteral("SerialPort");
inline const QString kBaudRate = QStringLiteral("BaudRate");
inline const QString kDataBits = QStringLiteral("DataBits");
inline const QString kParity = QStringLiteral("Parity");
inline const QString kStopBits = QStringLiteral("StopBits");
inline const QString kFlowControl = QStringLiteral("FlowControl");
}  // namespace Keys

// Reads the group `key` of store; a group with no (or an unknown) Connection gives NotSet. A
// missing or empty value takes its default. A value that is there but cannot be used is never
// guessed: an unreadable port or serial number reads as 0 (which the check refuses), and an unknown
// connection kind, parity or flow control or an out-of-range time limit is described in *problems,
// one sentence each, naming the key and what it allows.
LinkSettings readLinkSettings(QSettings& store, const QString& key,
                              QStringList* problems = nullptr);
// Every key of the settings with the text or number stored for it.
std::vector<std::pair<QString, QVariant>> linkSettingsValues(const LinkSettings& settings);

// The group that holds the link settings: "Q56Config" followed by "COM".
inline const QString kLinkSettingsKey = QStringLiteral("Q56Config") + QStringLiteral("COM");

// The path of the settings file in force now.
QString settingsFilePath();

// The settings file as a QSettings in INI format, for reading.
std::unique_ptr<QSettings> openSettingsStore();

// One stored value (group/key), or `fallback` when there is none or the file cannot be read. Each
// read reads the file anew: a store made a moment ago, by this program or another, is seen.
QVariant readStoredValue(const QString& group, const QString& key, const QVariant& fallback);

struct StoredLinkSettings {
  LinkSettings settings;
  // Empty when the stored settings can be used as they stand; otherwise one message for the
  // operator naming the file, the keys and what they allow.
  QString problem;
  bool unreadable = false;               // the file itself cannot be read
  LinkRemedy remedy = LinkRemedy::None;  // what the operator does about the problem
};

// The link settings stored under the group `key` (nothing stored: NotSet, no problem).
StoredLinkSettings readStoredLinkSettings(const QString& key);

// The same, raising LinkError with the problem and its remedy when there is one.
LinkSettings loadStoredLinkSettings(const QString& key);

// Sets the values in `group`, keeping every other byte of the file as it stands, under the file's
// lock; the file is replaced whole or not at all. Refused with a message that names the file and
// the reason (the system's own words, e.g. "No space left on device").
Q6::Result<> storeValues(const QString& group, const StoredValues& values);

// Stores settings under the group `key` the same way.
Q6::Result<> storeLinkSettings(const QString& key, const LinkSettings& settings);

}  // namespace Orvanel
