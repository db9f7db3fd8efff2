#include "cli/output.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <utility>

#include "cli/list_targets.h"
#include "core/link/host_connect.h"
#include "core/settings/window_content.h"
#include "version.h"

namespace Q6Cli {

namespace {

// The report's temporary file, for the signal handler to remove.
char reportTempPath[PATH_MAX + 16] = {};

std::atomic<int> stopSignalSeen{0};

extern "C" void onStopSignal(int signo) {
  if (stopSignalSeen.exchange(signo) != 0) {
    if (reportTempPath[0] != 0) {
      ::unlink(reportTempPath);
    }
    ::_exit(128 + signo);
  }
}

int openFileCount() {
  int count = 0;
  if (DIR* dir = ::opendir("/proc/self/fd")) {
    while (const dirent* entry = ::readdir(dir)) {
      count += entry->d_name[0] != '.';
    }
    ::closedir(dir);
  }
  return count;
}

QString statusName(Outcome outcome) {
  switch (outcome) {
    case Outcome::Delivered:
      return QStringLiteral("ok");
    case Outcome::Failed:
      return QStringLiteral("failed");
    case Outcome::Interrupted:
      return QStringLiteral("interrupted");
    case Outcome::NotStarted:
      return QStringLiteral("not started");
  }
  return QString();
}

QString signalName(int signo) {
  return signo == SIGINT ? QStringLiteral("SIGINT") : QStringLiteral("SIGTERM");
}

}  // namespace

void Streams::put(const QString& text, std::FILE* to, bool flush) {
  const QByteArray bytes = text.toLocal8Bit();
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), to);
  if (flush) {
    std::fflush(to);
  }
}

Q6::CommandList Payload::commands() const {
  Q6::CommandList all;
  for (const Group& g : groups) {
    all.insert(all.end(), g.commands.begin(), g.commands.end());
  }
  return all;
}

void printDryRun(const Payload& payload, const std::vector<Target>& targets, const Streams& io) {
  const Q6::CommandList all = payload.commands();
  io.line(QStringLiteral("# %1: %2 commands, %3 bytes; nothing is opened")
              .arg(payload.what)
              .arg(all.size())
              .arg(Q6::byteCount(all)));
  for (const Payload::Group& group : payload.groups) {
    io.line(group.label);
    for (const Q6::Command& command : group.commands) {
      const QString hex = Q6::hexText(command);
      const QString words = Q6::describeSwitchFrame(command);
      io.line(words.isEmpty() ? QStringLiteral("  ") + hex
                              : QStringLiteral("  %1  %2").arg(hex, -32).arg(words));
    }
  }
  for (const Target& target : targets) {
    io.line(QStringLiteral("# would go to %1").arg(displayText(target.text)), false);
  }
  std::fflush(io.out);
}

int listTargets(const Options& o, const Streams& io) {
  QStringList notes;
  const std::vector<FoundTarget> found = findLocalTargets(o.timeoutMs, &notes);
  for (const FoundTarget& f : found) {
    io.line(listLine(f));
  }
  // A missing service is worth a line, not a failure: what was found is still listed.
  for (const QString& note : notes) {
    io.error(displayText(note));
  }
  if (found.empty()) {
    io.error(QStringLiteral(
        "no network printers, printer queues, printer device nodes or serial ports found."));
  }
  return kExitDelivered;
}

void printResult(const TargetResult& r, const Streams& human) {
  if (r.delivered) {
    // One arg() for all: a '%' in a name is not a place for the next value.
    human.line(QStringLiteral("ok %1  %2 bytes  %3 ms")
                   .arg(displayText(r.target), QString::number(r.bytes), QString::number(r.ms)));
  } else {
    human.line(QStringLiteral("FAILED %1: %2").arg(displayText(r.target), displayText(r.error)));
  }
}

Progress::Progress(std::FILE* err, int total, bool wanted)
    : err_(err), total_(total), on_(wanted && total > 1 && ::isatty(::fileno(err)) == 1) {}

void Progress::clear() {
  if (on_ && drawn_) {
    std::fputs("\r\033[K", err_);
    drawn_ = false;
  }
}

void Progress::draw(const FleetStatus& status, int failed, const std::vector<Target>& targets) {
  if (!on_) {
    return;
  }
  QString line = QStringLiteral("[%1/%2] %3 delivered, %4 failed")
                     .arg(status.done)
                     .arg(total_)
                     .arg(status.done - failed)
                     .arg(failed);
  if (status.oldest >= 0) {
    line += QStringLiteral("; waiting %1 s on %2")
                .arg(QString::number(status.oldestWaitMs / 1000),
                     displayText(targets[static_cast<size_t>(status.oldest)].text));
  }
  const QByteArray bytes = (QStringLiteral("\r\033[K") + line).toLocal8Bit();
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), err_);
  std::fflush(err_);
  drawn_ = true;
}

std::atomic<int>& stopSignal() {
  return stopSignalSeen;
}

StopSignals::StopSignals() {
  struct sigaction action {};
  action.sa_handler = onStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGINT, &action, &oldInt_);
  ::sigaction(SIGTERM, &action, &oldTerm_);
}

StopSignals::~StopSignals() {
  ::sigaction(SIGINT, &oldInt_, nullptr);
  ::sigaction(SIGTERM, &oldTerm_, nullptr);
}

bool ReportFile::open(const QString& path, QString* error) {
  QFileInfo info(path);
  // A link is followed: the report replaces what it points at, not the link.
  path_ = info.isSymLink() && info.exists() ? info.canonicalFilePath() : path;
  const QByteArray temp =
      QFile::encodeName(QFileInfo(path_).absolutePath() + QStringLiteral("/.") +
                        QFileInfo(path_).fileName() + QStringLiteral(".XXXXXX"));
  if (temp.size() >= static_cast<qsizetype>(sizeof reportTempPath)) {
    *error = QStringLiteral("cannot write the report %1: %2")
                 .arg(displayText(path), QString::fromLocal8Bit(std::strerror(ENAMETOOLONG)));
    return false;
  }
  std::memcpy(reportTempPath, temp.constData(), static_cast<size_t>(temp.size()) + 1);
  fd_ = ::mkostemp(reportTempPath, O_CLOEXEC);
  if (fd_ < 0) {
    const int problem = errno;
    reportTempPath[0] = 0;
    *error = QStringLiteral("cannot write the report %1: %2")
                 .arg(displayText(path), QString::fromLocal8Bit(std::strerror(problem)));
    return false;
  }
  // The permissions a report at the path has, or a new file's.
  struct stat old {};
  if (::stat(QFile::encodeName(path_).constData(), &old) == 0) {
    ::fchmod(fd_, old.st_mode & 07777);
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd_, 0666 & ~mask);
  }
  return true;
}

bool ReportFile::commit(const QByteArray& text, QString* error) {
  qsizetype done = 0;
  while (done < text.size()) {
    const ssize_t n =
        ::write(fd_, text.constData() + done, static_cast<size_t>(text.size() - done));
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      return failed(error, n < 0 ? errno : EIO);
    }
    done += n;
  }
  if (::fsync(fd_) != 0 || ::close(std::exchange(fd_, -1)) != 0) {
    return failed(error, errno);
  }
  if (::rename(reportTempPath, QFile::encodeName(path_).constData()) != 0) {
    return failed(error, errno);
  }
  reportTempPath[0] = 0;
  return true;
}

void ReportFile::discard() {
  if (fd_ >= 0) {
    ::close(std::exchange(fd_, -1));
  }
  if (reportTempPath[0] != 0) {
    ::unlink(reportTempPath);
    reportTempPath[0] = 0;
  }
}

bool ReportFile::failed(QString* error, int problem) {
  discard();
  *error = QStringLiteral("could not write the report %1: %2")
               .arg(displayText(path_), QString::fromLocal8Bit(std::strerror(problem)));
  return false;
}

int fitJobsToFileLimit(int jobs, int targets, const Streams& io) {
  rlimit limit{};
  if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) {
    return jobs;
  }
  if (limit.rlim_cur < limit.rlim_max) {
    rlimit raised = limit;
    raised.rlim_cur = limit.rlim_max;
    if (::setrlimit(RLIMIT_NOFILE, &raised) == 0) {
      limit = raised;
    }
  }
  if (limit.rlim_cur == RLIM_INFINITY) {
    return jobs;
  }
  // Each exchange holds its connection attempts and the name look-up's files at most.
  constexpr int kFilesPerJob = Orvanel::kMaxConnectAttempts + 2;
  const long long spare = static_cast<long long>(limit.rlim_cur) - openFileCount() - 16;
  const int fits = static_cast<int>(std::clamp<long long>(spare / kFilesPerJob, 1, kMaxJobs));
  const int wanted = std::min(jobs, targets);
  if (fits >= wanted) {
    return jobs;
  }
  io.error(QStringLiteral("note: --jobs %1 lowered to %2: this process may have only %3 files open "
                          "at once (ulimit -n), and each target being served can need %4.")
               .arg(jobs)
               .arg(fits)
               .arg(static_cast<long long>(limit.rlim_cur))
               .arg(kFilesPerJob));
  return fits;
}

RunSummary summarize(const std::vector<TargetResult>& results, int failed, int stoppedBy,
                     const Streams& human, const Streams& io) {
  RunSummary s;
  s.failed = failed;
  s.stoppedBy = stoppedBy;
  for (const TargetResult& r : results) {
    if (r.outcome == Outcome::Interrupted) {
      ++s.interrupted;
      human.line(QStringLiteral("STOPPED %1: the run was stopped (%2) while it was being sent; %3 "
                                "bytes had been handed over")
                     .arg(displayText(r.target), signalName(stoppedBy), QString::number(r.bytes)));
    } else if (r.outcome == Outcome::NotStarted) {
      ++s.notStarted;
      human.line(QStringLiteral("NOT SENT %1: the run was stopped (%2) before its turn")
                     .arg(displayText(r.target), signalName(stoppedBy)));
    }
  }
  s.delivered = static_cast<int>(results.size()) - failed - s.interrupted - s.notStarted;
  s.code = stoppedBy ? 128 + stoppedBy : failed ? kExitSomeFailed : kExitDelivered;
  if (stoppedBy) {
    io.error(
        QStringLiteral("stopped by %1: %2 of %3 targets delivered, %4 failed, %5 stopped while "
                       "sending, %6 not started.")
            .arg(signalName(stoppedBy))
            .arg(s.delivered)
            .arg(results.size())
            .arg(failed)
            .arg(s.interrupted)
            .arg(s.notStarted));
  } else if (results.size() > 1) {
    io.error(QStringLiteral("%1 of %2 targets delivered, %3 failed.")
                 .arg(s.delivered)
                 .arg(results.size())
                 .arg(failed));
  }
  return s;
}

QByteArray reportText(const Options& o, const Payload& payload,
                      const std::vector<TargetResult>& results, const RunSummary& summary) {
  const Q6::CommandList all = payload.commands();
  QJsonObject json;
  json[QStringLiteral("program")] = QStringLiteral("q6config-cli");
  json[QStringLiteral("version")] =
      Q6::versionText(Q6Version::kMajor, Q6Version::kMinor, Q6Version::kRevision);
  json[QStringLiteral("command")] = o.command;
  json[QStringLiteral("what")] = payload.what;
  json[QStringLiteral("commands")] = static_cast<qint64>(all.size());
  json[QStringLiteral("bytes")] = static_cast<qint64>(Q6::byteCount(all));
  json[QStringLiteral("started")] = summary.started.toString(Qt::ISODate);
  QJsonArray list;
  for (const TargetResult& r : results) {
    QJsonObject item;
    item[QStringLiteral("target")] = r.target;
    item[QStringLiteral("status")] = statusName(r.outcome);
    item[QStringLiteral("bytes")] = r.bytes;
    item[QStringLiteral("ms")] = r.ms;
    if (r.outcome == Outcome::Failed) {
      item[QStringLiteral("error")] = r.error;
    }
    list.append(item);
  }
  json[QStringLiteral("targets")] = list;
  json[QStringLiteral("delivered")] = summary.delivered;
  json[QStringLiteral("failed")] = summary.failed;
  if (summary.stoppedBy) {
    json[QStringLiteral("stopped_by")] = signalName(summary.stoppedBy);
    json[QStringLiteral("interrupted")] = summary.interrupted;
    json[QStringLiteral("not_started")] = summary.notStarted;
  }
  json[QStringLiteral("exit_code")] = summary.code;
  return QJsonDocument(json).toJson(QJsonDocument::Indented);
}

}  // namespace Q6Cli
