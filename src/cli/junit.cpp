#include "cli/junit.h"

#include "cli/markup.h"

namespace Q6Cli {

namespace {

QString secondsText(double seconds) {
  return QString::number(seconds, 'f', 3);
}

}  // namespace

QString junitStart(const JunitSuite& s) {
  const QString counts =
      QStringLiteral("tests=\"%1\" failures=\"%2\" errors=\"%3\" skipped=\"%4\" time=\"%5\"")
          .arg(s.tests)
          .arg(s.failures)
          .arg(s.errors)
          .arg(s.skipped)
          .arg(secondsText(s.seconds));
  QString t = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites name=\"") +
              markup(s.name) + QStringLiteral("\" ") + counts +
              QStringLiteral(">\n  <testsuite name=\"") + markup(s.name) + QStringLiteral("\" ") +
              counts;
  // The plain local form the readers take, in UTC.
  t += QStringLiteral(" timestamp=\"%1\" hostname=\"")
           .arg(s.started.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"))) +
       markup(s.host) + QStringLiteral("\">\n");
  if (!s.properties.empty()) {
    t += QStringLiteral("    <properties>\n");
    for (const auto& [name, value] : s.properties) {
      t += QStringLiteral("      <property name=\"") + markup(name) +
           QStringLiteral("\" value=\"") + markup(value) + QStringLiteral("\"/>\n");
    }
    t += QStringLiteral("    </properties>\n");
  }
  return t;
}

QString junitCase(const QString& className, const QString& name, double seconds, JunitEnd end,
                  const QString& type, const QString& message) {
  QString t = QStringLiteral("    <testcase classname=\"") + markup(className) +
              QStringLiteral("\" name=\"") + markup(name) + QStringLiteral("\" time=\"") +
              secondsText(seconds) + u'"';
  if (end == JunitEnd::Passed) {
    return t + QStringLiteral("/>\n");
  }
  t += QStringLiteral(">\n      ");
  if (end == JunitEnd::Skipped) {
    t += QStringLiteral("<skipped message=\"") + markup(message) + QStringLiteral("\"/>");
  } else {
    const QString element =
        end == JunitEnd::Failure ? QStringLiteral("failure") : QStringLiteral("error");
    t += u'<' + element + QStringLiteral(" message=\"") + markup(message) +
         QStringLiteral("\" type=\"") + markup(type) + QStringLiteral("\">") + markup(message) +
         QStringLiteral("</") + element + u'>';
  }
  return t + QStringLiteral("\n    </testcase>\n");
}

QString junitEnd(const QString& out) {
  QString t;
  if (!out.isEmpty()) {
    t += QStringLiteral("    <system-out>") + markup(out) + QStringLiteral("</system-out>\n");
  }
  return t + QStringLiteral("  </testsuite>\n</testsuites>\n");
}

}  // namespace Q6Cli
