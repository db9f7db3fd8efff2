#include "main_window/main_window.h"

frmMain::frmMain(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("frmMain"));
  scm_comms = new Orvanel::Quenlink(this);
  scm_comms->setObjectName(QStringLiteral("scm_comms"));
  scm_comms->hide();
  scm_comms->LoadLinkSettings(Orvanel::kLinkSettingsKey);
}
