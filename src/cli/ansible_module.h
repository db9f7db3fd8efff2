#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

#include "core/common/result.h"

// The Ansible module q6config_printer: its arguments become q6config-cli command lines, run in this
// process, and the tool's JSON report becomes the task's result. Deciding what to send, sending it
// and keeping the record stay with the tool; the module only translates, so that a playbook and a
// script can never disagree about a printer.
namespace Q6Cli {

struct ModuleArguments {
  QString target;
  QString model;
  QString preset;
  QStringList sets;  // "name=entry", in the settings table's names
  bool reset = false;
  bool force = false;
  std::optional<int> timeoutMs;
  QString record;
  bool checkMode = false;  // _ansible_check_mode
  bool diff = false;       // _ansible_diff
};

// The arguments as Ansible hands them over, checked whole: a refusal names the argument at fault,
// and nothing has been run.
Q6::Result<ModuleArguments> readModuleArguments(const QJsonObject& arguments);

// A bare preset name that is no file here is looked for in these folders, with or without ".pre",
// and the path found is given to the tool: Ansible runs the module from a copy in a temporary
// folder, where the Presets folder beside the program is not.
QString resolvePreset(const QString& given, const QStringList& presetFolders);

// The tool's command lines, in order: the reset first when asked for, then the apply, which sends
// only what the record does not already show the printer holding.
std::vector<QStringList> cliCommandLines(const ModuleArguments& arguments);

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

using CliRunner = std::function<CliAnswer(const QStringList&)>;

// q6config-cli in this process, its output caught in memory.
CliAnswer runCliInProcess(const QStringList& commandLine);

// The whole module: the argument file's text in, the task's result out.
QJsonObject runModule(const QByteArray& argumentsJson, const QStringList& presetFolders,
                      const CliRunner& run = runCliInProcess);

}  // namespace Q6Cli
