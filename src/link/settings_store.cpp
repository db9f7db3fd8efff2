#include "link/settings_store.h"

#include <QStandardPaths>

namespace Orvanel {

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

LinkSettings loadStoredLinkSettings(const QString& key) {
  auto store = openSettingsStore();
  return readLinkSettings(*store, key);
}

}  // namespace Orvanel
