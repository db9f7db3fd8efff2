#include "common/message_box.h"

#include <utility>

namespace Q6 {

namespace {
MessageHandler& handlerSlot() {
  static MessageHandler handler;
  return handler;
}
}  // namespace

QMessageBox::StandardButton showMessage(QWidget* parent, const MessageRequest& request) {
  if (handlerSlot()) {
    return handlerSlot()(request);
  }
  QMessageBox box(request.icon, request.title, request.text, request.buttons, parent);
  if (request.defaultButton != QMessageBox::NoButton) {
    box.setDefaultButton(request.defaultButton);
  }
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

void showError(QWidget* parent, const QString& text) {
  showMessage(parent, MessageRequest{text, kAppTitle, QMessageBox::Warning, QMessageBox::Ok,
                                     QMessageBox::Ok});
}

void setMessageHandler(MessageHandler handler) {
  handlerSlot() = std::move(handler);
}

}  // namespace Q6
