#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>

#include <memory>
#include <utility>
#include <vector>

#include "link/link_settings.h"

// The per-user settings file shared by the window program, the command-line tool and the
// printer-link component: $XDG_CONFIG_HOME/Q56Config/Q56Config.ini (usually ~/.config/...).
// Administrators provision it by hand, so what they wrote (comments, keys of other tools, the
// order) is kept when the program stores its own values.
namespace Orvanel {

// The group that holds the link settings: "Q56Config" followed by "COM".
inline const QString kLinkSettingsKey = QStringLiteral("Q56Config") + QStringLiteral("COM");

// The path of the settings file in force now.
QString settingsFilePath();

// The settings file as a QSettings in INI format, for reading.
std::unique_ptr<QSettings> openSettingsStore();

// Why the settings file cannot be read (a folder in its place, no permission); empty when it can,
// or when there is none yet.
QString settingsFileProblem();

struct StoredLinkSettings {
  LinkSettings settings;
  // Empty when the stored settings can be used as they stand; otherwise one message for the
  // operator naming the file, the keys and what they allow.
  QString problem;
  bool unreadable = false;  // the file itself cannot be read
};

// The link settings stored under the group `key` (nothing stored: NotSet, no problem).
StoredLinkSettings readStoredLinkSettings(const QString& key);

// The same, raising LinkError with the problem when there is one.
LinkSettings loadStoredLinkSettings(const QString& key);

using StoredValues = std::vector<std::pair<QString, QVariant>>;

// Sets the values in `group`, keeping every other line of the file as it stands; the file is
// replaced whole or not at all. Returns an empty string, or the reason the values could not be
// stored (naming the file).
QString storeValues(const QString& group, const StoredValues& values);

// Stores settings under the group `key` the same way.
QString storeLinkSettings(const QString& key, const LinkSettings& settings);

}  // namespace Orvanel
