#include "cli/page_reader.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QXmlStreamReader>

namespace Q6Test {

namespace {

// Attributes through which a page could reach something beyond itself.
bool leadsOut(const QXmlStreamAttribute& a) {
  const QString name = a.name().toString().toLower();
  if (name == u"href") {
    return !a.value().startsWith(u'#');
  }
  return name == u"src" || name == u"srcset" || name == u"action" || name == u"formaction" ||
         name == u"data" || name == u"poster" || name == u"background" || name == u"ping" ||
         name == u"style" || name.startsWith(u"on") ||
         (name == u"http-equiv" && a.value().toString().toLower() == u"refresh");
}

}  // namespace

ReadPage readPage(const QByteArray& page) {
  ReadPage p;
  QXmlStreamReader xml(page);
  QString group;
  PageRow row;
  QString text;  // of the element being read
  QString countId;
  QString lastFact;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      const QString name = xml.name().toString();
      ++p.elements[name];
      for (const QXmlStreamAttribute& a : xml.attributes()) {
        if (leadsOut(a)) {
          p.addresses << a.name().toString() + u'=' + a.value().toString();
        }
      }
      if (name == u"tbody") {
        group = xml.attributes().value(QLatin1String("class")).toString();
      } else if (name == u"tr") {
        row = PageRow{group, {}};
      } else if (name == u"br") {
        text += u'\n';
      } else if (name == u"label" && xml.attributes().hasAttribute(QLatin1String("id"))) {
        countId = xml.attributes().value(QLatin1String("id")).toString().mid(6);  // "count-"
      }
      if (name == u"td" || name == u"th" || name == u"dt" || name == u"dd" || name == u"p" ||
          name == u"title" || name == u"b") {
        text.clear();
      }
    } else if (xml.isCharacters()) {
      text += xml.text();
    } else if (xml.isEndElement()) {
      const QString name = xml.name().toString();
      if ((name == u"td" || name == u"th") && !group.isEmpty()) {
        row.cells << text;
      } else if (name == u"tr" && !group.isEmpty()) {
        p.rows.push_back(row);
      } else if (name == u"tbody") {
        group.clear();
      } else if (name == u"title") {
        p.title = text;
      } else if (name == u"p") {
        p.mark = text;
      } else if (name == u"dt") {
        lastFact = text;
      } else if (name == u"dd") {
        p.facts[lastFact] = text;
      } else if (name == u"b" && !countId.isEmpty()) {
        p.counts[countId] = text.toInt();
        countId.clear();
      } else if (name == u"style") {
        p.style = text;
      }
    }
  }
  if (xml.hasError()) {
    p.error = xml.errorString() + QStringLiteral(" at line %1").arg(xml.lineNumber());
  }
  return p;
}

ReadJunit readJunit(const QByteArray& data) {
  ReadJunit j;
  QXmlStreamReader xml(data);
  while (!xml.atEnd()) {
    xml.readNext();
    if (!xml.isStartElement()) {
      continue;
    }
    const auto a = xml.attributes();
    if (xml.name() == u"testsuite") {
      for (const char* count : {"tests", "failures", "errors", "skipped"}) {
        j.counts[QLatin1String(count)] = a.value(QLatin1String(count)).toInt();
      }
    } else if (xml.name() == u"testcase") {
      j.cases.push_back({a.value(QLatin1String("classname")).toString(),
                         a.value(QLatin1String("name")).toString(),
                         {},
                         {}});
    } else if (!j.cases.empty() &&
               (xml.name() == u"failure" || xml.name() == u"error" || xml.name() == u"skipped")) {
      j.cases.back().end = xml.name().toString();
      j.cases.back().message = a.value(QLatin1String("message")).toString();
    }
  }
  if (xml.hasError()) {
    j.error = xml.errorString();
  }
  return j;
}

QMap<QString, int> htmlParserTags(const QByteArray& page) {
  QProcess python;
  python.start(
      QStringLiteral("python3"),
      {QStringLiteral("-c"), QStringLiteral("import sys, json, html.parser\n"
                                            "tags = {}\n"
                                            "class P(html.parser.HTMLParser):\n"
                                            "  def handle_starttag(self, tag, attrs):\n"
                                            "    tags[tag] = tags.get(tag, 0) + 1\n"
                                            "P().feed(sys.stdin.buffer.read().decode('utf-8'))\n"
                                            "print(json.dumps(tags))\n")});
  python.write(page);
  python.closeWriteChannel();
  QMap<QString, int> tags;
  if (!python.waitForFinished(60000) || python.exitCode() != 0) {
    return tags;
  }
  const QJsonObject found = QJsonDocument::fromJson(python.readAllStandardOutput()).object();
  for (auto it = found.begin(); it != found.end(); ++it) {
    tags[it.key()] = it.value().toInt();
  }
  return tags;
}

}  // namespace Q6Test
