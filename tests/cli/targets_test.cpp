// Target texts: what each one reaches, and a clear refusal for the malformed ones.
#include <gtest/gtest.h>

#include "cli/targets.h"
#include "support/core_support.h"

namespace {

using Orvanel::ConnectionKind;

struct TargetRow {
  const char* text;
  ConnectionKind kind;
  const char* where;  // host, queue, path or serial port
  int port;
  int baud;
};

void PrintTo(const TargetRow& r, std::ostream* os) {
  *os << r.text;
}

class GoodTarget : public ::testing::TestWithParam<TargetRow> {};

TEST_P(GoodTarget, Parses) {
  const TargetRow& row = GetParam();
  QString error;
  const auto target = Q6Cli::parseTarget(row.text, 1234, true, &error);
  ASSERT_TRUE(target) << error.toStdString();
  const Orvanel::LinkSettings& s = target->settings;
  EXPECT_EQ(s.kind, row.kind);
  EXPECT_EQ(s.timeoutMs, 1234);
  switch (row.kind) {
    case ConnectionKind::Network:
      EXPECT_EQ(s.host, row.where);
      EXPECT_EQ(s.port, row.port);
      break;
    case ConnectionKind::Queue:
      EXPECT_EQ(s.queue, row.where);
      break;
    case ConnectionKind::File:
      EXPECT_EQ(s.path, row.where);
      break;
    case ConnectionKind::Serial:
      EXPECT_EQ(s.serialPort, row.where);
      EXPECT_EQ(s.baudRate, row.baud);
      break;
    case ConnectionKind::NotSet:
      ADD_FAILURE();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, GoodTarget,
    ::testing::Values(
        TargetRow{"tcp://127.0.0.1", ConnectionKind::Network, "127.0.0.1", 9100, 0},
        TargetRow{"tcp://printer-7.shop:9101", ConnectionKind::Network, "printer-7.shop", 9101, 0},
        TargetRow{"tcp://[::1]:9200", ConnectionKind::Network, "::1", 9200, 0},
        TargetRow{"tcp://::1", ConnectionKind::Network, "::1", 9100, 0},
        TargetRow{"queue:Front_Desk", ConnectionKind::Queue, "Front_Desk", 0, 0},
        TargetRow{"file:/dev/usb/lp0", ConnectionKind::File, "/dev/usb/lp0", 0, 0},
        TargetRow{"serial:/dev/ttyUSB0", ConnectionKind::Serial, "/dev/ttyUSB0", 0, 9600},
        TargetRow{"serial:/dev/ttyS1?baud=19200&data=7&parity=even&stop=2&flow=hardware",
                  ConnectionKind::Serial, "/dev/ttyS1", 0, 19200}));

TEST(GoodTarget, SerialParameters) {
  QString error;
  const auto t = Q6Cli::parseTarget(
      "serial:/dev/ttyS1?baud=19200&data=7&parity=even&stop=2&flow=software", 5000, false, &error);
  ASSERT_TRUE(t) << error.toStdString();
  EXPECT_EQ(t->settings.dataBits, 7);
  EXPECT_EQ(t->settings.parity, Orvanel::Parity::Even);
  EXPECT_EQ(t->settings.stopBits, 2);
  EXPECT_EQ(t->settings.flowControl, Orvanel::FlowControl::Software);
}

struct BadRow {
  const char* text;
  const char* named;  // the refusal names this
};

void PrintTo(const BadRow& r, std::ostream* os) {
  *os << r.text;
}

class BadTarget : public ::testing::TestWithParam<BadRow> {};

TEST_P(BadTarget, IsRefusedByName) {
  QString error;
  EXPECT_FALSE(Q6Cli::parseTarget(GetParam().text, 5000, false, &error));
  EXPECT_TRUE(error.contains(QString::fromLatin1(GetParam().text))) << error.toStdString();
  EXPECT_TRUE(error.contains(QString::fromLatin1(GetParam().named))) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BadTarget,
    ::testing::Values(BadRow{"tcp://", "host"}, BadRow{"tcp://host:99999", "99999"},
                      BadRow{"tcp://host:", "port"}, BadRow{"tcp://host:abc", "abc"},
                      BadRow{"tcp://host/path", "host/path"}, BadRow{"tcp://[::1", "]"},
                      BadRow{"queue:", "queue"}, BadRow{"file:", "path"},
                      BadRow{"serial:", "serial port"},
                      BadRow{"serial:/dev/ttyS0?baud=fast", "fast"},
                      BadRow{"serial:/dev/ttyS0?parity=mark", "mark"},
                      BadRow{"serial:/dev/ttyS0?stop=3", "3"},
                      BadRow{"serial:/dev/ttyS0?speed=9600", "speed"},
                      BadRow{"192.168.0.9", "tcp://"}, BadRow{"http://printer", "tcp://"}));

TEST(StoredTarget, NothingStoredIsRefused) {
  Q6Test::TempConfig config;
  QString error;
  EXPECT_FALSE(Q6Cli::parseTarget("stored", 5000, false, &error));
  EXPECT_TRUE(error.contains("stored")) << error.toStdString();
}

TEST(StoredTarget, TakesTheWindowsSettings) {
  Q6Test::TempConfig config;
  config.writeLink({"Connection=Network", "Host=127.0.0.1", "Port=9333", "TimeoutMs=700"});
  QString error;
  auto t = Q6Cli::parseTarget("stored", 5000, false, &error);
  ASSERT_TRUE(t) << error.toStdString();
  EXPECT_EQ(t->settings.port, 9333);
  EXPECT_EQ(t->settings.timeoutMs, 700);
  t = Q6Cli::parseTarget("stored", 5000, true, &error);
  ASSERT_TRUE(t);
  EXPECT_EQ(t->settings.timeoutMs, 5000);
}

}  // namespace
