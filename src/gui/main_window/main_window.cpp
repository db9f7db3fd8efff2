#include "gui/main_window/main_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>

#include <exception>

#include "core/common/number_text.h"
#include "core/cut_position/cut_offset.h"
#include "core/link/link_error.h"
#include "core/printer/diagnostic_table.h"
#include "core/settings/settings_table.h"
#include "core/settings/window_content.h"
#include "gui/common/link_exchange.h"
#include "gui/common/message_box.h"
#include "gui/common/pictures_ahead.h"
#include "gui/common/translation.h"
#include "gui/cut_position/cut_diagram.h"
#include "gui/layout/layout_kit.h"
#include "gui/link/comm_settings_window.h"
#include "gui/main_window/clear_all.h"
#include "gui/main_window/main_window_layout.h"
#include "gui/main_window/main_window_texts.h"
#include "gui/presets/presets_window.h"
#include "version.h"

// The resources live in the static library; naming them here makes the linker keep them.
static void loadResources() {
  Q_INIT_RESOURCE(resources);
}

using Q6::Layout::fitText;
using Q6::Layout::refill;

namespace {

const QString kModelGroup = QStringLiteral("Printer");
const QString kModelName = QStringLiteral("Model");

}  // namespace

frmMain::frmMain(QWidget* parent) : QWidget(parent) {
  loadResources();
  // The pictures are decoded beside the building; the printers' are scaled for the Main tab too.
  const QSize shownAt = Q6::printerPictureRect().size();
  m_pictures = std::make_unique<Q6::PicturesAhead>(
      std::vector<Q6::PicturesAhead::Picture>{{QLatin1String(Q6::kQLX600Picture), shownAt},
                                              {QLatin1String(Q6::kQLX500Picture), shownAt},
                                              {QLatin1String(Q6::kIconPicture), QSize()},
                                              {QLatin1String(Q6::kLogoPicture), QSize()}});
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("QLX600/500 Configuration Utility"));
  setFont(Q6::Layout::windowFont());
  setFixedSize(Q6::Layout::px(7875), Q6::Layout::px(5430));

  buildTabs();
  setWindowIcon(QIcon(m_pictures->take(QLatin1String(Q6::kIconPicture))));

  connectHandlers();
  makeListsDeliberate();
  addTabSwitchKeys();
  Form_Load();
  fitTab(SSTab1->currentIndex());  // the others when they are first shown
  describeForScreenReaders();
  m_pictures.reset();

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

void frmMain::Form_Load() {
  // Each selection runs the list's reaction, as a pick by the operator would.
  // The model profile puts the print columns at "No Change" itself.
  resetSettingLists();
  AdjustCutPosition(0.0f);
  imgPrinter->setPixmap(imgQLX600->pixmap());
  labVer->setText(Q6::versionText(Q6Version::kMajor, Q6Version::kMinor, Q6Version::kRevision));
  loadLinkSettings();
  refill(cmbModel, Q6::Lists::cmbModel());
  labTopSearchInfo->setText(Q6::topSearchInfoText());

  const QString stored =
      Orvanel::readStoredValue(kModelGroup, kModelName, Q6::kStoredModelDefault).toString();
  cmbModel->setCurrentIndex(Q6::modelPositionForStoredText(stored));

  Picture2->setPixmap(m_pictures->take(QLatin1String(Q6::kLogoPicture)));
  labTitle->setText(Q6::titleText());
  setWindowTitle(Q6::windowTitleText());
}

// Loading is not an exchange, so the exchange runner does not report its failures: an unreadable
// store is shown here and the window carries on; "Communication" is where the operator fixes it.
void frmMain::loadLinkSettings(bool reportProblem) {
  try {
    scm_comms->LoadLinkSettings(Orvanel::kLinkSettingsKey);
  } catch (const Orvanel::LinkError& error) {
    if (reportProblem) {
      Q6::showError(this, error.message());
    }
  } catch (const std::exception& error) {
    Q6::showError(this, QString::fromUtf8(error.what()));
  }
}

void frmMain::Form_Unload() {
  const QString failure =
      Orvanel::storeValues(kModelGroup, {{kModelName, cmbModel->currentText()}}).error();
  if (!failure.isEmpty()) {
    Q6::showError(this, tr("Could not store the selected printer model. %1").arg(failure));
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
  refill(comSpeed, Q6::shownEntries(profile->speedEntries));
  comSpeed->setCurrentIndex(0);
  refill(comDensity, Q6::shownEntries(Q6::Lists::comDensity()));
  comDensity->setCurrentIndex(0);
  if (!profile->paperWidthEntries.isEmpty()) {
    refill(comPWidth, Q6::shownEntries(profile->paperWidthEntries));
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
  const QString fontSizeHelp = Q6::epFontSizeText(model);
  const QString spacingHelp = Q6::epSpacingText(model);
  labEPFontSize->setText(fontSizeHelp);
  labEPSpacing->setText(spacingHelp);
  if (tabFitted(labEPFontSize->parentWidget())) {
    fitText(labEPFontSize);
    fitText(labEPSpacing);
  }
  cmbBigFont->setAccessibleDescription(fontSizeHelp);
  cmbEPSpacing->setAccessibleDescription(spacingHelp);
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
      Q6::Layout::setTextColour(labContFeeds, Q6::kDisabledCaptionColour);
      break;
    case 2:  // "Enabled - Full Cut"
    case 3:  // "Enabled - Partial Cut"
      txtContFeeds->setEnabled(true);
      Q6::Layout::setTextColour(labContFeeds, Q6::kEnabledCaptionColour);
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

namespace {

Q6::ExchangeNote exchangeNote(const QString& action, Q6::RecordEffect effect) {
  Q6::ExchangeNote note;
  note.action = action;
  note.effect = effect;
  return note;
}

}  // namespace

void frmMain::send(const Q6::CommandList& commands, Q6::ExchangeNote note) {
  note.connection = scm_comms->settings();
  note.model = Q6::modelName(cmbModel->currentIndex());
  Q6::runExchange(*scm_comms, commands, this, &note);
}

void frmMain::sendPrinterTest(const QPushButton* button) {
  if (const Q6::PrinterTest* test = Q6::printerTestOfButton(button->objectName())) {
    send(Q6::testCommands(*test),
         exchangeNote(QStringLiteral("test ") + QLatin1String(test->name), Q6::RecordEffect::None));
  }
}

void frmMain::comUse_Click() {
  // The typed offset must be in its text form before it is read.
  txtCutOffset_Validate();
  const Q6::Selection selection = currentSelection();
  const Q6::Result<Q6::UseSettingsPlan> plan = Q6::planUseSettings(selection);
  if (!plan) {
    Q6::showError(this, plan.error());
    return;
  }
  Q6::CommandList commands;
  Q6::ExchangeNote note = exchangeNote(QStringLiteral("Use Settings"), Q6::RecordEffect::Settings);
  for (const Q6::SettingCommands& part : *plan) {
    commands.insert(commands.end(), part.commands.begin(), part.commands.end());
    note.settings << Q6::carriedSettings(part, selection, cmbModel->currentIndex());
  }
  send(commands, std::move(note));
}

void frmMain::comClearAll_Click() {
  if (Q6::showMessage(this, Q6::clearAllQuestion()) != QMessageBox::Yes) {
    return;
  }
  send(Q6::clearAllCommands(),
       exchangeNote(QStringLiteral("Clear All Settings"), Q6::RecordEffect::Reset));
}

void frmMain::comConfPort_Click() {
  if (!m_portWindow) {
    m_portWindow = new frmPort(this);
  }
  m_portWindow->exec();
  // The communication window has just told the operator about a file it could not read; the
  // problem stays with the link for the next action, without a second box now.
  loadLinkSettings(false);
}

void frmMain::comPresets_Click() {
  hide();
  if (!m_presetsWindow) {
    m_presetsWindow = new frmPresets(
        Q6::PresetTarget{this, [this] { return presetListCounts(); },
                         [this](const Q6::PresetValues& values) { applyPreset(values); }});
  }
  m_presetsWindow->show();
}

void frmMain::Command4_Click() {
  sendPrinterTest(Command4);
}

void frmMain::butLineFeed_Click() {
  sendPrinterTest(butLineFeed);
}

void frmMain::butFormFeed_Click() {
  sendPrinterTest(butFormFeed);
}

void frmMain::butfeedlength_Click() {
  sendPrinterTest(butfeedlength);
}

void frmMain::butFullCut_Click() {
  sendPrinterTest(butFullCut);
}

void frmMain::Command3_Click() {
  sendPrinterTest(Command3);
}

void frmMain::Command8_Click() {
  sendPrinterTest(Command8);
}

void frmMain::Command9_Click() {
  sendPrinterTest(Command9);
}

void frmMain::butCDrawer1_Click() {
  sendPrinterTest(butCDrawer1);
}

void frmMain::butCDrawer2_Click() {
  sendPrinterTest(butCDrawer2);
}

void frmMain::butPrintCharSet_Click() {
  sendPrinterTest(butPrintCharSet);
}

void frmMain::butTicketTest_Click() {
  sendPrinterTest(butTicketTest);
}
