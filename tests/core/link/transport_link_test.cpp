// The one link over a transport, as the component and the command-line tool drive it: the order of
// its steps is checked, and a step out of order is refused with the same sentence everywhere.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/link/link_error.h"
#include "core/link/transport_link.h"
#include "core/printer/exchange.h"
#include "support/core_support.h"

namespace {

struct StepsRow {
  const char* name;
  const char* steps;    // o: open, s: send 1B 40, c: close
  const char* failure;  // part of the first refusal; empty: none
  const char* written;  // what the capture file holds afterwards, as hex
  bool openAfter;
};

void PrintTo(const StepsRow& r, std::ostream* os) {
  *os << r.name;
}

class TransportLinkSteps : public ::testing::TestWithParam<StepsRow> {};

TEST_P(TransportLinkSteps, RefusesAStepOutOfOrderAndKeepsWhatWasSent) {
  const StepsRow& row = GetParam();
  QTemporaryDir dir;
  Orvanel::LinkSettings settings;
  settings.kind = Orvanel::ConnectionKind::File;
  settings.path = dir.filePath(QStringLiteral("capture.prn"));
  Orvanel::TransportLink link(settings);  // what the command-line tool holds: the same link
  QString failure;
  for (const char* step = row.steps; *step != '\0' && failure.isEmpty(); ++step) {
    try {
      switch (*step) {
        case 'o':
          link.OpenConnection();
          break;
        case 's':
          link.SendData(Q6Test::hex("1B 40"));
          break;
        default:
          link.CloseConnection();
          break;
      }
    } catch (const Orvanel::LinkError& error) {
      failure = error.message();
    }
  }
  EXPECT_EQ(failure.isEmpty(), QString::fromLatin1(row.failure).isEmpty()) << failure.toStdString();
  EXPECT_TRUE(failure.contains(QString::fromLatin1(row.failure))) << failure.toStdString();
  EXPECT_EQ(link.isOpen(), row.openAfter);
  QFile file(settings.path);
  const QByteArray written = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  EXPECT_EQ(written, Q6Test::hex(row.written));
}

const char kNotOpen[] = "The connection to the printer is not open.";

INSTANTIATE_TEST_SUITE_P(
    Orders, TransportLinkSteps,
    ::testing::Values(StepsRow{"OpenSendClose", "osc", "", "1B 40", false},
                      StepsRow{"SendBeforeOpen", "s", kNotOpen, "", false},
                      StepsRow{"CloseBeforeOpen", "c", kNotOpen, "", false},
                      StepsRow{"SendAfterClose", "oscs", kNotOpen, "1B 40", false},
                      StepsRow{"CloseTwice", "oscc", kNotOpen, "1B 40", false},
                      StepsRow{"OpenAgainDropsTheUnfinished", "osoc", "", "", false},
                      StepsRow{"LeftOpenHoldsTheBytes", "os", "", "", true}),
    [](const auto& info) { return std::string(info.param.name); });

// Settings that cannot be used are refused at the opening, and a connection left open before is
// gone afterwards.
TEST(TransportLink, UnusableSettingsRefuseTheOpeningAndDropTheOldConnection) {
  QTemporaryDir dir;
  Orvanel::LinkSettings file;
  file.kind = Orvanel::ConnectionKind::File;
  file.path = dir.filePath(QStringLiteral("capture.prn"));
  const struct {
    const char* name;
    Orvanel::LinkSettings settings;
    const char* says;
    Orvanel::LinkRemedy remedy;  // each program words it for its own controls
  } cases[] = {
      {"not set up", Orvanel::LinkSettings(), "No printer connection has been set up yet",
       Orvanel::LinkRemedy::SetUp},
      {"no host",
       [] {
         Orvanel::LinkSettings s;
         s.kind = Orvanel::ConnectionKind::Network;
         return s;
       }(),
       "network address", Orvanel::LinkRemedy::Correct},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Orvanel::TransportLink link(file);
    link.OpenConnection();
    ASSERT_TRUE(link.isOpen());
    link.setSettings(c.settings);
    try {
      link.OpenConnection();
      ADD_FAILURE() << "opened";
    } catch (const Orvanel::LinkError& error) {
      EXPECT_TRUE(error.message().contains(QString::fromLatin1(c.says)))
          << error.message().toStdString();
      EXPECT_EQ(error.remedy(), c.remedy);
      EXPECT_FALSE(error.message().contains(QStringLiteral("Communication")))
          << error.message().toStdString();
    }
    EXPECT_FALSE(link.isOpen());
  }
}

}  // namespace
