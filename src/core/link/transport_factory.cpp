#include "core/link/transport_factory.h"

#include "core/link/file_transport.h"
#include "core/link/link_error.h"
#include "core/link/network_transport.h"
#include "core/link/queue_transport.h"
#include "core/link/serial_transport.h"

namespace Orvanel {

std::unique_ptr<Transport> makeTransport(const LinkSettings& settings) {
  const Q6::Result<> valid = validateLinkSettings(settings);
  if (settings.kind == ConnectionKind::NotSet) {
    throw LinkError(QStringLiteral("No printer connection has been set up yet."),
                    LinkRemedy::SetUp);
  }
  if (!valid) {
    throw LinkError(
        QStringLiteral("The printer connection is not set up correctly: %1").arg(valid.error()),
        LinkRemedy::Correct);
  }
  switch (settings.kind) {
    case ConnectionKind::Network:
      return std::make_unique<NetworkTransport>(settings.host, settings.port, settings.timeoutMs);
    case ConnectionKind::File:
      return std::make_unique<FileTransport>(settings.path, settings.timeoutMs);
    case ConnectionKind::Queue:
      return std::make_unique<QueueTransport>(settings.queue, settings.timeoutMs);
    case ConnectionKind::Serial:
      return std::make_unique<SerialTransport>(settings);
    case ConnectionKind::NotSet:
      break;
  }
  throw LinkError(QStringLiteral("This connection kind is not available in this build."));
}

}  // namespace Orvanel
