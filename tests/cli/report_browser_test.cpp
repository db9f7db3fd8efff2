// The --html page in a real browser (Debian's chromium, headless, with no network): it loads, its
// search comes up (the page's own policy lets its script run), it draws more than a blank page, and
// it asks for nothing beyond itself.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <set>
#include <vector>

#include "cli/page_reader.h"
#include "support/core_support.h"

namespace {

struct Browser {
  QString program;
  bool isolated = false;  // in a network namespace of its own
};

Browser findBrowser() {
  Browser b;
  b.program = QStandardPaths::findExecutable("chromium");
  QProcess unshare;
  unshare.start("unshare", {"-n", "true"});
  b.isolated = unshare.waitForFinished(10000) && unshare.exitCode() == 0;
  return b;
}

// Runs the browser on a file, with no way out: no network namespace where it can have one, and
// in any case a proxy on a closed loopback port and no name resolution. Its log of every request
// it made goes to `netLog`.
QByteArray browse(const Browser& b, const QString& profile, const QStringList& what,
                  const QString& page, const QString& netLog) {
  QStringList args{"--headless",
                   "--no-sandbox",
                   "--disable-gpu",
                   "--no-first-run",
                   "--disable-background-networking",
                   "--disable-component-update",
                   "--proxy-server=127.0.0.1:9",
                   "--host-resolver-rules=MAP * ~NOTFOUND",
                   "--user-data-dir=" + profile,
                   "--log-net-log=" + netLog,
                   "--window-size=1280,800"};
  args << what << "file://" + page;
  QProcess p;
  if (b.isolated) {
    p.start("unshare", QStringList{"-n", b.program} + args);
  } else {
    p.start(b.program, args);
  }
  EXPECT_TRUE(p.waitForFinished(120000));
  return p.readAllStandardOutput();
}

// The requests the page itself made: those made for a page from a file (the browser's own
// housekeeping has no such origin).
int pageRequests(const QString& netLog) {
  QFile f(netLog);
  if (!f.open(QIODevice::ReadOnly)) {
    return -1;
  }
  const QJsonObject log = QJsonDocument::fromJson(f.readAll()).object();
  const int startJob =
      log["constants"].toObject()["logEventTypes"].toObject()["URL_REQUEST_START_JOB"].toInt(-1);
  int count = 0;
  for (const QJsonValue& e : log["events"].toArray()) {
    const QJsonObject event = e.toObject();
    const QJsonObject params = event["params"].toObject();
    if (event["type"].toInt() == startJob &&
        params["network_isolation_key"].toString().contains("file://")) {
      ++count;
    }
  }
  return count;
}

// How much of a picture is not the background, and how many colours it has.
struct Drawn {
  double inked = 0;
  size_t colours = 0;
};

Drawn drawn(const QString& png) {
  QProcess convert;
  convert.start("convert", {png, "ppm:-"});
  Drawn d;
  if (!convert.waitForFinished(60000) || convert.exitCode() != 0) {
    return d;
  }
  const QByteArray ppm = convert.readAllStandardOutput();
  // "P6\nW H\n255\n" then RGB.
  const QList<QByteArray> head = ppm.left(64).split('\n');
  if (head.size() < 4 || head[0] != "P6") {
    return d;
  }
  const qsizetype start = head[0].size() + head[1].size() + head[2].size() + 3;
  std::set<quint32> colours;
  qsizetype inked = 0;
  qsizetype pixels = 0;
  for (qsizetype i = start; i + 2 < ppm.size(); i += 3, ++pixels) {
    const auto r = static_cast<quint8>(ppm[i]);
    const auto g = static_cast<quint8>(ppm[i + 1]);
    const auto b = static_cast<quint8>(ppm[i + 2]);
    colours.insert(quint32(r) << 16 | quint32(g) << 8 | b);
    inked += (r < 200 || g < 200 || b < 200) ? 1 : 0;
  }
  d.inked = pixels ? static_cast<double>(inked) / static_cast<double>(pixels) : 0;
  d.colours = colours.size();
  return d;
}

TEST(HtmlBrowser, DrawsThePageAndAsksForNothing) {
  const Browser browser = findBrowser();
  if (browser.program.isEmpty()) {
    GTEST_SKIP() << "chromium is not installed (scripts/install-test-deps.sh installs it)";
  }
  QTemporaryDir dir;
  const QString page = dir.filePath("page.html");
  QProcess cli;
  cli.start(Q6CONFIG_CLI_PATH,
            {"test", "line-feed", "--no-record", "--html", page, "--to",
             "file:" + dir.filePath("a.bin"), "file:" + dir.filePath("missing/<img src=x>.bin")});
  ASSERT_TRUE(cli.waitForFinished(60000));
  ASSERT_EQ(cli.exitCode(), 1) << cli.readAllStandardError().toStdString();
  // The control: a page that does ask for something is seen asking, so a silent log means
  // something.
  const QString control = dir.filePath("control.html");
  ASSERT_TRUE(
      Q6Test::writeFile(control,
                        "<!DOCTYPE html><html><body><img src=\"http://q6config.invalid/x.png\"/>"
                        "</body></html>"));
  const struct {
    QString page;
    int requests;
  } pages[] = {{page, 0}, {control, 1}};
  for (const auto& p : pages) {
    SCOPED_TRACE(p.page.toStdString());
    const QString log = p.page + ".netlog.json";
    const QString shot = p.page + ".png";
    browse(browser, dir.filePath("profile"), {"--screenshot=" + shot}, p.page, log);
    EXPECT_EQ(pageRequests(log), p.requests);
    if (p.requests == 0) {
      const Drawn d = drawn(shot);
      EXPECT_GT(d.inked, 0.01) << "the screenshot is blank";
      EXPECT_GT(d.colours, 8u);
    }
  }
  // The document the browser built: the search shown (its script ran), both printers' rows,
  // and no element from the name that looks like one.
  const QByteArray dom = browse(browser, dir.filePath("profile"), {"--dump-dom"}, page,
                                dir.filePath("dom.netlog.json"));
  EXPECT_TRUE(dom.contains("<label class=\"find\">Find a printer")) << dom.toStdString();
  const QMap<QString, int> tags = Q6Test::htmlParserTags(dom);
  EXPECT_EQ(tags.value("tr"), 3);  // the head and two printers
  EXPECT_EQ(tags.value("img"), 0);
  EXPECT_EQ(tags.value("script"), 1);
}

// The search by name in the browser, over more printers than one block of rows holds: each text
// typed leaves shown the rows whose name holds it (in any case) and no other, however the text is
// made. The page's own policy stays in force: only the measuring script is added to it.
TEST(HtmlBrowser, SearchShowsTheRowsNamedAndNoOther) {
  const Browser browser = findBrowser();
  if (browser.program.isEmpty()) {
    GTEST_SKIP() << "chromium is not installed (scripts/install-test-deps.sh installs it)";
  }
  QTemporaryDir dir;
  QStringList names;
  for (int i = 0; i < 150; ++i) {
    names << "file:" + dir.filePath(QStringLiteral("p/%1.bin").arg(i));
  }
  names << "file:" + dir.filePath("missing/<img src=x>.bin");
  ASSERT_TRUE(Q6Test::writeFile(dir.filePath("targets.txt"), names.join(u'\n').toUtf8() + "\n"));
  const QString page = dir.filePath("page.html");
  QProcess cli;
  cli.start(Q6CONFIG_CLI_PATH, {"test", "line-feed", "--dry-run", "--html", page, "--targets",
                                dir.filePath("targets.txt")});
  ASSERT_TRUE(cli.waitForFinished(60000));
  ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();

  const QStringList searches{"",      "P/14", "149.bin", "<IMG", "\"'\\", "\")}*{x:\"</style>",
                             "FILE:", ""};
  QJsonArray typed;
  for (const QString& s : searches) {
    typed << s;
  }
  // Types each text and notes the names of the rows that have a box; '<' escaped, so that the
  // texts cannot end the script.
  const QByteArray measure =
      "(function () {\n  var box = document.getElementById('find');\n  var out = [];\n"
      "  var typed = " +
      QJsonDocument(typed).toJson(QJsonDocument::Compact).replace("<", "\\u003c") +
      ";\n  typed.forEach(function (text) {\n    box.value = text;\n"
      "    box.dispatchEvent(new Event('input'));\n    var shown = [];\n"
      "    document.querySelectorAll('tbody tr').forEach(function (row) {\n"
      "      if (row.getClientRects().length) shown.push(row.cells[0].textContent);\n    });\n"
      "    out.push(shown);\n  });\n  var pre = document.createElement('pre');\n"
      "  pre.id = 'shown';\n  pre.textContent = JSON.stringify(out);\n"
      "  document.body.appendChild(pre);\n})();\n";
  QFile f(page);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  QByteArray html = f.readAll();
  const QByteArray hash = QCryptographicHash::hash(measure, QCryptographicHash::Sha256).toBase64();
  ASSERT_TRUE(html.contains("script-src 'sha256-"));
  html.replace("script-src 'sha256-", "script-src 'sha256-" + hash + "' 'sha256-")
      .replace("</body>", "<script>" + measure + "</script>\n</body>");
  const QString timed = dir.filePath("search.html");
  ASSERT_TRUE(Q6Test::writeFile(timed, html));
  const QByteArray dom = browse(browser, dir.filePath("profile"), {"--dump-dom"}, timed,
                                dir.filePath("search.netlog.json"));
  const qsizetype start = dom.indexOf("<pre id=\"shown\">");
  ASSERT_GE(start, 0) << "the search did not run";
  const qsizetype end = dom.indexOf("</pre>", start);
  QByteArray json = dom.mid(start + 16, end - start - 16);
  json.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&amp;", "&");
  const QJsonArray shown = QJsonDocument::fromJson(json).array();
  ASSERT_EQ(shown.size(), searches.size()) << json.toStdString();
  for (qsizetype i = 0; i < searches.size(); ++i) {
    SCOPED_TRACE(searches[i].toStdString());
    QStringList expected;
    for (const QString& name : names) {
      if (name.contains(searches[i], Qt::CaseInsensitive)) {
        expected << name;
      }
    }
    QStringList got;
    for (const QJsonValue& v : shown[i].toArray()) {
      got << v.toString();
    }
    EXPECT_EQ(got, expected);
  }
}

}  // namespace
