#include <QApplication>

#include "main_window/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  frmMain window;
  // The other windows take the program icon from the application.
  QApplication::setWindowIcon(window.windowIcon());
  window.show();
  return QApplication::exec();
}
