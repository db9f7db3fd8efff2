#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

#include "core/link/link_settings.h"

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
  // Network: whether this computer itself turns hostName into an address (checkHostNames). Then
  // the name is what a connection keeps, since it outlives the address the next DHCP lease may
  // change; otherwise the address, since a name this computer cannot resolve would fail.
  bool hostNameResolves = false;

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
  // Network: the host that fill() stores, the name or the address (see hostNameResolves).
  QString storedHost() const;
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

// How long a search waits for this computer to resolve the network printers' .local names.
inline constexpr int kHostNameCheckMs = 1500;

struct DiscoveryOptions {
  // No part of the search waits longer than this for a service to answer.
  int timeoutMs = 3000;
  int sources = FindEverything;
  // Where the kernel's device tree and the device nodes are; a test lays out its own.
  QString sysfsRoot = QStringLiteral("/sys");
  QString devRoot = QStringLiteral("/dev");
  // Where the window's search takes network printers from: findNetworkPrinters unless a test
  // gives printers of its own.
  std::function<QList<FoundTarget>(int timeoutMs, QString* note)> findNetwork;
  // How a network printer's host name is looked up: systemResolves unless a test gives its own.
  std::function<bool(const QString& name)> lookUpHost;
};

struct Discovery {
  QList<FoundTarget> targets;  // sorted: by source, then by name
  // One line for each service that could not be asked (no Avahi daemon, no print server).
  QStringList notes;
};

// Every printer the chosen sources know, within the time limit, network printers with their host
// names checked (checkHostNames). Blocking: the window calls it off its own thread. Never throws.
Discovery discoverTargets(const DiscoveryOptions& options = {});

// Puts targets in the order every list of them shows: by source, then by name in any case. Targets
// that compare the same keep their order.
void sortTargets(QList<FoundTarget>& targets);
// The targets' names (device nodes, serial ports...), in their order.
QStringList targetNames(const QList<FoundTarget>& targets);

// The single sources, each bounded by timeoutMs where it waits for a service.
QList<FoundTarget> findNetworkPrinters(int timeoutMs, QString* note);
QList<FoundTarget> findPrinterQueues(int timeoutMs, QString* note);
QList<FoundTarget> findDeviceNodes(const QString& sysfsRoot, const QString& devRoot);
QList<FoundTarget> findSerialPorts();

// Asks this computer's own name services (as the link will when it connects) whether name turns
// into an address. Blocking, for as long as they take.
bool systemResolves(const QString& name);
using HostLookUp = std::function<bool(const QString& name)>;

// Whether lookUp answers yes within timeoutMs: false when it says no, or not in time. A look-up
// that takes longer goes on by itself and its answer is dropped.
bool resolvesHere(const QString& name, int timeoutMs, const HostLookUp& lookUp = systemResolves);
// Sets hostNameResolves of every network target that has both a name and an address, the look-ups
// side by side, all within timeoutMs.
void checkHostNames(QList<FoundTarget>& targets, int timeoutMs,
                    const HostLookUp& lookUp = systemResolves);

// "MFG:ACME;MDL:QLX600;..." -> manufacturer and model (long or short key names, any case).
void readDeviceId(const QByteArray& id, QString* manufacturer, QString* model,
                  QString* serialNumber);

}  // namespace Orvanel
