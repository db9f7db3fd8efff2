#include "gui/main_window/clear_all.h"

#include "gui/common/message_box.h"

namespace Q6 {

MessageRequest clearAllQuestion() {
  MessageRequest r;
  // Shown in the operator's language by the message seam.
  r.title = QString::fromUtf8(QT_TRANSLATE_NOOP("Q6::Messages", "Reset - Are You Sure?"));
  // The reset also drops black-mark mode, which operators of ticket printers tend to forget.
  r.text = QString::fromUtf8(QT_TRANSLATE_NOOP(
      "Q6::Messages",
      "WARNING:\r\n"
      "If your printer is currently configured for ticket or label printing (black mark detect)\r\n"
      "then resetting it will cause it to revert to 'receipt' mode. Using black marked paper\r\n"
      "stock then the printer is in receipt mode will cause errors."));
  r.icon = QMessageBox::Question;
  r.buttons = QMessageBox::Yes | QMessageBox::No;
  r.defaultButton = QMessageBox::Yes;
  return r;
}

}  // namespace Q6
