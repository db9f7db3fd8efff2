#include "core/discovery/discovery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPortInfo>
#include <QUrl>

#include <netdb.h>
#include <sys/socket.h>

#include <algorithm>
#include <future>
#include <vector>

#include "core/common/timed_answer.h"

namespace Orvanel {

ConnectionKind FoundTarget::kind() const {
  switch (source) {
    case TargetSource::Network:
      return ConnectionKind::Network;
    case TargetSource::Queue:
      return ConnectionKind::Queue;
    case TargetSource::DeviceNode:
      return ConnectionKind::File;
    case TargetSource::Serial:
      return ConnectionKind::Serial;
  }
  return ConnectionKind::NotSet;
}

void FoundTarget::fill(LinkSettings& settings) const {
  settings.kind = kind();
  switch (source) {
    case TargetSource::Network:
      settings.host = storedHost();
      settings.port = port;
      break;
    case TargetSource::Queue:
      settings.queue = name;
      break;
    case TargetSource::DeviceNode:
      settings.path = name;
      break;
    case TargetSource::Serial:
      settings.serialPort = name;
      break;
  }
}

QString FoundTarget::storedHost() const {
  // The .local name only where this computer resolves it: that needs a name-service module that
  // many machines lack, and the link would then fail where the search succeeded.
  return (hostNameResolves && !hostName.isEmpty()) || address.isEmpty() ? hostName : address;
}

QString FoundTarget::summary() const {
  QStringList details;
  QString kindName;
  switch (source) {
    case TargetSource::Network:
      kindName = QStringLiteral("Network");
      details << QStringLiteral("%1 port %2").arg(address.isEmpty() ? hostName : address).arg(port);
      if (!hostName.isEmpty() && !address.isEmpty()) {
        details << hostName;
      }
      break;
    case TargetSource::Queue:
      kindName = QStringLiteral("Printer queue");
      if (!description.isEmpty() && description != name) {
        details << description;
      }
      details << (acceptingJobs ? QStringLiteral("accepts jobs")
                                : QStringLiteral("does not accept jobs"));
      break;
    case TargetSource::DeviceNode:
      kindName = QStringLiteral("Device");
      break;
    case TargetSource::Serial:
      kindName = QStringLiteral("Serial port");
      if (!description.isEmpty()) {
        details << description;
      }
      break;
  }
  const QString makeAndModel = QStringList({manufacturer, model}).join(QLatin1Char(' ')).trimmed();
  if (!makeAndModel.isEmpty()) {
    details << makeAndModel;
  }
  if (!serialNumber.isEmpty()) {
    details << QStringLiteral("serial number %1").arg(serialNumber);
  }
  QString line = QStringLiteral("%1: %2").arg(kindName, name);
  if (!details.isEmpty()) {
    line += QStringLiteral(" (%1)").arg(details.join(QStringLiteral(", ")));
  }
  return line;
}

void readDeviceId(const QByteArray& id, QString* manufacturer, QString* model,
                  QString* serialNumber) {
  // Some devices pad the string with NULs or end it with a line end.
  const QString text = QString::fromLatin1(id).section(QChar(0), 0, 0).trimmed();
  for (const QString& field : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    const qsizetype colon = field.indexOf(QLatin1Char(':'));
    if (colon <= 0) {
      continue;
    }
    const QString key = field.left(colon).trimmed().toUpper();
    const QString value = field.mid(colon + 1).trimmed();
    if (value.isEmpty()) {
      continue;
    }
    if ((key == QLatin1String("MFG") || key == QLatin1String("MANUFACTURER")) && manufacturer) {
      *manufacturer = value;
    } else if ((key == QLatin1String("MDL") || key == QLatin1String("MODEL")) && model) {
      *model = value;
    } else if ((key == QLatin1String("SN") || key == QLatin1String("SERN") ||
                key == QLatin1String("SERIALNUMBER")) &&
               serialNumber) {
      *serialNumber = value;
    }
  }
}

bool systemResolves(const QString& name) {
  const QByteArray ace = QUrl::toAce(name);
  if (ace.isEmpty()) {
    return false;
  }
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* result = nullptr;
  const bool resolves = ::getaddrinfo(ace.constData(), nullptr, &hints, &result) == 0;
  if (result != nullptr) {
    ::freeaddrinfo(result);
  }
  return resolves;
}

namespace {

// Whether the name resolves here, looked up on a thread of its own so that waiting for it can end
// before the name services do.
Q6::TimedAnswer<bool> lookUpInBackground(const QString& name, const HostLookUp& lookUp) {
  return Q6::TimedAnswer<bool>(
      [name, lookUp] { return !name.isEmpty() && lookUp && lookUp(name); });
}

}  // namespace

bool resolvesHere(const QString& name, int timeoutMs, const HostLookUp& lookUp) {
  const auto deadline = Q6::deadlineIn(timeoutMs);
  return lookUpInBackground(name, lookUp).by(deadline).value_or(false);
}

void checkHostNames(QList<FoundTarget>& targets, int timeoutMs, const HostLookUp& lookUp) {
  const auto deadline = Q6::deadlineIn(timeoutMs);
  std::vector<std::pair<qsizetype, Q6::TimedAnswer<bool>>> pending;
  for (qsizetype i = 0; i < targets.size(); ++i) {
    const FoundTarget& t = targets[i];
    if (t.source == TargetSource::Network && !t.hostName.isEmpty() && !t.address.isEmpty()) {
      pending.emplace_back(i, lookUpInBackground(t.hostName, lookUp));
    }
  }
  for (const auto& [i, lookUpOfOne] : pending) {
    targets[i].hostNameResolves = lookUpOfOne.by(deadline).value_or(false);
  }
}

QList<FoundTarget> findDeviceNodes(const QString& sysfsRoot, const QString& devRoot) {
  QList<FoundTarget> found;
  static const QRegularExpression printerName(QStringLiteral("^lp[0-9]+$"));
  // The USB printer driver names its devices lp<n> in the usbmisc class and gives each the
  // printer's own IEEE 1284 device ID; other usbmisc devices (hiddev...) are no printers.
  const QDir usbmisc(sysfsRoot + QStringLiteral("/class/usbmisc"));
  for (const QString& entry : usbmisc.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System)) {
    if (!printerName.match(entry).hasMatch()) {
      continue;
    }
    FoundTarget t;
    t.source = TargetSource::DeviceNode;
    t.name = devRoot + QStringLiteral("/usb/") + entry;
    QFile id(usbmisc.filePath(entry) + QStringLiteral("/device/ieee1284_id"));
    if (id.open(QIODevice::ReadOnly)) {
      readDeviceId(id.read(4096), &t.manufacturer, &t.model, &t.serialNumber);
    }
    found << t;
  }
  // Nodes the device tree does not explain (parallel ports, a node made by hand) are still
  // printers' nodes: listed, without what the device would say about itself.
  for (const QString& folder : {devRoot + QStringLiteral("/usb"), devRoot}) {
    const QDir dir(folder);
    for (const QString& entry : dir.entryList(QDir::System | QDir::Files, QDir::Name)) {
      if (!printerName.match(entry).hasMatch()) {
        continue;
      }
      const QString path = dir.filePath(entry);
      if (std::none_of(found.cbegin(), found.cend(),
                       [&](const FoundTarget& t) { return t.name == path; })) {
        FoundTarget t;
        t.source = TargetSource::DeviceNode;
        t.name = path;
        found << t;
      }
    }
  }
  return found;
}

QList<FoundTarget> findSerialPorts() {
  QList<FoundTarget> found;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    FoundTarget t;
    t.source = TargetSource::Serial;
    t.name = info.systemLocation();
    t.description = info.description();
    t.manufacturer = info.manufacturer();
    t.serialNumber = info.serialNumber();
    found << t;
  }
  return found;
}

Discovery discoverTargets(const DiscoveryOptions& options) {
  Discovery result;
  // The two services that can keep us waiting are asked at the same time.
  QString networkNote;
  std::future<QList<FoundTarget>> network;
  if (options.sources & FindNetwork) {
    network = std::async(std::launch::async, [&options, &networkNote] {
      QList<FoundTarget> found = options.findNetwork
                                     ? options.findNetwork(options.timeoutMs, &networkNote)
                                     : findNetworkPrinters(options.timeoutMs, &networkNote);
      // Whoever lists them says which host would be stored, as choosing one in the window would.
      checkHostNames(found, std::min(kHostNameCheckMs, options.timeoutMs),
                     options.lookUpHost ? options.lookUpHost : HostLookUp(systemResolves));
      return found;
    });
  }
  QString queueNote;
  if (options.sources & FindQueues) {
    result.targets << findPrinterQueues(options.timeoutMs, &queueNote);
  }
  if (options.sources & FindDeviceNodes) {
    result.targets << findDeviceNodes(options.sysfsRoot, options.devRoot);
  }
  if (options.sources & FindSerialPorts) {
    result.targets << findSerialPorts();
  }
  if (network.valid()) {
    result.targets << network.get();
  }
  for (const QString& note : {networkNote, queueNote}) {
    if (!note.isEmpty()) {
      result.notes << note;
    }
  }
  sortTargets(result.targets);
  return result;
}

void sortTargets(QList<FoundTarget>& targets) {
  std::stable_sort(targets.begin(), targets.end(), [](const FoundTarget& a, const FoundTarget& b) {
    if (a.source != b.source) {
      return a.source < b.source;
    }
    return QString::compare(a.name, b.name, Qt::CaseInsensitive) < 0;
  });
}

QStringList targetNames(const QList<FoundTarget>& targets) {
  QStringList names;
  for (const FoundTarget& t : targets) {
    names << t.name;
  }
  return names;
}

}  // namespace Orvanel
