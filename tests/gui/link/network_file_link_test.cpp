#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

#include "core/printer_tests/test_commands.h"
#include "gui/link/link_exchange.h"
#include "gui/link/printer_link.h"
#include "support/test_support.h"

using Orvanel::ConnectionKind;
using Orvanel::LinkError;
using Orvanel::LinkSettings;
using Q6Test::hex;

namespace {

LinkSettings fileSettings(const QString& path) {
  LinkSettings s;
  s.kind = ConnectionKind::File;
  s.path = path;
  return s;
}

LinkSettings networkSettings(int port, int timeoutMs = 2000) {
  LinkSettings s;
  s.kind = ConnectionKind::Network;
  s.host = QStringLiteral("127.0.0.1");
  s.port = port;
  s.timeoutMs = timeoutMs;
  return s;
}

QByteArray readFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(FileLink, DeliversEveryByteAndAppendsOnTheNextExchange) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("capture.prn"));
  Orvanel::Quenlink link;
  link.setSettings(fileSettings(path));
  Q6Test::MessageCapture boxes;

  ASSERT_TRUE(Q6::runExchange(link, {Q6::testCommand(Q6::TestCommand::SelfTest)}, nullptr));
  EXPECT_EQ(readFile(path), hex("1B 3F 0A 00"));

  ASSERT_TRUE(Q6::runExchange(link, {hex("20 80"), hex("20 FF"), Q6::writeCommand()}, nullptr));
  EXPECT_EQ(readFile(path), hex("1B 3F 0A 00 20 80 20 FF") + Q6Test::kWriteFrame);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST(FileLink, UnwritablePathGivesAClearErrorNamingThePath) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("missing-folder/capture.prn"));
  Orvanel::Quenlink link;
  link.setSettings(fileSettings(path));
  Q6Test::MessageCapture boxes;
  EXPECT_FALSE(Q6::runExchange(link, {Q6::writeCommand()}, nullptr));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_TRUE(boxes.shown[0].text.contains(path)) << boxes.shown[0].text.toStdString();
  EXPECT_TRUE(boxes.shown[0].text.contains(QStringLiteral("No such file or directory")))
      << boxes.shown[0].text.toStdString();
  EXPECT_FALSE(QFile::exists(path));
}

TEST(Link, SendAndCloseWithoutAnOpenConnectionRaiseInsteadOfCrashing) {
  Orvanel::Quenlink link;
  link.setSettings(networkSettings(9100));
  EXPECT_THROW(link.SendData(hex("00")), LinkError);
  EXPECT_THROW(link.CloseConnection(), LinkError);
}

TEST(Link, NothingStoredMeansNotSetUpAndNothingIsSent) {
  Q6Test::TempConfig config;
  Orvanel::Quenlink link;
  link.LoadLinkSettings(Orvanel::kLinkSettingsKey);
  EXPECT_EQ(link.settings().kind, ConnectionKind::NotSet);
  EXPECT_EQ(link.settings().port, 9100);
  try {
    link.OpenConnection();
    FAIL() << "opening an unconfigured link must fail";
  } catch (const LinkError& e) {
    EXPECT_TRUE(e.message().contains(QStringLiteral("\"Communication\""))) << e.what();
  }
  EXPECT_FALSE(link.isConnectionOpen());
}

TEST(NetworkLink, ListenerReceivesExactlyTheCharacterSetSheet) {
  Q6Test::TcpSink sink;
  Orvanel::Quenlink link;
  link.setSettings(networkSettings(sink.port()));
  Q6Test::MessageCapture boxes;
  const Q6::CommandList sheet = Q6::characterSetSheet();
  ASSERT_TRUE(Q6::runExchange(link, sheet, nullptr));
  const QByteArray got = sink.received(1);
  EXPECT_EQ(got, Q6Test::concat(sheet));
  // Spot checks against literal bytes so a wrong sheet cannot hide behind the comparison above.
  EXPECT_EQ(got.left(6), hex("1B 40 1B 1D 61 31"));
  EXPECT_EQ(got.right(7), hex("1B 61 05 1B 1D 61 30"));
  EXPECT_TRUE(got.contains(hex("20 7E 20 7F 0D 0A 1B 45 38 1B 46 20 80 20 81")));
  EXPECT_TRUE(boxes.shown.empty());
}

TEST(NetworkLink, TwoExchangesAreTwoConnections) {
  Q6Test::TcpSink sink;
  Orvanel::Quenlink link;
  link.setSettings(networkSettings(sink.port()));
  Q6Test::MessageCapture boxes;
  ASSERT_TRUE(Q6::runExchange(link, {hex("0D 0A")}, nullptr));
  ASSERT_TRUE(Q6::runExchange(link, {hex("0C")}, nullptr));
  EXPECT_EQ(sink.received(2), hex("0D 0A 0C"));
  EXPECT_EQ(sink.connectionCount(), 2);
}

// A printer that answers a status byte and reads slowly: closing must not reset the connection
// while bytes are still on their way, and the slow pace is no time-out while bytes keep moving.
TEST(NetworkLink, CloseWaitsUntilASlowTalkingPrinterHasEveryByte) {
  Q6Test::TcpSink sink(Q6Test::TcpSink::Mode::TalkBackSlowReader);
  Orvanel::Quenlink link;
  link.setSettings(networkSettings(sink.port(), 1000));
  Q6Test::MessageCapture boxes;
  Q6::CommandList commands;
  for (int i = 0; i < 200; ++i) {
    commands.push_back(QByteArray(100, static_cast<char>(0x80 + i % 0x80)));
  }
  ASSERT_TRUE(Q6::runExchange(link, commands, nullptr));
  const QByteArray got = sink.received(1, 20000);
  EXPECT_EQ(got.size(), 20000);
  EXPECT_EQ(got, Q6Test::concat(commands));
  EXPECT_TRUE(boxes.shown.empty());
}

TEST(NetworkLink, ClosedPortGivesTheClearErrorWithinTheTimeLimit) {
  const Q6Test::ClosedPort closed;
  const int port = closed.port();
  Orvanel::Quenlink link;
  link.setSettings(networkSettings(port, 3000));
  Q6Test::MessageCapture boxes;
  QElapsedTimer timer;
  timer.start();
  EXPECT_FALSE(Q6::runExchange(link, {Q6::writeCommand()}, nullptr));
  EXPECT_LT(timer.elapsed(), 3000);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(
      boxes.shown[0].text,
      QStringLiteral("Could not connect to the printer at 127.0.0.1 port %1: Connection refused")
          .arg(port));
  EXPECT_EQ(boxes.shown[0].title, QStringLiteral("Q6Config"));
}

TEST(LinkSettingsStore, SaveAndLoadRoundTripThroughTheIniFile) {
  Q6Test::TempConfig config;
  LinkSettings s = networkSettings(9101, 2500);
  s.host = QStringLiteral("printer.example");
  Orvanel::Quenlink writer;
  writer.setSettings(s);
  writer.SaveLinkSettings(Orvanel::kLinkSettingsKey);

  ASSERT_TRUE(QFile::exists(config.iniPath()));
  QSettings ini(config.iniPath(), QSettings::IniFormat);
  EXPECT_EQ(ini.value("Q56ConfigCOM/Connection").toString(), QStringLiteral("Network"));
  EXPECT_EQ(ini.value("Q56ConfigCOM/Host").toString(), QStringLiteral("printer.example"));
  EXPECT_EQ(ini.value("Q56ConfigCOM/Port").toInt(), 9101);

  Orvanel::Quenlink reader;
  reader.LoadLinkSettings(Orvanel::kLinkSettingsKey);
  EXPECT_EQ(reader.settings(), s);
}

TEST(LinkSettingsStore, HandWrittenFileIsReadAsAnAdministratorWroteIt) {
  Q6Test::TempConfig config;
  config.writeLink({"Connection=File", "Path=/dev/usb/lp0"});
  Orvanel::Quenlink link;
  link.LoadLinkSettings(Orvanel::kLinkSettingsKey);
  EXPECT_EQ(link.settings().kind, ConnectionKind::File);
  EXPECT_EQ(link.settings().path, QStringLiteral("/dev/usb/lp0"));
  EXPECT_EQ(link.settings().timeoutMs, 5000);
}

TEST(LinkSettingsStore, FollowsTheConfigFolderInForceAtEachLoad) {
  QTemporaryDir first;
  QTemporaryDir second;
  const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
  for (const auto& [dir, path] : {std::pair{first.path(), QStringLiteral("/tmp/a.prn")},
                                  std::pair{second.path(), QStringLiteral("/tmp/b.prn")}}) {
    QDir().mkpath(dir + QStringLiteral("/Q56Config"));
    QFile ini(dir + QStringLiteral("/Q56Config/Q56Config.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Q56ConfigCOM]\nConnection=File\nPath=" + path.toUtf8() + "\n");
  }
  Orvanel::Quenlink link;
  qputenv("XDG_CONFIG_HOME", first.path().toLocal8Bit());
  link.LoadLinkSettings(Orvanel::kLinkSettingsKey);
  EXPECT_EQ(link.settings().path, QStringLiteral("/tmp/a.prn"));
  qputenv("XDG_CONFIG_HOME", second.path().toLocal8Bit());
  link.LoadLinkSettings(Orvanel::kLinkSettingsKey);
  EXPECT_EQ(link.settings().path, QStringLiteral("/tmp/b.prn"));
  qputenv("XDG_CONFIG_HOME", previous);
}

}  // namespace
