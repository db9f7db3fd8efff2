#pragma once

#include <QByteArray>

#include <memory>

#include "link/link_settings.h"

namespace Orvanel {

// One way of carrying bytes to the printer. Every failure is raised as LinkError.
class Transport {
 public:
  virtual ~Transport() = default;
  virtual void open() = 0;
  // Hands every byte over before returning; bytes go out exactly as given.
  virtual void write(const QByteArray& data) = 0;
  // Finishes the job (waiting for pending bytes) and releases the connection.
  virtual void close() = 0;
};

// The transport for the settings' connection kind (NotSet raises the "press Communication" error).
std::unique_ptr<Transport> makeTransport(const LinkSettings& settings);

}  // namespace Orvanel
