#include <QCoreApplication>
#include <QDir>
#include <QSettings>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

// The main of the core's test executables: no display and no window library, only a
// QCoreApplication, and a settings store that never touches the real home.
int main(int argc, char** argv) {
  const QString isolated = QDir::tempPath() + QStringLiteral("/q6config-tests-unused");
  qputenv("XDG_CONFIG_HOME", isolated.toLocal8Bit());
  QCoreApplication app(argc, argv);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, isolated);
  ::testing::InitGoogleMock(&argc, argv);
  return RUN_ALL_TESTS();
}
