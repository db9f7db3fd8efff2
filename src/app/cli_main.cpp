#include <QCoreApplication>

#include "cli/cli.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("q6config-cli"));
  return Q6Cli::runCli(QCoreApplication::arguments().mid(1));
}
