#pragma once

#include <QDialog>

#include "gui/link/printer_link.h"

class QPushButton;

// "Communication Settings": the settings panel of its own link instance plus "Use" and "Cancel".
// Shown modally; every showing loads the stored settings anew.
class frmPort : public QDialog {
  Q_OBJECT

 public:
  explicit frmPort(QWidget* owner = nullptr);

  Orvanel::Quenlink* scm_interface = nullptr;
  QPushButton* Command1 = nullptr;  // "Use"
  QPushButton* Command2 = nullptr;  // "Cancel"

  void Form_Load();
  void Command1_Click();
  void Command2_Click();

 protected:
  void showEvent(QShowEvent* event) override;
};
