#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <vector>

// The --html page and the --junit file as a reader takes them: parsed, never searched as text.
namespace Q6Test {

struct PageRow {
  QString group;      // the class of its tbody
  QStringList cells;  // text; a <br/> is a line feed
};

struct ReadPage {
  QString error;  // empty when the page is well formed
  QString title;
  QString mark;  // the line under the title, empty for none
  QMap<QString, QString> facts;
  QMap<QString, int> counts;    // by group id
  std::vector<PageRow> rows;    // in the page's order
  QMap<QString, int> elements;  // every element, by name, and how many
  QStringList addresses;        // attributes that could load or lead anywhere but the page
  QString style;
};

ReadPage readPage(const QByteArray& page);

struct JunitCase {
  QString className;
  QString name;
  QString end;  // "", "failure", "error" or "skipped"
  QString message;
};

struct ReadJunit {
  QString error;
  QMap<QString, int> counts;  // the testsuite's tests, failures, errors, skipped
  std::vector<JunitCase> cases;
};

ReadJunit readJunit(const QByteArray& xml);

// python3's own HTML parser over the page: each start tag and how many, "" when it failed.
QMap<QString, int> htmlParserTags(const QByteArray& page);

}  // namespace Q6Test
