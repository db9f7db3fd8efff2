#include "link/comm_settings_window.h"

#include <QPushButton>
#include <QShowEvent>

frmPort::frmPort(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("frmPort"));
  setWindowTitle(QStringLiteral("Communication Settings"));
  scm_interface = new Orvanel::Quenlink(this);
  scm_interface->setObjectName(QStringLiteral("scm_interface"));
  scm_interface->setGeometry(0, 0, 255, 104);
  Command1 = new QPushButton(QStringLiteral("Use"), this);
  Command1->setObjectName(QStringLiteral("Command1"));
  Command1->setGeometry(4, 108, 61, 21);
  Command2 = new QPushButton(QStringLiteral("Cancel"), this);
  Command2->setObjectName(QStringLiteral("Command2"));
  Command2->setGeometry(192, 108, 61, 21);
  setFixedSize(256, 133);
  connect(Command1, &QPushButton::clicked, this, &frmPort::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &frmPort::Command2_Click);
}

void frmPort::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {
    Form_Load();
  }
  QDialog::showEvent(event);
}

void frmPort::Form_Load() {
  scm_interface->LoadLinkSettings(Orvanel::kLinkSettingsKey);
}

void frmPort::Command1_Click() {
  scm_interface->SaveLinkSettings(Orvanel::kLinkSettingsKey);
  accept();
}

void frmPort::Command2_Click() {
  reject();
}
