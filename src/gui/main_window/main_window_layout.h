#pragma once

#include <QRect>
#include <QStringList>

#include <vector>

class QComboBox;
class QLabel;
class frmMain;

// Where the main window puts each setting of the settings table: the table gives the control's
// name, the caption that titles its row and the list's entries; this gives the rest, which only the
// window needs. Places are in twips as the window was drawn, tops measured from the top of the tab
// control (tab row included).
namespace Q6 {

struct SettingRow;

// Tops are measured from the top of the tab control; a Qt page starts below its tab row.
inline constexpr int kTabRowTwips = 360;
// Where the last help text of a tab may end.
inline constexpr int kPageBottomTwips = 5280;

// Where the Main tab shows the chosen model's picture, scaled to fit (pixels on its page).
QRect printerPictureRect();

enum class ListFill {
  Entries,     // the settings table's entries, the same for both models
  ByProfile,   // left empty until the model profile fills it
  PaperWidth,  // the paper widths before the first QLX500 profile (never seen: hidden until then)
};

// What the window builds after a row: the controls that belong to the same setting.
enum class RowExtra { None, CutAdjuster, LineFeedCount };

struct SettingPlace {
  const char* control;  // the settings table's control
  int tab;
  QLabel* frmMain::*title;
  const char* titleName;
  int top;
  QLabel* frmMain::*help;
  const char* helpName;
  const char* helpText;       // nullptr: written when the window loads or the model changes
  int helpBottom;             // how far down the help text may run
  QComboBox* frmMain::*list;  // nullptr for the cut adjuster's row
  int listTop;
  ListFill fill;
  const char* toolTip;
  RowExtra extra;
};

// Every setting row of the window, tab by tab, top down.
const std::vector<SettingPlace>& settingPlaces();

// What a place's list holds when the window is built, before any model profile.
QStringList firstEntries(const SettingPlace& where);

// The list of the setting with that control name; nullptr for a control that is no setting list.
QComboBox* settingList(const frmMain& window, const char* control);

// The settings table's row of a control, of a place.
const SettingRow& settingWithControl(const char* control);
const SettingRow& settingOf(const SettingPlace& where);

}  // namespace Q6
