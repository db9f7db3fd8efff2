// The list of printers found, in the Communication window as a keyboard user meets it: an entry
// fills the fields only when the user chooses it, a network printer is stored by its name where
// this computer resolves it, and a screen reader hears what the list and the fields are.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <functional>

#include "core/discovery/discovery.h"
#include "gui/link/comm_settings_window.h"
#include "gui/link/link_settings_panel.h"
#include "gui/link/printer_link.h"
#include "support/test_support.h"

namespace {

using Orvanel::ConnectionKind;
using Orvanel::FoundTarget;
using Orvanel::TargetSource;

// The host names the tests' look-up knows: one this computer resolves, one it does not (until a
// test says so), and one whose look-up does not end in time. No look-up leaves the machine.
const QString kResolves = QStringLiteral("front-desk.local");
const QString kKitchen = QStringLiteral("kitchen.local");
const QString kStalls = QStringLiteral("stalls.local");

std::atomic<bool> kitchenResolves{false};

bool fakeLookUp(const QString& name) {
  if (name == kStalls) {
    QThread::msleep(4000);
  }
  return name == kResolves || (name == kKitchen && kitchenResolves);
}

FoundTarget networkPrinter(const QString& name, const QString& host, const QString& address,
                           int port) {
  FoundTarget t;
  t.source = TargetSource::Network;
  t.name = name;
  t.hostName = host;
  t.address = address;
  t.port = port;
  return t;
}

class FoundList : public ::testing::Test {
 protected:
  void SetUp() override {
    kitchenResolves = false;
    config.writeLink({"Connection=Network", "Host=10.9.9.9", "Port=9100", "TimeoutMs=2500"});
    // Two network printers announced over DNS-SD, and one device node.
    ASSERT_TRUE(QDir(dev.path()).mkpath(QStringLiteral("usb")));
    ASSERT_TRUE(Q6Test::writeFile(dev.filePath(QStringLiteral("usb/lp0")), {}));
    Orvanel::DiscoveryOptions options;
    options.sources = Orvanel::FindNetwork | Orvanel::FindDeviceNodes;
    options.sysfsRoot = dev.path();
    options.devRoot = dev.path();
    options.timeoutMs = 3000;
    options.findNetwork = [](int, QString*) {
      return QList<FoundTarget>{
          networkPrinter(QStringLiteral("Front desk"), kResolves, QStringLiteral("192.0.2.7"),
                         9100),
          networkPrinter(QStringLiteral("Kitchen"), kKitchen, QStringLiteral("192.0.2.8"), 9101)};
    };
    options.lookUpHost = fakeLookUp;
    panel()->setDiscoveryOptions(options);
  }

  Orvanel::LinkSettingsPanel* panel() { return window.scm_interface->settingsPanel(); }
  QListWidget* list() { return panel()->lstFound; }
  QListWidgetItem* entry(const QString& part) {
    const QList<QListWidgetItem*> items = list()->findItems(part, Qt::MatchContains);
    EXPECT_EQ(items.size(), 1) << part.toStdString();
    return items.value(0);
  }

  // Shows the window, waits for the search, and makes the window the active one, so that keys go
  // where the focus is.
  void showFound() {
    QSignalSpy searched(panel(), &Orvanel::LinkSettingsPanel::searchFinished);
    window.show();
    ASSERT_TRUE(!searched.isEmpty() || searched.wait(10000));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_EQ(panel()->foundTargets().size(), 3);
  }

  ConnectionKind shownKind() {
    return static_cast<ConnectionKind>(panel()->cmbConnection->currentData().toInt());
  }

  Orvanel::LinkSettings stored() {
    return Orvanel::readStoredLinkSettings(Orvanel::kLinkSettingsKey).settings;
  }

  Q6Test::TempConfig config;
  QTemporaryDir dev;
  Q6Test::MessageCapture boxes;
  frmPort window;
};

// A keyboard user's path: a host typed by hand, then Tab round to "Use" across the list, Enter.
TEST_F(FoundList, TabbingAcrossTheListKeepsWhatWasTyped) {
  showFound();
  panel()->txtHost->setText(QStringLiteral("10.1.2.3"));
  panel()->txtHost->setFocus();
  bool passedTheList = false;
  for (int i = 0; i < 40 && QApplication::focusWidget() != window.Command1; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    passedTheList = passedTheList || QApplication::focusWidget() == list();
  }
  ASSERT_TRUE(passedTheList);
  ASSERT_EQ(QApplication::focusWidget(), window.Command1);
  EXPECT_EQ(shownKind(), ConnectionKind::Network);
  EXPECT_EQ(panel()->txtHost->text(), QStringLiteral("10.1.2.3"));
  EXPECT_EQ(panel()->txtPort->text(), QStringLiteral("9100"));
  EXPECT_TRUE(list()->selectedItems().isEmpty());

  window.Command1->setFocus();
  QTest::keyClick(window.Command1, Qt::Key_Return);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(stored().kind, ConnectionKind::Network);
  EXPECT_EQ(stored().host, QStringLiteral("10.1.2.3"));
  EXPECT_TRUE(boxes.shown.empty());
}

// Choosing: a click, the arrow keys once the list has the focus, Enter or a double click on the
// chosen entry after the fields were edited.
TEST_F(FoundList, AnEntryFillsTheFieldsWhenChosen) {
  showFound();
  QListWidgetItem* device = entry(QStringLiteral("Device: "));
  QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                    list()->visualItemRect(device).center());
  EXPECT_EQ(shownKind(), ConnectionKind::File);
  EXPECT_EQ(panel()->cmbPath->currentText(), dev.filePath(QStringLiteral("usb/lp0")));

  // The keys: Up from the device node to the network printer before it.
  list()->setFocus();
  QTest::keyClick(list(), Qt::Key_Up);
  EXPECT_EQ(shownKind(), ConnectionKind::Network);
  EXPECT_EQ(panel()->txtPort->text(), QStringLiteral("9101"));
  EXPECT_EQ(panel()->txtHost->text(), QStringLiteral("192.0.2.8"));

  // Edited, then chosen again with Enter: the entry's values come back.
  panel()->txtPort->setText(QStringLiteral("1234"));
  list()->setFocus();
  QTest::keyClick(list(), Qt::Key_Return);
  EXPECT_EQ(panel()->txtPort->text(), QStringLiteral("9101"));
  EXPECT_TRUE(window.isVisible());  // Enter in the list is no "Use"

  // ... and with a double click.
  panel()->txtPort->setText(QStringLiteral("1234"));
  QListWidgetItem* chosen = list()->currentItem();
  const QPoint at = list()->visualItemRect(chosen).center();
  // As the window system sends it: press, release, then the second press as a double click.
  QTest::mousePress(list()->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseRelease(list()->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseRelease(list()->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(panel()->txtPort->text(), QStringLiteral("9101"));
  window.Command2->click();
  EXPECT_EQ(stored().host, QStringLiteral("10.9.9.9"));  // nothing stored without "Use"
}

// A network printer is stored by the name this computer resolves, else by its address; its entry
// says which before it is chosen, and the name is looked up again when it is chosen.
TEST_F(FoundList, ANetworkPrinterIsStoredByANameThisComputerResolves) {
  showFound();
  const auto choose = [this](const char* part) {
    QListWidgetItem* item = entry(QString::fromLatin1(part));
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                      list()->visualItemRect(item).center());
  };
  const struct {
    const char* entry;
    QString says;  // the end of the entry
    QString host;
    const char* port;
  } cases[] = {
      {"Front desk", " - stored as front-desk.local", kResolves, "9100"},
      {"Kitchen", " - stored as 192.0.2.8: this computer does not resolve kitchen.local",
       QStringLiteral("192.0.2.8"), "9101"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.entry);
    EXPECT_TRUE(entry(QString::fromLatin1(c.entry))->text().endsWith(c.says))
        << entry(QString::fromLatin1(c.entry))->text().toStdString();
    choose(c.entry);
    EXPECT_EQ(panel()->txtHost->text(), c.host);
    EXPECT_EQ(panel()->txtPort->text(), QString::fromLatin1(c.port));
  }

  // The kitchen printer's name resolves by the time it is chosen again: the host field and the
  // entry follow the new answer, and the entry stays chosen.
  kitchenResolves = true;
  QSignalSpy checked(panel(), &Orvanel::LinkSettingsPanel::hostNamesChecked);
  choose("Kitchen");
  EXPECT_EQ(panel()->txtHost->text(), QStringLiteral("192.0.2.8"));  // until the answer comes
  ASSERT_TRUE(!checked.isEmpty() || checked.wait(5000));
  EXPECT_EQ(panel()->txtHost->text(), kKitchen);
  EXPECT_TRUE(entry(QStringLiteral("Kitchen"))->text().endsWith(" - stored as kitchen.local"));
  EXPECT_TRUE(entry(QStringLiteral("Kitchen"))->isSelected());
  window.Command1->click();
  EXPECT_EQ(stored().host, kKitchen);
  EXPECT_EQ(stored().port, 9101);
}

TEST(HostNames, TheLookUpAnswersWithinItsBound) {
  EXPECT_TRUE(Orvanel::resolvesHere(QStringLiteral("localhost"), 3000));  // from the hosts file
  EXPECT_FALSE(Orvanel::resolvesHere(QString(), 800));
  QList<FoundTarget> targets{
      networkPrinter(QStringLiteral("a"), kResolves, QStringLiteral("192.0.2.7"), 9100),
      networkPrinter(QStringLiteral("b"), kKitchen, QStringLiteral("192.0.2.8"), 9100),
      networkPrinter(QStringLiteral("c"), kStalls, QStringLiteral("192.0.2.9"), 9100),
      networkPrinter(QStringLiteral("d"), QString(), QStringLiteral("192.0.2.10"), 9100)};
  QElapsedTimer timer;
  timer.start();
  Orvanel::checkHostNames(targets, 500, fakeLookUp);
  EXPECT_LT(timer.elapsed(), 1500);  // the stalled look-up is not waited for
  const char* stored[] = {"front-desk.local", "192.0.2.8", "192.0.2.9", "192.0.2.10"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(targets[i].hostNameResolves, i == 0) << i;
    EXPECT_EQ(targets[i].storedHost(), QString::fromLatin1(stored[i])) << i;
  }
}

// What a screen reader hears: the list and the path field by their names, the path field with its
// caption as label, and the window as a dialog.
TEST_F(FoundList, TheListAndThePathFieldHaveNames) {
  showFound();
  const auto face = [](QObject* object) {
    QAccessibleInterface* f = QAccessible::queryAccessibleInterface(object);
    EXPECT_NE(f, nullptr);
    return f;
  };
  EXPECT_EQ(face(&window)->role(), QAccessible::Dialog);
  EXPECT_EQ(face(list())->role(), QAccessible::List);
  EXPECT_EQ(face(list())->text(QAccessible::Name), QStringLiteral("Printers found"));
  EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("labFound"))->buddy(), list());

  window.scm_interface->settingsPanel()->cmbConnection->setCurrentIndex(
      panel()->cmbConnection->findData(static_cast<int>(ConnectionKind::File)));
  auto* path = panel()->cmbPath;
  auto* caption = window.findChild<QLabel*>(QStringLiteral("labPath"));
  ASSERT_NE(caption, nullptr);
  EXPECT_TRUE(caption->isVisibleTo(&window));
  EXPECT_EQ(caption->text(), QStringLiteral("Device or file:"));
  EXPECT_EQ(caption->buddy(), path);
  // On Linux a reader names a list after its label relation (its own name is its text), and the
  // text field inside it by its name.
  EXPECT_EQ(face(path->lineEdit())->text(QAccessible::Name), QStringLiteral("Device or file"));
  const auto labels = face(path)->relations(QAccessible::Label);
  ASSERT_EQ(labels.size(), 1);
  EXPECT_EQ(labels.first().first->object(), caption);

  // Every field the window can show has a name or a label a reader gives it.
  for (QWidget* w : panel()->tabChain()) {
    QAccessibleInterface* f = face(w);
    EXPECT_TRUE(!f->text(QAccessible::Name).isEmpty() ||
                !f->relations(QAccessible::Label).isEmpty())
        << w->objectName().toStdString();
  }
  window.Command2->click();
}

}  // namespace
