#include "gui/link/printer_link.h"

#include <QVBoxLayout>

#include "gui/link/link_settings_panel.h"

namespace Orvanel {

namespace {

// Where in this window the operator puts the stored connection right.
QString withWindowHint(const QString& message, LinkRemedy remedy) {
  switch (remedy) {
    case LinkRemedy::SetUp:
      return message + Quenlink::tr(
                           " Press \"Communication\" on the Main tab first and choose how this "
                           "computer reaches the printer.");
    case LinkRemedy::Correct:
      return message + Quenlink::tr(" Press \"Communication\" on the Main tab to fix it.");
    case LinkRemedy::FixFile:
      return message +
             Quenlink::tr(
                 " Fix or remove that file, then press \"Communication\" on the Main tab.");
    case LinkRemedy::None:
      break;
  }
  return message;
}

}  // namespace

Quenlink::Quenlink(QWidget* parent) : QWidget(parent) {}

Quenlink::~Quenlink() = default;

void Quenlink::OpenConnection() {
  // Whatever this opening finds, a connection left by an earlier failure is gone afterwards.
  link_.drop();
  if (!loadProblem_.isEmpty()) {
    throw LinkError(loadProblem_);
  }
  try {
    link_.OpenConnection();
  } catch (const LinkError& error) {
    if (error.remedy() == LinkRemedy::None) {
      throw;
    }
    throw LinkError(withWindowHint(error.message(), error.remedy()));
  }
}

void Quenlink::SendData(const QByteArray& data) {
  link_.SendData(data);
}

void Quenlink::CloseConnection() {
  link_.CloseConnection();
}

void Quenlink::SaveLinkSettings(const QString& key) {
  const LinkSettings edited = panel_ ? panel_->editedSettings() : settings();
  // The component's callers expect its refusals as LinkError.
  if (const Q6::Result<> valid = validateLinkSettings(edited); !valid) {
    throw LinkError(valid.error());
  }
  if (const Q6::Result<> stored = storeLinkSettings(key, edited); !stored) {
    throw LinkError(stored.error());
  }
  setSettings(edited);
}

void Quenlink::LoadLinkSettings(const QString& key) {
  StoredLinkSettings stored = readStoredLinkSettings(key);
  setSettings(stored.settings);
  // Kept for the first action, so the operator is told what is wrong with the file instead of
  // "not set up"; an unreadable file is also reported now.
  loadProblem_ = withWindowHint(stored.problem, stored.remedy);
  if (stored.unreadable) {
    throw LinkError(loadProblem_);
  }
}

void Quenlink::setSettings(const LinkSettings& settings) {
  link_.setSettings(settings);
  loadProblem_.clear();
  if (panel_) {
    panel_->setOfferedKinds(showspooler, showtcpip, showfile);
    panel_->showSettings(settings);
  }
}

LinkSettingsPanel* Quenlink::settingsPanel() {
  if (!panel_) {
    panel_ = new LinkSettingsPanel(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel_);
    panel_->setOfferedKinds(showspooler, showtcpip, showfile);
    panel_->showSettings(settings());
  }
  return panel_;
}

void Quenlink::showEvent(QShowEvent* event) {
  settingsPanel();
  QWidget::showEvent(event);
}

}  // namespace Orvanel
