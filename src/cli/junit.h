#pragma once

#include <QDateTime>
#include <QString>

#include <utility>
#include <vector>

// The --junit file: the structure build servers read (testsuites, one testsuite, a testcase per
// printer with a failure, an error or skipped under it), every name escaped for XML 1.0.
namespace Q6Cli {

struct JunitSuite {
  QString name;
  int tests = 0;
  int failures = 0;
  int errors = 0;
  int skipped = 0;
  double seconds = 0;
  QDateTime started;
  QString host;
  std::vector<std::pair<QString, QString>> properties;
};

// How a case ended: passed, or under which element.
enum class JunitEnd { Passed, Failure, Error, Skipped };

QString junitStart(const JunitSuite& suite);
// `type` and `message` say why; unused for a case that passed.
QString junitCase(const QString& className, const QString& name, double seconds, JunitEnd end,
                  const QString& type, const QString& message);
// `out`: the run's notes, as the suite's standard output; may be empty.
QString junitEnd(const QString& out);

}  // namespace Q6Cli
