#include "core/link/printer_identity.h"

#include <QDir>
#include <QFile>

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace Orvanel {

QString canonicalHost(const QString& host) {
  const QByteArray name = host.toUtf8();
  // A plain dotted IPv4 address, what fleets are mostly made of, is its own canonical form: it
  // needs none of the resolver's machinery. Its other spellings ("127.1", octal or hexadecimal
  // parts), which inet_pton refuses, still go to the resolver.
  in_addr v4{};
  std::array<char, INET_ADDRSTRLEN> plain{};
  if (::inet_pton(AF_INET, name.constData(), &v4) == 1 &&
      ::inet_ntop(AF_INET, &v4, plain.data(), plain.size())) {
    return QString::fromLatin1(plain.data());
  }
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_flags = AI_NUMERICHOST;
  addrinfo* found = nullptr;
  if (::getaddrinfo(name.constData(), nullptr, &hints, &found) == 0 && found) {
    std::array<char, NI_MAXHOST> text{};
    sockaddr_storage address{};
    std::memcpy(&address, found->ai_addr, std::min<size_t>(found->ai_addrlen, sizeof address));
    socklen_t size = found->ai_addrlen;
    ::freeaddrinfo(found);
    if (address.ss_family == AF_INET6) {
      auto* v6 = reinterpret_cast<sockaddr_in6*>(&address);
      if (IN6_IS_ADDR_V4MAPPED(&v6->sin6_addr)) {
        sockaddr_in v4{};
        v4.sin_family = AF_INET;
        std::memcpy(&v4.sin_addr, &v6->sin6_addr.s6_addr[12], 4);
        std::memcpy(&address, &v4, sizeof v4);
        size = sizeof v4;
      }
    }
    if (::getnameinfo(reinterpret_cast<sockaddr*>(&address), size, text.data(), text.size(),
                      nullptr, 0, NI_NUMERICHOST) == 0) {
      return QString::fromLatin1(text.data());
    }
  } else if (found) {
    ::freeaddrinfo(found);
  }
  QString key = host.toLower();
  while (key.endsWith(u'.')) {
    key.chop(1);
  }
  return key;
}

QString canonicalFilePath(const QString& path) {
  QByteArray name =
      QFile::encodeName(QDir::isAbsolutePath(path) ? path : QDir::current().filePath(path));
  char resolved[PATH_MAX];
  if (::realpath(name.constData(), resolved)) {
    return QFile::decodeName(resolved);
  }
  // Not there (yet): follow a dangling link by hand, then resolve the folder it names.
  for (int hops = 0; hops < 40; ++hops) {
    struct stat link {};
    if (::lstat(name.constData(), &link) != 0 || !S_ISLNK(link.st_mode)) {
      break;
    }
    std::array<char, PATH_MAX> target{};
    const ssize_t n = ::readlink(name.constData(), target.data(), target.size() - 1);
    if (n <= 0) {
      break;
    }
    const QByteArray to(target.data(), n);
    if (to.startsWith('/')) {
      name = to;
    } else {
      const qsizetype slash = name.lastIndexOf('/');
      name = name.left(slash + 1) + to;
    }
  }
  // The folder as the system resolves it (a link in it followed before any ".."); a folder that
  // is not there either is taken as written, cleaned.
  const qsizetype slash = name.lastIndexOf('/');
  const QByteArray folder = slash <= 0 ? QByteArray("/") : name.left(slash);
  const QString clean =
      ::realpath(folder.constData(), resolved)
          ? QFile::decodeName(resolved) + u'/' + QFile::decodeName(name.mid(slash + 1))
          : QFile::decodeName(name);
  return QDir::cleanPath(clean);
}

QString serialPortLocation(const QString& port) {
  if (port.startsWith(u'/') || port.startsWith(QStringLiteral("./")) ||
      port.startsWith(QStringLiteral("../"))) {
    return port;
  }
  return QStringLiteral("/dev/") + port;
}

QString fileIdentity(const QString& path) {
  const QByteArray name =
      QFile::encodeName(QDir::isAbsolutePath(path) ? path : QDir::current().filePath(path));
  struct stat info {};
  if (::stat(name.constData(), &info) == 0) {
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)) {
      return QStringLiteral("device %1 %2")
          .arg(S_ISCHR(info.st_mode) ? u'c' : u'b')
          .arg(static_cast<qulonglong>(info.st_rdev));
    }
    return QStringLiteral("inode %1 %2")
        .arg(static_cast<qulonglong>(info.st_dev))
        .arg(static_cast<qulonglong>(info.st_ino));
  }
  return QStringLiteral("path ") + canonicalFilePath(path);
}

}  // namespace Orvanel

namespace Q6 {

QString sameDeviceKey(const Orvanel::LinkSettings& s) {
  using Orvanel::ConnectionKind;
  switch (s.kind) {
    case ConnectionKind::Network:
      return QStringLiteral("tcp %1 %2")
          .arg(Orvanel::canonicalHost(s.host), QString::number(s.port));
    case ConnectionKind::Queue:
      return QStringLiteral("queue ") + s.queue.toLower();
    case ConnectionKind::File:
      return Orvanel::fileIdentity(s.path);
    case ConnectionKind::Serial:
      return Orvanel::fileIdentity(Orvanel::serialPortLocation(s.serialPort));
    case ConnectionKind::NotSet:
      break;
  }
  return QString();
}

QString recordPrinterName(const Orvanel::LinkSettings& s) {
  using Orvanel::ConnectionKind;
  switch (s.kind) {
    case ConnectionKind::Network: {
      const QString host = Orvanel::canonicalHost(s.host);
      return QStringLiteral("tcp://%1:%2")
          .arg(host.contains(u':') ? u'[' + host + u']' : host, QString::number(s.port));
    }
    case ConnectionKind::Queue:
      return QStringLiteral("queue:") + s.queue.toLower();
    case ConnectionKind::File:
      return QStringLiteral("file:") + Orvanel::canonicalFilePath(s.path);
    case ConnectionKind::Serial:
      // A link such as /dev/serial/by-id/... names the port it points to today.
      return QStringLiteral("serial:") +
             Orvanel::canonicalFilePath(Orvanel::serialPortLocation(s.serialPort));
    case ConnectionKind::NotSet:
      break;
  }
  return QString();
}

}  // namespace Q6
