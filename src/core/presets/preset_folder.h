#pragma once

#include <QString>
#include <QStringList>

namespace Q6 {

// The Presets folder, for the window and the tool alike: "Presets" beside the program file (the
// window program's installed folder, lib/q6config/, or the build folder), else the installed one
// seen from a program in bin/ (lib/q6config/Presets beside bin/).
QString presetsFolder();
// The preset files the presets window lists for folder, in its order.
QStringList presetFilesIn(const QString& folder);

}  // namespace Q6
