#pragma once

#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "core/presets/preset_file.h"
#include "core/settings/use_settings.h"
#include "gui/common/link_exchange.h"
#include "gui/link/printer_link.h"

namespace Q6 {
class PicturesAhead;
}

class CutDiagram;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStyle;
class QTabWidget;
class frmPort;
class frmPresets;
class frmRecord;
namespace Q6 {
struct SettingPlace;
}

// The main window: seven tabs of lists, the model profiles, the cut position adjuster and the
// test buttons. Every control is a public member named (and objectName'd) as the operator's
// documentation and the presets refer to it. The window loads itself (Form_Load) before it is
// first shown and stores the selected model when it is closed (Form_Unload).
class frmMain : public QWidget {
  Q_OBJECT

 public:
  explicit frmMain(QWidget* parent = nullptr);
  ~frmMain() override;

  QTabWidget* SSTab1 = nullptr;

  // "Main"
  QLabel* imgPrinter = nullptr;
  QLabel* labTitle = nullptr;
  QLabel* Picture2 = nullptr;
  QLabel* Label23 = nullptr;
  QLabel* labVer = nullptr;
  QLabel* Label38 = nullptr;
  QComboBox* cmbModel = nullptr;
  QPushButton* comConfPort = nullptr;
  QLabel* Label19 = nullptr;
  QPushButton* Command4 = nullptr;
  QLabel* Label21 = nullptr;
  QPushButton* comUse = nullptr;
  QLabel* Label22 = nullptr;
  QPushButton* comClearAll = nullptr;
  QLabel* Label17 = nullptr;
  QPushButton* comPresets = nullptr;
  QLabel* Label20 = nullptr;
  Orvanel::Quenlink* scm_comms = nullptr;
  QLabel* imgQLX600 = nullptr;       // hidden: only holds the picture for the profile
  QLabel* imgQLX500 = nullptr;       // hidden: only holds the picture for the profile
  QPushButton* cmdRecord = nullptr;  // what the record knows about the connected printer
  QLabel* labRecord = nullptr;

  // "General"
  QLabel* Label2 = nullptr;
  QLabel* Label1 = nullptr;
  QComboBox* comFF = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label3 = nullptr;
  QComboBox* comDeviceID = nullptr;
  QLabel* Label31 = nullptr;
  QLabel* Label30 = nullptr;
  QComboBox* comCRcode = nullptr;
  QLabel* Label37 = nullptr;
  QLabel* Label36 = nullptr;
  QComboBox* comNESensor = nullptr;
  QLabel* labPWidthT = nullptr;
  QLabel* labPWidth = nullptr;
  QComboBox* comPWidth = nullptr;
  QLabel* labContextCutT = nullptr;
  QLabel* labContextCut = nullptr;
  QComboBox* comContextCut = nullptr;
  QLineEdit* txtContFeeds = nullptr;
  QLabel* labContFeeds = nullptr;

  // "Quality"
  QLabel* Label10 = nullptr;
  QLabel* Label9 = nullptr;
  QComboBox* comDensity = nullptr;
  QLabel* Label12 = nullptr;
  QLabel* Label11 = nullptr;
  QComboBox* comSpeed = nullptr;

  // "Tickets"
  QLabel* Label14 = nullptr;
  QLabel* Label13 = nullptr;
  QComboBox* comBMark = nullptr;
  QLabel* Label27 = nullptr;
  QLabel* Label26 = nullptr;
  QCheckBox* chk_AdjustCutPos = nullptr;
  CutDiagram* Picture1 = nullptr;
  QLineEdit* txtCutOffset = nullptr;
  QLabel* Label29 = nullptr;
  QLabel* labTopSearchInfo = nullptr;
  QComboBox* comTopSearch = nullptr;

  // "Characters"
  QLabel* Label6 = nullptr;
  QLabel* Label5 = nullptr;
  QComboBox* comCharSet = nullptr;
  QLabel* Label8 = nullptr;
  QLabel* Label7 = nullptr;
  QComboBox* comCPage = nullptr;
  QLabel* Label16 = nullptr;
  QLabel* Label15 = nullptr;
  QComboBox* comZStyle = nullptr;
  QLabel* Label24 = nullptr;
  QLabel* Label25 = nullptr;
  QComboBox* comLFeed = nullptr;
  QLabel* Label35 = nullptr;
  QLabel* Label34 = nullptr;
  QComboBox* comCSpacing = nullptr;

  // "Emulation"
  QLabel* Label44 = nullptr;
  QLabel* labEPFontSize = nullptr;
  QComboBox* cmbBigFont = nullptr;
  QLabel* Label47 = nullptr;
  QLabel* labEPSpacing = nullptr;
  QComboBox* cmbEPSpacing = nullptr;
  QLabel* labESCPOSColumnsT = nullptr;
  QLabel* labESCPOSColumns = nullptr;
  QComboBox* comESCPOSColumns = nullptr;

  // "Tests"
  QLabel* Label33 = nullptr;
  QLabel* Label32 = nullptr;
  QPushButton* butTicketTest = nullptr;
  QLabel* Label39 = nullptr;
  QLabel* Label40 = nullptr;
  QPushButton* butCDrawer1 = nullptr;
  QPushButton* butCDrawer2 = nullptr;
  QLabel* Label41 = nullptr;
  QPushButton* butLineFeed = nullptr;
  QPushButton* butFormFeed = nullptr;
  QPushButton* butfeedlength = nullptr;
  QLabel* Label42 = nullptr;
  QPushButton* butFullCut = nullptr;
  QPushButton* Command3 = nullptr;
  QPushButton* Command8 = nullptr;
  QPushButton* Command9 = nullptr;
  QLabel* Label43 = nullptr;
  QPushButton* butPrintCharSet = nullptr;

  // Window load and unload.
  void Form_Load();
  void Form_Unload();

  // List reactions; each also runs when the program sets the list's position.
  void cmbModel_Click();
  void comSpeed_Click();
  void comContextCut_Click();

  // The cut position adjuster. Diagram handlers take y in diagram units (0-55, top down).
  void chk_AdjustCutPos_Click();
  void txtCutOffset_Validate();
  void Picture1_MouseDown(float y);
  void Picture1_MouseMove(float y);
  void Picture1_MouseUp(float y);
  // Snaps mm to the 0.25 mm grid within the limits and shows it as text and line. Used by the
  // presets too; never touches the check box.
  void AdjustCutPosition(float mm);

  // Buttons.
  void comUse_Click();
  void comClearAll_Click();
  void comConfPort_Click();
  void comPresets_Click();
  void Command4_Click();
  void butLineFeed_Click();
  void butFormFeed_Click();
  void butfeedlength_Click();
  void butFullCut_Click();
  void Command3_Click();
  void Command8_Click();
  void Command9_Click();
  void butCDrawer1_Click();
  void butCDrawer2_Click();
  void butPrintCharSet_Click();
  void butTicketTest_Click();
  void cmdRecord_Click();

  // What "Use Settings" reads from the controls.
  Q6::Selection currentSelection() const;

  // The other two windows, once opened (nullptr before).
  frmPort* portWindow() const { return m_portWindow; }
  frmPresets* presetsWindow() const { return m_presetsWindow; }
  // The record window last opened, while it is open.
  frmRecord* recordWindow() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Building (main_window_build.cpp): the setting rows from the settings table and the window's
  // table of places, the rest by hand.
  void buildTabs();
  void buildMainTab(QWidget* page);
  void buildSettingRow(QWidget* page, const Q6::SettingPlace& where);
  void buildCutAdjuster(QWidget* page);
  void buildLineFeedCount(QWidget* page);
  void buildTestsTab(QWidget* page);
  void buildRecordButton(QWidget* page);  // main_window_record.cpp
  void connectHandlers();
  // Fitting (main_window_fitting.cpp): a tab's texts are fitted to their boxes when the tab is
  // first shown, the Main tab before the window is first painted.
  void fitTab(int index);
  bool tabFitted(const QWidget* page) const;
  void loadLinkSettings(bool reportProblem = true);
  void makeListsDeliberate();
  void useDropDownStyle(QComboBox* list);
  void addTabSwitchKeys();
  void describeForScreenReaders();
  // One exchange over scm_comms, written into the record as the note says.
  void send(const Q6::CommandList& commands, Q6::ExchangeNote note);
  // Every setting list at "No Change" but the print columns, which the model profile sets.
  void resetSettingLists();
  // The test the button sends, as the printer-test table binds it to the button.
  void sendPrinterTest(const QPushButton* button);
  // What the presets window is given: the lists a preset sets, in file order.
  std::array<QComboBox*, Q6::kPresetListCount> presetLists() const;
  Q6::PresetListCounts presetListCounts() const;
  void applyPreset(const Q6::PresetValues& values);

  frmPort* m_portWindow = nullptr;
  frmPresets* m_presetsWindow = nullptr;
  QPointer<frmRecord> m_recordWindow;
  QStyle* m_dropDownStyle = nullptr;  // made on first use of a list
  bool m_dragging = false;            // a press on the diagram started a drag
  // Title and help label of every setting row, each tab's rows top down.
  std::vector<std::pair<QLabel*, QLabel*>> m_settingRows;
  std::vector<bool> m_tabFitted;  // by tab index
  // The window's pictures, decoded beside the building; only while the window is being made.
  std::unique_ptr<Q6::PicturesAhead> m_pictures;
};
