#include <QApplication>

#include "app/launch.h"
#include "gui/common/translation.h"
#include "gui/main_window/main_window.h"

int main(int argc, char** argv) {
  if (const std::optional<int> ended = Q6::startWithoutWindow(argc, argv)) {
    return *ended;
  }
  QApplication app(argc, argv);
  Q6::loadTranslation(app, Q6::LocaleEnvironment::current());
  frmMain window;
  // The other windows take the program icon from the application.
  QApplication::setWindowIcon(window.windowIcon());
  window.show();
  return QApplication::exec();
}
