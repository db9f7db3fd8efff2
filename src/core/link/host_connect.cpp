#include "core/link/host_connect.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include <QElapsedTimer>
#include <QStringList>

#include "core/common/timed_answer.h"

namespace Orvanel {

namespace {

// What the resolver answered for one name.
struct Lookup {
  int error = 0;
  int systemError = 0;  // errno, for EAI_SYSTEM
  std::vector<sockaddr_storage> addresses;
};

int lookUp(const QByteArray& name, const QByteArray& service, int flags,
           std::vector<sockaddr_storage>* addresses, int* systemError = nullptr) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = flags | AI_NUMERICSERV;
  addrinfo* found = nullptr;
  errno = 0;
  const int error = ::getaddrinfo(name.constData(), service.constData(), &hints, &found);
  if (systemError) {
    *systemError = errno;
  }
  for (addrinfo* a = found; error == 0 && a; a = a->ai_next) {
    sockaddr_storage address{};
    std::memcpy(&address, a->ai_addr, std::min<size_t>(a->ai_addrlen, sizeof address));
    addresses->push_back(address);
  }
  if (found) {
    ::freeaddrinfo(found);
  }
  return error;
}

QString systemReason(int error) {
  return QString::fromLocal8Bit(std::strerror(error));
}

QString addressText(const sockaddr_storage& address) {
  char text[INET6_ADDRSTRLEN] = {};
  if (address.ss_family == AF_INET6) {
    const auto& v6 = reinterpret_cast<const sockaddr_in6&>(address);
    ::inet_ntop(AF_INET6, &v6.sin6_addr, text, sizeof text);
    return QStringLiteral("[%1]").arg(QString::fromLatin1(text));
  }
  const auto& v4 = reinterpret_cast<const sockaddr_in&>(address);
  ::inet_ntop(AF_INET, &v4.sin_addr, text, sizeof text);
  return QString::fromLatin1(text);
}

socklen_t addressSize(const sockaddr_storage& address) {
  return address.ss_family == AF_INET6 ? sizeof(sockaddr_in6) : sizeof(sockaddr_in);
}

}  // namespace

std::vector<sockaddr_storage> resolveWithin(const QString& host, int port, int timeoutMs,
                                            QString* failure) {
  const QByteArray name = host.toUtf8();
  const QByteArray service = QByteArray::number(port);
  // An address written as numbers needs no name server: no thread, no wait.
  std::vector<sockaddr_storage> numeric;
  if (lookUp(name, service, AI_NUMERICHOST, &numeric) == 0 && !numeric.empty()) {
    return numeric;
  }
  // Name lookup is a blocking resolver call that no socket time limit covers; a dead name server
  // would freeze the window for the resolver's own time-out. The look-up uses the C library alone,
  // so one still running when the program ends touches nothing already torn down.
  const auto deadline = Q6::deadlineIn(timeoutMs);
  const std::optional<Lookup> lookup =
      Q6::TimedAnswer<Lookup>([name, service] {
        Lookup answer;
        answer.error = lookUp(name, service, AI_ADDRCONFIG, &answer.addresses, &answer.systemError);
        return answer;
      }).by(deadline);
  if (!lookup) {
    *failure = QStringLiteral("the name could not be looked up within %1 ms").arg(timeoutMs);
    return {};
  }
  if (lookup->error != 0 || lookup->addresses.empty()) {
    // EAI_SYSTEM says only "System error": the reason is the system's (errno). Out of files, the
    // resolver may also answer "no such name" for a name it could not look up at all.
    const int system = lookup->systemError;
    const bool outOfFiles = system == EMFILE || system == ENFILE;
    *failure = (lookup->error == EAI_SYSTEM && system != 0) || outOfFiles
                   ? QStringLiteral("the name could not be looked up: %1")
                         .arg(QString::fromLocal8Bit(std::strerror(system)))
               : lookup->error == EAI_NONAME || lookup->error == EAI_NODATA
                   ? QStringLiteral("Host not found")
                   : QString::fromLocal8Bit(::gai_strerror(lookup->error));
    return {};
  }
  return lookup->addresses;
}

std::vector<sockaddr_storage> interleaveFamilies(const std::vector<sockaddr_storage>& addresses) {
  if (addresses.empty()) {
    return {};
  }
  std::vector<sockaddr_storage> first;
  std::vector<sockaddr_storage> other;
  for (const sockaddr_storage& a : addresses) {
    (a.ss_family == addresses.front().ss_family ? first : other).push_back(a);
  }
  std::vector<sockaddr_storage> order;
  order.reserve(addresses.size());
  for (size_t i = 0; i < std::max(first.size(), other.size()); ++i) {
    if (i < first.size()) {
      order.push_back(first[i]);
    }
    if (i < other.size()) {
      order.push_back(other[i]);
    }
  }
  return order;
}

int connectToFirst(const std::vector<sockaddr_storage>& addresses, int timeoutMs, QString* failure,
                   int staggerMs, int spentMs) {
  struct Attempt {
    int fd;
    size_t index;
  };
  std::vector<Attempt> running;
  std::vector<QString> outcomes(addresses.size());
  const auto closeAll = [&] {
    for (const Attempt& a : running) {
      ::close(a.fd);
    }
    running.clear();
  };
  QElapsedTimer timer;
  timer.start();
  size_t next = 0;
  qint64 nextStartMs = 0;  // when the next address may be tried
  for (;;) {
    const qint64 now = timer.elapsed() + spentMs;
    if (now >= timeoutMs) {
      for (const Attempt& a : running) {
        outcomes[a.index] = QStringLiteral("no answer within %1 ms").arg(timeoutMs);
      }
      closeAll();
      break;
    }
    if (next < addresses.size() && now >= nextStartMs &&
        running.size() < static_cast<size_t>(kMaxConnectAttempts)) {
      const size_t index = next++;
      const sockaddr_storage& address = addresses[index];
      const int fd = ::socket(address.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
      if (fd < 0) {
        outcomes[index] = systemReason(errno);
        continue;  // on to the next address at once
      }
      if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), addressSize(address)) == 0) {
        closeAll();
        return fd;
      }
      if (errno != EINPROGRESS && errno != EINTR) {
        outcomes[index] = systemReason(errno);
        ::close(fd);
        continue;
      }
      running.push_back({fd, index});
      nextStartMs = now + staggerMs;
      continue;
    }
    if (running.empty()) {
      break;  // every address failed at once
    }
    qint64 wait = timeoutMs - now;
    if (next < addresses.size() && running.size() < static_cast<size_t>(kMaxConnectAttempts)) {
      wait = std::min(wait, std::max<qint64>(nextStartMs - now, 0));
    }
    std::vector<pollfd> waiting;
    waiting.reserve(running.size());
    for (const Attempt& a : running) {
      waiting.push_back({a.fd, POLLOUT, 0});
    }
    const int ready = ::poll(waiting.data(), waiting.size(), static_cast<int>(wait));
    if (ready <= 0) {
      continue;  // the stagger or the limit is up (or a signal): looked at above
    }
    std::vector<Attempt> still;
    for (size_t k = 0; k < waiting.size(); ++k) {
      const Attempt a = running[k];
      if (!waiting[k].revents) {
        still.push_back(a);
        continue;
      }
      int error = 0;
      socklen_t size = sizeof error;
      if (::getsockopt(a.fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0) {
        error = errno;
      }
      if (error == 0) {
        for (size_t j = k + 1; j < running.size(); ++j) {
          still.push_back(running[j]);
        }
        running = std::move(still);
        closeAll();
        return a.fd;
      }
      outcomes[a.index] = systemReason(error);
      ::close(a.fd);
      nextStartMs = 0;  // a failure starts the next address at once
    }
    running = std::move(still);
  }
  if (addresses.size() == 1) {
    *failure = outcomes[0];
    return -1;
  }
  QStringList each;
  for (size_t i = 0; i < addresses.size(); ++i) {
    each << QStringLiteral("%1: %2").arg(
        addressText(addresses[i]), outcomes[i].isEmpty()
                                       ? QStringLiteral("not tried within %1 ms").arg(timeoutMs)
                                       : outcomes[i]);
  }
  *failure = each.join(QStringLiteral("; "));
  return -1;
}

}  // namespace Orvanel
