#include "app/launch.h"

#include <QCoreApplication>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/presets/preset_folder.h"
#include "version.h"

namespace Q6 {

namespace {

const char* const kNoDisplay =
    "q6config: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not set, or the "
    "display cannot be reached); start it from a desktop session.\n";

void printUsage() {
  std::printf(
      "Usage: q6config [--list-presets] [--version] [--help] [Qt options]\n"
      "Sets up QLX600 and QLX500 receipt printers: memory switches, tests and factory reset.\n"
      "\n"
      "  --list-presets  print the preset files of the Presets folder beside the program, "
      "then end\n"
      "  --version       print the version, then end\n"
      "  --help          print this text, then end\n"
      "\n"
      "Without an option the window opens; it needs a display.\n");
}

bool hasArgument(int argc, char** argv, const char* wanted) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], wanted) == 0) {
      return true;
    }
  }
  return false;
}

// On a desktop the window system names itself in the environment; an explicit platform (for
// example offscreen) needs nothing of the kind.
bool displayNamed(int argc, char** argv) {
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland")) {
    return true;
  }
  if (hasArgument(argc, argv, "-platform")) {
    return true;
  }
  return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

QtMessageHandler previousHandler = nullptr;

// Qt ends the program when no platform plugin can start (a display that cannot be reached); the
// operator gets one line instead of the plugin list and a core dump.
void messageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  const bool aboutTheDisplay = message.contains(QLatin1String("platform plugin")) ||
                               message.contains(QLatin1String("could not connect to display"));
  if (aboutTheDisplay && type == QtFatalMsg) {
    std::fputs(kNoDisplay, stderr);
    std::fflush(stderr);
    std::_Exit(1);
  }
  if (aboutTheDisplay && (type == QtWarningMsg || type == QtInfoMsg)) {
    return;  // the fatal message that follows says it in one line
  }
  if (previousHandler) {
    previousHandler(type, context, message);
    return;
  }
  std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

}  // namespace

std::optional<int> startWithoutWindow(int argc, char** argv) {
  if (hasArgument(argc, argv, "--help") || hasArgument(argc, argv, "-h")) {
    printUsage();
    return 0;
  }
  if (hasArgument(argc, argv, "--version")) {
    std::printf("q6config %d.%d.%d\n", Q6Version::kMajor, Q6Version::kMinor, Q6Version::kRevision);
    return 0;
  }
  if (hasArgument(argc, argv, "--list-presets")) {
    const QCoreApplication app(argc, argv);
    const QString folder = presetsFolder();
    for (const QString& name : presetFilesIn(folder)) {
      std::printf("%s\n", qPrintable(name));
    }
    return 0;
  }
  if (!displayNamed(argc, argv)) {
    std::fputs(kNoDisplay, stderr);
    return 1;
  }
  previousHandler = qInstallMessageHandler(messageHandler);
  return std::nullopt;
}

}  // namespace Q6
