#include <QApplication>

#include "app/launch.h"
#include "gui/main_window/main_window.h"

int main(int argc, char** argv) {
  if (const std::optional<int> ended = Q6::startWithoutWindow(argc, argv)) {
    return *ended;
  }
  QApplication app(argc, argv);
  frmMain window;
  // The other windows take the program icon from the application.
  QApplication::setWindowIcon(window.windowIcon());
  window.show();
  return QApplication::exec();
}
