#pragma once

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTabWidget>

#include <memory>

#include "gui/main_window/main_window.h"
#include "support/test_support.h"

namespace MainWindowTests {

// A real frmMain over a temporary settings store. Message boxes are captured (answered OK), so no
// test waits for a human.
class MainWindowTest : public ::testing::Test {
 protected:
  // Writes the settings file by hand, as it would be after earlier runs. Each line is either a
  // "[Group]" header or "Key=Value".
  void writeStore(const QStringList& lines) {
    QDir().mkpath(config.dir() + QStringLiteral("/Q56Config"));
    QFile file(config.iniPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (const QString& line : lines) {
      file.write(line.toUtf8() + "\n");
    }
    // QSettings re-reads a file only when its size or time changed; a test writes faster than the
    // clock ticks, so each hand-written file gets a time of its own, an hour back.
    static int written = 0;
    ASSERT_TRUE(file.flush());
    file.setFileTime(QDateTime::currentDateTime().addSecs(-3600 + ++written),
                     QFileDevice::FileModificationTime);
  }

  QString storeText() const {
    QFile file(config.iniPath());
    if (!file.open(QIODevice::ReadOnly)) {
      return {};
    }
    return QString::fromUtf8(file.readAll());
  }

  // A file link into the temporary folder; the bytes of every exchange end up in printerBytes().
  void useFileLink() {
    writeStore({QStringLiteral("[Q56ConfigCOM]"), QStringLiteral("Connection=File"),
                QStringLiteral("Path=") + printerPath()});
  }
  QString printerPath() const { return config.dir() + QStringLiteral("/printer.bin"); }
  QByteArray printerBytes() const {
    QFile file(printerPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  void clearPrinterBytes() { QFile::remove(printerPath()); }

  frmMain& open() {
    window = std::make_unique<frmMain>();
    return *window;
  }

  // A tab's texts are fitted to their boxes when the tab is first shown. A test that reads the
  // faces or places of every tab shows each first, as the operator would, and ends on Main.
  static void showEveryTab(frmMain& w) {
    for (int tab = w.SSTab1->count() - 1; tab >= 0; --tab) {
      w.SSTab1->setCurrentIndex(tab);
    }
  }

  template <typename T = QWidget>
  T* find(const QString& name) const {
    return window->findChild<T*>(name);
  }

  Q6Test::TempConfig config;
  Q6Test::MessageCapture messages;
  std::unique_ptr<frmMain> window;
};

}  // namespace MainWindowTests
