#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <atomic>

#include "cli/list_targets.h"
#include "cli/targets.h"
#include "core/discovery/discovery.h"
#include "support/core_support.h"
#include "support/link_fixtures.h"

using Orvanel::Discovery;
using Orvanel::DiscoveryOptions;
using Orvanel::FoundTarget;
using Orvanel::TargetSource;

namespace {

bool makeLink(const QString& target, const QString& link) {
  return QDir().mkpath(QFileInfo(link).path()) && QFile::link(target, link);
}

// One USB interface in the kernel's device tree, laid out as the USB printer driver does it: the
// device ID belongs to the interface, the lp<n> entry of the usbmisc class points into it.
struct UsbmiscEntry {
  const char* name;        // lp0, hiddev0, ...
  const char* interface;   // folder of the USB interface
  const char* ieee1284Id;  // nullptr: the interface has none
};

struct DeviceNodeRow {
  QString name;
  QString manufacturer;
  QString model;
  QString serialNumber;
};

TEST(DeviceNodes, PrintersComeFromTheDeviceTreeWithWhatTheirDeviceIdSays) {
  QTemporaryDir root;
  const QString sys = root.filePath(QStringLiteral("sys"));
  const QString dev = root.filePath(QStringLiteral("dev"));
  const UsbmiscEntry entries[] = {
      {"lp0", "usb1/1-2/1-2:1.0", "MFG:ACME;MDL:QLX600;CMD:ESC/POS;CLS:PRINTER;\n"},
      {"lp1", "usb1/1-3/1-3:1.0", "manufacturer:Orvanel Systems ; model:QLX500;SN:Q5-0042;"},
      {"lp2", "usb2/2-1/2-1:1.0", nullptr},
      {"hiddev0", "usb2/2-2/2-2:1.0", "MFG:Keys Inc;MDL:Keypad;"},
      {"lp3", "usb2/2-4/2-4:1.1", "MDL:QLX600;MFG:ACME\0\0\0"},
  };
  for (const UsbmiscEntry& e : entries) {
    const QString interface = sys + QStringLiteral("/devices/pci0000:00/0000:00:14.0/") +
                              QString::fromLatin1(e.interface);
    const QString node = interface + QStringLiteral("/usbmisc/") + QString::fromLatin1(e.name);
    ASSERT_TRUE(QDir().mkpath(node));
    ASSERT_TRUE(QFile::link(QStringLiteral("../.."), node + QStringLiteral("/device")));
    ASSERT_TRUE(makeLink(node, sys + QStringLiteral("/class/usbmisc/") + e.name));
    if (e.ieee1284Id) {
      ASSERT_TRUE(Q6Test::writeFile(interface + QStringLiteral("/ieee1284_id"),
                                    QByteArray(e.ieee1284Id, qstrlen(e.ieee1284Id) + 1)));
    }
  }
  // The node of lp0, and a parallel-port node the device tree says nothing about.
  ASSERT_TRUE(QDir().mkpath(dev + QStringLiteral("/usb")));
  ASSERT_TRUE(Q6Test::writeFile(dev + QStringLiteral("/usb/lp0"), QByteArray()));
  ASSERT_TRUE(Q6Test::writeFile(dev + QStringLiteral("/lp0"), QByteArray()));
  ASSERT_TRUE(Q6Test::writeFile(dev + QStringLiteral("/lpx"), QByteArray()));

  DiscoveryOptions options;
  options.sources = Orvanel::FindDeviceNodes;
  options.sysfsRoot = sys;
  options.devRoot = dev;
  const Discovery found = Orvanel::discoverTargets(options);

  const DeviceNodeRow expected[] = {
      {dev + "/lp0", "", "", ""},
      {dev + "/usb/lp0", "ACME", "QLX600", ""},
      {dev + "/usb/lp1", "Orvanel Systems", "QLX500", "Q5-0042"},
      {dev + "/usb/lp2", "", "", ""},
      {dev + "/usb/lp3", "ACME", "QLX600", ""},
  };
  ASSERT_EQ(found.targets.size(), static_cast<qsizetype>(std::size(expected)));
  for (size_t i = 0; i < std::size(expected); ++i) {
    const FoundTarget& t = found.targets[static_cast<qsizetype>(i)];
    SCOPED_TRACE(expected[i].name.toStdString());
    EXPECT_EQ(t.source, TargetSource::DeviceNode);
    EXPECT_EQ(t.name, expected[i].name);
    EXPECT_EQ(t.manufacturer, expected[i].manufacturer);
    EXPECT_EQ(t.model, expected[i].model);
    EXPECT_EQ(t.serialNumber, expected[i].serialNumber);
  }
  EXPECT_EQ(found.targets[1].summary(), "Device: " + dev + "/usb/lp0 (ACME QLX600)");
  // Choosing it is a file link to the node.
  Orvanel::LinkSettings settings;
  found.targets[1].fill(settings);
  EXPECT_EQ(settings.kind, Orvanel::ConnectionKind::File);
  EXPECT_EQ(settings.path, dev + "/usb/lp0");
  EXPECT_TRUE(found.notes.isEmpty());
}

TEST(PrinterQueues, ComeFromThePrintServerWithDescriptionAndWhetherTheyTakeJobs) {
  const QString why = Q6Test::PrivateCupsd::unavailableReason();
  if (!why.isEmpty()) {
    GTEST_SKIP() << why.toStdString();
  }
  Q6Test::TcpSink printer;
  Q6Test::PrivateCupsd cupsd;
  ASSERT_TRUE(cupsd.start()) << cupsd.failure().toStdString();
  const QString device = QStringLiteral("socket://127.0.0.1:%1").arg(printer.port());
  ASSERT_TRUE(cupsd.addRawQueue(QStringLiteral("q6raw"), device, QStringLiteral("Front counter")))
      << cupsd.failure().toStdString();
  ASSERT_TRUE(cupsd.addRawQueue(QStringLiteral("Q6closed"), device) &&
              cupsd.rejectJobs(QStringLiteral("Q6closed")))
      << cupsd.failure().toStdString();
  Q6Test::ScopedCupsServer server(cupsd.server());

  DiscoveryOptions options;
  options.sources = Orvanel::FindQueues;
  const Discovery found = Orvanel::discoverTargets(options);
  EXPECT_TRUE(found.notes.isEmpty()) << found.notes.join('\n').toStdString();
  ASSERT_EQ(found.targets.size(), 2);
  EXPECT_EQ(found.targets[0].name, QStringLiteral("Q6closed"));
  EXPECT_FALSE(found.targets[0].acceptingJobs);
  EXPECT_EQ(found.targets[1].name, QStringLiteral("q6raw"));
  EXPECT_EQ(found.targets[1].description, QStringLiteral("Front counter"));
  EXPECT_TRUE(found.targets[1].acceptingJobs);
  EXPECT_EQ(found.targets[1].summary(),
            QStringLiteral("Printer queue: q6raw (Front counter, accepts jobs)"));
  EXPECT_TRUE(found.targets[0].summary().contains(QStringLiteral("does not accept jobs")));
  EXPECT_TRUE(printer.received(1, 300).isEmpty());
}

struct MissingService {
  const char* name;
  int sources;
  Q6Test::TcpSink::Mode mode;
  bool listening;
  QString says;  // %1: the print server's port
};

// Without an Avahi daemon or a print server the search still ends within its time limit, with one
// line saying which service was missing, and whatever else it found.
TEST(Discovery, AMissingServiceGivesOneNoteWithinTheTimeLimit) {
  const MissingService cases[] = {
      {"no print server", Orvanel::FindQueues, Q6Test::TcpSink::Mode::Read, false,
       "Printer queues: no print server at 127.0.0.1:%1: nothing accepts connections there"},
      {"print server that never answers", Orvanel::FindQueues,
       Q6Test::TcpSink::Mode::AcceptNeverRead, true,
       "Printer queues: the print server at 127.0.0.1:%1 did not answer: no answer within 700 ms"},
      {"no system bus, so no Avahi daemon", Orvanel::FindNetwork, Q6Test::TcpSink::Mode::Read,
       false, "Network printers: the DNS-SD service (Avahi daemon) is not running."},
  };
  QTemporaryDir dir;
  Q6Test::ScopedEnv noBus("DBUS_SYSTEM_BUS_ADDRESS",
                          "unix:path=" + QFile::encodeName(dir.filePath(QStringLiteral("no-bus"))));
  for (const MissingService& c : cases) {
    SCOPED_TRACE(c.name);
    Q6Test::TcpSink mute(c.mode);
    const Q6Test::ClosedPort closed;
    const int port = c.listening ? mute.port() : closed.port();
    Q6Test::ScopedCupsServer server(QStringLiteral("127.0.0.1:%1").arg(port));
    DiscoveryOptions options;
    options.timeoutMs = 700;
    options.sources = c.sources;
    QElapsedTimer timer;
    timer.start();
    const Discovery found = Orvanel::discoverTargets(options);
    EXPECT_LT(timer.elapsed(), 3000);
    EXPECT_TRUE(found.targets.isEmpty());
    ASSERT_EQ(found.notes.size(), 1);
    const QString expected = c.says.contains(QLatin1String("%1")) ? c.says.arg(port) : c.says;
    EXPECT_TRUE(found.notes[0].startsWith(expected)) << found.notes[0].toStdString();
    EXPECT_FALSE(found.notes[0].contains(QLatin1Char('\n')));
  }
}

}  // namespace

namespace {

// list-targets prints each finding in the form --to takes: read back, it must name the very
// connection that choosing the finding in the window fills in.
TEST(ListTargets, EachFindingReadsBackAsTheConnectionTheWindowWouldFillIn) {
  auto make = [](TargetSource source, const char* name) {
    FoundTarget t;
    t.source = source;
    t.name = QString::fromLatin1(name);
    return t;
  };
  FoundTarget v4 = make(TargetSource::Network, "Front desk");
  v4.hostName = QStringLiteral("frontdesk.local");
  v4.address = QStringLiteral("192.0.2.7");
  v4.port = 9100;
  FoundTarget v4ByName = v4;
  v4ByName.hostNameResolves = true;
  FoundTarget v6 = make(TargetSource::Network, "Bar");
  v6.address = QStringLiteral("2001:db8::7");
  v6.port = 9101;
  FoundTarget queue = make(TargetSource::Queue, "front-counter");
  queue.description = QStringLiteral("Front counter");
  queue.acceptingJobs = true;
  FoundTarget node = make(TargetSource::DeviceNode, "/dev/usb/lp0");
  node.manufacturer = QStringLiteral("ACME");
  node.model = QStringLiteral("QLX600");
  const FoundTarget serial = make(TargetSource::Serial, "/dev/ttyUSB0");

  const struct {
    FoundTarget found;
    const char* text;
    const char* about;
  } rows[] = {
      {v4, "tcp://192.0.2.7:9100",
       "Front desk, by address: this computer does not resolve "
       "frontdesk.local"},
      {v4ByName, "tcp://frontdesk.local:9100", "Front desk, by name (address 192.0.2.7)"},
      {v6, "tcp://[2001:db8::7]:9101", "Bar"},
      {queue, "queue:front-counter", "Front counter, accepts jobs"},
      {node, "file:/dev/usb/lp0", "ACME QLX600"},
      {serial, "serial:/dev/ttyUSB0", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    const std::vector<Q6Cli::FoundTarget> listed = Q6Cli::targetsFrom({row.found});
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].target, QString::fromLatin1(row.text));
    EXPECT_EQ(listed[0].about, QString::fromLatin1(row.about));
    QString error;
    const std::optional<Q6Cli::Target> parsed =
        Q6Cli::parseTarget(listed[0].target, Orvanel::kDefaultTimeoutMs, false, &error);
    ASSERT_TRUE(parsed.has_value()) << error.toStdString();
    Orvanel::LinkSettings chosen;
    chosen.kind = parsed->settings.kind;
    row.found.fill(chosen);
    EXPECT_EQ(parsed->settings.kind, chosen.kind);
    EXPECT_EQ(parsed->settings.host, chosen.host);
    EXPECT_EQ(parsed->settings.port, chosen.port);
    EXPECT_EQ(parsed->settings.queue, chosen.queue);
    EXPECT_EQ(parsed->settings.path, chosen.path);
    EXPECT_EQ(parsed->settings.serialPort, chosen.serialPort);
  }
}

}  // namespace

namespace {

// list-targets names a network printer as the window stores it: by its .local name where this
// computer resolves that name, else by its address; the comment says which.
TEST(ListTargets, NetworkPrinterByItsLocalNameWhereItResolvesElseByAddress) {
  const struct {
    bool resolves;
    const char* line;
  } rows[] = {
      {true, "tcp://frontdesk.local:9100  # Front desk, by name (address 192.0.2.7)"},
      {false,
       "tcp://192.0.2.7:9100      # Front desk, by address: this computer does not resolve "
       "frontdesk.local"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.line);
    DiscoveryOptions options;
    options.sources = Orvanel::FindNetwork;
    options.timeoutMs = 20000;
    options.findNetwork = [](int, QString*) {
      FoundTarget t;
      t.source = TargetSource::Network;
      t.name = QStringLiteral("Front desk");
      t.hostName = QStringLiteral("frontdesk.local");
      t.address = QStringLiteral("192.0.2.7");
      t.port = 9100;
      return QList<FoundTarget>{t};
    };
    std::atomic<int> asked{0};
    options.lookUpHost = [&asked, resolves = row.resolves](const QString& name) {
      ++asked;
      return resolves && name == QStringLiteral("frontdesk.local");
    };
    const Discovery found = Orvanel::discoverTargets(options);
    EXPECT_EQ(asked.load(), 1);
    const std::vector<Q6Cli::FoundTarget> listed = Q6Cli::targetsFrom(found.targets);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(Q6Cli::listLine(listed[0]), QString::fromLatin1(row.line));
  }
}

}  // namespace
