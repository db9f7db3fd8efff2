#pragma once

#include <QSettings>
#include <QString>

#include <memory>

#include "link/link_settings.h"

// The per-user settings file shared by the window program, the command-line tool and the
// printer-link component: $XDG_CONFIG_HOME/Q56Config/Q56Config.ini (usually ~/.config/...).
namespace Orvanel {

// The group that holds the link settings: "Q56Config" followed by "COM".
inline const QString kLinkSettingsKey = QStringLiteral("Q56Config") + QStringLiteral("COM");

// The path of the settings file in force now.
QString settingsFilePath();

// The settings file as a QSettings in INI format.
std::unique_ptr<QSettings> openSettingsStore();

// The link settings stored under the group `key` (nothing stored: NotSet). Raises LinkError when
// the stored settings cannot be read or used as they stand.
LinkSettings loadStoredLinkSettings(const QString& key);

}  // namespace Orvanel
