#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <iostream>
#include <optional>

#include "core/link/link_settings.h"
#include "gui/link/comm_settings_window.h"
#include "gui/link/link_settings_panel.h"
#include "gui/link/printer_link.h"
#include "support/link_fixtures.h"
#include "support/test_support.h"

namespace {

using Orvanel::ConnectionKind;

// Opens the window modally, as the main window does, and runs `inside` once it is up. A guard
// closes it if `inside` left it open, so that a fault cannot hang the suite.
int runModal(frmPort& window, const std::function<void()>& inside) {
  bool ran = false;
  QTimer::singleShot(0, &window, [&] {
    ran = true;
    EXPECT_TRUE(window.isVisible());
    inside();
  });
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, &window, [&] {
    ADD_FAILURE() << "the window was still open after the test's steps";
    window.done(-1);
  });
  guard.start(5000);
  const int result = window.exec();
  EXPECT_TRUE(ran);
  return result;
}

template <typename T>
T* field(frmPort& window, const char* name) {
  T* found = window.findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(found, nullptr) << name;
  return found;
}

void chooseKind(frmPort& window, ConnectionKind kind) {
  auto* kinds = field<QComboBox>(window, "cmbConnection");
  const int index = kinds->findData(static_cast<int>(kind));
  ASSERT_GE(index, 0);
  kinds->setCurrentIndex(index);
}

ConnectionKind shownKind(frmPort& window) {
  return static_cast<ConnectionKind>(
      field<QComboBox>(window, "cmbConnection")->currentData().toInt());
}

QByteArray iniBytes(const Q6Test::TempConfig& config) {
  QFile file(config.iniPath());
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Orvanel::LinkSettings stored() {
  return Orvanel::readStoredLinkSettings(Orvanel::kLinkSettingsKey).settings;
}

QString storedValue(const QString& key) {
  return Orvanel::readStoredValue(Orvanel::kLinkSettingsKey, key, QString()).toString();
}

const QStringList kNetwork = {"Connection=Network", "Host=127.0.0.1", "Port=9101",
                              "TimeoutMs=2500"};

TEST(CommSettingsWindow, KeepsItsArrangementWithRoomForEveryField) {
  Q6Test::TempConfig config;
  frmPort window;
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Communication Settings"));
  EXPECT_EQ(window.Command1->text(), QStringLiteral("Use"));
  EXPECT_EQ(window.Command2->text(), QStringLiteral("Cancel"));
  EXPECT_EQ(window.scm_interface->objectName(), QStringLiteral("scm_interface"));
  for (QPushButton* button : {window.Command1, window.Command2}) {
    EXPECT_FALSE(button->isDefault());
    EXPECT_FALSE(button->autoDefault());
  }
  window.show();
  const QRect panel = window.scm_interface->geometry();
  const QRect use = window.Command1->geometry();
  const QRect cancel = window.Command2->geometry();
  EXPECT_EQ(panel.topLeft(), QPoint(0, 0));
  EXPECT_GE(panel.width(), 255);
  EXPECT_GE(panel.height(), 104);
  EXPECT_GT(use.top(), panel.bottom());
  EXPECT_EQ(use.top(), cancel.top());
  EXPECT_LT(use.right(), cancel.left());
  EXPECT_LT(use.left(), window.width() / 4);
  EXPECT_GT(cancel.right(), window.width() * 3 / 4);
  EXPECT_TRUE(window.rect().contains(cancel));
  EXPECT_EQ(window.minimumSize(), window.maximumSize());  // fixed size

  // Every kind: each shown label and field lies inside the panel and is not squeezed.
  for (ConnectionKind kind : {ConnectionKind::Network, ConnectionKind::Queue, ConnectionKind::File,
                              ConnectionKind::Serial}) {
    SCOPED_TRACE(static_cast<int>(kind));
    chooseKind(window, kind);
    QApplication::processEvents();
    int shown = 0;
    for (QWidget* w : window.scm_interface->findChildren<QWidget*>()) {
      if (!w->isVisibleTo(&window) ||
          (!qobject_cast<QLabel*>(w) && !qobject_cast<QComboBox*>(w) &&
           !qobject_cast<QLineEdit*>(w) && !qobject_cast<QPushButton*>(w) &&
           !qobject_cast<QListWidget*>(w))) {
        continue;
      }
      if (qobject_cast<QLineEdit*>(w) && qobject_cast<QComboBox*>(w->parentWidget())) {
        continue;  // the text field inside an editable list
      }
      ++shown;
      const QRect r(w->mapTo(&window, QPoint(0, 0)), w->size());
      EXPECT_TRUE(panel.contains(r)) << w->objectName().toStdString();
      EXPECT_GE(w->width(), w->minimumSizeHint().width()) << w->objectName().toStdString();
      if (auto* label = qobject_cast<QLabel*>(w); label && label->wordWrap()) {
        EXPECT_GE(label->height(), label->heightForWidth(label->width()))
            << label->text().toStdString();
      } else if (label) {
        EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
      }
    }
    EXPECT_GE(shown, 4);
    // Test and the list of found printers are there for every kind.
    for (const char* name : {"cmdTest", "labTestResult", "cmdFind", "lstFound"}) {
      EXPECT_TRUE(field<QWidget>(window, name)->isVisibleTo(&window)) << name;
    }
  }
  window.close();
}

TEST(CommSettingsWindow, TabOrderRunsCancelUseThenThePanel) {
  Q6Test::TempConfig config;
  frmPort window;
  std::vector<QWidget*> order;
  QWidget* w = window.Command2;
  do {
    if (w->focusPolicy() & Qt::TabFocus) {
      order.push_back(w);
    }
    w = w->nextInFocusChain();
  } while (w != window.Command2 && order.size() < 100);
  ASSERT_GE(order.size(), 4u);
  EXPECT_EQ(order[0], window.Command2);
  EXPECT_EQ(order[1], window.Command1);
  EXPECT_EQ(order[2]->objectName(), QStringLiteral("cmbConnection"));
  for (size_t i = 2; i < order.size(); ++i) {
    EXPECT_TRUE(window.scm_interface->isAncestorOf(order[i]))
        << order[i]->objectName().toStdString();
  }
}

TEST(CommSettingsWindow, CancelAndTheTitleBarStoreNothing) {
  const std::function<void(frmPort&)> closers[] = {
      [](frmPort& w) { w.Command2->click(); },
      [](frmPort& w) { w.close(); },
  };
  for (const auto& closeIt : closers) {
    Q6Test::TempConfig config;
    config.writeLink(kNetwork);
    const QByteArray before = iniBytes(config);
    Q6Test::MessageCapture boxes;
    frmPort window;
    const int result = runModal(window, [&] {
      field<QLineEdit>(window, "txtHost")->setText(QStringLiteral("127.0.0.2"));
      field<QLineEdit>(window, "txtPort")->setText(QStringLiteral("9999"));
      chooseKind(window, ConnectionKind::Serial);
      field<QComboBox>(window, "cmbSerialPort")->setEditText(QStringLiteral("/dev/ttyS7"));
      closeIt(window);
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(iniBytes(config), before);
    EXPECT_TRUE(boxes.shown.empty());
  }
}

// Escape is "Cancel" wherever the focus is; Enter presses the focused button, as Space does, and
// in a field presses nothing, since neither button is the window's default.
TEST(CommSettingsWindow, EscapeCancelsAndEnterPressesTheFocusedButtonOnly) {
  const struct {
    const char* focus;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int result;  // -1: the window stays open
  } cases[] = {
      {"Command2", Qt::Key_Escape, Qt::NoModifier, QDialog::Rejected},
      {"txtHost", Qt::Key_Escape, Qt::NoModifier, QDialog::Rejected},
      {"cmbConnection", Qt::Key_Escape, Qt::NoModifier, QDialog::Rejected},
      {"lstFound", Qt::Key_Escape, Qt::NoModifier, QDialog::Rejected},
      {"Command2", Qt::Key_Return, Qt::NoModifier, QDialog::Rejected},
      {"Command1", Qt::Key_Return, Qt::NoModifier, QDialog::Accepted},
      {"Command1", Qt::Key_Enter, Qt::KeypadModifier, QDialog::Accepted},
      {"txtHost", Qt::Key_Return, Qt::NoModifier, -1},
      {"txtPort", Qt::Key_Enter, Qt::KeypadModifier, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.focus << " key " << c.key);
    Q6Test::TempConfig config;
    config.writeLink(kNetwork);
    const QByteArray before = iniBytes(config);
    frmPort window;
    bool open = false;
    const int result = runModal(window, [&] {
      window.activateWindow();
      EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
      field<QLineEdit>(window, "txtHost")->setText(QStringLiteral("127.0.0.5"));
      QWidget* target = field<QWidget>(window, c.focus);
      target->setFocus();
      QTest::keyClick(target, c.key, c.modifiers);
      open = window.isVisible();
      if (open) {
        window.Command2->click();
      }
    });
    EXPECT_EQ(open ? -1 : result, c.result);
    if (c.result == QDialog::Accepted) {
      EXPECT_EQ(storedValue("Host"), QStringLiteral("127.0.0.5"));
    } else {
      EXPECT_EQ(iniBytes(config), before);
    }
  }
}

// After "Test" the focus is on "Test" again, so that a second Space tests again rather than
// starting a search; meanwhile it is on no button.
TEST(CommSettingsWindow, FocusStaysOnTestAfterATest) {
  Q6Test::TempConfig config;
  QTemporaryDir dir;
  config.writeLink({"Connection=File", "Path=" + dir.filePath(QStringLiteral("capture.prn"))});
  frmPort window;
  auto* panel = window.scm_interface->settingsPanel();
  Orvanel::DiscoveryOptions quick;  // the search that every showing starts ends at once
  quick.sources = Orvanel::FindDeviceNodes;
  quick.sysfsRoot = quick.devRoot = dir.path();
  panel->setDiscoveryOptions(quick);
  QSignalSpy firstSearch(panel, &Orvanel::LinkSettingsPanel::searchFinished);
  window.show();
  ASSERT_TRUE(!firstSearch.isEmpty() || firstSearch.wait(10000));
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  auto* test = field<QPushButton>(window, "cmdTest");
  for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
    SCOPED_TRACE(key == Qt::Key_Space ? "Space" : "Enter");
    QSignalSpy searched(panel, &Orvanel::LinkSettingsPanel::searchFinished);
    QSignalSpy finished(panel, &Orvanel::LinkSettingsPanel::testFinished);
    test->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), test);
    QTest::keyClick(test, key);
    if (finished.isEmpty()) {
      EXPECT_FALSE(qobject_cast<QPushButton*>(QApplication::focusWidget()))
          << QApplication::focusWidget()->objectName().toStdString();
    }
    EXPECT_TRUE(!finished.isEmpty() || finished.wait(10000));
    EXPECT_EQ(QApplication::focusWidget(), test);
    // A second Space tests again, it does not start a search.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_TRUE(finished.size() == 2 || finished.wait(10000));
    EXPECT_EQ(QApplication::focusWidget(), test);
    EXPECT_TRUE(searched.isEmpty());
  }
  window.Command2->click();
}

// A path is shown as it is: the result never takes it for markup.
TEST(CommSettingsWindow, TheTestResultIsPlainText) {
  QTemporaryDir dir;
  Q6Test::TempConfig config;
  frmPort window;
  window.show();
  auto* result = field<QLabel>(window, "labTestResult");
  EXPECT_EQ(result->textFormat(), Qt::PlainText);
  for (const QString& name : {QStringLiteral("<b>shop</b>.prn"), QStringLiteral("a&lt;b.prn")}) {
    SCOPED_TRACE(name.toStdString());
    const QString path = dir.filePath(name);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));  // "<b>shop<" is a folder
    ASSERT_TRUE(Q6Test::writeFile(path, {}));
    chooseKind(window, ConnectionKind::File);
    field<QComboBox>(window, "cmbPath")->setEditText(path);
    QSignalSpy finished(window.scm_interface->settingsPanel(),
                        &Orvanel::LinkSettingsPanel::testFinished);
    field<QPushButton>(window, "cmdTest")->click();
    ASSERT_TRUE(!finished.isEmpty() || finished.wait(10000));
    EXPECT_TRUE(result->text().contains(path)) << result->text().toStdString();
    // What a reader says is the path as typed, too.
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(result);
    ASSERT_NE(face, nullptr);
    EXPECT_TRUE(face->text(QAccessible::Name).contains(path))
        << face->text(QAccessible::Name).toStdString();
  }
  window.Command2->click();
}

// Passing over a list with the wheel changes nothing; the focused list takes the wheel.
TEST(CommSettingsWindow, WheelChangesOnlyAFocusedList) {
  Q6Test::TempConfig config;
  config.writeLink(kNetwork);
  Orvanel::Quenlink link;
  link.LoadLinkSettings(Orvanel::kLinkSettingsKey);
  Orvanel::LinkSettingsPanel* panel = link.settingsPanel();
  link.show();
  const auto wheelDown = [](QWidget* list) {
    const QPointF at(list->width() / 2.0, list->height() / 2.0);
    QWheelEvent wheel(at, list->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list, &wheel);
  };
  const int kind = panel->cmbConnection->currentIndex();
  const int parity = panel->cmbParity->currentIndex();
  wheelDown(panel->cmbConnection);
  wheelDown(panel->cmbParity);
  EXPECT_EQ(panel->cmbConnection->currentIndex(), kind);
  EXPECT_EQ(panel->cmbParity->currentIndex(), parity);
  EXPECT_EQ(panel->cmbConnection->focusPolicy(), Qt::StrongFocus);
}

TEST(CommSettingsWindow, UseWithoutChangesStoresWhatWasLoaded) {
  const QStringList inis[] = {
      kNetwork,
      {"Connection=Queue", "Queue=q6raw", "TimeoutMs=8000"},
      {"Connection=File", "Path=/tmp/q6 capture.prn"},
      {"Connection=Serial", "SerialPort=/dev/ttyUSB3", "BaudRate=19200", "DataBits=7", "Parity=Odd",
       "StopBits=2", "FlowControl=Hardware", "TimeoutMs=1200"},
  };
  for (const QStringList& ini : inis) {
    SCOPED_TRACE(ini.join(' ').toStdString());
    Q6Test::TempConfig config;
    config.writeLink(ini);
    const Orvanel::LinkSettings before = stored();
    ASSERT_NE(before.kind, ConnectionKind::NotSet);
    Q6Test::MessageCapture boxes;
    frmPort window;
    const int result = runModal(window, [&] { window.Command1->click(); });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(stored() == before);
    EXPECT_EQ(storedValue("Connection"), ini[0].section('=', 1));
    EXPECT_TRUE(window.scm_interface->settings() == before);
  }
}

TEST(CommSettingsWindow, UseStoresTheEditsUnderTheAdministratorsKeys) {
  Q6Test::TempConfig config;
  config.writeLink(kNetwork);
  frmPort window;
  Q6Test::MessageCapture boxes;
  const int result = runModal(window, [&] {
    chooseKind(window, ConnectionKind::Serial);
    field<QComboBox>(window, "cmbSerialPort")->setEditText(QStringLiteral(" /dev/ttyUSB1 "));
    field<QComboBox>(window, "cmbBaud")->setEditText(QStringLiteral("38400"));
    auto* dataBits = field<QComboBox>(window, "cmbDataBits");
    dataBits->setCurrentIndex(dataBits->findText(QStringLiteral("7")));
    auto* parity = field<QComboBox>(window, "cmbParity");
    parity->setCurrentIndex(parity->findText(QStringLiteral("Even")));
    auto* stopBits = field<QComboBox>(window, "cmbStopBits");
    stopBits->setCurrentIndex(stopBits->findText(QStringLiteral("2")));
    auto* flow = field<QComboBox>(window, "cmbFlow");
    flow->setCurrentIndex(flow->findText(QStringLiteral("Software"), Qt::MatchStartsWith));
    field<QLineEdit>(window, "txtTimeout")->setText(QStringLiteral("1500"));
    window.Command1->click();
  });
  EXPECT_EQ(result, QDialog::Accepted);
  EXPECT_TRUE(boxes.shown.empty());
  const std::pair<const char*, const char*> expected[] = {
      {"Connection", "Serial"},
      {"SerialPort", "/dev/ttyUSB1"},
      {"BaudRate", "38400"},
      {"DataBits", "7"},
      {"Parity", "Even"},
      {"StopBits", "2"},
      {"FlowControl", "Software"},
      {"TimeoutMs", "1500"},
      // The network fields the operator left alone stay as they were.
      {"Host", "127.0.0.1"},
      {"Port", "9101"},
  };
  for (const auto& [key, value] : expected) {
    EXPECT_EQ(storedValue(QString::fromLatin1(key)), QString::fromLatin1(value)) << key;
  }
}

TEST(CommSettingsWindow, EachOpeningShowsTheStoredSettingsNotAbandonedEdits) {
  Q6Test::TempConfig config;
  config.writeLink(kNetwork);
  frmPort window;
  runModal(window, [&] {
    field<QLineEdit>(window, "txtHost")->setText(QStringLiteral("127.0.0.9"));
    chooseKind(window, ConnectionKind::File);
    field<QComboBox>(window, "cmbPath")->setEditText(QStringLiteral("/tmp/abandoned"));
    window.Command2->click();
  });
  runModal(window, [&] {
    EXPECT_EQ(shownKind(window), ConnectionKind::Network);
    EXPECT_EQ(field<QLineEdit>(window, "txtHost")->text(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(field<QLineEdit>(window, "txtPort")->text(), QStringLiteral("9101"));
    EXPECT_EQ(field<QLineEdit>(window, "txtTimeout")->text(), QStringLiteral("2500"));
    EXPECT_EQ(field<QComboBox>(window, "cmbPath")->currentText(), QString());
    // This time the edit is used ...
    field<QLineEdit>(window, "txtHost")->setText(QStringLiteral("127.0.0.3"));
    window.Command1->click();
  });
  EXPECT_EQ(storedValue("Host"), QStringLiteral("127.0.0.3"));
  // ... and the store changes behind the window's back before the third opening.
  {
    auto store = Orvanel::openSettingsStore();
    store->setValue(Orvanel::kLinkSettingsKey + QStringLiteral("/Port"), 9105);
  }
  runModal(window, [&] {
    EXPECT_EQ(field<QLineEdit>(window, "txtHost")->text(), QStringLiteral("127.0.0.3"));
    EXPECT_EQ(field<QLineEdit>(window, "txtPort")->text(), QStringLiteral("9105"));
    window.Command2->click();
  });
}

TEST(CommSettingsWindow, NothingStoredYetShowsAnEmptyNetworkConnection) {
  Q6Test::TempConfig config;
  frmPort window;
  Q6Test::MessageCapture boxes;
  runModal(window, [&] {
    EXPECT_EQ(shownKind(window), ConnectionKind::Network);
    EXPECT_EQ(field<QLineEdit>(window, "txtHost")->text(), QString());
    EXPECT_EQ(field<QLineEdit>(window, "txtPort")->text(), QStringLiteral("9100"));
    // Nothing is sent to a guessed printer: an empty host is not stored.
    window.Command1->click();
    EXPECT_TRUE(window.isVisible());
    window.Command2->click();
  });
  EXPECT_EQ(boxes.shown.size(), 1u);
  EXPECT_FALSE(QFile::exists(config.iniPath()));
}

struct Refusal {
  const char* name;
  ConnectionKind kind;
  const char* field;
  const char* value;
  const char* says;  // part of the message
};

TEST(CommSettingsWindow, UnusableValuesAreRefusedWithTheWindowLeftOpen) {
  const Refusal cases[] = {
      {"port 0", ConnectionKind::Network, "txtPort", "0", "port"},
      {"port 70000", ConnectionKind::Network, "txtPort", "70000", "port"},
      {"port 65536", ConnectionKind::Network, "txtPort", "65536", "port"},
      {"port as text", ConnectionKind::Network, "txtPort", "ninety", "port"},
      {"port with junk", ConnectionKind::Network, "txtPort", "9100x", "port"},
      {"port empty", ConnectionKind::Network, "txtPort", "", "port"},
      {"host empty", ConnectionKind::Network, "txtHost", "", "network address"},
      {"host blanks", ConnectionKind::Network, "txtHost", "   ", "network address"},
      {"time limit 0", ConnectionKind::Network, "txtTimeout", "0", "time limit"},
      {"time limit text", ConnectionKind::Network, "txtTimeout", "soon", "time limit"},
      {"queue empty", ConnectionKind::Queue, "cmbQueue", " ", "queue"},
      {"path empty", ConnectionKind::File, "cmbPath", "", "path"},
      {"serial port empty", ConnectionKind::Serial, "cmbSerialPort", "", "serial port"},
      {"baud as text", ConnectionKind::Serial, "cmbBaud", "fast", "baud rate"},
      {"baud 0", ConnectionKind::Serial, "cmbBaud", "0", "baud rate"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Q6Test::TempConfig config;
    config.writeLink({"Connection=Serial", "SerialPort=/dev/ttyS0", "Host=127.0.0.1", "Queue=q",
                      "Path=/tmp/q6.prn", "Port=9100"});
    const QByteArray before = iniBytes(config);
    Q6Test::MessageCapture boxes;
    frmPort window;
    bool stayedOpen = false;
    const int result = runModal(window, [&] {
      chooseKind(window, c.kind);
      const QString name = QString::fromLatin1(c.field);
      if (auto* edit = window.findChild<QLineEdit*>(name)) {
        edit->setText(QString::fromLatin1(c.value));
      } else {
        field<QComboBox>(window, c.field)->setEditText(QString::fromLatin1(c.value));
      }
      window.Command1->click();
      stayedOpen = window.isVisible();
      window.Command2->click();
    });
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(iniBytes(config), before);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].icon, QMessageBox::Warning);
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("Q6Config"));
    EXPECT_TRUE(boxes.shown[0].text.contains(QString::fromLatin1(c.says), Qt::CaseInsensitive))
        << boxes.shown[0].text.toStdString();
  }
}

TEST(CommSettingsWindow, AFixedValueIsStoredOnTheNextUse) {
  Q6Test::TempConfig config;
  config.writeLink(kNetwork);
  Q6Test::MessageCapture boxes;
  frmPort window;
  const int result = runModal(window, [&] {
    auto* port = field<QLineEdit>(window, "txtPort");
    port->setText(QStringLiteral("70000"));
    window.Command1->click();
    port->setText(QStringLiteral(" 65535 "));
    window.Command1->click();
  });
  EXPECT_EQ(result, QDialog::Accepted);
  EXPECT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(storedValue("Port"), QStringLiteral("65535"));
}

TEST(CommSettingsWindow, AStoreThatCannotBeWrittenIsReportedAndTheWindowStaysOpen) {
  Q6Test::TempConfig config;
  // A plain file where the settings folder belongs: nothing can be written below it, even by root.
  QFile blocker(config.dir() + QStringLiteral("/Q56Config"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  Q6Test::MessageCapture boxes;
  frmPort window;
  bool stayedOpen = false;
  runModal(window, [&] {
    field<QLineEdit>(window, "txtHost")->setText(QStringLiteral("127.0.0.1"));
    window.Command1->click();
    stayedOpen = window.isVisible();
    window.Command2->click();
  });
  EXPECT_TRUE(stayedOpen);
  // Opening says the file cannot be read; "Use" says why nothing could be stored.
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_TRUE(boxes.shown[0].text.contains(QStringLiteral("cannot be read (Not a directory)")))
      << boxes.shown[0].text.toStdString();
  EXPECT_TRUE(boxes.shown[1].text.startsWith(QStringLiteral("Could not store")))
      << boxes.shown[1].text.toStdString();
  EXPECT_TRUE(boxes.shown[1].text.contains(QStringLiteral("is not a folder")))
      << boxes.shown[1].text.toStdString();
  EXPECT_EQ(window.scm_interface->settings().kind, ConnectionKind::NotSet);
}

// Presses "Test" and waits for its answer; the window must say that a test is running meanwhile.
QString pressTest(frmPort& window) {
  auto* panel = window.scm_interface->settingsPanel();
  QSignalSpy finished(panel, &Orvanel::LinkSettingsPanel::testFinished);
  field<QPushButton>(window, "cmdTest")->click();
  auto* result = field<QLabel>(window, "labTestResult");
  EXPECT_TRUE(panel->isTesting() || !finished.isEmpty());
  if (finished.isEmpty()) {
    EXPECT_TRUE(result->text().startsWith(QStringLiteral("Testing")))
        << result->text().toStdString();
    EXPECT_FALSE(field<QPushButton>(window, "cmdTest")->isEnabled());
  }
  EXPECT_TRUE(!finished.isEmpty() || finished.wait(20000));
  EXPECT_TRUE(field<QPushButton>(window, "cmdTest")->isEnabled());
  // A long reason wraps within the room the window keeps for it.
  EXPECT_GE(result->height(), result->heightForWidth(result->width()))
      << result->text().toStdString();
  return result->text();
}

void typeInto(frmPort& window, const char* name, const QString& text) {
  if (auto* edit = window.findChild<QLineEdit*>(QString::fromLatin1(name))) {
    edit->setText(text);
  } else {
    field<QComboBox>(window, name)->setEditText(text);
  }
}

struct TestCase {
  QString name;
  ConnectionKind kind;
  std::vector<std::pair<const char*, QString>> fields;
  bool ok;           // the link can be used as it stands
  QStringList says;  // parts of the result, in any order
};

TEST(CommSettingsWindow, TestReachesWhatIsTypedSendsNothingAndNamesTheTargetAndReason) {
  QTemporaryDir dir;
  Q6Test::TcpSink printer;
  const QString capture = dir.filePath(QStringLiteral("capture.prn"));
  ASSERT_TRUE(Q6Test::writeFile(capture, Q6Test::hex("1B 40")));
  const QString notYet = dir.filePath(QStringLiteral("new.prn"));
  const QString noFolder = dir.filePath(QStringLiteral("missing/capture.prn"));
  const Q6Test::ClosedPort closedPort;
  const int closed = closedPort.port();

  std::vector<TestCase> cases = {
      {"network printer listening",
       ConnectionKind::Network,
       {{"txtHost", "127.0.0.1"}, {"txtPort", QString::number(printer.port())}},
       true,
       {QStringLiteral("Reached the printer at 127.0.0.1 port %1.").arg(printer.port()),
        "Nothing was sent"}},
      {"network port refused",
       ConnectionKind::Network,
       {{"txtHost", "127.0.0.1"}, {"txtPort", QString::number(closed)}},
       false,
       {"Could not connect to the printer at 127.0.0.1", QString::number(closed), "refused"}},
      {"capture file",
       ConnectionKind::File,
       {{"cmbPath", capture}},
       true,
       {"Reached " + capture, "Nothing was sent"}},
      {"capture file not made yet",
       ConnectionKind::File,
       {{"cmbPath", notYet}},
       true,
       {notYet + " does not exist yet", "can be created"}},
      {"capture file in a missing folder",
       ConnectionKind::File,
       {{"cmbPath", noFolder}},
       false,
       {"Could not open the printer file " + noFolder, "No such file or directory"}},
      {"serial port missing",
       ConnectionKind::Serial,
       {{"cmbSerialPort", dir.filePath(QStringLiteral("ttyQ6"))}},
       false,
       {dir.filePath(QStringLiteral("ttyQ6"))}},
      {"network fields unusable",
       ConnectionKind::Network,
       {{"txtHost", "127.0.0.1"}, {"txtPort", "70000"}},
       false,
       {"Not tested", "port"}},
  };

  Q6Test::PtyPair pty;
  const bool havePty =
      Q6Test::PtyPair::unavailableReason().isEmpty() && pty.start() && pty.openTestSide();
  if (havePty) {
    cases.push_back({"serial port",
                     ConnectionKind::Serial,
                     {{"cmbSerialPort", pty.printerSide()}},
                     true,
                     {"Reached the serial port " + pty.printerSide(), "Nothing was sent"}});
  }
  Q6Test::TcpSink queuePrinter;
  Q6Test::PrivateCupsd cupsd;
  std::optional<Q6Test::ScopedCupsServer> server;
  const bool haveCupsd = Q6Test::PrivateCupsd::unavailableReason().isEmpty();
  if (haveCupsd) {
    ASSERT_TRUE(cupsd.start()) << cupsd.failure().toStdString();
    const QString device = QStringLiteral("socket://127.0.0.1:%1").arg(queuePrinter.port());
    ASSERT_TRUE(cupsd.addRawQueue(QStringLiteral("q6raw"), device))
        << cupsd.failure().toStdString();
    ASSERT_TRUE(cupsd.addRawQueue(QStringLiteral("q6closed"), device) &&
                cupsd.rejectJobs(QStringLiteral("q6closed")))
        << cupsd.failure().toStdString();
    server.emplace(cupsd.server());
    cases.push_back({"queue accepting jobs",
                     ConnectionKind::Queue,
                     {{"cmbQueue", "q6raw"}},
                     true,
                     {"Reached the printer queue q6raw", cupsd.server(), "it accepts jobs",
                      "Nothing was sent"}});
    cases.push_back({"queue refusing jobs",
                     ConnectionKind::Queue,
                     {{"cmbQueue", "q6closed"}},
                     false,
                     {"Reached the printer queue q6closed", "it does NOT accept jobs"}});
    cases.push_back(
        {"queue missing",
         ConnectionKind::Queue,
         {{"cmbQueue", "q6none"}},
         false,
         {"Could not reach the printer queue q6none", cupsd.server(), "does not exist"}});
  }

  Q6Test::TempConfig config;
  config.writeLink({"Connection=Serial", "SerialPort=/dev/ttyQ6stored", "TimeoutMs=3000"});
  const QByteArray before = iniBytes(config);
  Q6Test::MessageCapture boxes;
  frmPort window;
  // Shown rather than run modally: the rows together take longer than runModal's guard allows.
  window.show();
  {
    for (const TestCase& c : cases) {
      SCOPED_TRACE(c.name.toStdString());
      chooseKind(window, c.kind);
      for (const auto& [name, value] : c.fields) {
        typeInto(window, name, value);
      }
      const QString text = pressTest(window);
      EXPECT_EQ(field<QLabel>(window, "labTestResult")->property("ok").toBool(), c.ok);
      for (const QString& part : c.says) {
        EXPECT_TRUE(text.contains(part))
            << text.toStdString() << "\n  lacks: " << part.toStdString();
      }
    }
    window.Command2->click();
  }
  if (!havePty) {
    std::cout << "serial rows left out: " << Q6Test::PtyPair::unavailableReason().toStdString()
              << pty.failure().toStdString() << "\n";
  }
  if (!haveCupsd) {
    std::cout << "queue rows left out: " << Q6Test::PrivateCupsd::unavailableReason().toStdString()
              << "\n";
  }

  // Not one byte anywhere, nothing made, nothing stored.
  EXPECT_EQ(printer.received(1, 3000), QByteArray());
  EXPECT_EQ(printer.connectionCount(), 1);  // it was reached
  QFile file(capture);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), Q6Test::hex("1B 40"));
  EXPECT_FALSE(QFile::exists(notYet));
  EXPECT_FALSE(QFile::exists(noFolder));
  if (havePty) {
    EXPECT_EQ(pty.read(1, 300), QByteArray());
  }
  if (haveCupsd) {
    EXPECT_EQ(queuePrinter.received(1, 1000), QByteArray());
    EXPECT_EQ(queuePrinter.connectionCount(), 0);
  }
  EXPECT_EQ(iniBytes(config), before);
  EXPECT_TRUE(boxes.shown.empty());
}

// A printer's node of the group lp, tested by a user outside it: the result says how to get in, in
// the words the tool uses, since both come from the link's error. Root may open anything, so the
// test runs itself again as a user of its own making; the node's path comes in through kNodeOfLp.
constexpr char kNodeOfLp[] = "Q6CONFIG_TEST_NODE_OF_LP";

TEST(CommSettingsWindow, TestAsAUserOutsideThePrintersGroupNamesTheGroupToJoin) {
  if (const QString node = qEnvironmentVariable(kNodeOfLp); !node.isEmpty()) {
    Q6Test::TempConfig config;
    Q6Test::MessageCapture boxes;
    frmPort window;
    window.show();
    chooseKind(window, ConnectionKind::File);
    typeInto(window, "cmbPath", node);
    const QString user = qEnvironmentVariable("Q6CONFIG_TEST_USER");
    EXPECT_EQ(pressTest(window),
              QStringLiteral("Could not open the printer file %1: Permission denied. %1 belongs to "
                             "the group lp; add yourself to it with `sudo usermod -aG lp %2` and "
                             "log in again.")
                  .arg(node, user));
    EXPECT_FALSE(field<QLabel>(window, "labTestResult")->property("ok").toBool());
    window.Command2->click();
    EXPECT_TRUE(boxes.shown.empty());
    return;
  }
  if (const QString why = Q6Test::ThrowawayUser::unavailableReason(); !why.isEmpty()) {
    GTEST_SKIP() << why.toStdString();
  }
  const group* lp = ::getgrnam("lp");
  if (lp == nullptr) {
    GTEST_SKIP() << "this machine has no group lp";
  }
  const gid_t lpGroup = lp->gr_gid;
  Q6Test::ThrowawayUser user;
  ASSERT_TRUE(user.made()) << user.failure().toStdString();
  if (!user.mayRun(QCoreApplication::applicationFilePath())) {
    GTEST_SKIP() << "the build folder is closed to other users";
  }
  QTemporaryDir dir;
  ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                    QFile::ExeOwner | QFile::ReadOther |
                                                    QFile::ExeOther));
  const QString node = dir.filePath(QStringLiteral("lp0"));
  ASSERT_TRUE(Q6Test::writeFile(node, QByteArray()));
  const QByteArray name = QFile::encodeName(node);
  ASSERT_EQ(::chown(name.constData(), 0, lpGroup), 0);
  ASSERT_EQ(::chmod(name.constData(), 0660), 0);

  QProcess inside;
  inside.setProcessChannelMode(QProcess::MergedChannels);
  QProcessEnvironment env = user.environment();
  env.insert(QString::fromLatin1(kNodeOfLp), node);
  env.insert(QStringLiteral("Q6CONFIG_TEST_USER"), user.name());
  inside.setProcessEnvironment(env);
  const QStringList command =
      user.runAs(true) +
      QStringList{QCoreApplication::applicationFilePath(),
                  QStringLiteral("--gtest_filter=CommSettingsWindow."
                                 "TestAsAUserOutsideThePrintersGroupNamesTheGroupToJoin")};
  inside.start(command[0], command.mid(1));
  ASSERT_TRUE(inside.waitForFinished(120000));
  const QString output = QString::fromLocal8Bit(inside.readAll());
  EXPECT_EQ(inside.exitCode(), 0) << output.toStdString();
  EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << output.toStdString();
}

// The window's event loop keeps running while the search and the test wait for a print server
// that accepts connections and never answers: a 20 ms timer keeps firing on time.
TEST(CommSettingsWindow, StaysResponsiveWhileSearchingAndTesting) {
  Q6Test::TcpSink mute(Q6Test::TcpSink::Mode::AcceptNeverRead);
  Q6Test::ScopedCupsServer server(QStringLiteral("127.0.0.1:%1").arg(mute.port()));
  Q6Test::TempConfig config;
  config.writeLink({"Connection=Queue", "Queue=q6raw", "TimeoutMs=1500"});
  Q6Test::MessageCapture boxes;
  frmPort window;
  auto* panel = window.scm_interface->settingsPanel();
  Orvanel::DiscoveryOptions options;
  options.timeoutMs = 1500;
  panel->setDiscoveryOptions(options);

  QElapsedTimer clock;
  qint64 last = 0;
  qint64 longestGap = 0;
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, [&] {
    longestGap = std::max(longestGap, clock.elapsed() - last);
    last = clock.elapsed();
  });
  auto startWatch = [&] {
    clock.start();
    last = 0;
    longestGap = 0;
    tick.start(20);
  };

  window.show();
  {
    auto* list = field<QListWidget>(window, "lstFound");
    EXPECT_TRUE(panel->isSearching());
    EXPECT_FALSE(field<QPushButton>(window, "cmdFind")->isEnabled());
    EXPECT_TRUE(
        field<QLabel>(window, "labFindStatus")->text().contains(QStringLiteral("searching")));
    ASSERT_GE(list->count(), 1);
    EXPECT_EQ(list->item(list->count() - 1)->text(), QStringLiteral("Searching..."));

    startWatch();
    QSignalSpy searched(panel, &Orvanel::LinkSettingsPanel::searchFinished);
    ASSERT_TRUE(searched.wait(10000));
    const qint64 searchMs = clock.elapsed();
    EXPECT_GE(searchMs, 1000);  // it did wait for the server
    EXPECT_LT(searchMs, 2700);  // the time limit, not twice it
    EXPECT_LT(longestGap, 500) << "search took " << searchMs << " ms";
    EXPECT_TRUE(field<QPushButton>(window, "cmdFind")->isEnabled());
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
      items << list->item(i)->text();
    }
    EXPECT_FALSE(items.contains(QStringLiteral("Searching...")));
    EXPECT_TRUE(items.filter(QStringLiteral("Printer queues:"))
                    .join("")
                    .contains(QStringLiteral("no answer within 1500 ms")))
        << items.join('\n').toStdString();

    startWatch();
    const QString text = pressTest(window);
    const qint64 testMs = clock.elapsed();
    EXPECT_GE(testMs, 1000);
    EXPECT_LT(testMs, 2700);
    EXPECT_LT(longestGap, 500) << "test took " << testMs << " ms";
    EXPECT_TRUE(text.contains(QStringLiteral("q6raw"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("no answer within 1500 ms"))) << text.toStdString();
    tick.stop();
    window.Command2->click();
  }
  EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
