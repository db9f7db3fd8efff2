#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringView>

#include "cli/output.h"

// What the --html and --junit reports share: names as markup that both an HTML and an XML 1.0
// reader take as text, and the report file filled a piece at a time.
namespace Q6Cli {

// The text as character data or an attribute value: & < > " ' as references, tab, line feed and
// carriage return as numeric references (so that an attribute keeps them), and what XML 1.0 cannot
// hold at all (the other C0 controls, U+FFFE, U+FFFF, a lone surrogate) as the escape displayText
// uses, since no reader would take the file otherwise. Everything else, bidirectional marks
// included, stays as it is: the page isolates each name instead.
QString markup(QStringView text);
void appendMarkup(QString& out, QStringView text);
// The same, straight into UTF-8: how the rows of a page, thousands of them, are built.
void appendMarkup(QByteArray& out, QStringView text);
// At most this many bytes for each UTF-16 unit of the text: "&quot;", or a backslash, u and four
// hex digits.
inline constexpr qsizetype kMarkupGrowth = 6;
// Into room for kMarkupGrowth bytes a unit; the end of what was written.
char* markupInto(char* to, QStringView text);

// A time as the reports show it: UTC, to the second.
QString reportTime(const QDateTime& time);

// A report's file filled as it is written: pieces go to its temporary file, the last one commits
// it.
class PieceWriter {
 public:
  explicit PieceWriter(ReportFile& file) : file_(file) {}
  void put(const QString& text) { put(text.toUtf8()); }
  void put(const QByteArray& bytes);
  // The bytes not written yet, for a piece to be added to in place; `passOn` after each.
  QByteArray& pending() { return gathered_; }
  // Writes out what is gathered once it is a piece.
  void passOn();
  // Puts the report in its place; false with *error set (the report is then not there).
  bool finish(QString* error);

 private:
  ReportFile& file_;
  QByteArray gathered_;
  QString error_;  // the first write that failed
};

}  // namespace Q6Cli
