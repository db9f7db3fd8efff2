// A network printer announced over DNS-SD, from the announcement to the printed sheet, with a real
// Avahi daemon on a D-Bus system bus of the test's own, in network, mount and process namespaces
// that the test makes: nothing of this leaves them, and the machine's own services are untouched.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <sys/mount.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>
#include <memory>
#include <vector>

#include "cli/list_targets.h"
#include "core/printer/diagnostic_commands.h"
#include "gui/common/link_exchange.h"
#include "gui/link/comm_settings_window.h"
#include "gui/link/link_settings_panel.h"
#include "support/link_fixtures.h"
#include "support/test_support.h"

using Q6Test::hex;

namespace {

constexpr char kInsideVariable[] = "Q6CONFIG_TEST_PRIVATE_NAMESPACES";
constexpr int kNamespaceRunLimitMs = 60000;

QString tool(const char* name) {
  return QStandardPaths::findExecutable(QString::fromLatin1(name),
                                        {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin"),
                                         QStringLiteral("/sbin"), QStringLiteral("/bin")});
}

// Why this machine cannot run the test; empty when it can.
QString unavailableReason() {
  if (::geteuid() != 0) {
    return QStringLiteral("needs root to make private network, mount and process namespaces");
  }
  for (const char* name : {"unshare", "ip", "dbus-daemon", "avahi-daemon", "avahi-publish"}) {
    if (tool(name).isEmpty()) {
      return QStringLiteral(
                 "%1 is not installed (packages util-linux, iproute2, dbus, "
                 "avahi-daemon, avahi-utils)")
          .arg(QString::fromLatin1(name));
    }
  }
  return QString();
}

// A helper program of the test: stopped by the destructor, killed with the test if it crashes.
class Helper {
 public:
  Helper(const char* name, const QStringList& arguments) {
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    process_.start(tool(name), arguments);
  }
  ~Helper() {
    if (process_.state() != QProcess::NotRunning) {
      process_.terminate();
      if (!process_.waitForFinished(3000)) {
        process_.kill();
        process_.waitForFinished(2000);
      }
    }
  }
  // Waits until the program has said `text`; false when it ended or the time ran out first.
  bool waitFor(const QString& text, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!output_.contains(text.toUtf8())) {
      if (process_.state() == QProcess::NotRunning || timer.elapsed() > timeoutMs) {
        output_ += process_.readAll();
        return output_.contains(text.toUtf8());
      }
      process_.waitForReadyRead(50);
      output_ += process_.readAll();
    }
    return true;
  }
  QString output() { return QString::fromUtf8(output_ + process_.readAll()); }

 private:
  QProcess process_;
  QByteArray output_;
};

bool run(const char* name, const QStringList& arguments) {
  return QProcess::execute(tool(name), arguments) == 0;
}

bool waitForFile(const QString& path, int timeoutMs) {
  QElapsedTimer timer;
  timer.start();
  while (!QFile::exists(path)) {
    if (timer.elapsed() > timeoutMs) {
      return false;
    }
    QThread::msleep(20);
  }
  return true;
}

// Landmarks of the character-set sheet as the printer must see it, from the sheet's byte table.
void expectCharacterSetSheet(const QByteArray& received) {
  Q6Test::expectCharacterSetSheetLandmarks(received);
  EXPECT_EQ(received.size(), 621);
}

// The part that runs inside the namespaces, as process 1 of its own process namespace.
void publishFindChooseAndPrint() {
  QTemporaryDir dir;
  ASSERT_TRUE(run("ip", {"link", "set", "lo", "up"}));
  // A /run of our own: the bus socket and the daemon's pid file are made there, out of sight of
  // the machine's own daemons.
  ASSERT_EQ(::mount("tmpfs", "/run", "tmpfs", 0, "mode=0755"), 0) << std::strerror(errno);
  ASSERT_TRUE(QDir().mkpath(QStringLiteral("/run/dbus")));
  const QString bus = QStringLiteral("/run/dbus/system_bus_socket");
  Q6Test::ScopedEnv busAddress("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + bus.toUtf8());

  Helper dbus("dbus-daemon", {"--system", "--nofork", "--nopidfile"});
  ASSERT_TRUE(waitForFile(bus, 10000)) << dbus.output().toStdString();

  const QString conf = dir.filePath(QStringLiteral("avahi-daemon.conf"));
  ASSERT_TRUE(Q6Test::writeFile(conf,
                                "[server]\nallow-interfaces=lo\nuse-ipv6=no\n"
                                "[wide-area]\nenable-wide-area=no\n"));
  Helper avahi("avahi-daemon", {"-f", conf, "--no-drop-root", "--no-chroot", "--no-rlimits"});
  ASSERT_TRUE(avahi.waitFor(QStringLiteral("Server startup complete"), 10000))
      << avahi.output().toStdString();

  Q6Test::TcpSink printer;
  const QString port = QString::number(printer.port());
  Helper address("avahi-publish", {"-a", "-R", "fakeprinter.local", "127.0.0.1"});
  Helper service("avahi-publish",
                 {"-s", "-H", "fakeprinter.local", "Test printer", "_pdl-datastream._tcp", port});
  ASSERT_TRUE(address.waitFor(QStringLiteral("Established"), 10000))
      << address.output().toStdString();
  ASSERT_TRUE(service.waitFor(QStringLiteral("Established"), 10000))
      << service.output().toStdString();

  // Stored by its name where this computer resolves .local names (an mDNS name-service module),
  // else by its address; the window's entry and the tool's list say which.
  const bool byName = Orvanel::resolvesHere(QStringLiteral("fakeprinter.local"), 3000);
  const QString storedHost =
      byName ? QStringLiteral("fakeprinter.local") : QStringLiteral("127.0.0.1");

  // The command-line tool finds it too, in the form its --to takes.
  QStringList notes;
  const std::vector<Q6Cli::FoundTarget> listed = Q6Cli::findLocalTargets(3000, &notes);
  EXPECT_TRUE(std::any_of(listed.cbegin(), listed.cend(), [&](const Q6Cli::FoundTarget& t) {
    return t.target == QStringLiteral("tcp://%1:%2").arg(storedHost, port) &&
           t.about == (byName ? QStringLiteral("Test printer, by name (address 127.0.0.1)")
                              : QStringLiteral("Test printer, by address: this computer does not "
                                               "resolve fakeprinter.local"));
  }));
  EXPECT_TRUE(notes.filter(QStringLiteral("DNS-SD")).isEmpty()) << notes.join('\n').toStdString();

  Q6Test::TempConfig config;
  Q6Test::MessageCapture boxes;
  frmPort window;
  Orvanel::LinkSettingsPanel* panel = window.scm_interface->settingsPanel();
  QSignalSpy searched(panel, &Orvanel::LinkSettingsPanel::searchFinished);
  QElapsedTimer timer;
  timer.start();
  window.show();
  ASSERT_TRUE(searched.wait(10000));
  std::cout << "search took " << timer.elapsed() << " ms\n";

  const QList<Orvanel::FoundTarget>& found = panel->foundTargets();
  const auto it = std::find_if(found.cbegin(), found.cend(), [](const Orvanel::FoundTarget& t) {
    return t.source == Orvanel::TargetSource::Network;
  });
  ASSERT_NE(it, found.cend());
  EXPECT_EQ(it->name, QStringLiteral("Test printer"));
  EXPECT_EQ(it->hostName, QStringLiteral("fakeprinter.local"));
  EXPECT_EQ(it->address, QStringLiteral("127.0.0.1"));
  EXPECT_EQ(it->port, printer.port());
  EXPECT_EQ(std::count_if(found.cbegin(), found.cend(),
                          [](const Orvanel::FoundTarget& t) {
                            return t.source == Orvanel::TargetSource::Network;
                          }),
            1);

  auto* list = window.findChild<QListWidget*>(QStringLiteral("lstFound"));
  ASSERT_NE(list, nullptr);
  const QList<QListWidgetItem*> items =
      list->findItems(QStringLiteral("Test printer"), Qt::MatchContains);
  ASSERT_EQ(items.size(), 1);
  EXPECT_EQ(
      items[0]->text(),
      QStringLiteral("Network: Test printer (127.0.0.1 port %1, fakeprinter.local) - stored as ")
              .arg(port) +
          (byName ? storedHost
                  : QStringLiteral("127.0.0.1: this computer does not resolve fakeprinter.local")));
  // The Avahi daemon answered, so there is no note about it.
  EXPECT_TRUE(list->findItems(QStringLiteral("DNS-SD"), Qt::MatchContains).isEmpty());

  auto* host = window.findChild<QLineEdit*>(QStringLiteral("txtHost"));
  auto* portField = window.findChild<QLineEdit*>(QStringLiteral("txtPort"));
  host->setText(QStringLiteral("192.0.2.1"));  // typed before; choosing replaces it
  list->scrollToItem(items[0]);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items[0]).center());
  EXPECT_EQ(host->text(), storedHost);
  EXPECT_EQ(portField->text(), port);
  EXPECT_FALSE(QFile::exists(config.iniPath()));  // nothing stored before "Use"

  // "Test" reaches it and sends nothing; then "Use" stores it and the sheet goes there.
  QSignalSpy tested(panel, &Orvanel::LinkSettingsPanel::testFinished);
  window.findChild<QPushButton*>(QStringLiteral("cmdTest"))->click();
  ASSERT_TRUE(tested.wait(10000));
  const QString result = window.findChild<QLabel*>(QStringLiteral("labTestResult"))->text();
  EXPECT_TRUE(
      result.startsWith(QStringLiteral("Reached the printer at %1 port ").arg(storedHost) + port))
      << result.toStdString();
  EXPECT_EQ(printer.received(1, 5000), QByteArray());

  window.Command1->click();
  EXPECT_FALSE(window.isVisible());
  Orvanel::Quenlink link;
  link.LoadLinkSettings(Orvanel::kLinkSettingsKey);
  const Q6::CommandList sheet = Q6::characterSetSheet();
  ASSERT_TRUE(Q6::runExchange(link, sheet, nullptr));
  const QByteArray received = printer.received(2, 10000);
  EXPECT_EQ(received, Q6Test::concat(sheet));
  expectCharacterSetSheet(received);
  EXPECT_EQ(printer.connectionCount(), 2);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST(DnsSd, PublishedPrinterIsFoundChosenTestedAndPrintsTheSheet) {
  if (qEnvironmentVariableIsSet(kInsideVariable)) {
    publishFindChooseAndPrint();
    return;
  }
  const QString why = unavailableReason();
  if (!why.isEmpty()) {
    GTEST_SKIP() << why.toStdString();
  }
  // The whole test runs again inside the namespaces: the search must go through their daemon.
  QProcess inside;
  inside.setProcessChannelMode(QProcess::MergedChannels);
  inside.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QString::fromLatin1(kInsideVariable), QStringLiteral("1"));
  inside.setProcessEnvironment(env);
  QElapsedTimer timer;
  timer.start();
  inside.start(tool("unshare"),
               {"--net", "--mount", "--pid", "--uts", "--fork", "--mount-proc", "--kill-child",
                "--", QCoreApplication::applicationFilePath(),
                "--gtest_filter=DnsSd.PublishedPrinterIsFoundChosenTestedAndPrintsTheSheet"});
  const bool finished = inside.waitForFinished(kNamespaceRunLimitMs);
  if (!finished) {
    inside.kill();
    inside.waitForFinished(5000);
  }
  const QString output = QString::fromUtf8(inside.readAll());
  ASSERT_TRUE(finished) << "still running after " << kNamespaceRunLimitMs << " ms\n"
                        << output.toStdString();
  EXPECT_EQ(inside.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(inside.exitCode(), 0) << output.toStdString();
  EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << output.toStdString();
  std::cout << "whole run in the namespaces: " << timer.elapsed() << " ms\n";
}

}  // namespace
