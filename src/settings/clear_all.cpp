#include "settings/clear_all.h"

namespace Q6 {

MessageRequest clearAllQuestion() {
  MessageRequest r;
  r.title = QStringLiteral("Reset - Are You Sure?");
  r.text = QStringLiteral("WARNING:");  // placeholder until the clear-all work lands
  r.icon = QMessageBox::Question;
  r.buttons = QMessageBox::Yes | QMessageBox::No;
  r.defaultButton = QMessageBox::Yes;
  return r;
}

CommandList clearAllCommands() {
  return {resetCommand(), writeCommand()};
}

}  // namespace Q6
