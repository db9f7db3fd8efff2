#include "presets/presets_window.h"

#include "main_window/main_window.h"

frmPresets::frmPresets(frmMain* mainWindow) : QWidget(nullptr, Qt::Window), main_(mainWindow) {
  setObjectName(QStringLiteral("frmPresets"));
  setWindowTitle(QStringLiteral("Preset Settings"));
}
