#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

#include "core/record/printer_record.h"

// What the record window shows of one printer, read and worded without a widget: the window only
// puts these texts into its tables, so everything it decides can be checked without one.
namespace Q6 {

// A printer served for years has thousands of entries; the technician at the desk asks about the
// newest, and the tool's `history` has the rest.
inline constexpr int kRecordWindowEntries = 200;

// What the record holds for one printer, as read.
struct RecordReading {
  enum class Found {
    NoRecord,  // no file yet: nothing has been sent with this computer's record
    Refused,   // there is a file, and it cannot be read
    Read,
  };
  Found found = Found::NoRecord;
  QString location;                  // the record's file
  RecordRefusal refusal;             // Refused: why
  std::vector<RecordEntry> entries;  // newest first, at most the limit asked for
  bool older = false;                // the record holds older entries than these
  PrinterState state;
};

// Reads the printer's newest entries and what it holds, for reading only: a missing record is
// reported as such and never made, and a record another program holds is waited for as long as
// the record waits. Runs on any thread.
RecordReading readRecord(const QString& location, const QString& printer,
                         int limit = kRecordWindowEntries);

// The model whose settings are listed: the one the printer was last set up as in the record, else
// the one chosen in the window.
QString recordModel(const std::vector<RecordEntry>& newestFirst, const QString& windowModel);

// One row of a table: its cells in column order, whether the record cannot vouch for what the
// printer holds after it (an exchange that may have reached it in part, a setting unknown), and a
// tooltip.
struct RecordRow {
  QStringList cells;
  bool uncertain = false;
  QString tip;
};

enum EntryColumn { kEntryWhen, kEntryWho, kEntryWhat, kEntryOutcome, kEntryBytes, kEntryReason };
inline constexpr int kEntryColumns = kEntryReason + 1;
enum StateColumn { kStateSetting, kStateValue, kStateSince, kStateBy };
inline constexpr int kStateColumns = kStateBy + 1;

// The entries, newest first: when (this computer's time), who (user@host), what (the action and
// the settings it carried), how it ended, bytes taken of bytes sent, and why it failed.
std::vector<RecordRow> entryRows(const std::vector<RecordEntry>& newestFirst);

// Every setting the model has, in the settings table's order: its caption, its value as the
// window's list shows it ("factory", "unknown"), since when and by whom.
std::vector<RecordRow> stateRows(const PrinterState& state, const QString& model);

// "2024-05-01 14:03:22" in this computer's time zone; empty for no time.
QString localTimeText(const QDateTime& time);

// The line above the tables: that there is nothing to show and why, what could not be read, or
// that older entries are left out. Empty when nothing needs saying.
QString recordNote(const RecordReading& reading);

}  // namespace Q6
