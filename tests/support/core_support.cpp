#include "support/core_support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <utility>

void PrintTo(const QByteArray& bytes, std::ostream* os) {
  *os << "[" << bytes.size() << " bytes: " << bytes.toHex(' ').toUpper().toStdString() << "]";
}

void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace Q6Test {

QByteArray hex(const char* spaced) {
  QByteArray digits(spaced);
  digits.replace(' ', "");
  return QByteArray::fromHex(digits);
}

QByteArray concat(const std::vector<QByteArray>& parts) {
  QByteArray all;
  for (const QByteArray& p : parts) {
    all += p;
  }
  return all;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

Orvanel::LinkSettings loopbackSettings(int port, int timeoutMs) {
  Orvanel::LinkSettings s;
  s.kind = Orvanel::ConnectionKind::Network;
  s.host = QStringLiteral("127.0.0.1");
  s.port = port;
  s.timeoutMs = timeoutMs;
  return s;
}

void RecordingLink::OpenConnection() {
  calls << QStringLiteral("open");
  if (failOnOpen) {
    throw Orvanel::LinkError(QStringLiteral("Could not connect to the printer at test: refused"));
  }
  ++opens;
}

void RecordingLink::SendData(const QByteArray& data) {
  calls << QStringLiteral("send");
  if (failOnSend > 0 && static_cast<int>(sent.size()) + 1 == failOnSend) {
    throw Orvanel::LinkError(QStringLiteral("Could not send to the printer at test: broken pipe"));
  }
  sent.push_back(data);
}

void RecordingLink::CloseConnection() {
  calls << QStringLiteral("close");
  ++closes;
}

TempConfig::TempConfig(const QString& under)
    : dir_((under.isEmpty() ? QDir::tempPath() : under) + QStringLiteral("/q6config-XXXXXX")),
      previousXdg_(qgetenv("XDG_CONFIG_HOME")) {
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path());
  qputenv("XDG_CONFIG_HOME", dir_.path().toLocal8Bit());
}

TempConfig::~TempConfig() {
  // Later tests must not see this folder, nor the real home.
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                     QDir::tempPath() + QStringLiteral("/q6config-tests-unused"));
  qputenv("XDG_CONFIG_HOME", previousXdg_);
}

QString TempConfig::iniPath() const {
  return dir_.path() + QStringLiteral("/Q56Config/Q56Config.ini");
}

void TempConfig::writeLink(const QStringList& keyValueLines) {
  QDir().mkpath(dir_.path() + QStringLiteral("/Q56Config"));
  QFile file(iniPath());
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    return;
  }
  file.write("[Q56ConfigCOM]\n");
  for (const QString& line : keyValueLines) {
    file.write(line.toUtf8() + "\n");
  }
}

TcpSink::TcpSink(Mode mode) : mode_(mode) {
  listenFd_ = ::socket(AF_INET, SOCK_STREAM, 0);
  int one = 1;
  ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  if (mode_ == Mode::TalkBackSlowReader) {
    int small = 2048;  // inherited by the accepted socket, so the sender's queue stays full
    ::setsockopt(listenFd_, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
  }
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;
  ::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  ::listen(listenFd_, 8);
  socklen_t len = sizeof addr;
  ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len);
  port_ = ntohs(addr.sin_port);
  thread_ = std::thread([this] { run(); });
}

TcpSink::~TcpSink() {
  stop_ = true;
  thread_.join();
  ::close(listenFd_);
}

void TcpSink::run() {
  std::vector<int> held;  // connections accepted but never read, or never ended
  const auto reset = [](int fd) {
    linger drop{1, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &drop, sizeof drop);
    ::close(fd);
  };
  while (!stop_) {
    pollfd p{listenFd_, POLLIN, 0};
    if (::poll(&p, 1, 20) <= 0) {
      continue;
    }
    const int fd = ::accept(listenFd_, nullptr, nullptr);
    if (fd < 0) {
      continue;
    }
    if (mode_ == Mode::AcceptNeverRead) {
      held.push_back(fd);
      continue;
    }
    if (mode_ == Mode::CloseAtOnce) {
      ::close(fd);
      ++finished_;
      continue;
    }
    const bool partial = mode_ == Mode::PartThenReset || mode_ == Mode::PartThenResetAtOnce ||
                         mode_ == Mode::PartThenClose;
    char buffer[65536];
    bool answered = false;
    qsizetype taken = 0;
    while (!stop_) {
      pollfd q{fd, POLLIN, 0};
      if (::poll(&q, 1, 20) <= 0) {
        continue;
      }
      const bool slow = mode_ == Mode::TalkBackSlowReader;
      const size_t want = partial ? static_cast<size_t>(100 - taken) : slow ? 512 : sizeof buffer;
      const ssize_t n = ::read(fd, buffer, want);
      if (n <= 0) {
        break;
      }
      taken += n;
      {
        std::lock_guard<std::mutex> lock(mutex_);
        data_.append(buffer, n);
      }
      if (partial && taken >= 100) {
        break;
      }
      if (slow && !answered) {
        answered = ::write(fd, "\x12", 1) == 1;  // a status byte the link never reads
        std::this_thread::sleep_for(std::chrono::milliseconds(300));  // busy printing
      } else if (slow) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
    }
    if (mode_ == Mode::PartThenReset) {
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    if (mode_ == Mode::SlowToEnd) {
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    if (mode_ == Mode::PartThenReset || mode_ == Mode::PartThenResetAtOnce) {
      reset(fd);
    } else if (mode_ == Mode::HoldOpen) {
      held.push_back(fd);
    } else {
      ::close(fd);
    }
    ++finished_;
  }
  for (int fd : held) {
    ::close(fd);
  }
}

QByteArray TcpSink::received(int connections, int timeoutMs) {
  QElapsedTimer timer;
  timer.start();
  while (finished_.load() < connections && timer.elapsed() < timeoutMs) {
    QThread::msleep(5);
  }
  std::lock_guard<std::mutex> lock(mutex_);
  return data_;
}

ClosedPort::ClosedPort() : fd_(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
  // No SO_REUSEADDR: while this socket is bound, nothing else may bind the port.
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof addr;
  if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      ::getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    throw std::runtime_error("no port could be held closed: " +
                             qt_error_string(errno).toStdString());
  }
  port_ = ntohs(addr.sin_port);
}

ClosedPort::~ClosedPort() {
  if (fd_ >= 0) {
    ::close(fd_);
  }
}

PrivateTmpfs::PrivateTmpfs(const QString& folder) : folder_(folder) {
  if (::geteuid() != 0) {
    unavailable_ = QStringLiteral("a private mount needs root (CI runs the tests as root)");
    return;
  }
  // Once per process: the mounts below stay invisible to every other process.
  static const QString entered = [] {
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
      return QStringLiteral("no private mount namespace: ") + qt_error_string(errno);
    }
    return QString();
  }();
  QDir().mkpath(folder_);
  if (!entered.isEmpty()) {
    unavailable_ = entered;
  } else if (::mount("tmpfs", QFile::encodeName(folder_).constData(), "tmpfs", 0,
                     "size=64k,mode=0755") != 0) {
    unavailable_ = QStringLiteral("no tmpfs: ") + qt_error_string(errno);
  }
}

PrivateTmpfs::~PrivateTmpfs() {
  if (unavailable_.isEmpty()) {
    ::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
  }
}

bool PrivateTmpfs::fill(int pagesLeft) {
  std::vector<QString> pages;
  const QByteArray page(4096, 'x');
  bool full = false;  // a page no longer fitted: a disk full already counts
  for (int i = 0; i < 1000 && !full; ++i) {
    const QString name = folder_ + QStringLiteral("/.filler-%1").arg(i);
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(page) != page.size() || !file.flush()) {
      file.close();
      QFile::remove(name);
      full = true;
      break;
    }
    pages.push_back(name);
  }
  for (int i = 0; i < pagesLeft && !pages.empty(); ++i) {
    QFile::remove(pages.back());
    pages.pop_back();
  }
  return full;
}

bool PrivateTmpfs::makeReadOnly() {
  return ::mount(nullptr, QFile::encodeName(folder_).constData(), nullptr, MS_REMOUNT | MS_RDONLY,
                 nullptr) == 0;
}

}  // namespace Q6Test
