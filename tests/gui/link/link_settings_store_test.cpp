#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>

#include "core/link/link_settings.h"
#include "gui/link/link_settings_panel.h"
#include "gui/link/printer_link.h"
#include "support/test_support.h"

namespace {

using Orvanel::ConnectionKind;
using Orvanel::FlowControl;
using Orvanel::LinkSettings;
using Orvanel::Parity;

struct IniCase {
  const char* name;
  QStringList lines;
  LinkSettings expected;
};

LinkSettings make(ConnectionKind kind, const std::function<void(LinkSettings&)>& fill) {
  LinkSettings s;
  s.kind = kind;
  fill(s);
  return s;
}

TEST(HandWrittenIni, LoadsForEveryKindAndShowsInThePanel) {
  const IniCase cases[] = {
      {"network",
       {"Connection=Network", "Host=127.0.0.1", "Port=9101", "TimeoutMs=2500"},
       make(ConnectionKind::Network,
            [](LinkSettings& s) {
              s.host = "127.0.0.1";
              s.port = 9101;
              s.timeoutMs = 2500;
            })},
      {"network, port left out",
       {"Connection=Network", "Host=till-printer.local"},
       make(ConnectionKind::Network, [](LinkSettings& s) { s.host = "till-printer.local"; })},
      {"queue",
       {"Connection=Queue", "Queue=Receipts_Front"},
       make(ConnectionKind::Queue, [](LinkSettings& s) { s.queue = "Receipts_Front"; })},
      {"file with a blank in the path",
       {"Connection=File", "Path=/var/spool/q6/front till.prn"},
       make(ConnectionKind::File,
            [](LinkSettings& s) { s.path = "/var/spool/q6/front till.prn"; })},
      {"device node",
       {"Connection=File", "Path=/dev/usb/lp0"},
       make(ConnectionKind::File, [](LinkSettings& s) { s.path = "/dev/usb/lp0"; })},
      {"serial, everything given",
       {"Connection=Serial", "SerialPort=/dev/ttyUSB0", "BaudRate=38400", "DataBits=7",
        "Parity=Even", "StopBits=2", "FlowControl=Hardware", "TimeoutMs=1500"},
       make(ConnectionKind::Serial,
            [](LinkSettings& s) {
              s.serialPort = "/dev/ttyUSB0";
              s.baudRate = 38400;
              s.dataBits = 7;
              s.parity = Parity::Even;
              s.stopBits = 2;
              s.flowControl = FlowControl::Hardware;
              s.timeoutMs = 1500;
            })},
      {"serial, written in lower case",
       {"Connection=serial", "SerialPort=ttyS1", "Parity=odd", "FlowControl=software"},
       make(ConnectionKind::Serial,
            [](LinkSettings& s) {
              s.serialPort = "ttyS1";
              s.parity = Parity::Odd;
              s.flowControl = FlowControl::Software;
            })},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Q6Test::TempConfig config;
    config.writeLink(c.lines);
    Orvanel::Quenlink link;
    link.LoadLinkSettings(Orvanel::kLinkSettingsKey);
    const LinkSettings& got = link.settings();
    EXPECT_TRUE(got == c.expected)
        << "kind " << static_cast<int>(got.kind) << " host " << got.host.toStdString() << " port "
        << got.port << " queue " << got.queue.toStdString() << " path " << got.path.toStdString()
        << " serial " << got.serialPort.toStdString() << " baud " << got.baudRate;

    Orvanel::LinkSettingsPanel* panel = link.settingsPanel();
    EXPECT_EQ(panel->cmbConnection->currentData().toInt(), static_cast<int>(c.expected.kind));
    EXPECT_EQ(panel->txtHost->text(), c.expected.host);
    EXPECT_EQ(panel->txtPort->text(), QString::number(c.expected.port));
    EXPECT_EQ(panel->txtTimeout->text(), QString::number(c.expected.timeoutMs));
    EXPECT_EQ(panel->cmbQueue->currentText(), c.expected.queue);
    EXPECT_EQ(panel->cmbPath->currentText(), c.expected.path);
    EXPECT_EQ(panel->cmbSerialPort->currentText(), c.expected.serialPort);
    EXPECT_EQ(panel->cmbBaud->currentText(), QString::number(c.expected.baudRate));
    EXPECT_EQ(panel->cmbDataBits->currentText(), QString::number(c.expected.dataBits));
    EXPECT_EQ(panel->cmbStopBits->currentText(), QString::number(c.expected.stopBits));
    EXPECT_EQ(panel->cmbParity->currentData().toInt(), static_cast<int>(c.expected.parity));
    EXPECT_EQ(panel->cmbFlow->currentData().toInt(), static_cast<int>(c.expected.flowControl));
    // What the panel shows is what it would store.
    EXPECT_TRUE(panel->editedSettings() == c.expected);
  }
}

TEST(HandWrittenIni, WithoutAKnownConnectionNothingIsSetUpAndNothingIsSent) {
  const QStringList inis[] = {
      {},
      {"Host=127.0.0.1", "Port=9100"},
      {"Connection=Bluetooth", "Host=127.0.0.1"},
  };
  for (const QStringList& ini : inis) {
    SCOPED_TRACE(ini.join(' ').toStdString());
    Q6Test::TempConfig config;
    if (!ini.isEmpty()) {
      config.writeLink(ini);
    }
    Orvanel::Quenlink link;
    link.LoadLinkSettings(Orvanel::kLinkSettingsKey);
    EXPECT_EQ(link.settings().kind, ConnectionKind::NotSet);
    Orvanel::LinkSettingsPanel* panel = link.settingsPanel();
    EXPECT_EQ(panel->cmbConnection->currentData().toInt(),
              static_cast<int>(ConnectionKind::Network));
    EXPECT_EQ(panel->txtPort->text(), QStringLiteral("9100"));
    try {
      link.OpenConnection();
      ADD_FAILURE() << "a link that was never set up opened";
    } catch (const Orvanel::LinkError& error) {
      EXPECT_TRUE(error.message().contains(QStringLiteral("\"Communication\"")))
          << error.message().toStdString();
    }
    EXPECT_FALSE(link.isConnectionOpen());
  }
}

// An unreadable port is not replaced by the default: that would send to a guessed printer.
TEST(HandWrittenIni, UnreadableNumbersAreRefusedNotGuessed) {
  Q6Test::TempConfig config;
  config.writeLink({"Connection=Network", "Host=127.0.0.1", "Port=ninety", "TimeoutMs=-5",
                    "BaudRate=fast", "DataBits=", "StopBits=x"});
  Orvanel::Quenlink link;
  link.LoadLinkSettings(Orvanel::kLinkSettingsKey);
  EXPECT_EQ(link.settings().port, 0);
  EXPECT_EQ(link.settings().baudRate, 0);
  EXPECT_EQ(link.settings().dataBits, 8);  // empty: the default
  EXPECT_EQ(link.settings().stopBits, 0);
  try {
    link.OpenConnection();
    FAIL() << "an unreadable port must not be opened";
  } catch (const Orvanel::LinkError& e) {
    EXPECT_TRUE(e.message().contains(QStringLiteral("1 to 65535"))) << e.what();
    EXPECT_TRUE(e.message().contains(QStringLiteral("TimeoutMs=-5"))) << e.what();
    EXPECT_TRUE(e.message().contains(QStringLiteral("\"Communication\""))) << e.what();
  }
}

// A stored value that cannot be used is named with its key and what it allows, at the first action,
// instead of being replaced by a default or reported as "not set up".
TEST(HandWrittenIni, ValuesThatCannotBeUsedAreNamedWithWhatTheyAllow) {
  struct Case {
    QStringList lines;
    QByteArray rawLine;  // written as bytes, after the lines
    QStringList named;
  };
  const Case cases[] = {
      {{"Connection=Bogus", "Host=127.0.0.1"},
       {},
       {"Connection=Bogus", "Network, Queue, File, Serial"}},
      {{"Connection=Network", "Host=127.0.0.1", "TimeoutMs=-5"},
       {},
       {"TimeoutMs=-5", "1 to 600000"}},
      {{"Connection=Network", "Host=127.0.0.1", "TimeoutMs=0"}, {}, {"TimeoutMs=0", "1 to 600000"}},
      {{"Connection=Network", "Host=127.0.0.1", "TimeoutMs=700000"},
       {},
       {"TimeoutMs=700000", "1 to 600000"}},
      {{"Connection=Network", "Host=127.0.0.1", "TimeoutMs=99999999999"},
       {},
       {"TimeoutMs=99999999999", "1 to 600000"}},
      {{"Connection=Serial", "SerialPort=/dev/ttyS0", "Parity=Mark"},
       {},
       {"Parity=Mark", "None, Even, Odd"}},
      {{"Connection=Serial", "SerialPort=/dev/ttyS0", "FlowControl=RTS"},
       {},
       {"FlowControl=RTS", "None, Hardware, Software"}},
      // Latin-1 "café": read as UTF-8 it would name another file.
      {{"Connection=File"}, QByteArray("Path=/tmp/caf\xe9.prn"), {"Path", "UTF-8"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines.join(' ').toStdString());
    Q6Test::TempConfig config;
    config.writeLink(c.lines);
    if (!c.rawLine.isEmpty()) {
      QFile ini(config.iniPath());
      ASSERT_TRUE(ini.open(QIODevice::Append));
      ini.write(c.rawLine + "\n");
    }
    Orvanel::Quenlink link;
    link.LoadLinkSettings(Orvanel::kLinkSettingsKey);  // no box at start-up for a value
    try {
      link.OpenConnection();
      ADD_FAILURE() << "a link with an unusable value opened";
    } catch (const Orvanel::LinkError& e) {
      for (const QString& part : c.named) {
        EXPECT_TRUE(e.message().contains(part)) << e.what();
      }
      EXPECT_TRUE(e.message().contains(config.iniPath())) << e.what();
      EXPECT_FALSE(e.message().contains(QStringLiteral("has been set up yet"))) << e.what();
    }
    EXPECT_FALSE(link.isConnectionOpen());
    EXPECT_FALSE(QFile::exists(QStringLiteral("/tmp/caf\u00e9.prn")));
    EXPECT_FALSE(QFile::exists(QStringLiteral("/tmp/caf\ufffd.prn")));
  }
}

// A settings file that cannot be read is said to be unreadable, with its path, when it is loaded
// (start-up) and again at the first action; it is not "not set up yet".
TEST(HandWrittenIni, UnreadableFileIsReportedAsSuchAtLoadAndAtTheFirstAction) {
  Q6Test::TempConfig config;
  ASSERT_TRUE(QDir().mkpath(config.iniPath()));  // a folder where the file should be
  Orvanel::Quenlink link;
  for (int step = 0; step < 2; ++step) {
    try {
      if (step == 0) {
        link.LoadLinkSettings(Orvanel::kLinkSettingsKey);
      } else {
        link.OpenConnection();
      }
      ADD_FAILURE() << "step " << step << " did not report the unreadable file";
    } catch (const Orvanel::LinkError& e) {
      EXPECT_TRUE(e.message().contains(config.iniPath())) << e.what();
      EXPECT_TRUE(e.message().contains(QStringLiteral("cannot be read"))) << e.what();
      EXPECT_TRUE(e.message().contains(QStringLiteral("it is a folder"))) << e.what();
    }
  }
  // Storing into it is a real failure and says so.
  LinkSettings s;
  s.kind = ConnectionKind::File;
  s.path = QStringLiteral("/tmp/q6.prn");
  link.setSettings(s);
  EXPECT_THROW(link.SaveLinkSettings(Orvanel::kLinkSettingsKey), Orvanel::LinkError);
}

// Storing changes only our own keys: comments, unknown keys and other groups of a provisioned file
// stay byte for byte, and a line QSettings cannot parse is no reason to report a failure.
TEST(HandWrittenIni, StoringKeepsEverythingElseTheAdministratorWrote) {
  Q6Test::TempConfig config;
  const QByteArray provisioned =
      "# provisioned by the shop's rollout, do not edit by hand\n"
      "[Q56ConfigCOM]\n"
      "# front till\n"
      "Connection=File\n"
      "Path=/tmp/old.prn\n"
      "AssetTag=FT-0042\n"
      "\n"
      "[Printer]\n"
      "Model=Vorla QLX600\n"
      "\n"
      "[Rollout]\n"
      "Wave=3\n";
  ASSERT_TRUE(QDir().mkpath(config.dir() + QStringLiteral("/Q56Config")));
  ASSERT_TRUE(Q6Test::writeFile(config.iniPath(), provisioned));

  Orvanel::Quenlink link;
  link.LoadLinkSettings(Orvanel::kLinkSettingsKey);
  LinkSettings s = link.settings();
  s.path = QStringLiteral("/tmp/new, till;\"quoted\" \u00e9.prn");
  link.setSettings(s);
  EXPECT_NO_THROW(link.SaveLinkSettings(Orvanel::kLinkSettingsKey));
  EXPECT_TRUE(Orvanel::storeValues(QStringLiteral("Printer"),
                                   {{QStringLiteral("Model"), QStringLiteral("Vorla QLX500")}})
                  .ok());

  QFile ini(config.iniPath());
  ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
  const QByteArray text = ini.readAll();
  for (const char* kept :
       {"# provisioned by the shop's rollout, do not edit by hand\n[Q56ConfigCOM]\n"
        "# front till\nConnection=File\n",
        "AssetTag=FT-0042\n", "[Rollout]\nWave=3\n", "[Printer]\nModel=Vorla QLX500\n"}) {
    EXPECT_TRUE(text.contains(kept)) << kept << "\n---\n" << text.toStdString();
  }
  EXPECT_FALSE(text.contains("old.prn")) << text.toStdString();

  Orvanel::Quenlink reader;
  reader.LoadLinkSettings(Orvanel::kLinkSettingsKey);
  EXPECT_EQ(reader.settings(), s);
}

struct OfferCase {
  bool spooler;
  bool tcpip;
  bool file;
  const char* stored;
  QList<int> offered;
};

TEST(SettingsPanel, OffersTheKindsItsSwitchesAllowAndNeverHidesTheStoredOne) {
  const int network = static_cast<int>(ConnectionKind::Network);
  const int queue = static_cast<int>(ConnectionKind::Queue);
  const int file = static_cast<int>(ConnectionKind::File);
  const int serial = static_cast<int>(ConnectionKind::Serial);
  const OfferCase cases[] = {
      {true, true, true, "Network", {network, queue, file, serial}},
      {false, true, true, "Network", {network, file, serial}},
      {true, false, false, "Queue", {queue, serial}},
      {true, true, false, "File", {network, queue, file, serial}},
      {false, false, false, "Queue", {queue, serial}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.stored) + (c.spooler ? " spooler" : "") + (c.tcpip ? " tcpip" : "") +
                 (c.file ? " file" : ""));
    Q6Test::TempConfig config;
    config.writeLink({QStringLiteral("Connection=") + c.stored, "Host=127.0.0.1", "Queue=q",
                      "Path=/tmp/q6.prn"});
    Orvanel::Quenlink link;
    link.showspooler = c.spooler;
    link.showtcpip = c.tcpip;
    link.showfile = c.file;
    link.LoadLinkSettings(Orvanel::kLinkSettingsKey);
    Orvanel::LinkSettingsPanel* panel = link.settingsPanel();
    QList<int> offered;
    for (int i = 0; i < panel->cmbConnection->count(); ++i) {
      offered << panel->cmbConnection->itemData(i).toInt();
    }
    EXPECT_EQ(offered, c.offered);
    EXPECT_EQ(Orvanel::connectionKindName(
                  static_cast<ConnectionKind>(panel->cmbConnection->currentData().toInt())),
              QString::fromLatin1(c.stored));
    // Storing without a change keeps the stored kind even where it is not offered.
    link.SaveLinkSettings(Orvanel::kLinkSettingsKey);
    EXPECT_EQ(Orvanel::connectionKindName(link.settings().kind), QString::fromLatin1(c.stored));
  }
}

}  // namespace
