#pragma once

#include <QString>
#include <QStringList>

namespace Q6 {

// The folder "Presets" beside the program file (an installed program keeps its presets there).
QString presetsFolderBesideProgram();
// The preset files the presets window lists for folder, in its order.
QStringList presetFilesIn(const QString& folder);

}  // namespace Q6
