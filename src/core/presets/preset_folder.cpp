#include "core/presets/preset_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace Q6 {

QString presetsFolder() {
  const QString program = QCoreApplication::applicationDirPath();
  const QString beside = program + QStringLiteral("/Presets");
  const QString installed = QDir::cleanPath(program + QStringLiteral("/../lib/q6config/Presets"));
  return !QFileInfo(beside).isDir() && QFileInfo(installed).isDir() ? installed : beside;
}

QStringList presetFilesIn(const QString& folder) {
  // Without QDir::Hidden and QDir::System, hidden files, pipes, sockets and devices stay out.
  return QDir(folder).entryList({QStringLiteral("*.pre")}, QDir::Files,
                                QDir::Name | QDir::IgnoreCase);
}

}  // namespace Q6
