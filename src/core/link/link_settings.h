#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstddef>
#include <optional>
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

// The serial frame sizes a port takes, in the order the settings panel offers them.
inline constexpr int kDataBitsChoices[] = {8, 7, 6, 5};
inline constexpr int kStopBitsChoices[] = {1, 2};

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

// The names of every choice in one place: `stored` is what the settings file holds (and what an
// administrator writes by hand, so it never changes), `shown` what the settings panel's lists say.
// The lists show the choices in this order.
template <typename Value>
struct NamedChoice {
  Value value;
  const char* stored;
  const char* shown;
};
inline constexpr NamedChoice<ConnectionKind> kConnectionKinds[] = {
    {ConnectionKind::Network, "Network", QT_TRANSLATE_NOOP("Q6::Link", "Network (TCP/IP)")},
    {ConnectionKind::Queue, "Queue", QT_TRANSLATE_NOOP("Q6::Link", "Printer queue")},
    {ConnectionKind::File, "File", QT_TRANSLATE_NOOP("Q6::Link", "File or device")},
    {ConnectionKind::Serial, "Serial", QT_TRANSLATE_NOOP("Q6::Link", "Serial port")},
};
inline constexpr NamedChoice<Parity> kParities[] = {
    {Parity::None, "None", QT_TRANSLATE_NOOP("Q6::Link", "None")},
    {Parity::Even, "Even", QT_TRANSLATE_NOOP("Q6::Link", "Even")},
    {Parity::Odd, "Odd", QT_TRANSLATE_NOOP("Q6::Link", "Odd")},
};
inline constexpr NamedChoice<FlowControl> kFlowControls[] = {
    {FlowControl::None, "None", QT_TRANSLATE_NOOP("Q6::Link", "None")},
    {FlowControl::Hardware, "Hardware", QT_TRANSLATE_NOOP("Q6::Link", "Hardware (RTS/CTS)")},
    {FlowControl::Software, "Software", QT_TRANSLATE_NOOP("Q6::Link", "Software (XON/XOFF)")},
};

QString connectionKindName(ConnectionKind kind);  // "Network", "Queue", "File", "Serial", ""
QString parityName(Parity parity);                // "None", "Even", "Odd"
QString flowControlName(FlowControl flow);        // "None", "Hardware", "Software"

// The choice stored as `name`, in any case; none for a name that is not in the table.
template <typename Value, std::size_t N>
std::optional<Value> choiceNamed(const NamedChoice<Value> (&choices)[N], const QString& name) {
  for (const NamedChoice<Value>& choice : choices) {
    if (name.compare(QLatin1String(choice.stored), Qt::CaseInsensitive) == 0) {
      return choice.value;
    }
  }
  return std::nullopt;
}

// "None, Even, Odd": the stored names, for a message that says what a value may be.
template <typename Value, std::size_t N>
QString storedNames(const NamedChoice<Value> (&choices)[N]) {
  QStringList names;
  for (const NamedChoice<Value>& choice : choices) {
    names << QLatin1String(choice.stored);
  }
  return names.join(QStringLiteral(", "));
}

// Refused with a sentence for the operator saying what to fix when the settings cannot be used.
Q6::Result<> validateLinkSettings(const LinkSettings& settings);

}  // namespace Orvanel
