#include "ansible/module.h"

#include <QJsonDocument>

#include <cstdio>
#include <cstdlib>

#include "ansible/command_lines.h"
#include "cli/cli.h"

namespace Q6Ansible {

CliAnswer runCliInProcess(const QStringList& commandLine) {
  char* outText = nullptr;
  size_t outSize = 0;
  char* errText = nullptr;
  size_t errSize = 0;
  std::FILE* out = open_memstream(&outText, &outSize);
  std::FILE* err = open_memstream(&errText, &errSize);
  CliAnswer answer;
  if (!out || !err) {
    answer.err = QStringLiteral("q6config-cli: could not set up its output in memory.");
  } else {
    answer.code = Q6Cli::runCli(commandLine, out, err);
  }
  if (out) std::fclose(out);
  if (err) std::fclose(err);
  answer.out = QByteArray(outText ? outText : "", static_cast<qsizetype>(outSize));
  answer.err += QString::fromLocal8Bit(errText ? errText : "", static_cast<qsizetype>(errSize));
  std::free(outText);
  std::free(errText);
  return answer;
}

QJsonObject runModule(const QByteArray& argumentsJson, const QStringList& presetFolders,
                      const CliRunner& run) {
  QJsonParseError parseError;
  const QJsonDocument doc = QJsonDocument::fromJson(argumentsJson, &parseError);
  if (!doc.isObject()) {
    return failedResult(QStringLiteral("the module's arguments are not a JSON object (%1).")
                            .arg(parseError.error != QJsonParseError::NoError
                                     ? parseError.errorString()
                                     : QStringLiteral("another value")));
  }
  const Q6::Result<ModuleArguments> read = readModuleArguments(doc.object());
  if (!read) {
    return failedResult(read.error());
  }
  ModuleArguments arguments = *read;
  if (!arguments.preset.isEmpty()) {
    arguments.preset = resolvePreset(arguments.preset, presetFolders);
  }
  std::vector<CliAnswer> answers;
  for (const QStringList& commandLine : cliCommandLines(arguments)) {
    answers.push_back(run(commandLine));
    if (answers.back().code != 0) {
      break;
    }
  }
  return moduleResult(arguments, answers);
}

}  // namespace Q6Ansible
