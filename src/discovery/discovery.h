#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "link/link_settings.h"

namespace Orvanel {

// Where a printer was found. The order is the order in which they are listed.
enum class TargetSource { Network, Queue, DeviceNode, Serial };

// One printer this computer can reach, as far as the system's own services know it.
struct FoundTarget {
  TargetSource source = TargetSource::Network;
  QString name;  // service name, queue name, device node or serial port

  // Network (DNS-SD): the resolved host name, its address and the raw printing port.
  QString hostName;
  QString address;
  int port = 0;

  // Queue: the server's description of it and whether it takes jobs now.
  QString description;
  bool acceptingJobs = false;

  // Device node and serial port: what the device says about itself, where the system knows it.
  QString manufacturer;
  QString model;
  QString serialNumber;

  // The connection kind this target is reached by.
  ConnectionKind kind() const;
  // Sets the kind and the fields of that kind in settings; every other field stays as it is.
  void fill(LinkSettings& settings) const;
  // One line for a list or a terminal, e.g. "Network: Front desk (192.0.2.7 port 9100, ...)".
  QString summary() const;

  bool operator==(const FoundTarget&) const = default;
};

enum DiscoverySource {
  FindNetwork = 0x1,
  FindQueues = 0x2,
  FindDeviceNodes = 0x4,
  FindSerialPorts = 0x8,
  FindEverything = 0xF,
};

struct DiscoveryOptions {
  // No part of the search waits longer than this for a service to answer.
  int timeoutMs = 3000;
  int sources = FindEverything;
  // Where the kernel's device tree and the device nodes are; a test lays out its own.
  QString sysfsRoot = QStringLiteral("/sys");
  QString devRoot = QStringLiteral("/dev");
};

struct Discovery {
  QList<FoundTarget> targets;  // sorted: by source, then by name
  // One line for each service that could not be asked (no Avahi daemon, no print server).
  QStringList notes;
};

// Every printer the chosen sources know, within the time limit. Blocking: the window calls it off
// its own thread. Never throws.
Discovery discoverTargets(const DiscoveryOptions& options = {});

// The single sources, each bounded by timeoutMs where it waits for a service.
QList<FoundTarget> findNetworkPrinters(int timeoutMs, QString* note);
QList<FoundTarget> findPrinterQueues(int timeoutMs, QString* note);
QList<FoundTarget> findDeviceNodes(const QString& sysfsRoot, const QString& devRoot);
QList<FoundTarget> findSerialPorts();

// "MFG:ACME;MDL:QLX600;..." -> manufacturer and model (long or short key names, any case).
void readDeviceId(const QByteArray& id, QString* manufacturer, QString* model,
                  QString* serialNumber);

}  // namespace Orvanel
