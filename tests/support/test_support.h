#pragma once

#include "gui/common/message_box.h"
#include "gui/link/printer_link.h"
#include "support/core_support.h"

namespace Q6Test {

// Outside a MessageCapture, a message box would wait for a human that never comes: this guard
// fails the test with the box's text instead. The test main installs it.
void installUnexpectedMessageGuard();

// Captures every message box shown through the seam and answers with `answer`.
class MessageCapture {
 public:
  explicit MessageCapture(QMessageBox::StandardButton answer = QMessageBox::Ok);
  ~MessageCapture();
  std::vector<Q6::MessageRequest> shown;
  QMessageBox::StandardButton answer;
};

}  // namespace Q6Test
