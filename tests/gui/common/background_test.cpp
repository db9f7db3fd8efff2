// Work beside the windows: it runs off the window's thread, its result comes back on the window's
// thread (or not at all when the window is gone), and a wait for it keeps the window's loop going.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPointer>
#include <QSignalSpy>
#include <QThread>
#include <QTimer>

#include <memory>

#include "gui/common/background.h"

namespace {

TEST(Background, TheResultComesBackOnTheReceiversThreadOrNotAtAll) {
  for (const bool receiverStays : {true, false}) {
    SCOPED_TRACE(receiverStays ? "receiver stays" : "receiver gone");
    auto receiver = std::make_unique<QObject>();
    QThread* workThread = nullptr;
    QThread* deliverThread = nullptr;
    int delivered = 0;
    QPointer<QThread> thread = Q6::runInBackground(
        receiver.get(),
        [&workThread] {
          workThread = QThread::currentThread();
          QThread::msleep(50);
          return 42;
        },
        [&](int value) {
          deliverThread = QThread::currentThread();
          delivered = value;
        });
    if (!receiverStays) {
      receiver.reset();
    }
    ASSERT_TRUE(thread);
    ASSERT_TRUE(thread->wait(5000));
    QSignalSpy gone(thread.data(), &QObject::destroyed);
    EXPECT_TRUE(gone.wait(5000));  // the thread lets itself go
    EXPECT_NE(workThread, QCoreApplication::instance()->thread());
    EXPECT_EQ(delivered, receiverStays ? 42 : 0);
    EXPECT_EQ(deliverThread, receiverStays ? QCoreApplication::instance()->thread() : nullptr);
  }
}

TEST(Background, WaitingKeepsTheLoopGoingAndReturnsTheResult) {
  int ticks = 0;
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, [&ticks] { ++ticks; });
  tick.start(10);
  const QString result = Q6::runBeside([] {
    QThread::msleep(300);
    return QStringLiteral("done");
  });
  EXPECT_EQ(result, QStringLiteral("done"));
  EXPECT_GE(ticks, 5);  // the window would have painted meanwhile
}

}  // namespace
