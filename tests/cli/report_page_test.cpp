// The --html page and the --junit file as a person and a build server read them: what was run and
// the counts, the printers that need a look first, each setting as recorded → sent, every name as
// text whatever it holds, nothing loaded from anywhere; the page drawn by a real browser.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <vector>

#include "cli/page_reader.h"
#include "support/core_support.h"

namespace {

struct Ran {
  int code = -1;
  QString err;
};

class PageRuns : public ::testing::Test {
 protected:
  Ran cli(const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("Q6CONFIG_RECORD", dir.filePath("record.sqlite3"));
    env.insert("XDG_CONFIG_HOME", dir.path());
    p.setProcessEnvironment(env);
    p.start(Q6CONFIG_CLI_PATH, args);
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
  }
  // "{a}", "{b}": printers in the test's folder; "{c}" one in a folder that is not there.
  QStringList fill(const QStringList& args) const {
    QStringList out;
    for (QString a : args) {
      out << a.replace("{a}", "file:" + dir.filePath("a.bin"))
                 .replace("{b}", "file:" + dir.filePath("b.bin"))
                 .replace("{c}", "file:" + dir.filePath("missing/c.bin"));
    }
    return out;
  }
  QByteArray bytes(const QString& name) const {
    QFile f(dir.filePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  // The page and the JUnit file of one run, with the checks every page must pass.
  void readPages(Q6Test::ReadPage* page, Q6Test::ReadJunit* junit) {
    const QByteArray html = bytes("page.html");
    *page = Q6Test::readPage(html);
    ASSERT_EQ(page->error, QString()) << html.toStdString();
    EXPECT_EQ(page->addresses, QStringList());
    EXPECT_FALSE(page->style.contains("url(") || page->style.contains("@import"));
    EXPECT_EQ(page->elements.value("script"), 1);
    EXPECT_EQ(page->elements.value("link") + page->elements.value("img") +
                  page->elements.value("iframe") + page->elements.value("object"),
              0);
    EXPECT_TRUE(html.contains("content=\"default-src 'none';")) << "no policy against loading";
    const QByteArray xml = bytes("junit.xml");
    *junit = Q6Test::readJunit(xml);
    ASSERT_EQ(junit->error, QString()) << xml.toStdString();
    QProcess lint;
    lint.start("xmllint",
               {"--noout", "--schema", Q6CONFIG_TEST_DATA "/junit.xsd", dir.filePath("junit.xml")});
    ASSERT_TRUE(lint.waitForFinished(60000))
        << "xmllint is needed (libxml2-utils, scripts/install-test-deps.sh)";
    EXPECT_EQ(lint.exitCode(), 0) << lint.readAllStandardError().toStdString();
  }
  QStringList pages() const {
    return {"--html", dir.filePath("page.html"), "--junit", dir.filePath("junit.xml")};
  }
  QTemporaryDir dir;
};

const QStringList kPartialCut{
    "apply", "--model", "QLX600", "--set", "form-feed=partial-cut", "code-page=1252"};
const QStringList kFullCut{"apply",         "--model", "QLX600", "--set", "form-feed=full-cut",
                           "code-page=1252"};
#define BOTH_UNKNOWN "form-feed: unknown → partial-cut\ncode-page: unknown → 1252-windows-latin-1"

// One run's pages: what the run before it left in the record, the run, and what its pages say.
struct PageRow {
  const char* name;
  std::vector<QStringList> before;
  QStringList run;
  QString mark;
  QMap<QString, int> counts;  // by group id
  QStringList rows;           // "group status printer", in the page's order
  QStringList settings;       // the settings cell of each row, in the page's order
  QStringList cases;          // how each printer's case ends, in the order given
};

void PrintTo(const PageRow& r, std::ostream* os) {
  *os << r.name;
}

class HtmlReport : public PageRuns, public ::testing::WithParamInterface<PageRow> {};

TEST_P(HtmlReport, CountsAndOrdersWhatTheRunDid) {
  const PageRow& row = GetParam();
  for (const QStringList& before : row.before) {
    ASSERT_EQ(cli(fill(before)).code, 0);
  }
  const Ran ran = cli(fill(row.run) + pages());
  ASSERT_LE(ran.code, 1) << ran.err.toStdString();
  Q6Test::ReadPage page;
  Q6Test::ReadJunit junit;
  readPages(&page, &junit);
  if (HasFatalFailure()) {
    return;
  }
  EXPECT_EQ(page.mark, row.mark);
  EXPECT_EQ(page.counts, row.counts);
  QStringList rows;
  QStringList settings;
  const QString folder = "file:" + dir.path() + "/";
  for (const Q6Test::PageRow& r : page.rows) {
    ASSERT_GE(r.cells.size(), 6);
    rows << r.group + u' ' + r.cells[1] + u' ' + QString(r.cells[0]).remove(folder);
    settings << r.cells[2];
    // A failure says why in full; the others need no reason but their own.
    EXPECT_EQ(r.cells[5].startsWith("Could not open the printer file"), r.group == u"failed");
  }
  EXPECT_EQ(rows, row.rows);
  EXPECT_EQ(settings, row.settings);
  EXPECT_EQ(page.facts.value("Model"), row.run.contains("--model") ? "QLX600" : "");
  EXPECT_TRUE(page.facts.value("By").contains(u'@'));

  QStringList cases;
  for (const Q6Test::JunitCase& c : junit.cases) {
    cases << (c.end.isEmpty() ? "passed" : c.end);
    EXPECT_EQ(c.className, "q6config-cli." + row.run[0]);
  }
  EXPECT_EQ(cases, row.cases);
  EXPECT_EQ(junit.counts.value("tests"), row.cases.size());
  EXPECT_EQ(junit.counts.value("failures"), row.cases.count("failure"));
  EXPECT_EQ(junit.counts.value("skipped"), row.cases.count("skipped"));
  if (!row.mark.isEmpty()) {
    EXPECT_FALSE(QFile::exists(dir.filePath("b.bin"))) << "a check or dry run sent something";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Runs, HtmlReport,
    ::testing::Values(
        PageRow{"ChangedUnchangedFailed",
                {kPartialCut + QStringList{"--to", "{a}"}},
                kPartialCut + QStringList{"--changes-only", "--to", "{a}", "{b}", "{c}"},
                "",
                {{"failed", 1}, {"not-sent", 0}, {"changed", 1}, {"unchanged", 1}},
                {"failed failed missing/c.bin", "changed ok b.bin", "unchanged unchanged a.bin"},
                {BOTH_UNKNOWN, BOTH_UNKNOWN, ""},
                {"skipped", "passed", "failure"}},
        PageRow{"Check",
                {kPartialCut + QStringList{"--to", "{a}"}},
                kFullCut + QStringList{"--check", "--to", "{c}", "{b}", "{a}"},
                "Check: nothing was sent",
                {{"failed", 0}, {"not-sent", 0}, {"changed", 3}, {"unchanged", 0}},
                {"changed would change missing/c.bin", "changed would change b.bin",
                 "changed would change a.bin"},
                {"form-feed: unknown → full-cut\ncode-page: unknown → 1252-windows-latin-1",
                 "form-feed: unknown → full-cut\ncode-page: unknown → 1252-windows-latin-1",
                 "form-feed: partial-cut → full-cut"},
                {"failure", "failure", "failure"}},
        PageRow{"CheckOfAPrinterInStep",
                {kPartialCut + QStringList{"--to", "{a}"}},
                kPartialCut + QStringList{"--check", "--to", "{a}"},
                "Check: nothing was sent",
                {{"failed", 0}, {"not-sent", 0}, {"changed", 0}, {"unchanged", 1}},
                {"unchanged unchanged a.bin"},
                {""},
                {"skipped"}},
        PageRow{"DryRun",
                {},
                {"test", "line-feed", "--dry-run", "--to", "{a}", "{b}"},
                "Dry run: nothing was sent",
                {{"failed", 0}, {"not-sent", 0}, {"changed", 2}, {"unchanged", 0}},
                {"changed would change a.bin", "changed would change b.bin"},
                {"", ""},
                {"skipped", "skipped"}},
        PageRow{"TestFailedFirst",
                {},
                {"test", "line-feed", "--no-record", "--to", "{b}", "{c}"},
                "",
                {{"failed", 1}, {"not-sent", 0}, {"changed", 1}, {"unchanged", 0}},
                {"failed failed missing/c.bin", "changed ok b.bin"},
                {"", ""},
                {"passed", "failure"}}),
    [](const auto& info) { return std::string(info.param.name); });

// state's pages are the fleet's picture: a row per printer with its model and each setting's
// value, "factory" or "unknown", the printers with unknown settings first.
TEST_F(PageRuns, StatePagesShowEachPrintersSettings) {
  ASSERT_EQ(cli(fill({"reset", "--yes", "--to", "{a}"})).code, 0);
  ASSERT_EQ(
      cli(fill({"apply", "--model", "QLX600", "--set", "form-feed=partial-cut", "--to", "{b}"}))
          .code,
      0);
  const Ran ran = cli(fill({"state", "--to", "{a}", "{b}", "{c}"}) + pages());
  ASSERT_EQ(ran.code, 0) << ran.err.toStdString();
  Q6Test::ReadPage page;
  Q6Test::ReadJunit junit;
  readPages(&page, &junit);
  if (HasFatalFailure()) {
    return;
  }
  EXPECT_EQ(page.counts, (QMap<QString, int>{{"unknown", 1}, {"never", 1}, {"known", 1}}));
  const struct {
    const char* group;
    const char* printer;
    const char* model;
    QStringList has;    // values among its settings
    QStringList lacks;  // values none of its settings shows
  } expected[] = {
      {"unknown", "b.bin", "QLX600", {"partial-cut", "unknown", "—"}, {"factory"}},
      {"never", "c.bin", "", {"unknown"}, {"factory", "—"}},
      {"known", "a.bin", "", {"factory"}, {"unknown", "—"}},
  };
  ASSERT_EQ(page.rows.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    const auto& e = expected[i];
    SCOPED_TRACE(e.printer);
    const Q6Test::PageRow& row = page.rows[i];
    EXPECT_EQ(row.group, e.group);
    EXPECT_TRUE(row.cells[0].endsWith(QLatin1String(e.printer)));
    EXPECT_EQ(row.cells[1], e.model);
    const QStringList values = row.cells.mid(3);
    for (const QString& v : e.has) {
      EXPECT_TRUE(values.contains(v)) << v.toStdString();
    }
    for (const QString& v : e.lacks) {
      EXPECT_FALSE(values.contains(v)) << v.toStdString();
    }
  }
  ASSERT_EQ(junit.cases.size(), 3u);  // in the order given: a, b, c
  EXPECT_EQ(junit.cases[0].end, "");
  EXPECT_EQ(junit.cases[1].end, "failure");
  EXPECT_TRUE(junit.cases[1].message.startsWith("unknown: "))
      << junit.cases[1].message.toStdString();
  EXPECT_EQ(junit.cases[2].end, "skipped");
}

// Names a printer, a targets file or a preset brings: shown as the text they are, in the page and
// in the JUnit file, and no element of either comes from them.
struct HostileRow {
  const char* name;
  QString text;
};

void PrintTo(const HostileRow& r, std::ostream* os) {
  *os << r.name;
}

class HtmlNames : public PageRuns, public ::testing::WithParamInterface<HostileRow> {};

TEST_P(HtmlNames, AreTextAndNothingElse) {
  const QString hostile = GetParam().text;
  // As a printer: a line of a targets file, in a folder that is not there, so it fails and its
  // reason repeats the name.
  const QString target = "file:" + dir.filePath("missing/") + hostile;
  ASSERT_TRUE(Q6Test::writeFile(dir.filePath("targets.txt"), target.toUtf8() + "\n"));
  // As a preset: a file of that name, where a file name can hold it.
  QString preset = dir.filePath(QString(hostile).replace(u'/', u'_').left(200) + ".pre");
  ASSERT_TRUE(QFile::copy(Q6CONFIG_TEST_DATA "/worked_example.pre", preset));
  const Ran ran = cli(QStringList{"apply", "--model", "QLX500", "--preset", preset, "--no-record",
                                  "--targets", dir.filePath("targets.txt")} +
                      pages());
  ASSERT_EQ(ran.code, 1) << ran.err.toStdString();
  Q6Test::ReadPage page;
  Q6Test::ReadJunit junit;
  readPages(&page, &junit);
  if (HasFatalFailure()) {
    return;
  }
  ASSERT_EQ(page.rows.size(), 1u);
  EXPECT_EQ(page.rows[0].cells[0], target);
  const QString path = dir.filePath("missing/") + hostile;
  EXPECT_TRUE(page.rows[0].cells[5].contains(path)) << page.rows[0].cells[5].toStdString();
  EXPECT_EQ(page.facts.value("Preset"), preset);
  ASSERT_EQ(junit.cases.size(), 1u);
  EXPECT_EQ(junit.cases[0].name, target);
  EXPECT_TRUE(junit.cases[0].message.contains(path));
  // A browser's kind of parser finds the same elements as the XML reader: none from the names.
  const QMap<QString, int> tags = Q6Test::htmlParserTags(bytes("page.html"));
  EXPECT_EQ(tags, page.elements);
}

INSTANTIATE_TEST_SUITE_P(
    Names, HtmlNames,
    ::testing::Values(HostileRow{"Script", "<script>alert(1)</script>"},
                      HostileRow{"QuotesAndAmpersand", "\"shop\" & 'back' &amp; <!-- -->"},
                      HostileRow{"RightToLeft", QString::fromUtf8("\u202Egnp.exe\u200F tills")},
                      HostileRow{"OutsideTheBasicPlane", QString::fromUtf8("till \U0001F5A8 two")},
                      HostileRow{"CdataAndTagEnd", "]]></th></tr></table><b>bold</b>"},
                      HostileRow{"FourKilobytes", QString(4096, u'x')}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
