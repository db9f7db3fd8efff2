#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <utility>
#include <vector>

#include "core/common/result.h"

namespace Orvanel {

enum class ConnectionKind { NotSet, Network, Queue, File, Serial };
enum class Parity { None, Even, Odd };
enum class FlowControl { None, Hardware, Software };

inline constexpr int kDefaultPort = 9100;
inline constexpr int kDefaultTimeoutMs = 5000;
// Longer than any printer needs to take the next bytes; beyond it a dead printer would hold the
// window for hours.
inline constexpr int kMaxTimeoutMs = 600000;

// How the computer reaches the printer. Only the fields of the chosen kind are used.
struct LinkSettings {
  ConnectionKind kind = ConnectionKind::NotSet;
  QString host;
  int port = kDefaultPort;
  int timeoutMs = kDefaultTimeoutMs;
  QString queue;
  QString path;
  QString serialPort;
  int baudRate = 9600;
  int dataBits = 8;
  Parity parity = Parity::None;
  int stopBits = 1;
  FlowControl flowControl = FlowControl::None;

  bool operator==(const LinkSettings&) const = default;
};

QString connectionKindName(ConnectionKind kind);  // "Network", "Queue", "File", "Serial", ""

// Refused with a sentence for the operator saying what to fix when the settings cannot be used.
Q6::Result<> validateLinkSettings(const LinkSettings& settings);

}  // namespace Orvanel

// The settings store and its keys have one home; files that reach them through this header keep
// working.
#include "core/link/settings_store.h"  // IWYU pragma: export
