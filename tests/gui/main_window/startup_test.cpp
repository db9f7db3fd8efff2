#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "gui/cut_position/cut_diagram.h"
#include "gui/link/comm_settings_window.h"
#include "gui/presets/presets_window.h"
#include "main_window_fixture.h"

namespace MainWindowTests {
namespace {

using StartUp = MainWindowTest;

bool samePicture(const QPixmap& a, const QPixmap& b) {
  return !a.isNull() && a.toImage() == b.toImage();
}

TEST_F(StartUp, EverySettingAtNoChangeAndTheTextsWritten) {
  frmMain& w = open();
  for (const char* name :
       {"comFF", "comDeviceID", "comTopSearch", "comCRcode", "comCharSet", "comCPage", "comZStyle",
        "comDensity", "comSpeed", "comBMark", "comLFeed", "comNESensor", "comCSpacing", "comPWidth",
        "comContextCut", "cmbBigFont", "cmbEPSpacing", "comESCPOSColumns"}) {
    auto* list = find<QComboBox>(QLatin1String(name));
    ASSERT_NE(list, nullptr) << name;
    EXPECT_EQ(list->currentIndex(), 0) << name;
    EXPECT_EQ(list->currentText(), QStringLiteral("No Change")) << name;
  }
  EXPECT_EQ(w.txtCutOffset->text(), QStringLiteral(" 0mm"));
  EXPECT_EQ(w.Picture1->lineY(), 20.5f);
  EXPECT_EQ(w.labVer->text(), QStringLiteral("1.8.0"));
  EXPECT_EQ(w.labTitle->text(), QStringLiteral("Vorla QLX500/600 Setup Utility"));
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Vorla QLX500/600 Setup Utility - Advanced Mode"));
  EXPECT_EQ(w.labTopSearchInfo->text(),
            QStringLiteral("When this feature is enabled the printer will perform a reverse feed "
                           "to the top of form at the start of a print job (only after a full cut "
                           "to prevent paper jam's). For the Vorla QLX600 firmware version 2.1 or "
                           "later is required."));
  // The pictures shown are the files' pictures.
  const auto sameAsFile = [](const QPixmap& shown, const char* file) {
    return samePicture(shown, QPixmap::fromImage(QImage(QLatin1String(file))));
  };
  EXPECT_TRUE(sameAsFile(w.Picture2->pixmap(), ":/logo.png"));
  EXPECT_TRUE(sameAsFile(w.imgQLX600->pixmap(), ":/qlx600.png"));
  EXPECT_TRUE(sameAsFile(w.imgQLX500->pixmap(), ":/qlx500.png"));
  EXPECT_TRUE(sameAsFile(w.windowIcon().pixmap(64, 64), ":/q6config.png"));
  EXPECT_TRUE(messages.shown.empty());
}

// Only the exact QLX600 entry text brings that model back; anything else starts with the QLX500.
TEST_F(StartUp, StoredModelSelectsTheModelAndItsProfile) {
  const struct {
    const char* stored;  // nullptr: nothing stored (first run)
    int position;
  } cases[] = {
      {nullptr, 1},        {"Vorla QLX600", 0},  {"vorla qlx600", 1},
      {"VORLA QLX600", 1}, {"Vorla QLX500", 1},  {"QLX500", 1},
      {"QLX600", 1},       {"Vorla QLX6000", 1}, {"Some other text", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored ? c.stored : "(nothing stored)");
    if (c.stored) {
      writeStore({QStringLiteral("[Printer]"), QStringLiteral("Model=") + QLatin1String(c.stored)});
    } else {
      writeStore({});
    }
    frmMain& w = open();
    EXPECT_EQ(w.cmbModel->currentIndex(), c.position);
    EXPECT_EQ(w.comSpeed->count(), c.position == 0 ? 4 : 5);
    EXPECT_EQ(w.comPWidth->isHidden(), c.position == 0);
    EXPECT_TRUE(samePicture(w.imgPrinter->pixmap(),
                            (c.position == 0 ? w.imgQLX600 : w.imgQLX500)->pixmap()));
    // It is painted as a plain label with scaled contents on its page paints that picture.
    QLabel plain(w.imgPrinter->parentWidget());
    plain.setScaledContents(true);
    plain.setGeometry(w.imgPrinter->geometry());
    plain.setPixmap(w.imgPrinter->pixmap());
    EXPECT_EQ(w.imgPrinter->grab().toImage(), plain.grab().toImage());
    // The top-search text names the QLX600 whichever model is selected.
    EXPECT_TRUE(w.labTopSearchInfo->text().contains(QStringLiteral("For the Vorla QLX600 firm")));
  }
}

TEST_F(StartUp, ShutDownStoresTheSelectedEntryAndTheNextStartUsesIt) {
  const struct {
    const char* stored;
    int choose;  // -1: leave the model as it opened
    const char* expected;
  } cases[] = {
      {nullptr, -1, "Vorla QLX500"},
      {"Vorla QLX600", -1, "Vorla QLX600"},
      {"Vorla QLX500", 0, "Vorla QLX600"},
      {"Vorla QLX600", 1, "Vorla QLX500"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    writeStore(c.stored ? QStringList{QStringLiteral("[Printer]"),
                                      QStringLiteral("Model=") + QLatin1String(c.stored)}
                        : QStringList{});
    frmMain& w = open();
    w.show();
    if (c.choose >= 0) {
      w.cmbModel->setCurrentIndex(c.choose);
    }
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(storeText().contains(QStringLiteral("[Printer]\nModel=") +
                                     QLatin1String(c.expected) + QStringLiteral("\n")))
        << storeText().toStdString();

    frmMain& next = open();
    EXPECT_EQ(next.cmbModel->currentText(), QLatin1String(c.expected));
  }
}

TEST_F(StartUp, ShutDownKeepsTheLinkSettingsBesideTheModel) {
  useFileLink();
  frmMain& w = open();
  w.show();
  w.close();
  const QString text = storeText();
  EXPECT_TRUE(text.contains(QStringLiteral("Connection=File"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("Model=Vorla QLX500"))) << text.toStdString();
}

TEST_F(StartUp, TheLinkInstanceLoadsTheStoredSettings) {
  useFileLink();
  frmMain& w = open();
  EXPECT_EQ(w.scm_comms->settings().kind, Orvanel::ConnectionKind::File);
  EXPECT_EQ(w.scm_comms->settings().path, printerPath());
}

// The communication settings window is modal; the main window takes over whatever is stored when
// it closes, and closing the main window closes it too.
TEST_F(StartUp, CommunicationWindowAndReloadAfterIt) {
  frmMain& w = open();
  w.show();
  ASSERT_EQ(w.portWindow(), nullptr);
  bool sawDialog = false;
  QTimer::singleShot(0, [&] {
    frmPort* port = w.portWindow();
    sawDialog = port && port->isVisible() && port->isModal();
    // Another program (or the panel) stores new settings while the window is open.
    useFileLink();
    if (port) {
      port->Command2->click();  // "Cancel"
    }
  });
  w.comConfPort->click();
  EXPECT_TRUE(sawDialog);
  EXPECT_EQ(w.scm_comms->settings().kind, Orvanel::ConnectionKind::File);
  EXPECT_EQ(w.scm_comms->settings().path, printerPath());

  // Opened again: the same window, shown anew; closing the main window closes it as well.
  frmPort* first = w.portWindow();
  QTimer::singleShot(0, [&] { w.close(); });
  w.comConfPort->click();
  EXPECT_EQ(w.portWindow(), first);
  EXPECT_FALSE(first->isVisible());
  EXPECT_TRUE(storeText().contains(QStringLiteral("Model=Vorla QLX500")));
}

TEST_F(StartUp, PresetsWindowTakesThePlaceOfTheMainWindowAndClosesWithIt) {
  frmMain& w = open();
  w.show();
  ASSERT_EQ(w.presetsWindow(), nullptr);
  w.comPresets_Click();
  ASSERT_NE(w.presetsWindow(), nullptr);
  EXPECT_FALSE(w.isVisible());
  EXPECT_TRUE(w.presetsWindow()->isVisible());
  w.close();
  EXPECT_FALSE(w.presetsWindow()->isVisible());
}

}  // namespace
}  // namespace MainWindowTests
