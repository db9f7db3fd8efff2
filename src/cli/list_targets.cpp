#include "cli/list_targets.h"

#include <QDir>
#include <QSerialPortInfo>

#include "link/queue_transport.h"

namespace Q6Cli {

std::vector<FoundTarget> findLocalTargets(int timeoutMs) {
  std::vector<FoundTarget> found;
  for (const QString& queue : Orvanel::listPrinterQueues(timeoutMs)) {
    found.push_back({QStringLiteral("queue:") + queue,
                     QStringLiteral("printer queue on %1").arg(Orvanel::printServerName())});
  }
  for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
    QStringList about;
    if (!port.description().isEmpty()) {
      about << port.description();
    }
    if (!port.manufacturer().isEmpty()) {
      about << port.manufacturer();
    }
    found.push_back({QStringLiteral("serial:") + port.systemLocation(), about.join(u", ")});
  }
  const QDir usb(QStringLiteral("/dev/usb"));
  for (const QString& node :
       usb.entryList({QStringLiteral("lp*")}, QDir::System | QDir::Files, QDir::Name)) {
    found.push_back(
        {QStringLiteral("file:") + usb.filePath(node), QStringLiteral("USB printer device node")});
  }
  return found;
}

}  // namespace Q6Cli
