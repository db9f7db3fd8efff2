#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>

#include "core/common/result.h"

// The task's arguments as the module takes them, read and checked whole before anything runs.
namespace Q6Ansible {

// The module's name where a message or its documentation must say which module is meant.
inline constexpr const char* kModuleName = "q6config.printers.printer";

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

// Every argument a playbook may give, in the order the documentation lists them; Ansible's own
// (_ansible_*) are not among them.
const QStringList& moduleParameters();

// The arguments as Ansible hands them over: a refusal names the argument at fault, and nothing has
// been run.
Q6::Result<ModuleArguments> readModuleArguments(const QJsonObject& arguments);

}  // namespace Q6Ansible
