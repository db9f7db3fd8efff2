#pragma once

#include <QWidget>

class frmMain;

// "Preset Settings": pick a preset file and apply it to the main window, which it replaces on the
// screen while it is open.
class frmPresets : public QWidget {
  Q_OBJECT

 public:
  explicit frmPresets(frmMain* mainWindow);

 private:
  frmMain* main_;
};
