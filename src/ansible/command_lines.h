#pragma once

#include <QString>
#include <QStringList>

#include <vector>

#include "ansible/arguments.h"

// What the module asks of q6config-cli: the tool decides, sends and keeps the record; the module
// only translates, so that a playbook and a script can never disagree about a printer.
namespace Q6Ansible {

// A bare preset name that is no file here is looked for in these folders, with or without ".pre",
// and the path found is given to the tool: Ansible runs the module from a copy in a temporary
// folder, where the Presets folder beside the program is not.
QString resolvePreset(const QString& given, const QStringList& presetFolders);

// The tool's command lines, in order: the reset first when asked for, then the apply, which sends
// only what the record does not already show the printer holding.
std::vector<QStringList> cliCommandLines(const ModuleArguments& arguments);

}  // namespace Q6Ansible
