#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/test_support.h"

// One main for every test executable: a QApplication (headless unless QT_QPA_PLATFORM says
// otherwise) and a settings store and a printer record that never touch the real home.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  const QString isolated = QDir::tempPath() + QStringLiteral("/q6config-tests-unused");
  qputenv("XDG_CONFIG_HOME", isolated.toLocal8Bit());
  // The programs keep a record of every exchange by default: each test process (and the programs
  // it starts) gets a record of its own, never the real one.
  const QTemporaryDir state(QDir::tempPath() + QStringLiteral("/q6config-test-state-XXXXXX"));
  qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
  qunsetenv("Q6CONFIG_RECORD");
  QApplication app(argc, argv);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, isolated);
  ::testing::InitGoogleMock(&argc, argv);
  Q6Test::installUnexpectedMessageGuard();
  return RUN_ALL_TESTS();
}
