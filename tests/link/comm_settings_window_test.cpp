#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTimer>

#include <functional>

#include "link/comm_settings_window.h"
#include "link/link_settings.h"
#include "link/printer_link.h"
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
  auto store = Orvanel::openSettingsStore();
  return Orvanel::readLinkSettings(*store, Orvanel::kLinkSettingsKey);
}

QString storedValue(const QString& key) {
  auto store = Orvanel::openSettingsStore();
  return store->value(Orvanel::kLinkSettingsKey + QLatin1Char('/') + key).toString();
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
      if (!w->isVisibleTo(&window) || (!qobject_cast<QLabel*>(w) && !qobject_cast<QComboBox*>(w) &&
                                       !qobject_cast<QLineEdit*>(w))) {
        continue;
      }
      if (qobject_cast<QLineEdit*>(w) && qobject_cast<QComboBox*>(w->parentWidget())) {
        continue;  // the text field inside an editable list
      }
      ++shown;
      const QRect r(w->mapTo(&window, QPoint(0, 0)), w->size());
      EXPECT_TRUE(panel.contains(r)) << w->objectName().toStdString();
      EXPECT_GE(w->width(), w->minimumSizeHint().width()) << w->objectName().toStdString();
      if (auto* label = qobject_cast<QLabel*>(w)) {
        EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
      }
    }
    EXPECT_GE(shown, 4);
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

TEST(CommSettingsWindow, EscapeDoesNotCloseTheWindow) {
  Q6Test::TempConfig config;
  config.writeLink(kNetwork);
  frmPort window;
  const int result = runModal(window, [&] {
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(window.Command2, &escape);
    EXPECT_TRUE(window.isVisible());
    window.Command2->click();
  });
  EXPECT_EQ(result, QDialog::Rejected);
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
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_TRUE(boxes.shown[0].text.startsWith(QStringLiteral("Could not store")))
      << boxes.shown[0].text.toStdString();
  EXPECT_EQ(window.scm_interface->settings().kind, ConnectionKind::NotSet);
}

}  // namespace
