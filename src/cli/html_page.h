#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

// The frame of the --html pages: one file that needs nothing else (inline style, no address of any
// kind, a policy that lets nothing load), readable with scripts off. The counts at the top filter
// the table by group through the style sheet alone; a few lines of script add a search by name.
// Written so that an XML reader takes it too.
namespace Q6Cli {

// A group of rows: its id (a fixed word, never a name), what its count says, how many.
struct PageGroup {
  const char* id;
  QString label;
  int count = 0;
};

struct PageStart {
  QString title;  // plain text, as everything here: the page escapes it
  QString mark;   // shown large under the title (a check sends nothing); empty for none
  std::vector<std::pair<QString, QString>> facts;
  QStringList notes;
  std::vector<PageGroup> groups;  // in the order of the rows
  QStringList columns;            // the first is the name the search looks in
  QString columnWidths;           // their widths, as a grid-template-columns value
  bool wide = false;              // wider than the window when its columns need it
};

// Everything up to the first row group.
QString pageStart(const PageStart& page);
// Opens and closes a group of rows.
QString groupStart(const char* id);
QString groupEnd();
// A group's rows go in blocks of this many, each a tbody of the group's class: a browser styles and
// lays out only the blocks in view, and a search hides the blocks it leaves empty.
inline constexpr int kBlockRows = 100;
// Before the row `index` (from 0) of a group: a new block when the last one is full.
void blockBreak(QByteArray& out, const char* id, int index);
// The rest of the page.
QString pageEnd();

}  // namespace Q6Cli
