#include "core/record/printer_record.h"

#include <QDir>

#include "core/record/outbox_record.h"
#include "core/record/postgres_record.h"
#include "core/record/sqlite_record.h"

namespace Q6 {

QString RecordRefusal::sentence() const {
  QString text = QStringLiteral("The printer record %1 cannot %2").arg(location, doing);
  return reason.isEmpty() ? text : text + QStringLiteral(": ") + reason;
}

QString RecordRefusal::why() const {
  return reason.isEmpty() ? QStringLiteral("it cannot ") + doing : reason;
}

QString PrinterHold::busy() const {
  if (held) {
    return {};
  }
  QString text = QStringLiteral("busy: being set up by %1")
                     .arg(holder.isEmpty() ? QStringLiteral("another machine") : holder);
  if (since.isValid()) {
    text += QStringLiteral(" since ") + since.toUTC().toString(Qt::ISODate);
  }
  return text;
}

QString stateFolder() {
  QString state = qEnvironmentVariable("XDG_STATE_HOME");
  // The base directory rules ignore a relative XDG_STATE_HOME.
  if (state.isEmpty() || !QDir::isAbsolutePath(state)) {
    QString home = qEnvironmentVariable("HOME");
    if (home.isEmpty()) {
      home = QDir::homePath();
    }
    state = home + QStringLiteral("/.local/state");
  }
  return state + QStringLiteral("/q6config");
}

QString defaultRecordPath() {
  const QString chosen = qEnvironmentVariable("Q6CONFIG_RECORD");
  if (!chosen.isEmpty()) {
    return chosen;
  }
  return stateFolder() + QStringLiteral("/record.sqlite3");
}

RecordResult<std::unique_ptr<PrinterRecord>> PrinterRecord::open(const QString& location,
                                                                 RecordAccess access) {
  if (isServerRecordLocation(location)) {
    return access == RecordAccess::Write ? openOutboxRecord(location)
                                         : openPostgresRecord(location, access);
  }
  return openSqliteRecord(location, access);
}

}  // namespace Q6
