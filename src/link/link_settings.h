#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <utility>
#include <vector>

class QSettings;

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

// Storage keys inside the group named by the link settings key. Administrators provision machines
// by writing these by hand, so they never change.
namespace Keys {
inline const QString kConnection = QStringLiteral("Connection");
inline const QString kHost = QStringLiteral("Host");
inline const QString kPort = QStringLiteral("Port");
inline const QString kTimeoutMs = QStringLiteral("TimeoutMs");
inline const QString kQueue = QStringLiteral("Queue");
inline const QString kPath = QStringLiteral("Path");
inline const QString kSerialPort = QStringLiteral("SerialPort");
inline const QString kBaudRate = QStringLiteral("BaudRate");
inline const QString kDataBits = QStringLiteral("DataBits");
inline const QString kParity = QStringLiteral("Parity");
inline const QString kStopBits = QStringLiteral("StopBits");
inline const QString kFlowControl = QStringLiteral("FlowControl");
}  // namespace Keys

QString connectionKindName(ConnectionKind kind);  // "Network", "Queue", "File", "Serial", ""

// Reads the group `key` of store; a group with no (or an unknown) Connection gives NotSet. A
// missing or empty value takes its default. A value that is there but cannot be used is never
// guessed: an unreadable port or serial number reads as 0 (which the check refuses), and an unknown
// connection kind, parity or flow control or an out-of-range time limit is described in *problems,
// one sentence each, naming the key and what it allows.
LinkSettings readLinkSettings(QSettings& store, const QString& key,
                              QStringList* problems = nullptr);
// Every key of the settings with the text or number stored for it.
std::vector<std::pair<QString, QVariant>> linkSettingsValues(const LinkSettings& settings);

// Empty when the settings can be used; otherwise a sentence for the operator saying what to fix.
QString validateLinkSettings(const LinkSettings& settings);

}  // namespace Orvanel
