// A serial target with its parameters reaches a real pseudo-terminal pair (socat).
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include "support/core_support.h"

namespace {

TEST(SerialTarget, ParametersInTheTargetReachThePort) {
  if (QStandardPaths::findExecutable("socat").isEmpty()) {
    GTEST_SKIP() << "socat is not installed";
  }
  QTemporaryDir dir;
  const QString printerSide = dir.filePath("printer");
  const QString testSide = dir.filePath("test");
  QProcess relay;
  relay.start("socat", {"pty,raw,echo=0,link=" + printerSide, "pty,raw,echo=0,link=" + testSide});
  const QDeadlineTimer deadline(5000);
  while (!(QFileInfo::exists(printerSide) && QFileInfo::exists(testSide)) &&
         !deadline.hasExpired()) {
    QThread::msleep(10);
  }
  ASSERT_TRUE(QFileInfo::exists(testSide)) << relay.readAllStandardError().toStdString();
  const int fd = ::open(testSide.toLocal8Bit().constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(fd, 0);
  termios raw{};
  ::tcgetattr(fd, &raw);
  ::cfmakeraw(&raw);
  ::tcsetattr(fd, TCSANOW, &raw);

  QProcess cli;
  cli.start(Q6CONFIG_CLI_PATH,
            {"reset", "--yes", "--to",
             "serial:" + printerSide + "?baud=19200&data=8&parity=none&stop=1&flow=none"});
  ASSERT_TRUE(cli.waitForFinished(30000));
  EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();

  QByteArray got;
  const QByteArray expected =
      Q6Test::hex("1B 1D 23 40 30 30 30 30 30 0A 00 1B 1D 23 57 30 30 30 30 30 0A 00");
  const QDeadlineTimer readDeadline(5000);
  while (got.size() < expected.size() && !readDeadline.hasExpired()) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 50) > 0) {
      char buffer[256];
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n > 0) got.append(buffer, n);
    }
  }
  ::close(fd);
  relay.terminate();
  relay.waitForFinished(3000);
  EXPECT_EQ(got, expected);
}

}  // namespace
