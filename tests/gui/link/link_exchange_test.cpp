#include <QCursor>
#include <QGuiApplication>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <thread>

#include "gui/common/link_exchange.h"
#include "support/test_support.h"

using Q6Test::hex;

namespace {

TEST(Exchange, WriteOnlyExchangeOpensAndClosesOnce) {
  Q6Test::RecordingLink link;
  Q6Test::MessageCapture boxes;
  EXPECT_TRUE(Q6::runExchange(link, {Q6::writeCommand()}, nullptr));
  EXPECT_EQ(link.calls, QStringList({"open", "send", "close"}));
  ASSERT_EQ(link.sent.size(), 1u);
  EXPECT_EQ(link.sent[0], Q6Test::kWriteFrame);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST(Exchange, ErrorMidwayStopsClosesAndShowsOneMessage) {
  Q6Test::RecordingLink link;
  link.failOnSend = 3;
  Q6Test::MessageCapture boxes;
  const Q6::CommandList five = {hex("01"), hex("02"), hex("03"), hex("04"), hex("05")};
  EXPECT_FALSE(Q6::runExchange(link, five, nullptr));
  EXPECT_EQ(link.sent, (std::vector<QByteArray>{hex("01"), hex("02")}));
  EXPECT_EQ(link.calls, QStringList({"open", "send", "send", "send", "close"}));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].title, QStringLiteral("Q6Config"));
  EXPECT_EQ(boxes.shown[0].icon, QMessageBox::Warning);
  EXPECT_TRUE(boxes.shown[0].text.contains("broken pipe"));
}

TEST(Exchange, FailedOpenSendsNothingAndClosesNothing) {
  Q6Test::RecordingLink link;
  link.failOnOpen = true;
  Q6Test::MessageCapture boxes;
  EXPECT_FALSE(Q6::runExchange(link, {Q6::writeCommand()}, nullptr));
  EXPECT_EQ(link.calls, QStringList({"open"}));
  EXPECT_TRUE(link.sent.empty());
  EXPECT_EQ(boxes.shown.size(), 1u);
}

// A printer that takes its time over every step, as one that takes nothing does until the time
// limit; it notes the thread each step runs on.
class SlowLink : public Q6Test::RecordingLink {
 public:
  void OpenConnection() override {
    step();
    RecordingLink::OpenConnection();
  }
  void SendData(const QByteArray& data) override {
    step();
    RecordingLink::SendData(data);
  }
  void CloseConnection() override {
    step();
    RecordingLink::CloseConnection();
  }
  std::set<QThread*> threads;

 private:
  void step() {
    threads.insert(QThread::currentThread());
    std::this_thread::sleep_for(std::chrono::milliseconds(120));
  }
};

struct WaitCase {
  const char* name;
  int failOnSend;
  bool sent;
  QStringList calls;
};

// While a link waits, the window runs on (it repaints) under a wait cursor; the cursor is back
// before any message; a second exchange cannot start meanwhile.
TEST(Exchange, WindowRunsUnderAWaitCursorWhileTheLinkWaits) {
  const WaitCase cases[] = {
      {"all sent", 0, true, {"open", "send", "send", "close"}},
      {"second send fails", 2, false, {"open", "send", "send", "close"}},
  };
  for (const WaitCase& c : cases) {
    SCOPED_TRACE(c.name);
    SlowLink link;
    link.failOnSend = c.failOnSend;
    std::vector<bool> cursorAtMessage;
    Q6::setMessageHandler([&](const Q6::MessageRequest&) {
      cursorAtMessage.push_back(QGuiApplication::overrideCursor() != nullptr);
      return QMessageBox::Ok;
    });
    bool ranMeanwhile = false;
    Qt::CursorShape cursorMeanwhile = Qt::ArrowCursor;
    Q6Test::RecordingLink second;
    bool secondSent = true;
    QTimer::singleShot(50, [&] {
      ranMeanwhile = true;
      if (const QCursor* cursor = QGuiApplication::overrideCursor()) {
        cursorMeanwhile = cursor->shape();
      }
      secondSent = Q6::runExchange(second, {hex("01")}, nullptr);
    });

    EXPECT_EQ(Q6::runExchange(link, {hex("01"), hex("02")}, nullptr), c.sent);
    Q6Test::installUnexpectedMessageGuard();

    EXPECT_TRUE(ranMeanwhile);
    EXPECT_EQ(cursorMeanwhile, Qt::WaitCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(cursorAtMessage, std::vector<bool>(c.sent ? 0 : 1, false));
    EXPECT_FALSE(secondSent);
    EXPECT_TRUE(second.calls.isEmpty());
    EXPECT_EQ(link.calls, c.calls);
    // Open, sends and close (after an error too) all on one thread, not the window's.
    ASSERT_EQ(link.threads.size(), 1u);
    EXPECT_NE(*link.threads.begin(), QThread::currentThread());
  }
}

}  // namespace
