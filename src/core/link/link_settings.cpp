#include "core/link/link_settings.h"

#include <algorithm>
#include <iterator>

namespace Orvanel {

namespace {

// `fallback` for a value outside the table (NotSet has no name).
template <typename Value, std::size_t N>
QString storedName(const NamedChoice<Value> (&choices)[N], Value value, const QString& fallback) {
  for (const NamedChoice<Value>& choice : choices) {
    if (choice.value == value) {
      return QLatin1String(choice.stored);
    }
  }
  return fallback;
}

}  // namespace

QString connectionKindName(ConnectionKind kind) {
  return storedName(kConnectionKinds, kind, QString());
}

QString parityName(Parity parity) {
  return storedName(kParities, parity, QStringLiteral("None"));
}

QString flowControlName(FlowControl flow) {
  return storedName(kFlowControls, flow, QStringLiteral("None"));
}

Q6::Result<> validateLinkSettings(const LinkSettings& s) {
  switch (s.kind) {
    case ConnectionKind::NotSet:
      return Q6::Refused{QStringLiteral("Choose how this computer reaches the printer.")};
    case ConnectionKind::Network:
      if (s.host.trimmed().isEmpty()) {
        return Q6::Refused{
            QStringLiteral("Enter the printer's network address (host name or IP address).")};
      }
      if (s.port < 1 || s.port > 65535) {
        return Q6::Refused{QStringLiteral("The port must be a number from 1 to 65535.")};
      }
      break;
    case ConnectionKind::Queue:
      if (s.queue.trimmed().isEmpty()) {
        return Q6::Refused{QStringLiteral("Choose or enter the printer queue.")};
      }
      break;
    case ConnectionKind::File:
      if (s.path.trimmed().isEmpty()) {
        return Q6::Refused{QStringLiteral("Enter the path of the printer device or file.")};
      }
      break;
    case ConnectionKind::Serial:
      if (s.serialPort.trimmed().isEmpty()) {
        return Q6::Refused{QStringLiteral("Choose or enter the serial port.")};
      }
      if (s.baudRate <= 0) {
        return Q6::Refused{QStringLiteral("The baud rate must be a positive number.")};
      }
      if (std::ranges::find(kDataBitsChoices, s.dataBits) == std::end(kDataBitsChoices)) {
        return Q6::Refused{QStringLiteral("The data bits must be 5, 6, 7 or 8.")};
      }
      if (std::ranges::find(kStopBitsChoices, s.stopBits) == std::end(kStopBitsChoices)) {
        return Q6::Refused{QStringLiteral("The stop bits must be 1 or 2.")};
      }
      break;
  }
  if (s.timeoutMs <= 0 || s.timeoutMs > kMaxTimeoutMs) {
    return Q6::Refused{
        QStringLiteral("The time limit must be a number of milliseconds from 1 to %1.")
            .arg(kMaxTimeoutMs)};
  }
  return {};
}

}  // namespace Orvanel
