#include "cli/html_page.h"

#include <QCryptographicHash>

#include "cli/markup.h"

namespace Q6Cli {

namespace {

// The look of every page; the filter's rules, which name the groups, follow it.
const char kStyle[] =
    ":root{color-scheme:light;font:14px/1.45 system-ui,sans-serif;color:#1f2328;"
    "background:#fff}\n"
    "body{margin:0 auto;padding:16px 24px 48px;max-width:1500px}\n"
    "h1{font-size:21px;margin:0 0 10px}\n"
    ".mark{display:inline-block;margin:0 0 10px;padding:6px 14px;border-radius:6px;"
    "background:#fff4c2;border:1px solid #c99a00;font-weight:700;font-size:16px}\n"
    "dl{display:grid;grid-template-columns:max-content 1fr;gap:2px 18px;margin:0 0 12px}\n"
    "dt{color:#59636e}dd{margin:0;overflow-wrap:anywhere}\n"
    "ul.notes{margin:0 0 12px;padding-left:20px;color:#7d4e00}\n"
    ".pick{position:absolute;opacity:0;width:1px;height:1px}\n"
    "nav{margin:8px 0 10px}\n"
    "nav label{display:inline-block;margin:0 6px 6px 0;padding:5px 12px;border:1px solid "
    "#d1d9e0;border-radius:6px;background:#f6f8fa;cursor:pointer}\n"
    "nav label b{font-size:17px;margin-right:5px}\n"
    "nav label.find{border:0;background:none;cursor:auto;margin-left:8px}\n"
    "nav input[type=search]{font:inherit;padding:4px 8px;width:22em}\n"
    "table,thead,tbody{display:block}\n"
    "thead{position:sticky;top:0;z-index:1;background:#eef1f4}\n"
    "table.wide{width:max-content;min-width:100%}\n"
    "th,td{text-align:left;vertical-align:top;padding:4px 10px;border-bottom:1px solid #e3e7eb;"
    "overflow-wrap:anywhere;unicode-bidi:isolate}\n"
    "thead th{white-space:nowrap}\n"
    "tbody th{font-weight:600;max-width:32em}\n"
    "td.n{text-align:right;white-space:nowrap}\n"
    "td.d{white-space:nowrap}\n"
    "td.why{color:#59636e;max-width:40em}\n"
    "tbody.failed td.why,tbody.stopped td.why,tbody.not-sent td.why{color:#a40e26}\n"
    ".s{font-weight:700;white-space:nowrap}\n"
    "tbody.failed .s,tbody.stopped .s,tbody.not-sent .s{color:#b3261e}\n"
    "tbody.changed .s,tbody.known .s{color:#1a7f37}\n"
    "tbody.unchanged .s,tbody.never .s{color:#59636e}\n"
    "tbody.unknown .s{color:#9a6700}\n"
    "td.u{background:#fff4c2;font-weight:600}\n"
    "td.f{color:#59636e}td.x{color:#aab2bb}\n"
    ".same{color:#59636e}\n"
    "[hidden]{display:none!important}\n";

QString styleOf(const PageStart& page) {
  QString style = QString::fromLatin1(kStyle);
  // Each row a grid of the same columns rather than a table, and each block of rows skipped
  // while out of view, so that a browser lays out only the rows in view: ten thousand of them
  // open, filter and search at once.
  style += QStringLiteral(
               "tr{display:grid;grid-template-columns:%1;content-visibility:auto;"
               "contain-intrinsic-size:auto 4em}\n"
               "tbody{content-visibility:auto;contain-intrinsic-height:auto %2em}\n")
               .arg(page.columnWidths)
               .arg(4 * kBlockRows);
  QStringList ids{QStringLiteral("all")};
  for (const PageGroup& g : page.groups) {
    const QString id = QLatin1String(g.id);
    ids << id;
    style += QStringLiteral("#show-%1:checked~table tbody:not(.%1){display:none}\n").arg(id);
  }
  for (const QString& id : ids) {
    style += QStringLiteral(
                 "#show-%1:checked~nav label[for=show-%1]{background:#0b5cad;color:#fff;"
                 "border-color:#0b5cad}\n#show-%1:focus-visible~nav label[for=show-%1]{outline:"
                 "2px solid #0b5cad;outline-offset:2px}\n")
                 .arg(id);
  }
  return style;
}

// The search by name: hides the rows whose first cell does not hold the text typed, and the
// blocks it leaves empty, so that a browser lays out again only the blocks in view. Shown only when
// it can work; it holds no '<' or '&', so the page stays one an XML reader takes.
const char kScript[] =
    "(function () {\n"
    "  var box = document.getElementById('find');\n"
    "  var blocks = document.querySelectorAll('tbody');\n"
    "  var names = [];\n"
    "  for (var b = 0; b !== blocks.length; b++) {\n"
    "    var rows = blocks[b].rows;\n"
    "    names.push([]);\n"
    "    for (var i = 0; i !== rows.length; i++) {\n"
    "      names[b].push(rows[i].cells[0].textContent.toLowerCase());\n"
    "    }\n"
    "  }\n"
    "  box.parentNode.hidden = false;\n"
    "  box.addEventListener('input', function () {\n"
    "    var q = box.value.toLowerCase();\n"
    "    for (var b = 0; b !== blocks.length; b++) {\n"
    "      var rows = blocks[b].rows;\n"
    "      var shown = false;\n"
    "      for (var i = 0; i !== rows.length; i++) {\n"
    "        var hide = names[b][i].indexOf(q) === -1;\n"
    "        shown = shown || !hide;\n"
    "        if (rows[i].hidden !== hide) rows[i].hidden = hide;\n"
    "      }\n"
    "      if (blocks[b].hidden === shown) blocks[b].hidden = !shown;\n"
    "    }\n"
    "  });\n"
    "})();\n";

QString digest(const QString& text) {
  return QString::fromLatin1(
      QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256).toBase64());
}

}  // namespace

QString pageStart(const PageStart& page) {
  const QString style = styleOf(page);
  // Only this style and this script may apply; nothing may load, whatever a name holds.
  QString t = QStringLiteral(
                  "<!DOCTYPE html>\n<html lang=\"en\">\n"
                  "<head>\n<meta charset=\"utf-8\"/>\n"
                  "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
                  "style-src 'sha256-%1'; script-src 'sha256-%2'; base-uri 'none'; "
                  "form-action 'none'\"/>\n"
                  "<meta name=\"viewport\" content=\"width=device-width\"/>\n<title>")
                  .arg(digest(style), digest(QString::fromLatin1(kScript)));
  t += markup(page.title) + QStringLiteral("</title>\n<style>") + style +
       QStringLiteral("</style>\n</head>\n<body>\n<h1>") + markup(page.title) +
       QStringLiteral("</h1>\n");
  if (!page.mark.isEmpty()) {
    t += QStringLiteral("<p class=\"mark\">") + markup(page.mark) + QStringLiteral("</p>\n");
  }
  t += QStringLiteral("<dl>\n");
  for (const auto& [name, value] : page.facts) {
    t += QStringLiteral("<dt>") + markup(name) + QStringLiteral("</dt><dd>") + markup(value) +
         QStringLiteral("</dd>\n");
  }
  t += QStringLiteral("</dl>\n");
  if (!page.notes.isEmpty()) {
    t += QStringLiteral("<ul class=\"notes\">\n");
    for (const QString& note : page.notes) {
      t += QStringLiteral("<li>") + markup(note) + QStringLiteral("</li>\n");
    }
    t += QStringLiteral("</ul>\n");
  }
  int total = 0;
  for (const PageGroup& g : page.groups) {
    total += g.count;
  }
  t += QStringLiteral(
      "<main>\n<input class=\"pick\" type=\"radio\" name=\"show\" id=\"show-all\" "
      "checked=\"checked\"/>\n");
  for (const PageGroup& g : page.groups) {
    t += QStringLiteral("<input class=\"pick\" type=\"radio\" name=\"show\" id=\"show-%1\"/>\n")
             .arg(QLatin1String(g.id));
  }
  t += QStringLiteral("<nav>\n<label for=\"show-all\"><b>%1</b>all</label>\n").arg(total);
  for (const PageGroup& g : page.groups) {
    t += QStringLiteral("<label for=\"show-%1\" id=\"count-%1\"><b>%2</b>%3</label>\n")
             .arg(QLatin1String(g.id))
             .arg(g.count)
             .arg(markup(g.label));
  }
  t += QStringLiteral(
      "<label class=\"find\" hidden=\"hidden\">Find a printer: <input type=\"search\" "
      "id=\"find\"/></label>\n</nav>\n");
  t += page.wide ? QStringLiteral("<table class=\"wide\">\n<thead><tr>")
                 : QStringLiteral("<table>\n<thead><tr>");
  for (const QString& column : page.columns) {
    t += QStringLiteral("<th scope=\"col\">") + markup(column) + QStringLiteral("</th>");
  }
  return t + QStringLiteral("</tr></thead>\n");
}

QString groupStart(const char* id) {
  return QStringLiteral("<tbody class=\"%1\">\n").arg(QLatin1String(id));
}

QString groupEnd() {
  return QStringLiteral("</tbody>\n");
}

void blockBreak(QByteArray& out, const char* id, int index) {
  if (index > 0 && index % kBlockRows == 0) {
    out += "</tbody>\n<tbody class=\"";
    out += id;
    out += "\">\n";
  }
}

QString pageEnd() {
  return QStringLiteral("</table>\n</main>\n<script>") + QString::fromLatin1(kScript) +
         QStringLiteral("</script>\n</body>\n</html>\n");
}

}  // namespace Q6Cli
