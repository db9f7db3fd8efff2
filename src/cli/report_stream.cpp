#include "cli/report_stream.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <cstdio>

#include "cli/json_text.h"
#include "cli/record_away.h"
#include "core/printer/commands.h"
#include "core/settings/window_content.h"
#include "version.h"

namespace Q6Cli {

namespace {

// Written out in pieces of about this many bytes: few writes, little held.
constexpr size_t kPiece = 64 * 1024;

// An object's members as Qt's indented form writes them, one level in: the lines between its
// braces.
QByteArray members(const QJsonObject& object) {
  QByteArray text = QJsonDocument(object).toJson(QJsonDocument::Indented);
  // "{\n" ... "\n}\n"
  text.chop(3);
  return text.mid(2);
}

}  // namespace

ReportStream::ReportStream(const Options& o, ReportFile& file, const Streams& io)
    : o_(o), file_(file), io_(io), on_(!o.json.isEmpty()), toStdout_(o.json == u"-") {}

void ReportStream::begin(const Payload& payload, const QString& recordPath,
                         const QDateTime& started) {
  if (!on_) {
    return;
  }
  if (!toStdout_ && !file_.isOpen()) {
    QString error;
    if (!file_.open(o_.json, &error)) {
      error_ = error;
    }
  }
  const Q6::CommandList all = payload.commands();
  QJsonObject head;
  head[QStringLiteral("program")] = QStringLiteral("q6config-cli");
  head[QStringLiteral("version")] =
      Q6::versionText(Q6Version::kMajor, Q6Version::kMinor, Q6Version::kRevision);
  head[QStringLiteral("command")] = o_.command;
  head[QStringLiteral("what")] = payload.what;
  head[QStringLiteral("commands")] = static_cast<qint64>(all.size());
  head[QStringLiteral("bytes")] = static_cast<qint64>(Q6::byteCount(all));
  head[QStringLiteral("started")] = started.toString(Qt::ISODate);
  head[QStringLiteral("record")] = recordPath.isEmpty() ? QJsonValue() : QJsonValue(recordPath);
  if (o_.check) {
    head[QStringLiteral("check")] = true;
  }
  put("{\n" + members(head) + ",\n    \"targets\": [");
}

void ReportStream::add(size_t index, const TargetResult& result, const TargetNote& note) {
  if (!on_) {
    return;
  }
  unchanged_ += result.outcome == Outcome::Unchanged ? 1 : 0;
  if (index != next_) {
    // Its strings are shared with the run's own result: waiting costs a few pointers.
    early_.emplace(index, Early{result, &note});
    return;
  }
  put(result, note);
  for (auto at = early_.find(next_); at != early_.end(); at = early_.find(next_)) {
    put(at->second.result, *at->second.note);
    early_.erase(at);
  }
  if (gathered_.size() >= kPiece) {
    send();
  }
}

bool ReportStream::end(const RunSummary& summary, const QString& recordError,
                       const QStringList& notes) {
  if (!on_) {
    return true;
  }
  QJsonObject tail;
  if (!recordError.isEmpty()) {
    tail[QStringLiteral("record_error")] = recordError;
  }
  if (const std::optional<RecordAway> away = recordAway()) {
    tail[QStringLiteral("record_away")] = true;
    tail[QStringLiteral("record_away_reason")] = away->reason;
    tail[QStringLiteral("record_outbox")] = away->outbox;
  }
  tail[QStringLiteral("delivered")] = summary.delivered;
  tail[QStringLiteral("failed")] = summary.failed;
  tail[QStringLiteral("unchanged")] = unchanged_;
  if (summary.stoppedBy) {
    tail[QStringLiteral("stopped_by")] = signalName(summary.stoppedBy);
    tail[QStringLiteral("interrupted")] = summary.interrupted;
    tail[QStringLiteral("not_started")] = summary.notStarted;
  }
  tail[QStringLiteral("exit_code")] = summary.code;
  tail[QStringLiteral("notes")] = QJsonArray::fromStringList(notes);
  // Every target was given: one that never came would leave a hole in the order.
  for (const auto& [index, early] : early_) {
    put(early.result, *early.note);
  }
  early_.clear();
  put(QByteArray(next_ == 0 ? "]" : "\n    ]") + ",\n" + members(tail) + "\n}\n");
  if (toStdout_) {
    send();
    return true;
  }
  if (error_.isEmpty()) {
    QString error;
    if (!file_.commit(held(), &error)) {
      error_ = error;
    }
    gathered_.clear();
  }
  if (!error_.isEmpty()) {
    file_.discard();
    io_.error(error_);
    return false;
  }
  return true;
}

void ReportStream::put(const TargetResult& result, const TargetNote& note) {
  gathered_ += next_ == 0 ? "\n" : ",\n";
  appendTargetJson(gathered_, result, note);
  ++next_;
}

void ReportStream::put(const QByteArray& bytes) {
  gathered_.append(bytes.constData(), static_cast<size_t>(bytes.size()));
}

QByteArray ReportStream::held() const {
  return QByteArray::fromRawData(gathered_.data(), static_cast<qsizetype>(gathered_.size()));
}

void ReportStream::send() {
  if (toStdout_) {
    std::fwrite(gathered_.data(), 1, gathered_.size(), io_.out);
    std::fflush(io_.out);
  } else if (error_.isEmpty()) {
    QString error;
    if (!file_.append(held(), &error)) {
      error_ = error;
    }
  }
  gathered_.clear();
}

}  // namespace Q6Cli
