#include "gui/main_window/main_window_texts.h"

#include <QCoreApplication>

#include "core/settings/window_content.h"

namespace Q6 {

namespace {

// The firmware that brings the ESC/POS font size and spacing.
const char* escPosFirmware(int modelPosition) {
  switch (modelPosition) {
    case kModelQLX600:
      return "4.3";
    case kModelQLX500:
      return "3.2";
    default:
      return nullptr;
  }
}

}  // namespace

QString titleText() {
  return QCoreApplication::translate("frmMain", "Vorla QLX500/600 Setup Utility");
}

QString windowTitleText() {
  return QCoreApplication::translate("frmMain", "%1 - Advanced Mode").arg(titleText());
}

QString topSearchInfoText() {
  // Names the QLX600 whichever model is selected: only that model's firmware has the limit.
  return QCoreApplication::translate(
             "frmMain",
             "When this feature is enabled the printer will perform a reverse feed to the top of "
             "form at the start of a print job (only after a full cut to prevent paper jam's). For "
             "the %1 firmware version 2.1 or later is required.")
      .arg(Lists::cmbModel().at(kModelQLX600));
}

QString epFontSizeText(int modelPosition) {
  const char* firmware = escPosFirmware(modelPosition);
  if (!firmware) {
    return {};
  }
  return QCoreApplication::translate(
             "frmMain",
             "This option selects an alternative (larger) font for use in ESC/POS mode. This may "
             "be "
             "useful when the printer is used to replace a 180dpi printer. This feature requires "
             "Version %1 or later firmware.")
      .arg(QLatin1String(firmware));
}

// The double blanks before "and" and before "or later" belong to the text.
QString epSpacingText(int modelPosition) {
  const char* firmware = escPosFirmware(modelPosition);
  if (!firmware) {
    return {};
  }
  return QCoreApplication::translate(
             "frmMain",
             "Increasing the default character spacing can (in combination with the larger font) "
             "help simulate the output of 180dpi printers. It is recommended to use 1 dot spacing  "
             "and enable 'Maximum ESC/POS Print Columns'. This feature requires version %1  or "
             "later firmware.")
      .arg(QLatin1String(firmware));
}

int modelPositionForStoredText(const QString& stored) {
  return stored == Lists::cmbModel().at(kModelQLX600) ? kModelQLX600 : kModelQLX500;
}

QString speedAdviceTitle() {
  return QString::fromUtf8(QT_TRANSLATE_NOOP("Q6::Messages", "Information"));
}

}  // namespace Q6
