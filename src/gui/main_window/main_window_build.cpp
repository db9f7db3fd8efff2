// How the main window builds itself: the tabs from the settings table and the window's own table
// of places, the room help texts get, and what makes the window easy to use by keyboard and wheel
// (what a screen reader hears is in main_window_access.cpp). The handlers live in main_window.cpp.
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QShortcut>
#include <QStyleFactory>
#include <QTabWidget>

#include <algorithm>
#include <cstring>

#include "core/printer/diagnostic_table.h"
#include "core/settings/settings_table.h"
#include "gui/common/dialog_keys.h"
#include "gui/common/pictures_ahead.h"
#include "gui/common/translation.h"
#include "gui/common/wheel_guard.h"
#include "gui/cut_position/cut_diagram.h"
#include "gui/layout/layout_kit.h"
#include "gui/main_window/main_window.h"
#include "gui/main_window/main_window_layout.h"
#include "gui/main_window/main_window_texts.h"

using namespace Q6::Layout;

namespace {

QRect pageRect(int left, int top, int width, int height) {
  return twipsRect(left, top - Q6::kTabRowTwips, width, height);
}

}  // namespace

QRect Q6::printerPictureRect() {
  return pageRect(240, 480, 2415, 2055);
}

namespace {

// The notes beside the action buttons get room for a second line, should the face need it.
constexpr int kActionNoteHeight = 450;

// The test buttons stand in a grid of 1380 x 300 twips (and one row of 360); drawn at the full
// 1395 x 315 they would overlap their neighbours by a pixel. The right-hand column has no
// neighbour, so it gets the full width, and more when a caption needs it.
constexpr int kTestButtonWidth = 1335;
constexpr int kTestButtonHeight = 300;
constexpr int kTestRightColumn = 6240;
constexpr int kTestRightEdge = 6240 + 1395;

// Most styles open a list over its current entry and as tall as all its entries, which puts the
// 43 code pages over the whole screen. As a drop-down under the list it keeps to maxVisibleItems
// and scrolls.
class DropDownListStyle : public QProxyStyle {
 public:
  explicit DropDownListStyle(QObject* owner)
      : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {
    setParent(owner);
  }
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_ComboBox_Popup) {
      return 0;
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

// A plain widget is told to screen readers as a "filler"; the main window is a frame.
QAccessibleInterface* mainWindowAccessible(const QString& key, QObject* object) {
  if (key == QLatin1String("frmMain") && object != nullptr && object->isWidgetType()) {
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
  }
  return nullptr;
}

}  // namespace

void frmMain::buildTabs() {
  SSTab1 = new QTabWidget(this);
  SSTab1->setObjectName(QStringLiteral("SSTab1"));
  SSTab1->setGeometry(0, 0, px(7875), px(5415));
  SSTab1->setUsesScrollButtons(false);
  const QString captions[] = {tr("Main"),       tr("General"),   tr("Quality"), tr("Tickets"),
                              tr("Characters"), tr("Emulation"), tr("Tests")};
  QWidget* pages[std::size(captions)];
  for (std::size_t i = 0; i < std::size(captions); ++i) {
    pages[i] = new QWidget;
    SSTab1->addTab(pages[i], captions[i]);
  }
  buildMainTab(pages[0]);
  buildRecordButton(pages[0]);
  for (const Q6::SettingPlace& place : Q6::settingPlaces()) {
    buildSettingRow(pages[place.tab], place);
  }
  buildTestsTab(pages[6]);
  SSTab1->setCurrentIndex(0);
  m_tabFitted.assign(std::size(captions), false);
  connect(SSTab1, &QTabWidget::currentChanged, this, &frmMain::fitTab);
}

// A bold title with its help text under it, and the setting's list in the right-hand column.
void frmMain::buildSettingRow(QWidget* page, const Q6::SettingPlace& where) {
  const Q6::SettingRow& setting = Q6::settingOf(where);
  const auto [title, help] =
      labelledRow(page, Q6::kTabRowTwips, where.top, where.helpBottom, where.titleName,
                  Q6::shown(Q6::kSettingsContext, QString::fromUtf8(setting.caption)),
                  where.helpName, where.helpText ? tr(where.helpText) : QString());
  this->*(where.title) = title;
  this->*(where.help) = help;
  m_settingRows.emplace_back(title, help);
  QComboBox* box = nullptr;
  if (where.list) {
    box = rowList(page, Q6::kTabRowTwips, where.listTop, where.control,
                  Q6::shownEntries(Q6::firstEntries(where)));
    if (where.toolTip) {
      box->setToolTip(tr(where.toolTip));
    }
    this->*(where.list) = box;
  }
  // The QLX500 profile shows its own settings.
  if (setting.qlx500Only) {
    for (QWidget* w :
         {static_cast<QWidget*>(title), static_cast<QWidget*>(help), static_cast<QWidget*>(box)}) {
      if (w) {
        w->hide();
      }
    }
  }
  switch (where.extra) {
    case Q6::RowExtra::None:
      break;
    case Q6::RowExtra::CutAdjuster:
      buildCutAdjuster(page);
      break;
    case Q6::RowExtra::LineFeedCount:
      buildLineFeedCount(page);
      break;
  }
}

void frmMain::buildLineFeedCount(QWidget* page) {
  txtContFeeds = place(new QLineEdit(QStringLiteral("2"), page), "txtContFeeds",
                       pageRect(5640, 4500, 495, 315));
  txtContFeeds->setEnabled(false);
  labContFeeds = label(page, "labContFeeds",
                       Q6::shown(Q6::kSettingsContext,
                                 QString::fromUtf8(Q6::settingWithControl("txtContFeeds").caption)),
                       pageRect(6240, 4560, 1515, 480));
  setTextColour(labContFeeds, Q6::kDisabledCaptionColour);
}

void frmMain::buildCutAdjuster(QWidget* page) {
  chk_AdjustCutPos = place(new QCheckBox(tr("Adjust Cut Position"), page), "chk_AdjustCutPos",
                           pageRect(3240, 2160, 2400, 315));
  chk_AdjustCutPos->setFont(faceFont(page->font(), Face::Bold825));
  Picture1 = place(new CutDiagram(page), "Picture1", pageRect(5760, 1200, 1950, 1515));
  Picture1->setEnabled(false);
  txtCutOffset = place(new QLineEdit(page), "txtCutOffset", pageRect(5760, 2760, 1935, 285));
  txtCutOffset->setEnabled(false);
  txtCutOffset->installEventFilter(this);
}
void frmMain::buildMainTab(QWidget* page) {
  static const bool roleKnown = (QAccessible::installFactory(mainWindowAccessible), true);
  Q_UNUSED(roleKnown);
  auto* printerPicture = new Q6::ScaledAheadLabel(page);
  imgPrinter = place<QLabel>(printerPicture, "imgPrinter", Q6::printerPictureRect());
  imgPrinter->setScaledContents(true);
  imgPrinter->setAccessibleName(QStringLiteral("Printer picture"));
  labTitle = label(page, "labTitle", tr("QLX500/600 Setup Utility"), pageRect(2760, 480, 3915, 375),
                   Face::Bold12);
  labTitle->setWordWrap(false);
  Picture2 = place(new QLabel(page), "Picture2", pageRect(6780, 540, 915, 555));
  Picture2->setAlignment(Qt::AlignCenter);
  Picture2->setAccessibleName(QStringLiteral("Vorla logo"));
  Label23 =
      label(page, "Label23", tr("Version:"), pageRect(2760, 1500, 795, 345), Face::Regular975);
  labVer = label(page, "labVer", QString(), pageRect(3540, 1500, 1515, 345), Face::Regular975);
  Label38 = label(page, "Label38", tr("Printer Model:"), pageRect(2760, 2220, 1335, 345),
                  Face::Regular975);
  cmbModel = place(new QComboBox(page), "cmbModel", pageRect(4080, 2160, 2295, 315));
  cmbModel->setEditable(false);
  // The printer picture shows the chosen model, and says so to a screen reader.
  connect(cmbModel, &QComboBox::currentTextChanged, imgPrinter, [this](const QString& model) {
    imgPrinter->setAccessibleName(QStringLiteral("Printer picture: %1").arg(model));
  });

  // The four actions, each with its note beside it.
  const struct {
    QPushButton* frmMain::*button;
    const char* name;
    const char* caption;
    const char* toolTip;
    QLabel* frmMain::*note;
    const char* noteName;
    const char* noteText;
    int top;
  } actions[] = {
      {&frmMain::comConfPort, "comConfPort", QT_TR_NOOP("Communication"),
       QT_TR_NOOP("Setup the method of cummunication with your printer."), &frmMain::Label19,
       "Label19", QT_TR_NOOP("Click here first to establish communication with your printer."),
       2940},
      {&frmMain::Command4, "Command4", nullptr,
       QT_TR_NOOP("Print a self-test page on the connected printer."), &frmMain::Label21, "Label21",
       QT_TR_NOOP("Print a self-test. Check that communication settings are correct first."), 3420},
      {&frmMain::comUse, "comUse", QT_TR_NOOP("Use Settings"),
       QT_TR_NOOP("Send new settings to the connected printer."), &frmMain::Label22, "Label22",
       QT_TR_NOOP("Write current settings to your printer."), 3900},
      {&frmMain::comClearAll, "comClearAll", QT_TR_NOOP("Clear All Settings"), "",
       &frmMain::Label17, "Label17",
       QT_TR_NOOP("Clear all printer memory switch settings (factory default)"), 4380},
  };
  for (const auto& action : actions) {
    // The self-test button says what the test table calls the test.
    const QString caption =
        action.caption
            ? tr(action.caption)
            : Q6::shown(
                  Q6::kTestsContext,
                  QString::fromUtf8(Q6::printerTestOfButton(QLatin1String(action.name))->caption));
    this->*(action.button) =
        button(page, action.name, caption, pageRect(360, action.top, 2115, 435), Face::Bold975,
               *action.toolTip ? tr(action.toolTip) : QString());
    this->*(action.note) = label(page, action.noteName, tr(action.noteText),
                                 pageRect(2640, action.top + 120, 5055, kActionNoteHeight));
  }
  // The presets are reached only from code: the button and its label stay hidden.
  comPresets = button(page, "comPresets", tr("Presets"), pageRect(1140, 4740, 1272, 312),
                      Face::Normal, tr("Select a preset configuration"));
  comPresets->hide();
  Label20 = label(page, "Label20", tr("Click here to use a preset printer mode."),
                  pageRect(240, 4800, 4815, 255));
  Label20->hide();

  // The link component is used only through its operations here; its panel belongs to the
  // communication settings window.
  scm_comms = place(new Orvanel::Quenlink(page), "scm_comms", pageRect(300, 540, 3825, 1560));
  scm_comms->showspooler = true;
  scm_comms->showtcpip = true;
  scm_comms->showfile = true;
  scm_comms->hide();

  imgQLX600 = place(new QLabel(page), "imgQLX600", QRect(0, 0, 200, 165));
  // The printer picture shows one of the two; each is scaled for it beside the building.
  QPixmap shown;
  imgQLX600->setPixmap(m_pictures->take(QLatin1String(Q6::kQLX600Picture), &shown));
  static_cast<Q6::ScaledAheadLabel*>(imgPrinter)->addScaled(imgQLX600->pixmap(), shown);
  imgQLX600->setAccessibleName(QStringLiteral("Vorla QLX600 printer"));
  imgQLX600->hide();
  imgQLX500 = place(new QLabel(page), "imgQLX500", QRect(0, 0, 249, 200));
  imgQLX500->setPixmap(m_pictures->take(QLatin1String(Q6::kQLX500Picture), &shown));
  static_cast<Q6::ScaledAheadLabel*>(imgPrinter)->addScaled(imgQLX500->pixmap(), shown);
  imgQLX500->setAccessibleName(QStringLiteral("Vorla QLX500 printer"));
  imgQLX500->hide();
}

void frmMain::buildTestsTab(QWidget* page) {
  // What each button says comes from the test table; where it stands is the window's.
  const auto testButton = [page](const char* name, int left, int top,
                                 int width = kTestButtonWidth) {
    const Q6::PrinterTest* test = Q6::printerTestOfButton(QLatin1String(name));
    return button(page, name,
                  test ? Q6::shown(Q6::kTestsContext, QString::fromUtf8(test->caption)) : QString(),
                  pageRect(left, top, width, kTestButtonHeight));
  };
  Label33 = label(page, "Label33", tr("Black Mark Ticket Test"), pageRect(240, 480, 4575, 315),
                  Face::Bold975);
  Label32 = label(page, "Label32",
                  tr("This button will print a small test of three tickets. Please "
                     "note that you must have already turned on black mark sensing "
                     "(Set 'Start Position Detect' to On), and you must have suitable "
                     "ticket paper (with black sensor marks printed on the reverse "
                     "side)."),
                  pageRect(240, 720, 5160, 1680 - 720));
  butTicketTest = testButton("butTicketTest", 5520, 720, 2115);
  Label39 =
      label(page, "Label39", tr("Hardware Tests"), pageRect(240, 1680, 4575, 315), Face::Bold975);
  Label40 = label(page, "Label40", tr("Pheripheral device test (using default pulse time):"),
                  pageRect(240, 1920, 4500, 255));
  butCDrawer1 = testButton("butCDrawer1", 4860, 1860);
  butCDrawer2 = testButton("butCDrawer2", kTestRightColumn, 1860);
  Label41 = label(page, "Label41", tr("Paper Feed Tests:"), pageRect(240, 2280, 3120, 255));
  butLineFeed = testButton("butLineFeed", 3480, 2220);
  butFormFeed = testButton("butFormFeed", 4860, 2220);
  butfeedlength = testButton("butfeedlength", kTestRightColumn, 2220);
  Label42 = label(page, "Label42", tr("Autocutter Tests:"), pageRect(240, 2640, 3120, 255));
  butFullCut = testButton("butFullCut", 4860, 2580);
  Command3 = testButton("Command3", kTestRightColumn, 2580);
  Command8 = testButton("Command8", 4860, 2880);
  Command9 = testButton("Command9", kTestRightColumn, 2880);
  Label43 = label(page, "Label43", tr("Print Tests:"), pageRect(240, 3300, 3120, 255));
  butPrintCharSet = testButton("butPrintCharSet", kTestRightColumn, 3240);

  // The right-hand column ends level with the ticket test button, or further right when a caption
  // needs it, up to the edge of the lists on the other tabs.
  QPushButton* const rightColumn[] = {butCDrawer2, butfeedlength, Command3, Command9,
                                      butPrintCharSet};
  const QFontMetrics metrics(page->font());
  int rightEdge = px(kTestRightEdge);
  for (const QPushButton* b : rightColumn) {
    rightEdge =
        std::max(rightEdge, b->x() + metrics.horizontalAdvance(b->text()) + 2 * kButtonTextMargin);
  }
  rightEdge = std::min(rightEdge, px(kRowListLeft + kRowListWidth));
  for (QPushButton* b : rightColumn) {
    b->resize(rightEdge - b->x(), b->height());
  }
  butTicketTest->resize(rightEdge - butTicketTest->x(), butTicketTest->height());
}

void frmMain::connectHandlers() {
  const auto onSelect = [this](QComboBox* list, void (frmMain::*handler)()) {
    connect(list, &QComboBox::currentIndexChanged, this, handler);
  };
  onSelect(cmbModel, &frmMain::cmbModel_Click);
  onSelect(comSpeed, &frmMain::comSpeed_Click);
  onSelect(comContextCut, &frmMain::comContextCut_Click);

  connect(chk_AdjustCutPos, &QCheckBox::toggled, this, &frmMain::chk_AdjustCutPos_Click);
  connect(txtCutOffset, &QLineEdit::returnPressed, this, &frmMain::txtCutOffset_Validate);
  connect(Picture1, &CutDiagram::mouseDown, this, &frmMain::Picture1_MouseDown);
  connect(Picture1, &CutDiagram::mouseMove, this, &frmMain::Picture1_MouseMove);
  connect(Picture1, &CutDiagram::mouseUp, this, &frmMain::Picture1_MouseUp);

  const auto onClick = [this](QPushButton* b, void (frmMain::*handler)()) {
    connect(b, &QPushButton::clicked, this, handler);
  };
  onClick(comUse, &frmMain::comUse_Click);
  onClick(comClearAll, &frmMain::comClearAll_Click);
  onClick(comConfPort, &frmMain::comConfPort_Click);
  onClick(comPresets, &frmMain::comPresets_Click);
  onClick(Command4, &frmMain::Command4_Click);
  onClick(butLineFeed, &frmMain::butLineFeed_Click);
  onClick(butFormFeed, &frmMain::butFormFeed_Click);
  onClick(butfeedlength, &frmMain::butfeedlength_Click);
  onClick(butFullCut, &frmMain::butFullCut_Click);
  onClick(Command3, &frmMain::Command3_Click);
  onClick(Command8, &frmMain::Command8_Click);
  onClick(Command9, &frmMain::Command9_Click);
  onClick(butCDrawer1, &frmMain::butCDrawer1_Click);
  onClick(butCDrawer2, &frmMain::butCDrawer2_Click);
  onClick(butPrintCharSet, &frmMain::butPrintCharSet_Click);
  onClick(butTicketTest, &frmMain::butTicketTest_Click);
}

// A setting changes only when the operator means it: the wheel turns a list only once the list
// has the focus (scrolling over the window changes nothing), and Enter presses the focused button
// as Space does.
void frmMain::makeListsDeliberate() {
  for (QComboBox* list : findChildren<QComboBox*>()) {
    Q6::turnOnlyWhenFocused(list);
    list->installEventFilter(this);  // the drop-down style, put on when a list is first used
  }
  Q6::useDialogKeys(this, nullptr);
}

void frmMain::useDropDownStyle(QComboBox* list) {
  if (!m_dropDownStyle) {
    m_dropDownStyle = new DropDownListStyle(this);
  }
  if (list->style() != m_dropDownStyle) {
    list->setStyle(m_dropDownStyle);
  }
}

// The usual keys for the next and previous tab, wherever the focus is in the window; a focused
// list would otherwise take Ctrl+PageDown as a change of its own setting.
void frmMain::addTabSwitchKeys() {
  const struct {
    QKeyCombination keys;
    int step;
  } bindings[] = {
      {Qt::CTRL | Qt::Key_PageDown, 1},
      {Qt::CTRL | Qt::Key_PageUp, -1},
      {Qt::CTRL | Qt::Key_Tab, 1},
      {Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, -1},
      {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, -1},
  };
  for (const auto& binding : bindings) {
    auto* shortcut = new QShortcut(QKeySequence(binding.keys), this);
    shortcut->setContext(Qt::WindowShortcut);
    const int step = binding.step;
    connect(shortcut, &QShortcut::activated, this, [this, step] {
      const int count = SSTab1->count();
      SSTab1->setCurrentIndex((SSTab1->currentIndex() + step + count) % count);
    });
  }
}
