// The queue link against a print server of the test's own: each exchange is one raw job.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QThread>

#include "core/link/transport_link.h"
#include "core/printer/diagnostic_commands.h"
#include "core/printer/exchange.h"
#include "core/store/settings_store.h"
#include "support/core_support.h"
#include "support/link_fixtures.h"

using Q6Test::hex;

namespace {

// The character-set sheet, then bytes a careless transport would change or drop: NUL, CR LF,
// XON/XOFF, DEL and the top of the 8-bit range.
Q6::CommandList sheetAndAwkwardBytes() {
  Q6::CommandList commands = Q6::characterSetSheet();
  commands.push_back(Q6Test::kWriteFrame);
  commands.push_back(hex("00 0D 0A 11 13 7F 80 FF 00"));
  return commands;
}

// Landmarks of the sheet as the printer must see it, from the sheet's byte table.
void expectSheetLandmarks(const QByteArray& received) {
  Q6Test::expectCharacterSetSheetLandmarks(received);
  EXPECT_TRUE(received.endsWith(Q6Test::kWriteFrame + hex("00 0D 0A 11 13 7F 80 FF 00")));
  EXPECT_EQ(received.size(), 621 + 11 + 9);
}

// One exchange that must fail, through a link loaded from a hand-written queue setting: the
// refusal's text, how long it took, and whether the link was left closed.
struct QueueFailure {
  QString text;
  qint64 elapsedMs = 0;
  bool closed = false;
};

QueueFailure failedQueueExchange(const QString& queue, int timeoutMs) {
  Q6Test::TempConfig config;
  config.writeLink(
      {"Connection=Queue", "Queue=" + queue, QStringLiteral("TimeoutMs=%1").arg(timeoutMs)});
  Orvanel::TransportLink link(Orvanel::loadStoredLinkSettings(Orvanel::kLinkSettingsKey));
  QElapsedTimer timer;
  timer.start();
  const Q6::Result<> result = Q6::exchangeCommands(link, {hex("1B 40")});
  QueueFailure failure;
  failure.elapsedMs = timer.elapsed();
  EXPECT_FALSE(result.ok());
  failure.text = result.error();
  failure.closed = !link.isOpen();
  return failure;
}

class QueueLink : public ::testing::Test {
 protected:
  void SetUp() override {
    const QString why = Q6Test::PrivateCupsd::unavailableReason();
    if (!why.isEmpty()) {
      GTEST_SKIP() << why.toStdString();
    }
    ASSERT_TRUE(cupsd_.start()) << cupsd_.failure().toStdString();
    ASSERT_TRUE(cupsd_.addRawQueue(QStringLiteral("q6raw"),
                                   QStringLiteral("socket://127.0.0.1:%1").arg(sink_.port())))
        << cupsd_.failure().toStdString();
  }

  void useQueue(const QString& queue) {
    config_.writeLink({"Connection=Queue", "Queue=" + queue, "TimeoutMs=5000"});
    link_.setSettings(Orvanel::loadStoredLinkSettings(Orvanel::kLinkSettingsKey));
  }

  Q6Test::TempConfig config_;
  Q6Test::TcpSink sink_;
  Q6Test::PrivateCupsd cupsd_;
  Orvanel::TransportLink link_;
};

TEST_F(QueueLink, EachExchangeIsOneRawJobThatArrivesByteForByte) {
  Q6Test::ScopedCupsServer server(cupsd_.server());
  useQueue(QStringLiteral("q6raw"));
  const Q6::CommandList commands = sheetAndAwkwardBytes();

  const Q6::Result<> firstSent = Q6::exchangeCommands(link_, commands);
  ASSERT_TRUE(firstSent.ok()) << firstSent.error().toStdString();
  const QByteArray first = sink_.received(1, 20000);
  EXPECT_EQ(first, Q6Test::concat(commands)) << cupsd_.errorLog().toStdString();
  expectSheetLandmarks(first);

  // A second exchange is a job of its own.
  const Q6::Result<> secondSent =
      Q6::exchangeCommands(link_, {hex("1B 1D 23 40 30 30 30 30 30 0A 00")});
  ASSERT_TRUE(secondSent.ok()) << secondSent.error().toStdString() << "\n"
                               << cupsd_.errorLog().toStdString();
  EXPECT_EQ(sink_.received(2, 20000), first + hex("1B 1D 23 40 30 30 30 30 30 0A 00"));
  EXPECT_EQ(sink_.connectionCount(), 2);
}

TEST_F(QueueLink, NothingPrintsBeforeTheLinkCloses) {
  Q6Test::ScopedCupsServer server(cupsd_.server());
  useQueue(QStringLiteral("q6raw"));
  link_.OpenConnection();
  link_.SendData(hex("1B 40"));
  link_.SendData(hex("1B 64 32"));
  // A transport that submitted per send (or on open) would have reached the printer by now.
  QThread::msleep(1500);
  EXPECT_EQ(sink_.connectionCount(), 0);
  EXPECT_TRUE(sink_.received(0, 0).isEmpty());
  link_.CloseConnection();
  EXPECT_EQ(sink_.received(1, 20000), hex("1B 40 1B 64 32"));
}

TEST(QueueLinkPassword, ServerThatAsksForAPasswordGivesAClearErrorInsteadOfAPrompt) {
  const QString why = Q6Test::PrivateCupsd::unavailableReason();
  if (!why.isEmpty()) {
    GTEST_SKIP() << why.toStdString();
  }
  Q6Test::TcpSink sink;
  Q6Test::PrivateCupsd cupsd;
  cupsd.requirePasswordForJobs();
  ASSERT_TRUE(cupsd.start()) << cupsd.failure().toStdString();
  ASSERT_TRUE(cupsd.addRawQueue(QStringLiteral("q6locked"),
                                QStringLiteral("socket://127.0.0.1:%1").arg(sink.port())))
      << cupsd.failure().toStdString();
  Q6Test::ScopedCupsServer server(cupsd.server());
  const QueueFailure failure = failedQueueExchange(QStringLiteral("q6locked"), 5000);
  EXPECT_LT(failure.elapsedMs, 10000);
  const QString& text = failure.text;
  EXPECT_TRUE(text.contains(QStringLiteral("q6locked"))) << text.toStdString();
  EXPECT_TRUE(text.endsWith(QStringLiteral(": the print server asks for a password")))
      << text.toStdString();
  EXPECT_TRUE(failure.closed);
  EXPECT_TRUE(sink.received(1, 500).isEmpty());
}

}  // namespace
