#pragma once

#include <QString>

#include <memory>
#include <span>

#include "core/record/printer_record.h"
#include "core/record/record_columns.h"

// The record on SQLite, embedded, one file per user: WAL so that readers never wait for a
// writer, a busy timeout for other programs, and the schema's version in PRAGMA user_version.
namespace Q6 {

namespace Sqlite {
class Connection;
}

// The schema this program writes; older files are brought up to it, newer ones are refused
// untouched.
inline constexpr int kRecordVersion = 1;

std::span<const SchemaStep> recordSchemaSteps();

// PrinterRecord::open for a file (sqlite_schema.cpp).
RecordResult<std::unique_ptr<PrinterRecord>> openSqliteRecord(const QString& file,
                                                              RecordAccess access);

// The record on a connection whose file was checked and brought up to date, its statements
// prepared once here; `empty` when it was opened for reading before anything was recorded.
RecordResult<std::unique_ptr<PrinterRecord>> sqliteRecordOn(const QString& file,
                                                            std::unique_ptr<Sqlite::Connection> db,
                                                            bool empty);

}  // namespace Q6
