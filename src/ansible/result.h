#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <vector>

#include "ansible/arguments.h"

// The task's result, made from the tool's JSON reports: what changed, what went, what failed and
// the notes, each from its own key of the report. The messages the tool writes for people are read
// only where it wrote no report at all.
namespace Q6Ansible {

// What one run of the tool answered: its exit status, the report on standard output, and its
// messages for people.
struct CliAnswer {
  int code = -1;
  QByteArray out;
  QString err;
};

// The task's result from the answers of the runs made (a run that failed ends the list).
QJsonObject moduleResult(const ModuleArguments& arguments, const std::vector<CliAnswer>& answers);

QJsonObject failedResult(const QString& msg);

}  // namespace Q6Ansible
