#pragma once

#include <QWidget>

#include "link/printer_link.h"

// The main window. (Layout and handlers arrive with the main window work.)
class frmMain : public QWidget {
  Q_OBJECT

 public:
  explicit frmMain(QWidget* parent = nullptr);

  Orvanel::Quenlink* scm_comms = nullptr;
};
