#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

#include "core/presets/preset_file.h"
#include "core/presets/preset_folder.h"

class QCloseEvent;
class QLabel;
class QListWidget;
class QPushButton;

namespace Q6 {
// What the presets window needs of the window it fills, and nothing more: the size of each list a
// preset sets, to check a file against; a way to apply a checked preset; and the window to show
// again when it steps aside.
struct PresetTarget {
  QWidget* window = nullptr;
  std::function<PresetListCounts()> listCounts;
  std::function<void(const PresetValues&)> apply;
};
}  // namespace Q6

// "Preset Settings": pick a preset file and apply it to the target window, which it replaces on the
// screen while it is open. Hidden, never closed, between uses, so it keeps its list, selection and
// description for the whole run.
class frmPresets : public QWidget {
  Q_OBJECT

 public:
  explicit frmPresets(Q6::PresetTarget target);

  QListWidget* filePresets = nullptr;  // the "*.pre" files of the presets folder, by name
  QPushButton* comPUse = nullptr;      // "Use"
  QPushButton* comPSave = nullptr;     // "Save New": hidden, no action
  QPushButton* comPCancel = nullptr;   // "Cancel"
  QLabel* labPDesc = nullptr;          // the selected file's description

  void Form_Load();
  void filePresets_Click();
  void comPUse_Click();
  void comPCancel_Click();

  // The folder "Presets" beside the program file unless set here. Setting it reads the folder
  // again; tests use it to point the window at a folder of their own.
  QString presetsFolder() const { return folder_; }
  void setPresetsFolder(const QString& folder);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void readFolder();
  QString selectedFileName() const;

  Q6::PresetTarget target_;
  QString folder_;
};
