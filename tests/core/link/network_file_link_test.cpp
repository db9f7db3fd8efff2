// The file and network links carry exchanges to a real capture file and a real listener.
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/link/transport_link.h"
#include "core/printer/diagnostic_commands.h"
#include "core/printer/exchange.h"
#include "support/core_support.h"

using Orvanel::ConnectionKind;
using Orvanel::LinkSettings;
using Q6Test::hex;

namespace {

LinkSettings fileSettings(const QString& path) {
  LinkSettings s;
  s.kind = ConnectionKind::File;
  s.path = path;
  return s;
}

QByteArray readFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(FileLink, DeliversEveryByteAndAppendsOnTheNextExchange) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("capture.prn"));
  Orvanel::TransportLink link(fileSettings(path));

  const Q6::Result<> first =
      Q6::exchangeCommands(link, {Q6::testCommand(Q6::TestCommand::SelfTest)});
  ASSERT_TRUE(first.ok()) << first.error().toStdString();
  EXPECT_EQ(readFile(path), hex("1B 3F 0A 00"));

  const Q6::Result<> second =
      Q6::exchangeCommands(link, {hex("20 80"), hex("20 FF"), Q6::writeCommand()});
  ASSERT_TRUE(second.ok()) << second.error().toStdString();
  EXPECT_EQ(readFile(path), hex("1B 3F 0A 00 20 80 20 FF") + Q6Test::kWriteFrame);
}

TEST(NetworkLink, ListenerReceivesExactlyTheCharacterSetSheet) {
  Q6Test::TcpSink sink;
  Orvanel::TransportLink link(Q6Test::loopbackSettings(sink.port()));
  const Q6::CommandList sheet = Q6::characterSetSheet();
  const Q6::Result<> sent = Q6::exchangeCommands(link, sheet);
  ASSERT_TRUE(sent.ok()) << sent.error().toStdString();
  const QByteArray got = sink.received(1);
  EXPECT_EQ(got, Q6Test::concat(sheet));
  // Spot checks against literal bytes so a wrong sheet cannot hide behind the comparison above.
  EXPECT_EQ(got.left(6), hex("1B 40 1B 1D 61 31"));
  EXPECT_EQ(got.right(7), hex("1B 61 05 1B 1D 61 30"));
  EXPECT_TRUE(got.contains(hex("20 7E 20 7F 0D 0A 1B 45 38 1B 46 20 80 20 81")));
}

TEST(NetworkLink, TwoExchangesAreTwoConnections) {
  Q6Test::TcpSink sink;
  Orvanel::TransportLink link(Q6Test::loopbackSettings(sink.port()));
  ASSERT_TRUE(Q6::exchangeCommands(link, {hex("0D 0A")}).ok());
  ASSERT_TRUE(Q6::exchangeCommands(link, {hex("0C")}).ok());
  EXPECT_EQ(sink.received(2), hex("0D 0A 0C"));
  EXPECT_EQ(sink.connectionCount(), 2);
}

}  // namespace
