#include "core/discovery/link_probe.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/link/link_error.h"
#include "core/link/open_problem.h"
#include "core/link/transport_link.h"

namespace Orvanel {

namespace {

QString target(const LinkSettings& s) {
  switch (s.kind) {
    case ConnectionKind::Network:
      return QStringLiteral("the printer at %1 port %2").arg(s.host).arg(s.port);
    case ConnectionKind::File:
      return s.path;
    case ConnectionKind::Serial:
      return QStringLiteral("the serial port %1").arg(s.serialPort);
    case ConnectionKind::Queue:
    case ConnectionKind::NotSet:
      break;
  }
  return QString();
}

ProbeResult openAndClose(const LinkSettings& settings) {
  try {
    TransportLink link(settings);
    link.OpenConnection();
    link.CloseConnection();
  } catch (const LinkError& error) {
    return ProbeResult{false, error.message()};
  }
  return ProbeResult{true, QStringLiteral("Reached %1. Nothing was sent.").arg(target(settings))};
}

// A capture file that does not exist yet would be created by the test and left behind as an empty
// file the operator never asked for. Whether it could be made is found out by making it and
// removing it again; O_EXCL makes sure only a file of our own making is removed.
ProbeResult probeMissingFile(const LinkSettings& settings) {
  const QByteArray name = QFile::encodeName(settings.path);
  const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    const int error = errno;
    if (error == EEXIST) {
      return openAndClose(settings);  // it appeared in the meantime
    }
    return ProbeResult{
        false, withOpenHint(QStringLiteral("Could not open the printer file %1: %2")
                                .arg(settings.path, QString::fromLocal8Bit(std::strerror(error))),
                            error, settings.path)};
  }
  ::close(fd);
  ::unlink(name.constData());
  return ProbeResult{true, QStringLiteral("%1 does not exist yet; it can be created and will be on "
                                          "the first use. Nothing was written.")
                               .arg(settings.path)};
}

}  // namespace

ProbeResult probeLink(const LinkSettings& settings) {
  if (settings.kind == ConnectionKind::NotSet) {
    return ProbeResult{false, QStringLiteral("Choose a connection first.")};
  }
  if (const Q6::Result<> valid = validateLinkSettings(settings); !valid) {
    return ProbeResult{false, QStringLiteral("Not tested: %1").arg(valid.error())};
  }
  switch (settings.kind) {
    case ConnectionKind::Queue:
      // Opening the queue link would start a job, which is sending something.
      return probeQueue(settings.queue, settings.timeoutMs);
    case ConnectionKind::File:
      if (!QFileInfo::exists(settings.path)) {
        return probeMissingFile(settings);
      }
      return openAndClose(settings);
    case ConnectionKind::Network:
    case ConnectionKind::Serial:
    case ConnectionKind::NotSet:
      break;
  }
  return openAndClose(settings);
}

}  // namespace Orvanel
