#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <functional>

#include "gui/cut_position/cut_diagram.h"

#include "main_window_fixture.h"

namespace MainWindowTests {
namespace {

using Q6Test::hex;

using Buttons = MainWindowTest;

// Every test button, through the real link into a file: the printer gets exactly these bytes,
// whatever model is selected.
TEST_F(Buttons, EveryTestButtonSendsItsExactBytes) {
  const struct {
    const char* name;
    const char* bytes;
  } cases[] = {
      {"butLineFeed", "0D 0A"},    {"butFormFeed", "0C"},    {"butfeedlength", "1B 4A C8"},
      {"butFullCut", "1B 64 30"},  {"Command3", "1B 64 31"}, {"Command8", "1B 64 32"},
      {"Command9", "1B 64 33"},    {"butCDrawer1", "1C"},    {"butCDrawer2", "19"},
      {"Command4", "1B 3F 0A 00"},
  };
  useFileLink();
  frmMain& w = open();
  for (int model : {1, 0}) {
    w.cmbModel->setCurrentIndex(model);
    for (const auto& c : cases) {
      SCOPED_TRACE(::testing::Message() << c.name << " model " << model);
      clearPrinterBytes();
      auto* button = find<QPushButton>(QLatin1String(c.name));
      ASSERT_NE(button, nullptr);
      button->click();
      EXPECT_EQ(printerBytes(), hex(c.bytes));
    }
  }
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Buttons, CharacterSetSheet) {
  useFileLink();
  frmMain& w = open();
  w.butPrintCharSet->click();
  const QByteArray bytes = printerBytes();
  // Frame (4 sends), fourteen rows of digit + sixteen cells + CR LF, closing commands.
  ASSERT_EQ(bytes.size(), 2 + 4 + 27 + 35 + 14 * (5 + 32 + 2) + 3 + 4);
  EXPECT_TRUE(bytes.startsWith(hex("1B 40 1B 1D 61 31 1B 45 1B 69 31 31") + "Character Set" +
                               hex("1B 69 30 30 0D 0A 0D 0A") +
                               "  0 1 2 3 4 5 6 7 8 9 A B C D E F" +
                               hex("0D 0A 1B 45 32 1B 46 20 20 20 21")));
  EXPECT_TRUE(
      bytes.endsWith(hex("1B 45 46 1B 46") +
                     hex("20 F0 20 F1 20 F2 20 F3 20 F4 20 F5 20 F6 20 F7 20 F8 20 F9 20 FA "
                         "20 FB 20 FC 20 FD 20 FE 20 FF 0D 0A 1B 61 05 1B 1D 61 30")));
}

TEST_F(Buttons, TicketTest) {
  useFileLink();
  frmMain& w = open();
  w.butTicketTest->click();
  QByteArray expected;
  for (const char* n : {"1", "2", "3"}) {
    expected += QByteArray("     Qlx500/600 Ticket Test") + hex("0D 0A") + "     Ticket " + n +
                hex("1B 64 32");
  }
  EXPECT_EQ(printerBytes(), expected);
}

TEST_F(Buttons, WithoutLinkSettingsAClickSendsNothingAndSaysWhy) {
  frmMain& w = open();  // nothing stored: the link is not set up
  for (QPushButton* button : {w.butLineFeed, w.Command4, w.butPrintCharSet, w.comUse}) {
    SCOPED_TRACE(button->objectName().toStdString());
    messages.shown.clear();
    button->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, QMessageBox::Warning);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Q6Config"));
    EXPECT_FALSE(messages.shown[0].text.isEmpty());
  }
}

// Nothing chosen, Clear All and the refused line-feed count are pressed on this window in
// tests/settings/use_settings_window_test.cpp.

// The operator's choices, end to end through the window and the real link.
TEST_F(Buttons, UseSettingsSendsTheChosenSettingsInOneExchange) {
  const QByteArray write = hex("1B 1D 23 57 30 30 30 30 30 0A 00");
  const struct {
    const char* name;
    std::function<void(frmMain&)> choose;
    QByteArray bytes;
  } cases[] = {
      {"partial cut and code page 1252",
       [](frmMain& w) {
         w.comFF->setCurrentIndex(3);
         w.comCPage->setCurrentIndex(23);
       },
       hex("1B 1D 23 2D 30 30 30 30 38 0A 00 1B 1D 23 2B 30 30 30 30 34 0A 00"
           "1B 1D 23 2D 33 46 46 30 30 0A 00 1B 1D 23 2B 33 32 30 30 30 0A 00") +
           write},
      // Typed but never left: the offset is snapped to 31.75 mm before it is read.
      {"typed cut offset beyond the limit",
       [](frmMain& w) {
         w.chk_AdjustCutPos->setChecked(true);
         w.txtCutOffset->setText(QStringLiteral("40"));
       },
       hex("1B 1D 23 2D 32 46 46 30 30 0A 00 1B 1D 23 2B 32 37 46 30 30 0A 00") + write},
      {"cut offset set on the diagram, -2.5 mm",
       [](frmMain& w) {
         w.chk_AdjustCutPos->setChecked(true);
         emit w.Picture1->mouseDown(18.0f);
         emit w.Picture1->mouseUp(18.0f);
       },
       hex("1B 1D 23 2D 32 46 46 30 30 0A 00 1B 1D 23 2B 32 38 41 30 30 0A 00") + write},
      {"cut offset while the adjuster is off", [](frmMain& w) { w.AdjustCutPosition(5.5f); },
       write},
      // A model change discards the speed chosen before it.
      {"speed, then another model",
       [](frmMain& w) {
         w.comSpeed->setCurrentIndex(1);
         w.cmbModel->setCurrentIndex(0);
       },
       write},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    useFileLink();
    clearPrinterBytes();
    frmMain& w = open();
    c.choose(w);
    w.comUse->click();
    EXPECT_EQ(printerBytes(), c.bytes);
    EXPECT_TRUE(messages.shown.empty());
  }
}

// "Use Settings" reads every list by position and the three inputs by text; a list read into the
// wrong field would send another setting's bits.
TEST_F(Buttons, SelectionReadsEachControlIntoItsOwnField) {
  frmMain& w = open();
  struct Pick {
    const char* list;
    int position;
    int Q6::Selection::*field;
  };
  const Pick picks[] = {
      {"comFF", 3, &Q6::Selection::comFF},
      {"comDeviceID", 2, &Q6::Selection::comDeviceID},
      {"comTopSearch", 1, &Q6::Selection::comTopSearch},
      {"comNESensor", 2, &Q6::Selection::comNESensor},
      {"comCRcode", 1, &Q6::Selection::comCRcode},
      {"comCharSet", 16, &Q6::Selection::comCharSet},
      {"comCPage", 42, &Q6::Selection::comCPage},
      {"comZStyle", 1, &Q6::Selection::comZStyle},
      {"comLFeed", 2, &Q6::Selection::comLFeed},
      {"comDensity", 7, &Q6::Selection::comDensity},
      {"comSpeed", 3, &Q6::Selection::comSpeed},
      {"comBMark", 2, &Q6::Selection::comBMark},
      {"comCSpacing", 1, &Q6::Selection::comCSpacing},
      {"comPWidth", 3, &Q6::Selection::comPWidth},
      {"comESCPOSColumns", 1, &Q6::Selection::comESCPOSColumns},
      {"cmbBigFont", 2, &Q6::Selection::cmbBigFont},
      {"cmbEPSpacing", 4, &Q6::Selection::cmbEPSpacing},
      {"comContextCut", 3, &Q6::Selection::comContextCut},
  };
  for (const Pick& p : picks) {
    auto* list = find<QComboBox>(QLatin1String(p.list));
    ASSERT_NE(list, nullptr) << p.list;
    list->setCurrentIndex(p.position);
  }
  w.chk_AdjustCutPos->setChecked(true);
  w.AdjustCutPosition(-2.5f);
  w.txtContFeeds->setText(QStringLiteral("12"));

  const Q6::Selection s = w.currentSelection();
  for (const Pick& p : picks) {
    EXPECT_EQ(s.*p.field, p.position) << p.list;
  }
  EXPECT_TRUE(s.chk_AdjustCutPos);
  EXPECT_EQ(s.txtCutOffset, "-2.5mm");
  EXPECT_EQ(s.txtContFeeds, "12");
}

}  // namespace
}  // namespace MainWindowTests
