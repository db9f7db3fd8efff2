#include "link/printer_link.h"

#include <QSettings>

namespace Orvanel {

Quenlink::Quenlink(QWidget* parent) : QWidget(parent) {}

Quenlink::~Quenlink() = default;

std::unique_ptr<QSettings> openSettingsStore() {
  return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                     QStringLiteral("Q56Config"), QStringLiteral("Q56Config"));
}

void Quenlink::OpenConnection() {
  if (transport_) {
    // A connection left open by an earlier failure is dropped; the new one starts clean.
    auto old = std::move(transport_);
    try {
      old->close();
    } catch (const LinkError&) {
    }
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
  auto store = openSettingsStore();
  writeLinkSettings(*store, key, settings_);
  if (store->status() != QSettings::NoError) {
    throw LinkError(QStringLiteral("Could not store the printer connection settings in %1.")
                        .arg(store->fileName()));
  }
}

void Quenlink::LoadLinkSettings(const QString& key) {
  auto store = openSettingsStore();
  setSettings(readLinkSettings(*store, key));
}

void Quenlink::setSettings(const LinkSettings& settings) {
  settings_ = settings;
}

}  // namespace Orvanel
