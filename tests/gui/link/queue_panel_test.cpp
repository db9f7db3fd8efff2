// The settings panel offers the queues of the print server in force, asked in the background.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QSignalSpy>

#include "gui/link/link_settings_panel.h"
#include "support/link_fixtures.h"
#include "support/test_support.h"

namespace {

TEST(QueuePanel, OffersTheServersQueuesAndKeepsATypedName) {
  const QString why = Q6Test::PrivateCupsd::unavailableReason();
  if (!why.isEmpty()) {
    GTEST_SKIP() << why.toStdString();
  }
  Q6Test::TcpSink sink;
  Q6Test::PrivateCupsd cupsd;
  ASSERT_TRUE(cupsd.start()) << cupsd.failure().toStdString();
  ASSERT_TRUE(cupsd.addRawQueue(QStringLiteral("q6raw"),
                                QStringLiteral("socket://127.0.0.1:%1").arg(sink.port())))
      << cupsd.failure().toStdString();
  ASSERT_TRUE(cupsd.addRawQueue(QStringLiteral("q6other"), QStringLiteral("socket://127.0.0.1:9")))
      << cupsd.failure().toStdString();
  Q6Test::ScopedCupsServer server(cupsd.server());
  Orvanel::LinkSettingsPanel panel;
  Orvanel::LinkSettings typed;
  typed.kind = Orvanel::ConnectionKind::Queue;
  typed.queue = QStringLiteral("typed-by-hand");
  panel.showSettings(typed);
  // The server is asked in the background, so that a slow one cannot hold the window.
  QSignalSpy finished(&panel, &Orvanel::LinkSettingsPanel::searchFinished);
  panel.findPrinters();
  ASSERT_TRUE(finished.wait(10000));
  QStringList offered;
  for (int i = 0; i < panel.cmbQueue->count(); ++i) {
    offered << panel.cmbQueue->itemText(i);
  }
  EXPECT_EQ(offered, QStringList({"q6other", "q6raw"}));
  EXPECT_EQ(panel.cmbQueue->currentText(), QStringLiteral("typed-by-hand"));
  EXPECT_EQ(panel.editedSettings().queue, QStringLiteral("typed-by-hand"));
}

}  // namespace
