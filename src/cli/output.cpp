#include "cli/output.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "cli/stop_signals.h"
#include "core/settings/window_content.h"
#include "version.h"

namespace Q6Cli {

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
    case Outcome::Unchanged:
      return QStringLiteral("unchanged");
    case Outcome::WouldChange:
      return QStringLiteral("would change");
  }
  return QString();
}

QString signalName(int signo) {
  return signo == SIGINT ? QStringLiteral("SIGINT") : QStringLiteral("SIGTERM");
}

void Streams::put(const QString& text, std::FILE* to, bool flush) {
  const QByteArray bytes = text.toLocal8Bit();
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), to);
  if (flush) {
    std::fflush(to);
  }
}

void Streams::note(const QString& text, QStringList* notes) const {
  error(QStringLiteral("note: ") + text);
  notes->append(text);
}

Streams forPeople(const Options& o, const Streams& io) {
  return Streams{o.json == u"-" ? io.err : io.out, io.err};
}

void printResult(const TargetResult& r, const Streams& human) {
  if (r.delivered) {
    // One arg() for all: a '%' in a name is not a place for the next value.
    human.line(QStringLiteral("ok %1  %2 bytes  %3 ms")
                   .arg(displayText(r.target), QString::number(r.bytes), QString::number(r.ms)),
               false);
  } else {
    human.line(QStringLiteral("FAILED %1: %2").arg(displayText(r.target), displayText(r.error)),
               false);
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

void Progress::draw(const FleetStatus& status, int failed, const QString& oldest) {
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
                .arg(QString::number(status.oldestWaitMs / 1000), displayText(oldest));
  }
  const QByteArray bytes = (QStringLiteral("\r\033[K") + line).toLocal8Bit();
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), err_);
  std::fflush(err_);
  drawn_ = true;
}

bool ReportFile::open(const QString& path, QString* error) {
  const Q6::Result<QString> target = Q6::followLinks(path);
  Q6::Result<> begun = target ? replacement_.begin(*target) : Q6::Refused{target.error()};
  if (begun && !removeOnForcedStop(replacement_.temporaryPath())) {
    replacement_.discard();
    begun = Q6::Refused{Q6::systemReason(ENAMETOOLONG)};
  }
  if (!begun) {
    *error = QStringLiteral("cannot write the report %1: %2").arg(displayText(path), begun.error());
    return false;
  }
  path_ = *target;
  watched_ = replacement_.temporaryPath();
  return true;
}

bool ReportFile::append(const QByteArray& text, QString* error) {
  const Q6::Result<> done = replacement_.write(text);
  if (!done) {
    *error =
        QStringLiteral("could not write the report %1: %2").arg(displayText(path_), done.error());
  }
  return done.ok();
}

bool ReportFile::commit(const QByteArray& text, QString* error) {
  Q6::Result<> done = replacement_.write(text);
  if (done) {
    done = replacement_.commit();
  }
  keepOnForcedStop(watched_);
  watched_.clear();
  if (!done) {
    *error =
        QStringLiteral("could not write the report %1: %2").arg(displayText(path_), done.error());
    return false;
  }
  return true;
}

void ReportFile::discard() {
  keepOnForcedStop(watched_);
  watched_.clear();
  replacement_.discard();
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

bool writeReport(const Options& o, const QJsonObject& report, ReportFile& file, const Streams& io) {
  const QByteArray text = QJsonDocument(report).toJson(QJsonDocument::Indented);
  if (o.json == u"-") {
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), io.out);
    std::fflush(io.out);
    return true;
  }
  QString error;
  if ((!file.isOpen() && !file.open(o.json, &error)) || !file.commit(text, &error)) {
    io.error(error);
    return false;
  }
  return true;
}

}  // namespace Q6Cli
