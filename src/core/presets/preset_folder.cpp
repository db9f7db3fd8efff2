#include "core/presets/preset_folder.h"

#include <QCoreApplication>
#include <QDir>

namespace Q6 {

QString presetsFolderBesideProgram() {
  return QCoreApplication::applicationDirPath() + QStringLiteral("/Presets");
}

QStringList presetFilesIn(const QString& folder) {
  // Without QDir::Hidden and QDir::System, hidden files, pipes, sockets and devices stay out.
  return QDir(folder).entryList({QStringLiteral("*.pre")}, QDir::Files,
                                QDir::Name | QDir::IgnoreCase);
}

}  // namespace Q6
