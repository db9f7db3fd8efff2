#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

#include <sys/stat.h>

#include "gui/link/comm_settings_window.h"
#include "gui/link/link_settings_panel.h"

#include "main_window_fixture.h"

namespace MainWindowTests {
namespace {

enum class Fault { Folder, LinkLoop, FullDisk, RoomForTheLockOnly, ReadOnlyFolder, LockHeld };
enum class Action {
  StartUp,
  CommunicationUse,
  CommunicationCancel,
  UseSettings,
  TestButton,
  ShutDown
};

// What stands at a path, as lstat sees it: the file's bytes, a folder, or a link's target.
QByteArray standing(const QString& path) {
  const QFileInfo info(path);
  if (info.isSymLink()) {
    return "link to " + info.symLinkTarget().toUtf8();
  }
  if (info.isDir()) {
    return "folder";
  }
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : "unreadable";
}

using StoreFaults = MainWindowTest;

// Whatever is wrong with the settings file, every window action that reaches it shows one
// message naming the file and the system's reason, the window keeps running, and the file stays
// exactly as it was. Actions the fault does not touch carry on without a word.
TEST_F(StoreFaults, EveryActionReportsAndKeepsTheFile) {
  const struct {
    Fault fault;
    const char* name;
    const char* reason;
    bool onlyStoresFail;  // reading works; only storing fails
  } faults[] = {
      {Fault::Folder, "folder in place of the file", "it is a folder", false},
      {Fault::LinkLoop, "unreadable file (a link to itself)", "Too many levels of symbolic links",
       false},
      {Fault::FullDisk, "full disk", "No space left on device", true},
      {Fault::RoomForTheLockOnly, "room for the lock, not for the file", "No space left on device",
       true},
      {Fault::ReadOnlyFolder, "read-only folder", "Read-only file system", true},
      {Fault::LockHeld, "lock held by another process", "Q56Config.ini.lock", true},
  };
  const Action actions[] = {
      Action::StartUp,     Action::CommunicationUse, Action::CommunicationCancel,
      Action::UseSettings, Action::TestButton,       Action::ShutDown};
  const QString folder = config.dir() + QStringLiteral("/Q56Config");
  QString skipped;
  for (const auto& f : faults) {
    for (Action action : actions) {
      SCOPED_TRACE(::testing::Message() << f.name << ", action " << static_cast<int>(action));
      std::optional<Q6Test::PrivateTmpfs> disk;
      if (f.fault == Fault::FullDisk || f.fault == Fault::RoomForTheLockOnly ||
          f.fault == Fault::ReadOnlyFolder) {
        disk.emplace(folder);
        if (!disk->unavailable().isEmpty()) {
          skipped = QStringLiteral("%1: %2").arg(QLatin1String(f.name), disk->unavailable());
          continue;
        }
      }
      writeStore({QStringLiteral("; provisioned by the shop's rollout"),
                  QStringLiteral("[Q56ConfigCOM]"), QStringLiteral("Connection=File"),
                  QStringLiteral("Path=") + printerPath(), QStringLiteral("[Printer]"),
                  QStringLiteral("Model=Vorla QLX600")});
      QProcess holder;
      switch (f.fault) {
        case Fault::Folder:
          ASSERT_TRUE(QFile::remove(config.iniPath()));
          ASSERT_TRUE(QDir().mkpath(config.iniPath()));
          break;
        case Fault::LinkLoop:
          ASSERT_TRUE(QFile::remove(config.iniPath()));
          ASSERT_TRUE(QFile::link(config.iniPath(), config.iniPath()));
          break;
        case Fault::FullDisk:
        case Fault::RoomForTheLockOnly:
          ASSERT_TRUE(disk->fill(f.fault == Fault::FullDisk ? 0 : 1));
          break;
        case Fault::ReadOnlyFolder:
          ASSERT_TRUE(disk->makeReadOnly());
          break;
        case Fault::LockHeld: {
          // Another program holds the settings file's lock until it is killed.
          holder.start(QStringLiteral(Q6CONFIG_TEST_HELPER_PATH),
                       {QStringLiteral("hold-lock"), config.iniPath() + QStringLiteral(".lock")});
          QByteArray said;
          while (!said.contains("held\n") && holder.waitForReadyRead(10000)) {
            said += holder.readAll();
          }
          ASSERT_TRUE(said.contains("held\n")) << said.toStdString();
          break;
        }
      }
      const QByteArray before = standing(config.iniPath());

      frmMain& w = open();
      w.show();
      if (action != Action::StartUp) {
        messages.shown.clear();
      }
      switch (action) {
        case Action::StartUp:
          break;
        case Action::CommunicationUse:
        case Action::CommunicationCancel:
          QTimer::singleShot(0, [&] {
            frmPort* port = w.portWindow();
            ASSERT_NE(port, nullptr);
            if (action == Action::CommunicationUse) {
              Orvanel::LinkSettingsPanel* panel = port->scm_interface->settingsPanel();
              panel->cmbConnection->setCurrentIndex(
                  panel->cmbConnection->findData(static_cast<int>(Orvanel::ConnectionKind::File)));
              panel->cmbPath->setEditText(config.dir() + QStringLiteral("/other.prn"));
              port->Command1->click();  // "Use": refused, the window stays open
            }
            if (port->isVisible()) {
              port->Command2->click();  // "Cancel"
            }
          });
          w.comConfPort->click();
          break;
        case Action::UseSettings:
          w.cmbModel->setCurrentIndex(1);
          find<QComboBox>(QStringLiteral("comFF"))->setCurrentIndex(1);
          w.comUse->click();
          break;
        case Action::TestButton:
          w.butLineFeed->click();
          break;
        case Action::ShutDown:
          w.cmbModel->setCurrentIndex(w.cmbModel->currentIndex() == 0 ? 1 : 0);
          w.close();
          break;
      }
      QCoreApplication::processEvents();

      const bool touches =
          action == Action::CommunicationUse || action == Action::ShutDown || !f.onlyStoresFail;
      if (touches) {
        ASSERT_FALSE(messages.shown.empty());
        for (const Q6::MessageRequest& shown : messages.shown) {
          EXPECT_TRUE(shown.text.contains(config.iniPath())) << shown.text.toStdString();
          EXPECT_TRUE(shown.text.contains(QLatin1String(f.reason))) << shown.text.toStdString();
        }
        // The window that opened a broken file says so once; Use adds its own refusal.
        EXPECT_LE(messages.shown.size(), action == Action::CommunicationUse ? 2u : 1u);
      } else {
        EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text.toStdString();
      }
      EXPECT_EQ(standing(config.iniPath()), before);
      EXPECT_EQ(w.isVisible(), action != Action::ShutDown);
      window.reset();
      messages.shown.clear();
      if (holder.state() != QProcess::NotRunning) {
        holder.kill();
        holder.waitForFinished();
      }
      QFile::remove(config.iniPath());
      QDir(config.iniPath()).removeRecursively();
    }
  }
  if (!skipped.isEmpty()) {
    GTEST_SKIP() << "rows left out: " << skipped.toStdString();
  }
}

}  // namespace
}  // namespace MainWindowTests
