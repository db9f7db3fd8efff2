#include <QAccessible>
#include <QComboBox>
#include <QLabel>

#include "main_window_fixture.h"

namespace MainWindowTests {
namespace {

using Accessibility = MainWindowTest;

QString spoken(QWidget* widget, QAccessible::Text what) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
  return face ? face->text(what) : QStringLiteral("<no interface>");
}

// What a screen reader says for each list: its title, and its help text as the description; no
// list is announced only by its entry ("No Change, combo box").
TEST_F(Accessibility, EveryListIsAnnouncedByItsTitleAndHelpText) {
  const struct {
    const char* list;
    const char* title;  // the label whose text is the spoken name
    const char* help;   // the label whose text is the description
  } cases[] = {
      {"comFF", "Label2", "Label1"},
      {"comDeviceID", "Label4", "Label3"},
      {"comCRcode", "Label31", "Label30"},
      {"comNESensor", "Label37", "Label36"},
      {"comPWidth", "labPWidthT", "labPWidth"},
      {"comContextCut", "labContextCutT", "labContextCut"},
      {"comDensity", "Label10", "Label9"},
      {"comSpeed", "Label12", "Label11"},
      {"comBMark", "Label14", "Label13"},
      {"comTopSearch", "Label29", "labTopSearchInfo"},
      {"comCharSet", "Label6", "Label5"},
      {"comCPage", "Label8", "Label7"},
      {"comZStyle", "Label16", "Label15"},
      {"comLFeed", "Label24", "Label25"},
      {"comCSpacing", "Label35", "Label34"},
      {"cmbBigFont", "Label44", "labEPFontSize"},
      {"cmbEPSpacing", "Label47", "labEPSpacing"},
      {"comESCPOSColumns", "labESCPOSColumnsT", "labESCPOSColumns"},
      {"cmbModel", "Label38", nullptr},
  };
  open();
  for (int model : {0, 1}) {
    window->cmbModel->setCurrentIndex(model);
    for (const auto& c : cases) {
      SCOPED_TRACE(::testing::Message() << c.list << " model " << model);
      auto* list = find<QComboBox>(QLatin1String(c.list));
      ASSERT_NE(list, nullptr);
      QAccessibleInterface* face = QAccessible::queryAccessibleInterface(list);
      ASSERT_NE(face, nullptr);
      EXPECT_EQ(face->role(), QAccessible::ComboBox);
      // A reader on Linux takes a list's title from its label relation (the list's own name is
      // the current entry there).
      const auto labels = face->relations(QAccessible::Label);
      ASSERT_EQ(labels.size(), 1);
      const QString title = find<QLabel>(QLatin1String(c.title))->text();
      EXPECT_FALSE(title.isEmpty());
      EXPECT_EQ(labels.first().first->text(QAccessible::Name), title);
      if (c.help) {
        const QString help = find<QLabel>(QLatin1String(c.help))->text();
        EXPECT_FALSE(help.isEmpty());
        EXPECT_EQ(spoken(list, QAccessible::Description), help);
      }
    }
  }
  EXPECT_EQ(window->findChildren<QComboBox*>().size(), std::size(cases));
}

TEST_F(Accessibility, ButtonsAndTheCutAdjusterHaveSpokenNames) {
  const struct {
    const char* control;
    const char* name;
    const char* description;
  } cases[] = {
      {"comConfPort", "Communication",
       "Click here first to establish communication with your printer."},
      {"Command4", "Print Self Test",
       "Print a self-test. Check that communication settings are correct first."},
      {"comUse", "Use Settings", "Write current settings to your printer."},
      {"comClearAll", "Clear All Settings",
       "Clear all printer memory switch settings (factory default)"},
      {"cmdRecord", "Record...", "Show what your printer was sent and what it holds."},
      {"butCDrawer2", "Cash Drawer 2", "Pheripheral device test (using default pulse time)"},
      {"butfeedlength", "Feed 5cm", "Paper Feed Tests"},
      {"Command9", "Feed + Partial Cut", "Autocutter Tests"},
      {"butPrintCharSet", "Character Set", "Print Tests"},
      {"chk_AdjustCutPos", "Adjust Cut Position", nullptr},
      {"Picture1", "Cut position diagram", nullptr},
      {"txtCutOffset", "Cut position offset in mm", nullptr},
      {"txtContFeeds", "No. of Line Feeds", nullptr},
  };
  open();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.control);
    QWidget* control = find(QLatin1String(c.control));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(spoken(control, QAccessible::Name), QLatin1String(c.name));
    const QString description = spoken(control, QAccessible::Description);
    if (c.description) {
      EXPECT_EQ(description, QLatin1String(c.description));
    } else {
      EXPECT_FALSE(description.isEmpty());
    }
  }
}

}  // namespace
}  // namespace MainWindowTests
