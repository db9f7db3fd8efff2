#include "main_window/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStyleFactory>
#include <QTabWidget>
#include <QWheelEvent>

#include <algorithm>
#include <exception>
#include <optional>

#include "common/message_box.h"
#include "common/number_text.h"
#include "cut_position/cut_diagram.h"
#include "cut_position/cut_offset.h"
#include "link/comm_settings_window.h"
#include "link/link_error.h"
#include "main_window/window_content.h"
#include "presets/presets_window.h"
#include "printer_tests/test_commands.h"
#include "settings/clear_all.h"
#include "version.h"

// The resources live in the static library; naming them here makes the linker keep them.
static void loadResources() {
  Q_INIT_RESOURCE(resources);
}

namespace {

// The layout is drawn in twips, 15 to a pixel.
constexpr int kTwipsPerPixel = 15;
// Tops inside a tab are measured from the top of the tab control, tab row included; a Qt page
// starts below its tab row, so the row is taken off.
constexpr int kTabRowTwips = 360;

constexpr int kWindowWidth = 7875 / kTwipsPerPixel;   // 525
constexpr int kWindowHeight = 5430 / kTwipsPerPixel;  // 362

// Setting rows: title and help text on the left, the list in a right-hand column.
constexpr int kRowLeft = 240;
constexpr int kTitleWidth = 4575;
constexpr int kTitleHeight = 315;
constexpr int kTitleToHelp = 240;
// A few pixels short of the list column, so that a full line of help never touches the list.
constexpr int kHelpWidth = 5340;
constexpr int kListLeft = 5640;
constexpr int kListWidth = 2112;
constexpr int kListHeight = 315;
// Where the last help text of a tab may end.
constexpr int kPageBottom = 5280;
// A help text that needs another line may push the rows under it down by this much; further, a
// title would no longer stand level with its list.
constexpr int kMostRowShiftPixels = 5;

// The notes beside the action buttons get room for a second line, should the face need it.
constexpr int kActionNoteHeight = 450;

// The test buttons stand in a grid of 1380 x 300 twips (and one row of 360); drawn at the full
// 1395 x 315 they would overlap their neighbours by a pixel. The right-hand column has no
// neighbour, so it gets the full width, and more when a caption needs it.
constexpr int kTestButtonWidth = 1335;
constexpr int kTestButtonHeight = 300;
constexpr int kTestRightColumn = 6240;
constexpr int kTestRightEdge = 6240 + 1395;

// The caption of a disabled line-feed count: the desktop's application-workspace grey.
const QColor kApplicationWorkspaceGrey(0xAB, 0xAB, 0xAB);
const QColor kBlack(0, 0, 0);

const QString kModelGroup = QStringLiteral("Printer");
const QString kModelName = QStringLiteral("Model");
const QString kModelKey = kModelGroup + QLatin1Char('/') + kModelName;

int px(int twips) {
  return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

QRect pageRect(int left, int top, int width, int height) {
  return {px(left), px(top - kTabRowTwips), px(width), px(height)};
}

enum class Face { Normal, Bold975, Regular975, Bold12, Bold825 };

QFont faceFont(const QFont& base, Face face) {
  QFont font = base;
  switch (face) {
    case Face::Normal:
      break;
    case Face::Bold975:
      font.setBold(true);
      font.setPointSizeF(9.75);
      break;
    case Face::Regular975:
      font.setPointSizeF(9.75);
      break;
    case Face::Bold12:
      font.setBold(true);
      font.setPointSizeF(12);
      break;
    case Face::Bold825:
      font.setBold(true);
      font.setPointSizeF(8.25);
      break;
  }
  return font;
}

// The positions were drawn for a narrow 8.25 point sans serif. The window asks for a face of
// Arial's widths and falls back to the desktop's; fitText() deals with a face that is wider still.
QFont windowFont() {
  QFont font = QGuiApplication::font();
  font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                    QStringLiteral("Helvetica"), font.family()});
  font.setPointSizeF(8.25);
  return font;
}

// Room a button caption keeps from each side of the frame.
constexpr int kButtonTextMargin = 4;

bool textFits(const QWidget* widget) {
  if (const auto* label = qobject_cast<const QLabel*>(widget)) {
    if (label->text().isEmpty()) {
      return true;  // a picture is scaled to its frame
    }
    if (label->wordWrap()) {
      // Most captions take one line; measuring that is far cheaper than laying out the wrap.
      const QFontMetrics metrics = label->fontMetrics();
      const QRect room = label->contentsRect();
      if (metrics.height() <= room.height() &&
          metrics.horizontalAdvance(label->text()) <= room.width()) {
        return true;
      }
      return label->heightForWidth(label->width()) <= label->height();
    }
    const QSize hint = label->sizeHint();
    return hint.width() <= label->width() && hint.height() <= label->height();
  }
  // Buttons and the check box: the caption on one line, clear of the frame or the indicator.
  const auto* button = qobject_cast<const QAbstractButton*>(widget);
  if (!button) {
    return true;
  }
  const int room = qobject_cast<const QCheckBox*>(button) ? button->width() - 22
                                                          : button->width() - 2 * kButtonTextMargin;
  return button->fontMetrics().horizontalAdvance(button->text()) <= room;
}

const char* const kDesignFont = "q6DesignFont";

// Puts back the face the widget was built with. A widget that fitText() never made smaller still
// has it and is left alone: setting a font costs a round of font and layout events per widget,
// about half the window's build time when done for every control.
QFont restoreDesignFont(QWidget* widget) {
  const QVariant design = widget->property(kDesignFont);
  if (!design.isValid()) {
    return widget->font();
  }
  const QFont font = design.value<QFont>();
  if (widget->font() != font) {
    widget->setFont(font);
  }
  return font;
}

// The boxes are fixed, so a text that would be clipped with the desktop's face is drawn a little
// smaller instead, down to a size that is still readable.
void fitText(QWidget* widget) {
  constexpr double kSmallestPoints = 6.5;
  constexpr double kStep = 0.25;
  QFont font = restoreDesignFont(widget);
  if (textFits(widget)) {
    return;
  }
  if (!widget->property(kDesignFont).isValid()) {
    widget->setProperty(kDesignFont, font);
  }
  while (!textFits(widget) && font.pointSizeF() - kStep >= kSmallestPoints) {
    font.setPointSizeF(font.pointSizeF() - kStep);
    widget->setFont(font);
  }
}

template <typename Widget>
Widget* place(Widget* widget, const char* name, const QRect& geometry) {
  widget->setObjectName(QLatin1String(name));
  widget->setGeometry(geometry);
  return widget;
}

QLabel* label(QWidget* page, const char* name, const QString& text, const QRect& geometry,
              Face face = Face::Normal) {
  auto* l = place(new QLabel(text, page), name, geometry);
  l->setWordWrap(true);
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  if (face != Face::Normal) {
    l->setFont(faceFont(page->font(), face));
  }
  return l;
}

QPushButton* button(QWidget* page, const char* name, const QString& text, const QRect& geometry,
                    Face face = Face::Normal, const QString& toolTip = {}) {
  auto* b = place(new QPushButton(text, page), name, geometry);
  if (face != Face::Normal) {
    b->setFont(faceFont(page->font(), face));
  }
  b->setToolTip(toolTip);
  return b;
}

// Fills a list without selecting anything, as a freshly filled list starts: the first selection
// made afterwards is then a real change and runs the list's reaction.
void refill(QComboBox* list, const QStringList& entries) {
  const QSignalBlocker quiet(list);
  list->clear();
  list->addItems(entries);
  list->setCurrentIndex(-1);
}

QComboBox* list(QWidget* page, const char* name, const QStringList& entries, int top) {
  auto* l = place(new QComboBox(page), name, pageRect(kListLeft, top, kListWidth, kListHeight));
  l->setEditable(false);
  l->setMaxVisibleItems(16);
  refill(l, entries);
  return l;
}

// A bold title with its help text under it; the help text may run down to helpBottom.
void settingRow(std::vector<std::pair<QLabel*, QLabel*>>& rows, QWidget* page, QLabel*& title,
                const char* titleName, const QString& titleText, int titleTop, QLabel*& help,
                const char* helpName, const QString& helpText, int helpBottom) {
  title = label(page, titleName, titleText, pageRect(kRowLeft, titleTop, kTitleWidth, kTitleHeight),
                Face::Bold975);
  const int helpTop = titleTop + kTitleToHelp;
  help = label(page, helpName, helpText,
               pageRect(kRowLeft, helpTop, kHelpWidth, helpBottom - helpTop));
  rows.emplace_back(title, help);
}

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

QString withoutColon(QString text) {
  if (text.endsWith(QLatin1Char(':'))) {
    text.chop(1);
  }
  return text;
}

void setTextColour(QLabel* label, const QColor& colour) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
}

}  // namespace

frmMain::frmMain(QWidget* parent) : QWidget(parent) {
  loadResources();
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("QLX600/500 Configuration Utility"));
  setWindowIcon(QIcon(QStringLiteral(":/q6config.png")));
  setFont(windowFont());
  setFixedSize(kWindowWidth, kWindowHeight);

  SSTab1 = new QTabWidget(this);
  SSTab1->setObjectName(QStringLiteral("SSTab1"));
  SSTab1->setGeometry(0, 0, px(7875), px(5415));
  SSTab1->setUsesScrollButtons(false);
  const QString captions[] = {QStringLiteral("Main"),       QStringLiteral("General"),
                              QStringLiteral("Quality"),    QStringLiteral("Tickets"),
                              QStringLiteral("Characters"), QStringLiteral("Emulation"),
                              QStringLiteral("Tests")};
  QWidget* pages[7];
  for (int i = 0; i < 7; ++i) {
    pages[i] = new QWidget;
    SSTab1->addTab(pages[i], captions[i]);
  }
  buildMainTab(pages[0]);
  buildGeneralTab(pages[1]);
  buildQualityTab(pages[2]);
  buildTicketsTab(pages[3]);
  buildCharactersTab(pages[4]);
  buildEmulationTab(pages[5]);
  buildTestsTab(pages[6]);
  SSTab1->setCurrentIndex(0);

  connectHandlers();
  makeListsDeliberate();
  addTabSwitchKeys();
  Form_Load();
  makeRoomForHelpTexts();
  for (QWidget* w : findChildren<QWidget*>()) {
    fitText(w);
  }
  describeForScreenReaders();

  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

frmMain::~frmMain() {
  // Children go after this part of the object; a late focus change must not reach the handlers.
  txtCutOffset->removeEventFilter(this);
  // The presets window is a window of its own, not a child of this one.
  delete m_presetsWindow;
}

void frmMain::buildMainTab(QWidget* page) {
  imgPrinter = place(new QLabel(page), "imgPrinter", pageRect(240, 480, 2415, 2055));
  imgPrinter->setScaledContents(true);
  labTitle = label(page, "labTitle", QStringLiteral("QLX500/600 Setup Utility"),
                   pageRect(2760, 480, 3915, 375), Face::Bold12);
  labTitle->setWordWrap(false);
  Picture2 = place(new QLabel(page), "Picture2", pageRect(6780, 540, 915, 555));
  Picture2->setAlignment(Qt::AlignCenter);
  Label23 = label(page, "Label23", QStringLiteral("Version:"), pageRect(2760, 1500, 795, 345),
                  Face::Regular975);
  labVer = label(page, "labVer", QString(), pageRect(3540, 1500, 1515, 345), Face::Regular975);
  Label38 = label(page, "Label38", QStringLiteral("Printer Model:"),
                  pageRect(2760, 2220, 1335, 345), Face::Regular975);
  cmbModel = place(new QComboBox(page), "cmbModel", pageRect(4080, 2160, 2295, 315));
  cmbModel->setEditable(false);

  comConfPort =
      button(page, "comConfPort", QStringLiteral("Communication"), pageRect(360, 2940, 2115, 435),
             Face::Bold975, QStringLiteral("Setup the method of cummunication with your printer."));
  Label19 = label(page, "Label19",
                  QStringLiteral("Click here first to establish communication with your printer."),
                  pageRect(2640, 3060, 5055, kActionNoteHeight));
  Command4 =
      button(page, "Command4", QStringLiteral("Print Self Test"), pageRect(360, 3420, 2115, 435),
             Face::Bold975, QStringLiteral("Print a self-test page on the connected printer."));
  Label21 = label(page, "Label21",
                  QStringLiteral("Print a self-test. Check that communication settings are "
                                 "correct first."),
                  pageRect(2640, 3540, 5055, kActionNoteHeight));
  comUse = button(page, "comUse", QStringLiteral("Use Settings"), pageRect(360, 3900, 2115, 435),
                  Face::Bold975, QStringLiteral("Send new settings to the connected printer."));
  Label22 = label(page, "Label22", QStringLiteral("Write current settings to your printer."),
                  pageRect(2640, 4020, 5055, kActionNoteHeight));
  comClearAll = button(page, "comClearAll", QStringLiteral("Clear All Settings"),
                       pageRect(360, 4380, 2115, 435), Face::Bold975);
  Label17 = label(page, "Label17",
                  QStringLiteral("Clear all printer memory switch settings (factory default)"),
                  pageRect(2640, 4500, 5055, kActionNoteHeight));
  // The presets are reached only from code: the button and its label stay hidden.
  comPresets =
      button(page, "comPresets", QStringLiteral("Presets"), pageRect(1140, 4740, 1272, 312),
             Face::Normal, QStringLiteral("Select a preset configuration"));
  comPresets->hide();
  Label20 = label(page, "Label20", QStringLiteral("Click here to use a preset printer mode."),
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
  imgQLX600->setPixmap(QPixmap(QStringLiteral(":/qlx600.png")));
  imgQLX600->hide();
  imgQLX500 = place(new QLabel(page), "imgQLX500", QRect(0, 0, 249, 200));
  imgQLX500->setPixmap(QPixmap(QStringLiteral(":/qlx500.png")));
  imgQLX500->hide();
}

void frmMain::buildGeneralTab(QWidget* page) {
  settingRow(m_settingRows, page, Label2, "Label2",
             QStringLiteral("Action on form feed (<FF>) instruction"), 480, Label1, "Label1",
             QStringLiteral("Use this to define the behaviour of the printer on receiving a Form "
                            "Feed (<FF>) command."),
             1200);
  comFF = list(page, "comFF", Q6::Lists::comFF(), 720);
  settingRow(m_settingRows, page, Label4, "Label4", QStringLiteral("Device ID"), 1200, Label3,
             "Label3",
             QStringLiteral("Turn on Device ID to make the printer automatically detectable by "
                            "Windows (Plug and Play)."),
             1920);
  comDeviceID = list(page, "comDeviceID", Q6::Lists::comDeviceID(), 1440);
  settingRow(m_settingRows, page, Label31, "Label31", QStringLiteral("<CR> Code"), 1920, Label30,
             "Label30",
             QStringLiteral("Some systems expect the <CR> code to perform a line feed. Enabling "
                            "this code could cause double spaced lines on systems that do not "
                            "require it."),
             2640);
  comCRcode = list(page, "comCRcode", Q6::Lists::comCRcode(), 2160);
  settingRow(m_settingRows, page, Label37, "Label37", QStringLiteral("Near End Paper Sensor"), 2640,
             Label36, "Label36",
             QStringLiteral("When the paper roll is nearly finished the printers error LED will "
                            "flash as a 'paper low' warning. This can be dissabled for rear fed "
                            "paper."),
             3360);
  comNESensor = list(page, "comNESensor", Q6::Lists::comNESensor(), 2880);
  settingRow(m_settingRows, page, labPWidthT, "labPWidthT", QStringLiteral("Paper Width"), 3360,
             labPWidth, "labPWidth",
             QStringLiteral("If using a paper roll width other than the default (80mm) it can be "
                            "selected here to ensure that the printer uses suitable margins."),
             4080);
  comPWidth = list(page, "comPWidth", Q6::Lists::comPWidthInitial(), 3600);
  labPWidthT->hide();
  labPWidth->hide();
  comPWidth->hide();
  settingRow(m_settingRows, page, labContextCutT, "labContextCutT",
             QStringLiteral("Contextual Auto Cut"), 4080, labContextCut, "labContextCut",
             QStringLiteral("If your existing software does not issue a cut command then you can "
                            "configure the printer to automatically cut on receipt of a series of "
                            "line feeds."),
             kPageBottom);
  comContextCut = list(page, "comContextCut", Q6::Lists::comContextCut(), 4140);
  txtContFeeds = place(new QLineEdit(QStringLiteral("2"), page), "txtContFeeds",
                       pageRect(5640, 4500, 495, 315));
  txtContFeeds->setEnabled(false);
  labContFeeds = label(page, "labContFeeds", QStringLiteral("No. of Line Feeds"),
                       pageRect(6240, 4560, 1515, 480));
  setTextColour(labContFeeds, kApplicationWorkspaceGrey);
}

void frmMain::buildQualityTab(QWidget* page) {
  settingRow(m_settingRows, page, Label10, "Label10", QStringLiteral("Default Print Density"), 480,
             Label9, "Label9",
             QStringLiteral("Set the default print density, may be required to improve quality on "
                            "thick or low quality paper."),
             1200);
  comDensity = list(page, "comDensity", {}, 720);
  settingRow(m_settingRows, page, Label12, "Label12", QStringLiteral("Print Speed"), 1200, Label11,
             "Label11",
             QStringLiteral("Print speed can be reduced to improve quality on very thick "
                            "paper/thin card or paper that is not sensitive enough for full speed "
                            "printing."),
             2100);
  comSpeed = list(page, "comSpeed", {}, 1440);
}

void frmMain::buildTicketsTab(QWidget* page) {
  settingRow(m_settingRows, page, Label14, "Label14", QStringLiteral("Start Position Detect"), 480,
             Label13, "Label13",
             QStringLiteral("Automaticaly locate the start of labels/tickets by detecting a black "
                            "mark. Cut position adjustment or printer calibration may be "
                            "required."),
             1200);
  comBMark = list(page, "comBMark", Q6::Lists::comBMark(), 720);
  settingRow(m_settingRows, page, Label27, "Label27", QStringLiteral("Cut Position Adjustment"),
             1200, Label26, "Label26",
             QStringLiteral("Adjust the cut position (relative to the black mark) by enableing the "
                            "'Adjust Cut Position' check box and clicking on the diagram or "
                            "entering a measurement in mm."),
             2160);
  chk_AdjustCutPos = place(new QCheckBox(QStringLiteral("Adjust Cut Position"), page),
                           "chk_AdjustCutPos", pageRect(3240, 2160, 2400, 315));
  chk_AdjustCutPos->setFont(faceFont(page->font(), Face::Bold825));
  Picture1 = place(new CutDiagram(page), "Picture1", pageRect(5760, 1200, 1950, 1515));
  Picture1->setEnabled(false);
  txtCutOffset = place(new QLineEdit(page), "txtCutOffset", pageRect(5760, 2760, 1935, 285));
  txtCutOffset->setEnabled(false);
  txtCutOffset->installEventFilter(this);
  settingRow(m_settingRows, page, Label29, "Label29", QStringLiteral("Top Search"), 3240,
             labTopSearchInfo, "labTopSearchInfo", QString(), kPageBottom);
  comTopSearch = list(page, "comTopSearch", Q6::Lists::comTopSearch(), 3480);
}

void frmMain::buildCharactersTab(QWidget* page) {
  settingRow(m_settingRows, page, Label6, "Label6", QStringLiteral("International Character Set"),
             480, Label5, "Label5",
             QStringLiteral("For Windows driver use this should normally be left set to 'USA'. "
                            "Older applications which communicate with the printer directyl (many "
                            "DOS applications) may require a different setting"),
             1380);
  comCharSet = list(page, "comCharSet", Q6::Lists::comCharSet(), 720);
  settingRow(m_settingRows, page, Label8, "Label8", QStringLiteral("Code Page"), 1380, Label7,
             "Label7",
             QStringLiteral("This should be set to the same code page that your application is "
                            "using, under Western versions of Windows this is 'CP1252 (Windows "
                            "Latin 1)'"),
             2100);
  comCPage = list(page, "comCPage", Q6::Lists::comCPage(), 1560);
  settingRow(m_settingRows, page, Label16, "Label16", QStringLiteral("Zero Style"), 2100, Label15,
             "Label15",
             QStringLiteral("Select the style of zero character used for resident printer fonts "
                            "(not Windows TrueType's)."),
             2820);
  comZStyle = list(page, "comZStyle", Q6::Lists::comZStyle(), 2280);
  settingRow(m_settingRows, page, Label24, "Label24", QStringLiteral("Line Spacing"), 2820, Label25,
             "Label25",
             QStringLiteral("Select the default line spacing for the printer's internal fonts.This "
                            "will not affect the line spacing when printing via the standard "
                            "Windows printer drivers."),
             3720);
  comLFeed = list(page, "comLFeed", Q6::Lists::comLFeed(), 3120);
  settingRow(m_settingRows, page, Label35, "Label35", QStringLiteral("Character Spacing"), 3720,
             Label34, "Label34",
             QStringLiteral("Select the character spacing of the printers internal font. The "
                            "default is 12 dot."),
             kPageBottom);
  comCSpacing = list(page, "comCSpacing", Q6::Lists::comCSpacing(), 4020);
}

void frmMain::buildEmulationTab(QWidget* page) {
  settingRow(m_settingRows, page, Label44, "Label44", QStringLiteral("ESC/POS Font Size"), 480,
             labEPFontSize, "labEPFontSize", QString(), 1440);
  cmbBigFont = list(page, "cmbBigFont", Q6::Lists::cmbBigFont(), 720);
  cmbBigFont->setToolTip(QStringLiteral("Enable/Disable ALP mode"));
  settingRow(m_settingRows, page, Label47, "Label47",
             QStringLiteral("ESC/POS Default Character Spacing"), 1440, labEPSpacing,
             "labEPSpacing", QString(), 2640);
  cmbEPSpacing = list(page, "cmbEPSpacing", Q6::Lists::cmbEPSpacing(), 1680);
  cmbEPSpacing->setToolTip(QStringLiteral("Enable/Disable ALP mode"));
  settingRow(m_settingRows, page, labESCPOSColumnsT, "labESCPOSColumnsT",
             QStringLiteral("ESC/POS Print Columns"), 2640, labESCPOSColumns, "labESCPOSColumns",
             QStringLiteral("In ESC/POS mode the default number of columns printed is reduced for "
                            "compatibility. Selecting 'Maximum' will enable the maximum possible "
                            "number of characters to be printed."),
             kPageBottom);
  comESCPOSColumns = list(page, "comESCPOSColumns", Q6::Lists::comESCPOSColumns(), 2940);
  labESCPOSColumnsT->hide();
  labESCPOSColumns->hide();
  comESCPOSColumns->hide();
}

void frmMain::buildTestsTab(QWidget* page) {
  const auto testButton = [page](const char* name, const QString& caption, int left, int top,
                                 int width = kTestButtonWidth) {
    return button(page, name, caption, pageRect(left, top, width, kTestButtonHeight));
  };
  Label33 = label(page, "Label33", QStringLiteral("Black Mark Ticket Test"),
                  pageRect(240, 480, 4575, 315), Face::Bold975);
  Label32 = label(page, "Label32",
                  QStringLiteral("This button will print a small test of three tickets. Please "
                                 "note that you must have already turned on black mark sensing "
                                 "(Set 'Start Position Detect' to On), and you must have suitable "
                                 "ticket paper (with black sensor marks printed on the reverse "
                                 "side)."),
                  pageRect(240, 720, 5160, 1680 - 720));
  butTicketTest = testButton("butTicketTest", QStringLiteral("Print Ticket Test"), 5520, 720, 2115);
  Label39 = label(page, "Label39", QStringLiteral("Hardware Tests"), pageRect(240, 1680, 4575, 315),
                  Face::Bold975);
  Label40 =
      label(page, "Label40", QStringLiteral("Pheripheral device test (using default pulse time):"),
            pageRect(240, 1920, 4500, 255));
  butCDrawer1 = testButton("butCDrawer1", QStringLiteral("Cash Drawer 1"), 4860, 1860);
  butCDrawer2 = testButton("butCDrawer2", QStringLiteral("Cash Drawer 2"), kTestRightColumn, 1860);
  Label41 =
      label(page, "Label41", QStringLiteral("Paper Feed Tests:"), pageRect(240, 2280, 3120, 255));
  butLineFeed = testButton("butLineFeed", QStringLiteral("Line Feed"), 3480, 2220);
  butFormFeed = testButton("butFormFeed", QStringLiteral("Form Feed"), 4860, 2220);
  butfeedlength = testButton("butfeedlength", QStringLiteral("Feed 5cm"), kTestRightColumn, 2220);
  Label42 =
      label(page, "Label42", QStringLiteral("Autocutter Tests:"), pageRect(240, 2640, 3120, 255));
  butFullCut = testButton("butFullCut", QStringLiteral("Full Cut"), 4860, 2580);
  Command3 = testButton("Command3", QStringLiteral("Partial Cut"), kTestRightColumn, 2580);
  Command8 = testButton("Command8", QStringLiteral("Feed + Full Cut"), 4860, 2880);
  Command9 = testButton("Command9", QStringLiteral("Feed + Partial Cut"), kTestRightColumn, 2880);
  Label43 = label(page, "Label43", QStringLiteral("Print Tests:"), pageRect(240, 3300, 3120, 255));
  butPrintCharSet =
      testButton("butPrintCharSet", QStringLiteral("Character Set"), kTestRightColumn, 3240);

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
  rightEdge = std::min(rightEdge, px(kListLeft + kListWidth));
  for (QPushButton* b : rightColumn) {
    b->resize(rightEdge - b->x(), b->height());
  }
  butTicketTest->resize(rightEdge - butTicketTest->x(), butTicketTest->height());
}

// The help boxes were drawn for a narrow face. A help text that needs another line with the
// desktop's face gets it by pushing the rows under it down a little; the lists and everything else
// stay where they are. A text that cannot get the room is drawn smaller by fitText() instead.
void frmMain::makeRoomForHelpTexts() {
  using Row = std::pair<QLabel*, QLabel*>;
  using Placement = std::vector<std::pair<QRect, QRect>>;  // title and help of each row
  const int pageBottom = pageRect(0, kPageBottom, 0, 0).top();
  auto first = m_settingRows.begin();
  while (first != m_settingRows.end()) {
    QWidget* page = first->first->parentWidget();
    const auto end = std::find_if(first, m_settingRows.end(), [page](const Row& row) {
      return row.first->parentWidget() != page;
    });
    const std::vector<Row> rows(first, end);
    first = end;

    std::vector<QWidget*> others;
    for (QWidget* w : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (std::none_of(rows.begin(), rows.end(),
                       [w](const Row& row) { return row.first == w || row.second == w; })) {
        others.push_back(w);
      }
    }
    const auto runsInto = [&others](const QRect& before, const QRect& after) {
      return std::any_of(others.begin(), others.end(), [&](const QWidget* w) {
        return after.intersects(w->geometry()) && !before.intersects(w->geometry());
      });
    };
    std::vector<int> needed;
    for (const Row& row : rows) {
      restoreDesignFont(row.second);
      needed.push_back(row.second->heightForWidth(row.second->width()));
    }

    // Where the rows go when those marked in `grow` get all the height their text needs; nothing
    // when that would move a row too far or run into another control or off the page.
    const auto arrange = [&](const std::vector<bool>& grow) -> std::optional<Placement> {
      Placement placement;
      int shift = 0;
      for (std::size_t i = 0; i < rows.size(); ++i) {
        if (shift > kMostRowShiftPixels) {
          return std::nullopt;
        }
        const QRect title = rows[i].first->geometry();
        const QRect help = rows[i].second->geometry();
        const int top = help.top() + shift;
        const int height = grow[i] ? needed[i] : std::min(needed[i], help.height());
        const int bottom = std::max(help.bottom() + 1, top + height);
        const QRect movedTitle = title.translated(0, shift);
        const QRect movedHelp(help.left(), top, help.width(), bottom - top);
        if (runsInto(title, movedTitle) || runsInto(help, movedHelp) ||
            (bottom > help.bottom() + 1 && bottom > pageBottom)) {
          return std::nullopt;
        }
        placement.emplace_back(movedTitle, movedHelp);
        shift = bottom - (help.bottom() + 1);
      }
      return placement;
    };
    std::vector<bool> grow(rows.size(), false);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (needed[i] > rows[i].second->height()) {
        grow[i] = true;
        grow[i] = arrange(grow).has_value();
      }
    }
    const Placement placement = *arrange(grow);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      rows[i].first->setGeometry(placement[i].first);
      rows[i].second->setGeometry(placement[i].second);
    }
  }
}

// A setting changes only when the operator means it: the wheel turns a list only once the list
// has the focus (scrolling over the window changes nothing), and Enter presses the focused button
// as Space does.
void frmMain::makeListsDeliberate() {
  for (QComboBox* list : findChildren<QComboBox*>()) {
    list->setFocusPolicy(Qt::StrongFocus);
    list->installEventFilter(this);
  }
  for (QPushButton* b : findChildren<QPushButton*>()) {
    b->setAutoDefault(true);
  }
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

// A screen reader announces each list by its title and reads its help text as the description;
// buttons carry their caption and the note beside them.
void frmMain::describeForScreenReaders() {
  const std::pair<QComboBox*, std::pair<QLabel*, QLabel*>> lists[] = {
      {comFF, {Label2, Label1}},
      {comDeviceID, {Label4, Label3}},
      {comCRcode, {Label31, Label30}},
      {comNESensor, {Label37, Label36}},
      {comPWidth, {labPWidthT, labPWidth}},
      {comContextCut, {labContextCutT, labContextCut}},
      {comDensity, {Label10, Label9}},
      {comSpeed, {Label12, Label11}},
      {comBMark, {Label14, Label13}},
      {comTopSearch, {Label29, labTopSearchInfo}},
      {comCharSet, {Label6, Label5}},
      {comCPage, {Label8, Label7}},
      {comZStyle, {Label16, Label15}},
      {comLFeed, {Label24, Label25}},
      {comCSpacing, {Label35, Label34}},
      {cmbBigFont, {Label44, labEPFontSize}},
      {cmbEPSpacing, {Label47, labEPSpacing}},
      {comESCPOSColumns, {labESCPOSColumnsT, labESCPOSColumns}},
  };
  // On Linux a list's own accessible name is its current entry; readers announce the title
  // through the label relation, which the buddy gives. Elsewhere the name is the title.
  for (const auto& [list, labels] : lists) {
    labels.first->setBuddy(list);
    list->setAccessibleName(labels.first->text());
    list->setAccessibleDescription(labels.second->text());
  }
  Label38->setBuddy(cmbModel);
  cmbModel->setAccessibleName(withoutColon(Label38->text()));
  cmbModel->setAccessibleDescription(QStringLiteral("The printer model the lists are offered for"));

  const std::pair<QPushButton*, QLabel*> buttons[] = {
      {comConfPort, Label19},     {Command4, Label21},      {comUse, Label22},
      {comClearAll, Label17},     {comPresets, Label20},    {butTicketTest, Label32},
      {butCDrawer1, Label40},     {butCDrawer2, Label40},   {butLineFeed, Label41},
      {butFormFeed, Label41},     {butfeedlength, Label41}, {butFullCut, Label42},
      {Command3, Label42},        {Command8, Label42},      {Command9, Label42},
      {butPrintCharSet, Label43},
  };
  for (const auto& [b, note] : buttons) {
    b->setAccessibleName(b->text());
    b->setAccessibleDescription(withoutColon(note->text()));
  }

  chk_AdjustCutPos->setAccessibleName(chk_AdjustCutPos->text());
  chk_AdjustCutPos->setAccessibleDescription(Label26->text());
  Picture1->setAccessibleName(QStringLiteral("Cut position diagram"));
  Picture1->setAccessibleDescription(
      QStringLiteral("Click or drag on the ticket to move the cut position; the offset from the "
                     "black mark is shown in the box below."));
  txtCutOffset->setAccessibleName(QStringLiteral("Cut position offset in mm"));
  txtCutOffset->setAccessibleDescription(QStringLiteral(
      "Type the offset from the black mark in millimetres, then press Enter or leave the box."));
  txtContFeeds->setAccessibleName(labContFeeds->text());
  txtContFeeds->setAccessibleDescription(
      QStringLiteral("How many line feeds in a row make the printer cut by itself"));
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

void frmMain::Form_Load() {
  // Each selection runs the list's reaction, as a pick by the operator would.
  for (QComboBox* setting : {comFF, comDeviceID, comTopSearch, comCRcode, comCharSet, comCPage,
                             comZStyle, comDensity, comSpeed, comBMark, comLFeed, comNESensor,
                             comCSpacing, comPWidth, comContextCut, cmbBigFont, cmbEPSpacing}) {
    setting->setCurrentIndex(0);
  }
  AdjustCutPosition(0.0f);
  imgPrinter->setPixmap(imgQLX600->pixmap());
  labVer->setText(Q6::versionText(Q6Version::kMajor, Q6Version::kMinor, Q6Version::kRevision));
  loadLinkSettings();
  refill(cmbModel, Q6::Lists::cmbModel());
  labTopSearchInfo->setText(Q6::topSearchInfoText());

  const QString stored =
      Orvanel::openSettingsStore()->value(kModelKey, Q6::kStoredModelDefault).toString();
  cmbModel->setCurrentIndex(Q6::modelPositionForStoredText(stored));

  Picture2->setPixmap(QPixmap(QStringLiteral(":/logo.png")));
  labTitle->setText(Q6::titleText());
  setWindowTitle(Q6::windowTitleText());
}

// Loading is not an exchange, so the exchange runner does not report its failures: an unreadable
// store is shown here and the window carries on; "Communication" is where the operator fixes it.
void frmMain::loadLinkSettings() {
  try {
    scm_comms->LoadLinkSettings(Orvanel::kLinkSettingsKey);
  } catch (const Orvanel::LinkError& error) {
    Q6::showError(this, error.message());
  } catch (const std::exception& error) {
    Q6::showError(this, QString::fromUtf8(error.what()));
  }
}

void frmMain::Form_Unload() {
  const QString failure =
      Orvanel::storeValues(kModelGroup, {{kModelName, cmbModel->currentText()}});
  if (!failure.isEmpty()) {
    Q6::showError(this,
                  QStringLiteral("Could not store the selected printer model. %1").arg(failure));
  }
  if (m_portWindow) {
    m_portWindow->close();
  }
  if (m_presetsWindow) {
    m_presetsWindow->close();
  }
}

void frmMain::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Wheel) {
    auto* list = qobject_cast<QComboBox*>(watched);
    if (list && !list->hasFocus()) {
      return true;  // passing over a list with the wheel must not change a printer setting
    }
  }
  // The drop-down style is put on a list when it is first used rather than on all of them at
  // start-up: making a style costs a noticeable part of the start.
  if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress ||
      event->type() == QEvent::FocusIn) {
    if (auto* list = qobject_cast<QComboBox*>(watched)) {
      useDropDownStyle(list);
    }
  }
  // The box's own context menu and a switch to another window take the focus only for a while;
  // rewriting the text then would change it under the operator's hands.
  if (watched == txtCutOffset && event->type() == QEvent::FocusOut) {
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
      txtCutOffset_Validate();
    }
  }
  return QWidget::eventFilter(watched, event);
}

void frmMain::cmbModel_Click() {
  const int model = cmbModel->currentIndex();
  const Q6::ModelProfile* profile = Q6::modelProfile(model);
  if (!profile) {
    return;
  }
  const bool extended = profile->extendedGroups;
  imgPrinter->setPixmap((model == Q6::kModelQLX500 ? imgQLX500 : imgQLX600)->pixmap());
  refill(comSpeed, profile->speedEntries);
  comSpeed->setCurrentIndex(0);
  refill(comDensity, Q6::Lists::comDensity());
  comDensity->setCurrentIndex(0);
  if (!profile->paperWidthEntries.isEmpty()) {
    refill(comPWidth, profile->paperWidthEntries);
  }
  comPWidth->setCurrentIndex(0);
  for (QWidget* w : {static_cast<QWidget*>(comPWidth), static_cast<QWidget*>(labPWidth),
                     static_cast<QWidget*>(labPWidthT)}) {
    w->setVisible(extended);
  }
  const auto showColumnsGroup = [this, extended] {
    comESCPOSColumns->setCurrentIndex(0);
    for (QWidget* w :
         {static_cast<QWidget*>(comESCPOSColumns), static_cast<QWidget*>(labESCPOSColumns),
          static_cast<QWidget*>(labESCPOSColumnsT)}) {
      w->setVisible(extended);
    }
  };
  const auto showContextCutGroup = [this, extended] {
    comContextCut->setCurrentIndex(0);
    for (QWidget* w : {static_cast<QWidget*>(comContextCut), static_cast<QWidget*>(labContextCut),
                       static_cast<QWidget*>(labContextCutT), static_cast<QWidget*>(txtContFeeds),
                       static_cast<QWidget*>(labContFeeds)}) {
      w->setVisible(extended);
    }
  };
  // The two profiles reset these groups in opposite orders; the contextual cut's reaction runs
  // at its own step of each.
  if (model == Q6::kModelQLX500) {
    showColumnsGroup();
    showContextCutGroup();
  } else {
    showContextCutGroup();
    showColumnsGroup();
  }
  labEPFontSize->setText(profile->epFontSizeText);
  labEPSpacing->setText(profile->epSpacingText);
  fitText(labEPFontSize);
  fitText(labEPSpacing);
  cmbBigFont->setAccessibleDescription(profile->epFontSizeText);
  cmbEPSpacing->setAccessibleDescription(profile->epSpacingText);
}

void frmMain::comSpeed_Click() {
  if (comSpeed->currentIndex() == Q6::kOptimumDensitySpeed) {
    Q6::showMessage(this, Q6::MessageRequest{Q6::speedAdviceText(), Q6::speedAdviceTitle(),
                                             QMessageBox::Information, QMessageBox::Ok});
  }
}

void frmMain::comContextCut_Click() {
  switch (comContextCut->currentIndex()) {
    case 0:  // "No Change"
    case 1:  // "Disabled"
      txtContFeeds->setEnabled(false);
      setTextColour(labContFeeds, kApplicationWorkspaceGrey);
      break;
    case 2:  // "Enabled - Full Cut"
    case 3:  // "Enabled - Partial Cut"
      txtContFeeds->setEnabled(true);
      setTextColour(labContFeeds, kBlack);
      break;
    default:
      break;
  }
}

void frmMain::chk_AdjustCutPos_Click() {
  const bool on = chk_AdjustCutPos->isChecked();
  Picture1->setEnabled(on);
  txtCutOffset->setEnabled(on);
  Picture1->setAdjusterOn(on);
}

void frmMain::txtCutOffset_Validate() {
  const double typed = Q6::leadingNumber(txtCutOffset->text().toLatin1().toStdString());
  AdjustCutPosition(static_cast<float>(typed));
}

void frmMain::Picture1_MouseDown(float y) {
  if (y >= Q6::kDragTopY && y <= Q6::kDragBottomY) {
    Picture1->setLineY(y);
    m_dragging = true;
  }
}

void frmMain::Picture1_MouseMove(float y) {
  if (m_dragging && y >= Q6::kDragTopY && y <= Q6::kDragBottomY) {
    Picture1->setLineY(y);
  }
}

void frmMain::Picture1_MouseUp(float y) {
  m_dragging = false;
  AdjustCutPosition(y - Q6::kNominalCutY);
}

void frmMain::AdjustCutPosition(float mm) {
  const float offset = Q6::snapCutOffset(mm);
  txtCutOffset->setText(QString::fromStdString(Q6::cutOffsetText(offset)));
  Picture1->setLineY(offset + Q6::kNominalCutY);
}

Q6::Selection frmMain::currentSelection() const {
  Q6::Selection s;
  s.comFF = comFF->currentIndex();
  s.comDeviceID = comDeviceID->currentIndex();
  s.comTopSearch = comTopSearch->currentIndex();
  s.comNESensor = comNESensor->currentIndex();
  s.comCRcode = comCRcode->currentIndex();
  s.comCharSet = comCharSet->currentIndex();
  s.comCPage = comCPage->currentIndex();
  s.comZStyle = comZStyle->currentIndex();
  s.comLFeed = comLFeed->currentIndex();
  s.comDensity = comDensity->currentIndex();
  s.comSpeed = comSpeed->currentIndex();
  s.comBMark = comBMark->currentIndex();
  s.chk_AdjustCutPos = chk_AdjustCutPos->isChecked();
  s.txtCutOffset = txtCutOffset->text().toLatin1().toStdString();
  s.comCSpacing = comCSpacing->currentIndex();
  s.comPWidth = comPWidth->currentIndex();
  s.comESCPOSColumns = comESCPOSColumns->currentIndex();
  s.cmbBigFont = cmbBigFont->currentIndex();
  s.cmbEPSpacing = cmbEPSpacing->currentIndex();
  s.comContextCut = comContextCut->currentIndex();
  s.txtContFeeds = txtContFeeds->text().toLatin1().toStdString();
  return s;
}

void frmMain::send(const Q6::CommandList& commands) {
  Q6::runExchange(*scm_comms, commands, this);
}

void frmMain::comUse_Click() {
  // The typed offset must be in its text form before it is read.
  txtCutOffset_Validate();
  const Q6::UseSettingsPlan plan = Q6::buildUseSettings(currentSelection());
  if (!plan.error.isEmpty()) {
    Q6::showError(this, plan.error);
    return;
  }
  send(plan.commands);
}

void frmMain::comClearAll_Click() {
  if (Q6::showMessage(this, Q6::clearAllQuestion()) != QMessageBox::Yes) {
    return;
  }
  send(Q6::clearAllCommands());
}

void frmMain::comConfPort_Click() {
  if (!m_portWindow) {
    m_portWindow = new frmPort(this);
  }
  m_portWindow->exec();
  loadLinkSettings();
}

void frmMain::comPresets_Click() {
  hide();
  if (!m_presetsWindow) {
    m_presetsWindow = new frmPresets(this);
  }
  m_presetsWindow->show();
}

void frmMain::Command4_Click() {
  send({Q6::testCommand(Q6::TestCommand::SelfTest)});
}

void frmMain::butLineFeed_Click() {
  send({Q6::testCommand(Q6::TestCommand::LineFeed)});
}

void frmMain::butFormFeed_Click() {
  send({Q6::testCommand(Q6::TestCommand::FormFeed)});
}

void frmMain::butfeedlength_Click() {
  send({Q6::testCommand(Q6::TestCommand::Feed5cm)});
}

void frmMain::butFullCut_Click() {
  send({Q6::testCommand(Q6::TestCommand::FullCut)});
}

void frmMain::Command3_Click() {
  send({Q6::testCommand(Q6::TestCommand::PartialCut)});
}

void frmMain::Command8_Click() {
  send({Q6::testCommand(Q6::TestCommand::FeedFullCut)});
}

void frmMain::Command9_Click() {
  send({Q6::testCommand(Q6::TestCommand::FeedPartialCut)});
}

void frmMain::butCDrawer1_Click() {
  send({Q6::testCommand(Q6::TestCommand::CashDrawer1)});
}

void frmMain::butCDrawer2_Click() {
  send({Q6::testCommand(Q6::TestCommand::CashDrawer2)});
}

void frmMain::butPrintCharSet_Click() {
  send(Q6::characterSetSheet());
}

void frmMain::butTicketTest_Click() {
  send(Q6::ticketTest());
}
