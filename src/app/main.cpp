#include <QApplication>
#include <QIcon>

#include "main_window/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/q6config.png")));
  frmMain window;
  window.show();
  return QApplication::exec();
}
