// What makes two targets the same printer, so that a run serves each printer once however its
// targets are spelt.
#include "cli/targets.h"
#include "core/link/printer_identity.h"

namespace Q6Cli {

QString printerKey(const Orvanel::LinkSettings& s) {
  using Orvanel::ConnectionKind;
  switch (s.kind) {
    case ConnectionKind::Network:
      return QStringLiteral("tcp %1 %2")
          .arg(Orvanel::canonicalHost(s.host), QString::number(s.port));
    case ConnectionKind::Queue:
      return QStringLiteral("queue ") + s.queue.toLower();
    case ConnectionKind::File:
      return Orvanel::fileIdentity(s.path);
    case ConnectionKind::Serial:
      return Orvanel::fileIdentity(Orvanel::serialPortLocation(s.serialPort));
    case ConnectionKind::NotSet:
      break;
  }
  return QString();
}

}  // namespace Q6Cli
