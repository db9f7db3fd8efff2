// q6config_printer, the Ansible module q6config.printers.printer: Ansible runs it with the path of
// a file that holds the task's arguments as JSON, and reads one JSON object from its standard
// output. A failure is said in that object ("failed": true), so the program ends with 0 whenever it
// could say it.
#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

#include "ansible/module.h"
#include "core/common/whole_file.h"
#include "core/presets/preset_folder.h"

namespace {

// Far more than any task's arguments; a file past it is not one Ansible wrote.
constexpr qsizetype kArgumentsLimit = 1 << 20;

QJsonObject run(int argc) {
  if (argc < 2) {
    return Q6Ansible::failedResult(QStringLiteral(
        "q6config_printer is the Ansible module q6config.printers.printer: run it from a playbook, "
        "which gives it the path of a file holding its arguments."));
  }
  const QString path = QCoreApplication::arguments().at(1);
  const Q6::WholeFile file = Q6::readWholeFile(path, kArgumentsLimit + 1);
  if (file.error != 0) {
    return Q6Ansible::failedResult(QStringLiteral("cannot read the module's arguments %1: %2.")
                                       .arg(path, file.error == Q6::kNotAnOrdinaryFile
                                                      ? QStringLiteral("not a file")
                                                      : Q6::systemReason(file.error)));
  }
  if (file.bytes.size() > kArgumentsLimit) {
    return Q6Ansible::failedResult(
        QStringLiteral("the module's arguments %1 are larger than %2 bytes.")
            .arg(path)
            .arg(kArgumentsLimit));
  }
  // Ansible runs a copy of the module from a temporary folder: the installed presets are looked
  // for where the package put them as well as beside the program.
  return Q6Ansible::runModule(file.bytes,
                              {Q6::presetsFolder(), QStringLiteral(Q6CONFIG_INSTALLED_PRESETS)});
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("q6config_printer"));
  const QByteArray text = QJsonDocument(run(argc)).toJson(QJsonDocument::Compact) + '\n';
  std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
