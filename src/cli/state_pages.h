#pragma once

#include <QString>
#include <QStringList>

#include <vector>

#include "cli/options.h"
#include "cli/output.h"
#include "cli/targets.h"
#include "core/record/record_entry.h"

// `state --html` and `state --junit`: the fleet as the record sees it, a printer a row with its
// model and each setting's value, "factory" or "unknown".
namespace Q6Cli {

class StatePages {
 public:
  explicit StatePages(const Options& o) : o_(o) {}
  // A printer the record was asked about; `model` as it was last set up (empty when not known).
  void add(const Target& target, const QString& printer, const QString& model,
           const Q6::PrinterState& state);
  // Writes the reports asked for; false once an error is printed.
  bool write(const QString& recordPath, const Streams& io);

  enum class Group { Unknown, Never, Known };
  enum class Kind : quint8 { Known, Factory, Unknown, Absent };
  struct Cell {
    QString text;  // the value; for a known one, since when and by whom after a line feed
    Kind kind = Kind::Absent;
  };
  struct Row {
    QString name;  // the target, and the record's name for it when the two differ
    QString model;
    Group group = Group::Never;
    std::vector<Cell> cells;  // per setting of the table
  };

 private:
  const Options& o_;
  std::vector<Row> rows_;
};

}  // namespace Q6Cli
