#pragma once

#include <QByteArray>

#include <memory>

#include "core/link/link_settings.h"
#include "core/link/printer_link_interface.h"
#include "core/link/transport.h"

namespace Orvanel {

// The link over a transport: the one place that opens the transport the settings choose, hands it
// the bytes and closes it. The component holds one for the window, and the window-free link of the
// command-line tool is one. Every failure raises LinkError.
class TransportLink : public PrinterLink {
 public:
  explicit TransportLink(LinkSettings settings = {});
  ~TransportLink() override;

  // A connection left open by an earlier failure is dropped unfinished (nothing it still holds is
  // sent); the new one starts clean.
  void OpenConnection() override;
  void SendData(const QByteArray& data) override;
  // Hands over what the transport still holds and releases it; also after a failure it is gone.
  void CloseConnection() override;

  // Drops the connection unfinished, as a new opening would.
  void drop() { transport_.reset(); }
  bool isOpen() const { return transport_ != nullptr; }

  // The settings the next opening uses; an open connection keeps the ones it was opened with.
  const LinkSettings& settings() const { return settings_; }
  void setSettings(const LinkSettings& settings) { settings_ = settings; }

 private:
  Transport& openTransport();

  LinkSettings settings_;
  std::unique_ptr<Transport> transport_;
};

}  // namespace Orvanel
