#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>

#include <vector>

#include "cut_position/cut_diagram.h"
#include "main_window_fixture.h"

namespace MainWindowTests {
namespace {

using Layout = MainWindowTest;

TEST_F(Layout, FixedSizeWindowWithSevenTabsInOrderOpeningOnMain) {
  frmMain& w = open();
  EXPECT_EQ(w.minimumSize(), QSize(525, 362));
  EXPECT_EQ(w.maximumSize(), QSize(525, 362));
  EXPECT_FALSE(w.windowIcon().isNull());
  auto* tabs = find<QTabWidget>(QStringLiteral("SSTab1"));
  ASSERT_NE(tabs, nullptr);
  const QStringList captions{"Main",       "General",   "Quality", "Tickets",
                             "Characters", "Emulation", "Tests"};
  ASSERT_EQ(tabs->count(), captions.size());
  for (int i = 0; i < tabs->count(); ++i) {
    EXPECT_EQ(tabs->tabText(i), captions[i]);
  }
  EXPECT_EQ(tabs->currentIndex(), 0);
  // All seven captions stand in one row, inside the window.
  tabs->show();
  w.show();
  EXPECT_LE(tabs->tabBar()->sizeHint().width(), w.width());
}

// Every control by name, on its tab and of its kind. Presets, the settings map and the operator's
// documentation all refer to these names.
TEST_F(Layout, EveryControlSitsOnItsTabAndHasItsKind) {
  frmMain& w = open();
  enum Kind { Label, List, Button, TextBox, CheckBox, Diagram, Link };
  const struct {
    int tab;
    Kind kind;
    std::vector<const char*> names;
  } groups[] = {
      {0,
       Label,
       {"imgPrinter", "labTitle", "Picture2", "Label23", "labVer", "Label38", "Label19", "Label21",
        "Label22", "Label17", "Label20", "imgQLX600", "imgQLX500"}},
      {0, List, {"cmbModel"}},
      {0, Button, {"comConfPort", "Command4", "comUse", "comClearAll", "comPresets"}},
      {0, Link, {"scm_comms"}},
      {1,
       Label,
       {"Label2", "Label1", "Label4", "Label3", "Label31", "Label30", "Label37", "Label36",
        "labPWidthT", "labPWidth", "labContextCutT", "labContextCut", "labContFeeds"}},
      {1, List, {"comFF", "comDeviceID", "comCRcode", "comNESensor", "comPWidth", "comContextCut"}},
      {1, TextBox, {"txtContFeeds"}},
      {2, Label, {"Label10", "Label9", "Label12", "Label11"}},
      {2, List, {"comDensity", "comSpeed"}},
      {3, Label, {"Label14", "Label13", "Label27", "Label26", "Label29", "labTopSearchInfo"}},
      {3, List, {"comBMark", "comTopSearch"}},
      {3, CheckBox, {"chk_AdjustCutPos"}},
      {3, Diagram, {"Picture1"}},
      {3, TextBox, {"txtCutOffset"}},
      {4,
       Label,
       {"Label6", "Label5", "Label8", "Label7", "Label16", "Label15", "Label24", "Label25",
        "Label35", "Label34"}},
      {4, List, {"comCharSet", "comCPage", "comZStyle", "comLFeed", "comCSpacing"}},
      {5,
       Label,
       {"Label44", "labEPFontSize", "Label47", "labEPSpacing", "labESCPOSColumnsT",
        "labESCPOSColumns"}},
      {5, List, {"cmbBigFont", "cmbEPSpacing", "comESCPOSColumns"}},
      {6, Label, {"Label33", "Label32", "Label39", "Label40", "Label41", "Label42", "Label43"}},
      {6,
       Button,
       {"butTicketTest", "butCDrawer1", "butCDrawer2", "butLineFeed", "butFormFeed",
        "butfeedlength", "butFullCut", "Command3", "Command8", "Command9", "butPrintCharSet"}},
  };
  int count = 0;
  for (const auto& group : groups) {
    for (const char* name : group.names) {
      SCOPED_TRACE(name);
      ++count;
      QWidget* control = find(QLatin1String(name));
      ASSERT_NE(control, nullptr);
      EXPECT_TRUE(w.SSTab1->widget(group.tab)->isAncestorOf(control)) << "tab " << group.tab;
      switch (group.kind) {
        case Label:
          EXPECT_NE(qobject_cast<QLabel*>(control), nullptr);
          break;
        case List: {
          auto* list = qobject_cast<QComboBox*>(control);
          ASSERT_NE(list, nullptr);
          EXPECT_FALSE(list->isEditable()) << "lists take no typed text";
          break;
        }
        case Button:
          EXPECT_NE(qobject_cast<QPushButton*>(control), nullptr);
          break;
        case TextBox:
          EXPECT_NE(qobject_cast<QLineEdit*>(control), nullptr);
          break;
        case CheckBox:
          EXPECT_NE(qobject_cast<QCheckBox*>(control), nullptr);
          break;
        case Diagram:
          EXPECT_NE(qobject_cast<CutDiagram*>(control), nullptr);
          break;
        case Link:
          EXPECT_NE(qobject_cast<Orvanel::Quenlink*>(control), nullptr);
          break;
      }
    }
  }
  EXPECT_EQ(count, 99);
  // The line on the diagram can be found like any other control.
  QObject* line = w.findChild<QObject*>(QStringLiteral("Line1"));
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->parent(), w.Picture1);
}

TEST_F(Layout, CaptionsAndHelpTextsAsTheOperatorsManualQuotesThem) {
  open();
  const struct {
    const char* name;
    const char* text;
  } texts[] = {
      {"Label23", "Version:"},
      {"Label38", "Printer Model:"},
      {"comConfPort", "Communication"},
      {"Label19", "Click here first to establish communication with your printer."},
      {"Command4", "Print Self Test"},
      {"Label21", "Print a self-test. Check that communication settings are correct first."},
      {"comUse", "Use Settings"},
      {"Label22", "Write current settings to your printer."},
      {"comClearAll", "Clear All Settings"},
      {"Label17", "Clear all printer memory switch settings (factory default)"},
      {"comPresets", "Presets"},
      {"Label20", "Click here to use a preset printer mode."},
      {"Label2", "Action on form feed (<FF>) instruction"},
      {"Label1",
       "Use this to define the behaviour of the printer on receiving a Form Feed (<FF>) command."},
      {"Label4", "Device ID"},
      {"Label3",
       "Turn on Device ID to make the printer automatically detectable by Windows (Plug and "
       "Play)."},
      {"Label31", "<CR> Code"},
      {"Label30",
       "Some systems expect the <CR> code to perform a line feed. Enabling this code could cause "
       "double spaced lines on systems that do not require it."},
      {"Label37", "Near End Paper Sensor"},
      {"Label36",
       "When the paper roll is nearly finished the printers error LED will flash as a 'paper low' "
       "warning. This can be dissabled for rear fed paper."},
      {"labPWidthT", "Paper Width"},
      {"labPWidth",
       "If using a paper roll width other than the default (80mm) it can be selected here to "
       "ensure that the printer uses suitable margins."},
      {"labContextCutT", "Contextual Auto Cut"},
      {"labContextCut",
       "If your existing software does not issue a cut command then you can configure the printer "
       "to automatically cut on receipt of a series of line feeds."},
      {"labContFeeds", "No. of Line Feeds"},
      {"Label10", "Default Print Density"},
      {"Label9",
       "Set the default print density, may be required to improve quality on thick or low "
       "quality paper."},
      {"Label12", "Print Speed"},
      {"Label11",
       "Print speed can be reduced to improve quality on very thick paper/thin card or paper that "
       "is not sensitive enough for full speed printing."},
      {"Label14", "Start Position Detect"},
      {"Label13",
       "Automaticaly locate the start of labels/tickets by detecting a black mark. Cut position "
       "adjustment or printer calibration may be required."},
      {"Label27", "Cut Position Adjustment"},
      {"Label26",
       "Adjust the cut position (relative to the black mark) by enableing the 'Adjust Cut "
       "Position' check box and clicking on the diagram or entering a measurement in mm."},
      {"chk_AdjustCutPos", "Adjust Cut Position"},
      {"Label29", "Top Search"},
      {"Label6", "International Character Set"},
      {"Label5",
       "For Windows driver use this should normally be left set to 'USA'. Older applications "
       "which communicate with the printer directyl (many DOS applications) may require a "
       "different setting"},
      {"Label8", "Code Page"},
      {"Label7",
       "This should be set to the same code page that your application is using, under Western "
       "versions of Windows this is 'CP1252 (Windows Latin 1)'"},
      {"Label16", "Zero Style"},
      {"Label15",
       "Select the style of zero character used for resident printer fonts (not Windows "
       "TrueType's)."},
      {"Label24", "Line Spacing"},
      {"Label25",
       "Select the default line spacing for the printer's internal fonts.This will not affect the "
       "line spacing when printing via the standard Windows printer drivers."},
      {"Label35", "Character Spacing"},
      {"Label34",
       "Select the character spacing of the printers internal font. The default is 12 dot."},
      {"Label44", "ESC/POS Font Size"},
      {"Label47", "ESC/POS Default Character Spacing"},
      {"labESCPOSColumnsT", "ESC/POS Print Columns"},
      {"labESCPOSColumns",
       "In ESC/POS mode the default number of columns printed is reduced for compatibility. "
       "Selecting 'Maximum' will enable the maximum possible number of characters to be printed."},
      {"Label33", "Black Mark Ticket Test"},
      {"Label32",
       "This button will print a small test of three tickets. Please note that you must have "
       "already turned on black mark sensing (Set 'Start Position Detect' to On), and you must "
       "have suitable ticket paper (with black sensor marks printed on the reverse side)."},
      {"butTicketTest", "Print Ticket Test"},
      {"Label39", "Hardware Tests"},
      {"Label40", "Pheripheral device test (using default pulse time):"},
      {"butCDrawer1", "Cash Drawer 1"},
      {"butCDrawer2", "Cash Drawer 2"},
      {"Label41", "Paper Feed Tests:"},
      {"butLineFeed", "Line Feed"},
      {"butFormFeed", "Form Feed"},
      {"butfeedlength", "Feed 5cm"},
      {"Label42", "Autocutter Tests:"},
      {"butFullCut", "Full Cut"},
      {"Command3", "Partial Cut"},
      {"Command8", "Feed + Full Cut"},
      {"Command9", "Feed + Partial Cut"},
      {"Label43", "Print Tests:"},
      {"butPrintCharSet", "Character Set"},
  };
  for (const auto& t : texts) {
    SCOPED_TRACE(t.name);
    QWidget* control = find(QLatin1String(t.name));
    ASSERT_NE(control, nullptr);
    if (auto* l = qobject_cast<QLabel*>(control)) {
      EXPECT_EQ(l->text(), QLatin1String(t.text));
    } else if (auto* b = qobject_cast<QAbstractButton*>(control)) {
      EXPECT_EQ(b->text(), QLatin1String(t.text));
    } else {
      ADD_FAILURE() << "no text";
    }
  }
}

struct StatedFace {
  bool bold;
  double points;
};

// The action buttons, the setting titles and the two titles on "Tests".
const char* const kBold975 =
    "comConfPort Command4 comUse comClearAll Label2 Label4 Label31 Label37 labPWidthT "
    "labContextCutT Label10 Label12 Label14 Label27 Label29 Label6 Label8 Label16 Label24 Label35 "
    "Label44 Label47 labESCPOSColumnsT Label33 Label39";

// The face the operator's manual gives each caption; every other caption has the window's.
StatedFace statedFace(const QString& name) {
  const QStringList bold975 = QString::fromLatin1(kBold975).split(QLatin1Char(' '));
  if (name == QLatin1String("labTitle")) {
    return {true, 12};
  }
  if (name == QLatin1String("chk_AdjustCutPos")) {
    return {true, 8.25};
  }
  if (QStringList{"Label23", "labVer", "Label38"}.contains(name)) {
    return {false, 9.75};
  }
  return {bold975.contains(name), bold975.contains(name) ? 9.75 : 8.25};
}

// Every caption in its stated face: help texts get room by moving rows, wide captions by wider
// buttons. The <CR> help alone cannot get a third line on the full "General" tab and may be drawn
// half a point smaller, never more.
TEST_F(Layout, FontsToolTipsAndWordWrap) {
  for (const char* model : {"Vorla QLX600", "Vorla QLX500"}) {
    SCOPED_TRACE(model);
    writeStore({QStringLiteral("[Printer]"), QStringLiteral("Model=") + QLatin1String(model)});
    frmMain& w = open();
    EXPECT_EQ(w.font().pointSizeF(), 8.25);
    int checked = 0;
    for (QWidget* control : w.findChildren<QWidget*>()) {
      const auto* l = qobject_cast<QLabel*>(control);
      const bool caption = (l && !l->text().isEmpty()) || qobject_cast<QPushButton*>(control) ||
                           qobject_cast<QCheckBox*>(control);
      if (!caption) {
        continue;
      }
      SCOPED_TRACE(control->objectName().toStdString());
      ++checked;
      const StatedFace stated = statedFace(control->objectName());
      EXPECT_EQ(control->font().bold(), stated.bold);
      const double allowance = control == w.Label30 ? 0.5 : 0.0;
      EXPECT_LE(control->font().pointSizeF(), stated.points);
      EXPECT_GE(control->font().pointSizeF(), stated.points - allowance);
    }
    EXPECT_EQ(checked, 55 + 17);  // labels with a text, buttons and the check box
  }

  const struct {
    const char* name;
    const char* tip;
  } tips[] = {
      {"comConfPort", "Setup the method of cummunication with your printer."},
      {"Command4", "Print a self-test page on the connected printer."},
      {"comUse", "Send new settings to the connected printer."},
      {"comClearAll", ""},
      {"comPresets", "Select a preset configuration"},
      {"cmbBigFont", "Enable/Disable ALP mode"},
      {"cmbEPSpacing", "Enable/Disable ALP mode"},
      {"butLineFeed", ""},
  };
  for (const auto& t : tips) {
    SCOPED_TRACE(t.name);
    QWidget* control = find(QLatin1String(t.name));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->toolTip(), QLatin1String(t.tip));
  }

  for (const char* name : {"Label1", "Label30", "labTopSearchInfo", "labEPSpacing", "Label32"}) {
    auto* l = find<QLabel>(QLatin1String(name));
    ASSERT_NE(l, nullptr);
    EXPECT_TRUE(l->wordWrap()) << name;
  }
}

// Positions are list positions: a missing, doubled or reordered entry shifts every setting after
// it.
TEST_F(Layout, FixedListEntriesByPosition) {
  open();
  const struct {
    const char* name;
    QStringList entries;
  } lists[] = {
      {"comFF", {"No Change", "Feed (No cut)", "Full Cut", "Partial Cut"}},
      {"comDeviceID", {"No Change", "Off", "On: Default ID", "On: Alternative ID"}},
      {"comCRcode", {"No Change", "Disabled", "Perform Line Feed"}},
      {"comNESensor", {"No Change", "Enabled", "Disabled"}},
      {"comContextCut", {"No Change", "Disabled", "Enabled - Full Cut", "Enabled - Partial Cut"}},
      {"comBMark", {"No Change", "Off", "On"}},
      {"comTopSearch", {"No Change", "Off", "Reverse to 3mm", "Reverse to 7mm"}},
      {"comCharSet",
       {"No Change", "USA", "France", "Germany", "U.K.", "Denmark #1", "Sweden", "Italy",
        "Spain #1", "Japan", "Norway", "Denmark #2", "Spain #2", "Latin America", "Korea",
        "Ireland", "Legal"}},
      {"comZStyle", {"No Change", "No Slash", "Slash"}},
      {"comLFeed", {"No Change", "4mm", "3mm"}},
      {"comCSpacing", {"No Change", "12 dot", "15 dot"}},
      {"cmbBigFont", {"No Change", "Default", "Large"}},
      {"cmbEPSpacing",
       {"No Change", "No additional spacing", "1 dot spacing", "2 dot spacing", "3 dot spacing"}},
      {"comESCPOSColumns", {"No Change", "Standard", "Maximum"}},
      {"cmbModel", {"Vorla QLX600", "Vorla QLX500"}},
  };
  for (const auto& l : lists) {
    SCOPED_TRACE(l.name);
    auto* list = find<QComboBox>(QLatin1String(l.name));
    ASSERT_NE(list, nullptr);
    QStringList shown;
    for (int i = 0; i < list->count(); ++i) {
      shown << list->itemText(i);
    }
    EXPECT_EQ(shown, l.entries);
  }
}

TEST_F(Layout, CodePageListKeepsBothEntriesFor437) {
  open();
  auto* list = find<QComboBox>(QStringLiteral("comCPage"));
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->count(), 43);
  const struct {
    int position;
    const char* text;
  } spots[] = {
      {0, "No Change"},
      {1, "Normal"},
      {2, "437(USA,std. Europe) "},
      {3, "Katakana"},
      {4, "437(USA,std. Europe)"},
      {9, "863 (Canadian Frence)"},
      {19, "928 (Greek)"},
      {23, "1252 (Windows Latin-1)"},
      {29, "3844 (CS2)"},
      {35, "2001 (Lithuaninan-KBL)"},
      {41, "3041 (Maltese)"},
      {42, "User Setting (Downloaded)"},
  };
  for (const auto& s : spots) {
    EXPECT_EQ(list->itemText(s.position), QLatin1String(s.text)) << "position " << s.position;
  }
}

TEST_F(Layout, SettingListsStandInOneRightHandColumnClearOfTheTexts) {
  frmMain& w = open();
  const QList<QComboBox*> lists = w.findChildren<QComboBox*>();
  ASSERT_EQ(lists.size(), 19);  // eighteen settings and the model
  int column = -1;
  for (QComboBox* list : lists) {
    if (list == w.cmbModel) {
      continue;
    }
    SCOPED_TRACE(list->objectName().toStdString());
    if (column < 0) {
      column = list->x();
    }
    EXPECT_EQ(list->x(), column);
    EXPECT_EQ(list->width(), 141);
    EXPECT_LE(list->geometry().right(), w.SSTab1->widget(1)->width());
    for (QLabel* label : list->parentWidget()->findChildren<QLabel*>()) {
      if (label->geometry().intersects(list->geometry())) {
        ADD_FAILURE() << "overlaps " << label->objectName().toStdString();
      }
    }
  }
}

TEST_F(Layout, InitialVisibilityAndEnabledStates) {
  frmMain& w = open();
  for (const char* name : {"Label20", "comPresets", "imgQLX500", "imgQLX600", "scm_comms"}) {
    QWidget* control = find(QLatin1String(name));
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(control->isHidden()) << name;
  }
  for (const char* name : {"txtContFeeds", "txtCutOffset", "Picture1"}) {
    QWidget* control = find(QLatin1String(name));
    ASSERT_NE(control, nullptr);
    EXPECT_FALSE(control->isEnabled()) << name;
  }
  EXPECT_EQ(w.txtContFeeds->text(), QStringLiteral("2"));
  EXPECT_FALSE(w.chk_AdjustCutPos->isChecked());
  EXPECT_TRUE(w.scm_comms->showspooler);
  EXPECT_TRUE(w.scm_comms->showtcpip);
  EXPECT_TRUE(w.scm_comms->showfile);
  // The stored pictures have the sizes the profile expects.
  EXPECT_EQ(w.imgQLX600->pixmap().size(), QSize(200, 165));
  EXPECT_EQ(w.imgQLX500->pixmap().size(), QSize(249, 200));
  EXPECT_EQ(w.Picture2->pixmap().size(), QSize(55, 29));
}

// The boxes are fixed; whatever face the desktop gives, every text must be readable in full, inside
// its tab, and no help text may run into the control under it. Measured with each control's own
// font, against the room the style leaves for the caption.
TEST_F(Layout, NoTextIsClippedOrRunsIntoAnotherControlWithEitherModel) {
  for (const char* model : {"Vorla QLX600", "Vorla QLX500"}) {
    SCOPED_TRACE(model);
    writeStore({QStringLiteral("[Printer]"), QStringLiteral("Model=") + QLatin1String(model)});
    frmMain& w = open();
    w.show();
    const QRect tab(QPoint(0, 0), w.SSTab1->currentWidget()->size());
    int checked = 0;
    for (QLabel* l : w.findChildren<QLabel*>()) {
      if (l->text().isEmpty()) {
        continue;
      }
      SCOPED_TRACE(l->objectName().toStdString());
      ++checked;
      EXPECT_TRUE(tab.contains(l->geometry()));
      const int flags = static_cast<int>(l->alignment()) | (l->wordWrap() ? Qt::TextWordWrap : 0);
      const QRect text = l->fontMetrics().boundingRect(l->contentsRect(), flags, l->text());
      EXPECT_TRUE(l->contentsRect().contains(text))
          << text.width() << "x" << text.height() << " in " << l->width() << "x" << l->height();
      if (l->font().bold() || l->isHidden()) {
        continue;  // a title's box reaches into its help text's; only help texts run on
      }
      for (QWidget* other : l->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const bool below = other->y() > l->y() && other->x() <= l->geometry().right() &&
                           other->geometry().right() >= l->x();
        if (below && !other->isHidden()) {
          EXPECT_GT(other->y(), l->y() + text.bottom()) << other->objectName().toStdString();
        }
      }
    }
    EXPECT_EQ(checked, 55);  // every label but the pictures carries a text
    QList<QAbstractButton*> buttons{w.chk_AdjustCutPos};
    for (QPushButton* b : w.findChildren<QPushButton*>()) {
      buttons << b;
    }
    ASSERT_EQ(buttons.size(), 17);
    for (QAbstractButton* b : buttons) {
      SCOPED_TRACE(b->objectName().toStdString());
      EXPECT_TRUE(tab.contains(b->geometry()));
      QStyleOptionButton option;
      option.initFrom(b);
      option.text = b->text();
      const QRect room = b->style()->subElementRect(
          b == w.chk_AdjustCutPos ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents,
          &option, b);
      EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()), room.width());
      EXPECT_LE(b->fontMetrics().height(), room.height());
    }
  }
}

}  // namespace
}  // namespace MainWindowTests
