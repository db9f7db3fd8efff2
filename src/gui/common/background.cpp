#include "gui/common/background.h"

#include <QEventLoop>
#include <QPointer>

namespace Q6 {

QThread* startBeside(QObject* receiver, std::function<void()> work, std::function<void()> deliver) {
  QThread* thread = QThread::create(std::move(work));
  // Queued: the result is taken on receiver's thread, once the work's thread has let go of it.
  QObject::connect(thread, &QThread::finished, receiver, std::move(deliver), Qt::QueuedConnection);
  QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
  thread->start();
  return thread;
}

void waitBeside(std::function<void()> work) {
  QEventLoop loop;
  const QPointer<QThread> thread = startBeside(&loop, std::move(work), [&loop] { loop.quit(); });
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  if (thread) {
    thread->wait();  // the loop also ends early when the program is told to quit
  }
}

}  // namespace Q6
