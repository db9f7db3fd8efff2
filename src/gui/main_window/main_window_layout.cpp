#include "gui/main_window/main_window_layout.h"

#include <QtGlobal>

#include <algorithm>
#include <cstring>

#include "core/settings/settings_table.h"
#include "core/settings/window_content.h"
#include "gui/main_window/main_window.h"

namespace Q6 {

namespace {

constexpr int kPageBottom = kPageBottomTwips;
constexpr char kAlpModeTip[] = QT_TRANSLATE_NOOP("frmMain", "Enable/Disable ALP mode");

}  // namespace

const std::vector<SettingPlace>& settingPlaces() {
  using F = ListFill;
  using X = RowExtra;
  using W = frmMain;
  // clang-format off
  static const std::vector<SettingPlace> places{
      // "General"
      {"comFF", 1, &W::Label2, "Label2", 480, &W::Label1, "Label1",
       QT_TRANSLATE_NOOP("frmMain", "Use this to define the behaviour of the printer on receiving a Form Feed (<FF>) command."),
       1200, &W::comFF, 720, F::Entries, nullptr, X::None},
      {"comDeviceID", 1, &W::Label4, "Label4", 1200, &W::Label3, "Label3",
       QT_TRANSLATE_NOOP("frmMain", "Turn on Device ID to make the printer automatically detectable by Windows (Plug and "
       "Play)."),
       1920, &W::comDeviceID, 1440, F::Entries, nullptr, X::None},
      {"comCRcode", 1, &W::Label31, "Label31", 1920, &W::Label30, "Label30",
       QT_TRANSLATE_NOOP("frmMain", "Some systems expect the <CR> code to perform a line feed. Enabling this code could cause "
       "double spaced lines on systems that do not require it."),
       2640, &W::comCRcode, 2160, F::Entries, nullptr, X::None},
      {"comNESensor", 1, &W::Label37, "Label37", 2640, &W::Label36, "Label36",
       QT_TRANSLATE_NOOP("frmMain", "When the paper roll is nearly finished the printers error LED will flash as a 'paper low' "
       "warning. This can be dissabled for rear fed paper."),
       3360, &W::comNESensor, 2880, F::Entries, nullptr, X::None},
      {"comPWidth", 1, &W::labPWidthT, "labPWidthT", 3360, &W::labPWidth, "labPWidth",
       QT_TRANSLATE_NOOP("frmMain", "If using a paper roll width other than the default (80mm) it can be selected here to "
       "ensure that the printer uses suitable margins."),
       4080, &W::comPWidth, 3600, F::PaperWidth, nullptr, X::None},
      {"comContextCut", 1, &W::labContextCutT, "labContextCutT", 4080, &W::labContextCut,
       "labContextCut",
       QT_TRANSLATE_NOOP("frmMain", "If your existing software does not issue a cut command then you can configure the printer "
       "to automatically cut on receipt of a series of line feeds."),
       kPageBottom, &W::comContextCut, 4140, F::Entries, nullptr, X::LineFeedCount},
      // "Quality"
      {"comDensity", 2, &W::Label10, "Label10", 480, &W::Label9, "Label9",
       QT_TRANSLATE_NOOP("frmMain", "Set the default print density, may be required to improve quality on thick or low "
       "quality paper."),
       1200, &W::comDensity, 720, F::ByProfile, nullptr, X::None},
      {"comSpeed", 2, &W::Label12, "Label12", 1200, &W::Label11, "Label11",
       QT_TRANSLATE_NOOP("frmMain", "Print speed can be reduced to improve quality on very thick paper/thin card or paper that "
       "is not sensitive enough for full speed printing."),
       2100, &W::comSpeed, 1440, F::ByProfile, nullptr, X::None},
      // "Tickets"
      {"comBMark", 3, &W::Label14, "Label14", 480, &W::Label13, "Label13",
       QT_TRANSLATE_NOOP("frmMain", "Automaticaly locate the start of labels/tickets by detecting a black mark. Cut position "
       "adjustment or printer calibration may be required."),
       1200, &W::comBMark, 720, F::Entries, nullptr, X::None},
      {"txtCutOffset", 3, &W::Label27, "Label27", 1200, &W::Label26, "Label26",
       QT_TRANSLATE_NOOP("frmMain", "Adjust the cut position (relative to the black mark) by enableing the 'Adjust Cut "
       "Position' check box and clicking on the diagram or entering a measurement in mm."),
       2160, nullptr, 0, F::Entries, nullptr, X::CutAdjuster},
      {"comTopSearch", 3, &W::Label29, "Label29", 3240, &W::labTopSearchInfo, "labTopSearchInfo",
       nullptr, kPageBottom, &W::comTopSearch, 3480, F::Entries, nullptr, X::None},
      // "Characters"
      {"comCharSet", 4, &W::Label6, "Label6", 480, &W::Label5, "Label5",
       QT_TRANSLATE_NOOP("frmMain", "For Windows driver use this should normally be left set to 'USA'. Older applications "
       "which communicate with the printer directyl (many DOS applications) may require a "
       "different setting"),
       1380, &W::comCharSet, 720, F::Entries, nullptr, X::None},
      {"comCPage", 4, &W::Label8, "Label8", 1380, &W::Label7, "Label7",
       QT_TRANSLATE_NOOP("frmMain", "This should be set to the same code page that your application is using, under Western "
       "versions of Windows this is 'CP1252 (Windows Latin 1)'"),
       2100, &W::comCPage, 1560, F::Entries, nullptr, X::None},
      {"comZStyle", 4, &W::Label16, "Label16", 2100, &W::Label15, "Label15",
       QT_TRANSLATE_NOOP("frmMain", "Select the style of zero character used for resident printer fonts (not Windows "
       "TrueType's)."),
       2820, &W::comZStyle, 2280, F::Entries, nullptr, X::None},
      {"comLFeed", 4, &W::Label24, "Label24", 2820, &W::Label25, "Label25",
       QT_TRANSLATE_NOOP("frmMain", "Select the default line spacing for the printer's internal fonts.This will not affect the "
       "line spacing when printing via the standard Windows printer drivers."),
       3720, &W::comLFeed, 3120, F::Entries, nullptr, X::None},
      {"comCSpacing", 4, &W::Label35, "Label35", 3720, &W::Label34, "Label34",
       QT_TRANSLATE_NOOP("frmMain", "Select the character spacing of the printers internal font. The default is 12 dot."),
       kPageBottom, &W::comCSpacing, 4020, F::Entries, nullptr, X::None},
      // "Emulation"
      {"cmbBigFont", 5, &W::Label44, "Label44", 480, &W::labEPFontSize, "labEPFontSize", nullptr,
       1440, &W::cmbBigFont, 720, F::Entries, kAlpModeTip, X::None},
      {"cmbEPSpacing", 5, &W::Label47, "Label47", 1440, &W::labEPSpacing, "labEPSpacing", nullptr,
       2640, &W::cmbEPSpacing, 1680, F::Entries, kAlpModeTip, X::None},
      {"comESCPOSColumns", 5, &W::labESCPOSColumnsT, "labESCPOSColumnsT", 2640,
       &W::labESCPOSColumns, "labESCPOSColumns",
       QT_TRANSLATE_NOOP("frmMain", "In ESC/POS mode the default number of columns printed is reduced for compatibility. "
       "Selecting 'Maximum' will enable the maximum possible number of characters to be printed."),
       kPageBottom, &W::comESCPOSColumns, 2940, F::Entries, nullptr, X::None},
  };
  // clang-format on
  return places;
}

QStringList firstEntries(const SettingPlace& where) {
  switch (where.fill) {
    case ListFill::Entries:
      return settingEntries(settingOf(where), kModelQLX500);  // the model that offers all
    case ListFill::ByProfile:
      return {};
    case ListFill::PaperWidth: {
      static const QStringList entries{QT_TRANSLATE_NOOP("Q6::Lists", "No Change"),
                                       QT_TRANSLATE_NOOP("Q6::Lists", "Enabled"),
                                       QT_TRANSLATE_NOOP("Q6::Lists", "Disabled")};
      return entries;
    }
  }
  return {};
}

QComboBox* settingList(const frmMain& window, const char* control) {
  for (const SettingPlace& place : settingPlaces()) {
    if (place.list && std::strcmp(place.control, control) == 0) {
      return window.*(place.list);
    }
  }
  return nullptr;
}

const SettingRow& settingWithControl(const char* control) {
  const auto& table = settingsTable();
  const auto row = std::find_if(table.begin(), table.end(), [control](const SettingRow& r) {
    return std::strcmp(r.control, control) == 0;
  });
  if (row == table.end()) {
    // The window's table names a control the settings table does not have: a build mistake that
    // the first start shows at once.
    qFatal("The settings table has no control %s", control);
  }
  return *row;
}

const SettingRow& settingOf(const SettingPlace& where) {
  return settingWithControl(where.control);
}

}  // namespace Q6
