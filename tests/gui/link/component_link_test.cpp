// The printer-link component the window holds: its own steps and what the window shows when an
// exchange through it fails. How each transport delivers is tested in the core.
#include <gtest/gtest.h>

#include "gui/common/link_exchange.h"
#include "gui/link/printer_link.h"
#include "support/test_support.h"

using Orvanel::ConnectionKind;
using Orvanel::LinkError;
using Q6Test::hex;

namespace {

TEST(Link, SendAndCloseWithoutAnOpenConnectionRaiseInsteadOfCrashing) {
  Orvanel::Quenlink link;
  link.setSettings(Q6Test::loopbackSettings(9100));
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

// The link's own sentence, as the core's delivery rows check it, in one box titled as the program.
TEST(LinkMessage, RefusedConnectionShowsTheLinksSentenceInOneBox) {
  const Q6Test::ClosedPort closed;
  Orvanel::Quenlink link;
  link.setSettings(Q6Test::loopbackSettings(closed.port(), 3000));
  Q6Test::MessageCapture boxes;
  EXPECT_FALSE(Q6::runExchange(link, {Q6Test::kWriteFrame}, nullptr));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(
      boxes.shown[0].text,
      QStringLiteral("Could not connect to the printer at 127.0.0.1 port %1: Connection refused")
          .arg(closed.port()));
  EXPECT_EQ(boxes.shown[0].title, QStringLiteral("Q6Config"));
  EXPECT_FALSE(link.isConnectionOpen());
}

}  // namespace
