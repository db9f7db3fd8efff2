#include "gui/link/printer_link.h"

#include <QVBoxLayout>
#include <csignal>

#include "gui/link/link_settings_panel.h"

namespace Orvanel {

Quenlink::Quenlink(QWidget* parent) : QWidget(parent) {
  // A device or pipe whose reader goes away must give a write error, not end the program.
  static const bool pipeSignalIgnored = [] { return std::signal(SIGPIPE, SIG_IGN) != SIG_ERR; }();
  (void)pipeSignalIgnored;
}

Quenlink::~Quenlink() = default;

void Quenlink::OpenConnection() {
  // A connection left open by an earlier failure is dropped unfinished (nothing it still holds is
  // sent); the new one starts clean.
  transport_.reset();
  if (!loadProblem_.isEmpty()) {
    throw LinkError(loadProblem_);
  }
  auto transport = makeTransport(settings_);
  transport->open();
  transport_ = std::move(transport);
}

void Quenlink::SendData(const QByteArray& data) {
  if (!transport_) {
    throw LinkError(QStringLiteral("The connection to the printer is not open."));
  }
  transport_->write(data);
}

void Quenlink::CloseConnection() {
  if (!transport_) {
    throw LinkError(QStringLiteral("The connection to the printer is not open."));
  }
  auto transport = std::move(transport_);
  transport->close();
}

void Quenlink::SaveLinkSettings(const QString& key) {
  const LinkSettings edited = panel_ ? panel_->editedSettings() : settings_;
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
  loadProblem_ = stored.problem;
  if (stored.unreadable) {
    throw LinkError(loadProblem_);
  }
}

void Quenlink::setSettings(const LinkSettings& settings) {
  settings_ = settings;
  loadProblem_.clear();
  if (panel_) {
    panel_->setOfferedKinds(showspooler, showtcpip, showfile);
    panel_->showSettings(settings_);
  }
}

LinkSettingsPanel* Quenlink::settingsPanel() {
  if (!panel_) {
    panel_ = new LinkSettingsPanel(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel_);
    panel_->setOfferedKinds(showspooler, showtcpip, showfile);
    panel_->showSettings(settings_);
  }
  return panel_;
}

void Quenlink::showEvent(QShowEvent* event) {
  settingsPanel();
  QWidget::showEvent(event);
}

}  // namespace Orvanel
