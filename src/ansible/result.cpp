#include "ansible/result.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>

#include "cli/output.h"

namespace Q6Ansible {

namespace {

// A run that wrote no report (a refusal, or a dry run's text) said why on standard error alone,
// in whole sentences: they are passed on as they are, without the program's name before each.
QString unreportedFailure(const CliAnswer& answer) {
  static const QString prefix = QStringLiteral("q6config-cli: ");
  QStringList lines;
  for (const QString& line : answer.err.split(u'\n', Qt::SkipEmptyParts)) {
    lines << (line.startsWith(prefix) ? line.mid(prefix.size()) : line).trimmed();
  }
  lines.removeAll(QString());
  if (!lines.isEmpty()) {
    return lines.join(u' ');
  }
  return QStringLiteral("q6config-cli ended with status %1 and no report.").arg(answer.code);
}

// The report's notes as text; a note of another kind is kept as its JSON rather than dropped.
QStringList reportNotes(const QJsonObject& report) {
  QStringList notes;
  for (const QJsonValue& v : report.value(QStringLiteral("notes")).toArray()) {
    if (v.isString()) {
      notes << v.toString();
    } else if (!v.isNull()) {
      notes << QString::fromUtf8(
          QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact).chopped(1).mid(1));
    }
  }
  return notes;
}

QString nameList(const QStringList& names) {
  return names.join(QStringLiteral(", "));
}

struct DiffLine {
  QString setting;
  QString before;
  QString after;
};

// What the runs added up to, before it is put in Ansible's words.
struct Outcome {
  bool changed = false;
  qint64 bytes = 0;
  QString failure;
  QStringList recordWarnings;
  QString recordOutbox;  // the shared record was away: where the entries wait
  QStringList notes;
  QStringList sent;
  std::vector<DiffLine> diff;
  bool resetDone = false;
};

// One run's report into the outcome; false when the task fails with it.
bool readReport(const ModuleArguments& a, const CliAnswer& answer, bool isReset, Outcome* o) {
  QJsonParseError parseError;
  const QJsonDocument doc = QJsonDocument::fromJson(answer.out, &parseError);
  if (answer.code == Q6Cli::kExitRefused || !doc.isObject()) {
    // A refusal writes no report: nothing was sent anywhere, and the tool said why.
    o->failure = unreportedFailure(answer);
    return false;
  }
  const QJsonObject report = doc.object();
  o->notes << reportNotes(report);
  const QJsonValue recordError = report.value(QStringLiteral("record_error"));
  if (recordError.isString() && !recordError.toString().isEmpty()) {
    o->recordWarnings << recordError.toString();
  }
  if (report.value(QStringLiteral("record_away")).toBool() && o->recordOutbox.isEmpty()) {
    o->recordOutbox = report.value(QStringLiteral("record_outbox")).toString();
    o->notes << QStringLiteral(
                    "the shared record could not be reached (%1); the entries are kept in %2 "
                    "until a run or \"q6config-cli record sync\" reaches it")
                    .arg(report.value(QStringLiteral("record_away_reason")).toString(),
                         o->recordOutbox);
  }
  const QJsonArray targets = report.value(QStringLiteral("targets")).toArray();
  if (targets.isEmpty()) {
    o->failure = QStringLiteral("q6config-cli reported no target (status %1).").arg(answer.code);
    return false;
  }
  const QJsonObject t = targets.first().toObject();
  const QString status = t.value(QStringLiteral("status")).toString();
  // Checking, the report counts the bytes that would go; none went.
  const qint64 targetBytes = a.checkMode ? 0 : t.value(QStringLiteral("bytes")).toInteger();
  o->bytes += targetBytes;
  // An exchange that failed part way may have changed the printer all the same.
  const bool targetChanged = t.contains(QStringLiteral("changed"))
                                 ? t.value(QStringLiteral("changed")).toBool()
                                 : targetBytes > 0;
  o->changed = o->changed || targetChanged;
  QStringList carried;
  for (const QJsonValue& v : t.value(QStringLiteral("diff")).toArray()) {
    const QJsonObject d = v.toObject();
    const QString setting = d.value(QStringLiteral("setting")).toString();
    const QString before = d.value(QStringLiteral("before")).toString();
    const QString after = d.value(QStringLiteral("after")).toString();
    carried << setting;
    // A part of the settings goes whole: a setting it carries unchanged is sent, not changed.
    if (before != after) {
      o->diff.push_back({setting, before, after});
    }
  }
  if (status != u"ok" && status != u"unchanged" && status != u"would change") {
    const QString error = t.value(QStringLiteral("error")).toString();
    o->failure = !error.isEmpty() ? error
                                  : QStringLiteral("%1 was not delivered (%2).")
                                        .arg(t.value(QStringLiteral("target")).toString(), status);
    return false;
  }
  if (isReset) {
    o->resetDone = targetChanged;
  } else if (targetBytes > 0) {
    o->sent = carried;
  }
  return true;
}

QString successMessage(const ModuleArguments& a, const Outcome& o) {
  QStringList changing;
  for (const DiffLine& l : o.diff) {
    changing << l.setting;
  }
  if (a.checkMode) {
    if (!o.changed) {
      return QStringLiteral(
                 "%1 holds these settings already, by the record; nothing would be sent.")
          .arg(a.target);
    }
    if (a.reset) {
      return QStringLiteral("%1 would be reset to the factory settings%2.")
          .arg(a.target,
               changing.isEmpty() ? QString() : QStringLiteral(", then get ") + nameList(changing));
    }
    return QStringLiteral("%1 would get %2.")
        .arg(a.target, changing.isEmpty() ? QStringLiteral("the settings") : nameList(changing));
  }
  if (!o.changed) {
    return QStringLiteral("%1 holds these settings already, by the record; nothing was sent.")
        .arg(a.target);
  }
  QString msg =
      o.resetDone ? QStringLiteral("%1 was reset to the factory settings").arg(a.target) : a.target;
  if (!o.sent.isEmpty()) {
    msg +=
        (o.resetDone ? QStringLiteral(", then got ") : QStringLiteral(" got ")) + nameList(o.sent);
  } else if (!o.resetDone) {
    msg += QStringLiteral(" got the settings");
  }
  return msg + u'.';
}

}  // namespace

QJsonObject failedResult(const QString& msg) {
  QJsonObject result;
  result[QStringLiteral("failed")] = true;
  result[QStringLiteral("changed")] = false;
  result[QStringLiteral("msg")] = msg;
  return result;
}

QJsonObject moduleResult(const ModuleArguments& a, const std::vector<CliAnswer>& answers) {
  Outcome o;
  for (size_t i = 0; i < answers.size(); ++i) {
    const CliAnswer& answer = answers[i];
    const bool isReset = a.reset && i == 0;
    if (isReset && a.checkMode) {
      // The dry run: it writes the commands as text, no report.
      if (answer.code != 0) {
        o.failure = unreportedFailure(answer);
        break;
      }
      o.changed = o.resetDone = true;
      continue;
    }
    if (!readReport(a, answer, isReset, &o)) {
      break;
    }
  }

  QJsonObject result;
  result[QStringLiteral("changed")] = o.changed;
  result[QStringLiteral("sent")] = QJsonArray::fromStringList(o.sent);
  result[QStringLiteral("bytes")] = o.bytes;
  if (!o.failure.isEmpty()) {
    result[QStringLiteral("failed")] = true;
    result[QStringLiteral("msg")] = o.failure;
  } else {
    result[QStringLiteral("msg")] = successMessage(a, o);
  }
  if (!o.recordWarnings.isEmpty()) {
    result[QStringLiteral("record_warning")] = o.recordWarnings.join(u' ');
  }
  if (!o.recordOutbox.isEmpty()) {
    result[QStringLiteral("record_away")] = true;
    result[QStringLiteral("record_outbox")] = o.recordOutbox;
  }
  if (!o.notes.isEmpty()) {
    result[QStringLiteral("warnings")] = QJsonArray::fromStringList(o.notes);
  }
  if (a.diff) {
    QString before;
    QString after;
    for (const DiffLine& l : o.diff) {
      before += l.setting + QStringLiteral(": ") + l.before + u'\n';
      after += l.setting + QStringLiteral(": ") + l.after + u'\n';
    }
    QJsonObject d;
    d[QStringLiteral("before")] = before;
    d[QStringLiteral("after")] = after;
    result[QStringLiteral("diff")] = d;
  }
  return result;
}

}  // namespace Q6Ansible
