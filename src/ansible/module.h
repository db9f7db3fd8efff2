#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QStringList>

#include <functional>

#include "ansible/result.h"

// The Ansible module q6config.printers.printer (also q6config_printer): its arguments become
// q6config-cli command lines, run in this process, and the tool's JSON reports become the task's
// result.
namespace Q6Ansible {

using CliRunner = std::function<CliAnswer(const QStringList&)>;

// q6config-cli in this process, its output caught in memory.
CliAnswer runCliInProcess(const QStringList& commandLine);

// The whole module: the argument file's text in, the task's result out.
QJsonObject runModule(const QByteArray& argumentsJson, const QStringList& presetFolders,
                      const CliRunner& run = runCliInProcess);

}  // namespace Q6Ansible
